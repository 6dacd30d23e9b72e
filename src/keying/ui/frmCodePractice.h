#pragma once
// "On the Air Code Practice": random groups, the clipboard or typing, sent over the air through
// the CW keyer. Send feeds the text one character at a time into the send buffer as the keyer
// takes them, reading the text box afresh for each, so edits made while sending count from the
// next character. Shown modally by the settings window's "Send Code Practice"; it cannot be
// closed while the keyer is keying (the buffer is emptied, so a second close succeeds).

#include <QDialog>
#include <string>

#include "keying/CwKeyer.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Session;
namespace station::ui {
class KeyField;
}

class frmCodePractice : public QDialog, private keying::CwKeyerObserver {
    Q_OBJECT
public:
    explicit frmCodePractice(Session& session, QWidget* parent = nullptr);
    ~frmCodePractice() override;

    QPlainTextEdit *Text1 = nullptr, *Text2 = nullptr;
    QLineEdit *Text3 = nullptr, *Text4 = nullptr;
    station::ui::KeyField* Text5 = nullptr;
    QRadioButton *Option1 = nullptr, *Option2 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;
    QPushButton *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr;
    QLabel* Label8 = nullptr;

    void Form_Load();
    void Command1_Click();  // Paste from Clipboard
    void Command2_Click();  // Generate Random Characters
    void Command3_Click();  // Send
    void Command4_Click();  // Stop
    // The unload: empties the buffer and what is left to send; false (refused) while keying.
    bool Form_Unload();
    bool sending() const { return sending_; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildControls();
    void feed();
    void echo(char c);
    void cwCharacterStarted() override { feed(); }
    void cwPumpIdle() override { feed(); }
    // The keyer failed and has said why (a WinKey keyer that cannot be opened): the practice
    // ends, as it does when the keyer refuses the speed, instead of failing once per character.
    void cwPumpFailed() override { Command4_Click(); }
    void cwSpeedChanged() override;

    Session& session_;
    std::string SendText;
    size_t next_ = 0;
    bool sending_ = false;
};
