#pragma once
// The CW keyer's settings window "CW String Selections": the eleven messages and every setting
// of the CW keyer. It is a view over the session's CW keyer (session.keyers.cw): what is typed
// acts at once (the keyer reads it at the next character), Done writes cw.txt and the
// settings-store keys and hides the window. One instance for the run, shown beside the logging
// window (Ctrl+C, Ctrl+S) or modally ("&CW Setup", a keying port that cannot be opened). It
// has no close box, and Esc leaves it as it is: Done is the way out.

#include <array>

#include "keying/CwKeyer.h"
#include "station/ui/DoneDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class Session;
namespace station::ui {
class KeyField;
}

class CWFrm : public station::ui::DoneDialog, private keying::CwKeyerObserver {
    Q_OBJECT
public:
    explicit CWFrm(Session& session, QWidget* parent = nullptr);
    ~CWFrm() override;

    // Text1..Text14 as named: 1-9 the F1-F9 messages, 10 the com port, 11 the speed,
    // 12 and 13 the F10 and F11 messages, 14 the parallel port. Element 0 is unused.
    std::array<station::ui::KeyField*, 15> Text{};
    station::ui::KeyField *txtSpace = nullptr, *txtCWLoop = nullptr, *txtLoop = nullptr;
    QCheckBox* Check1 = nullptr;
    QGroupBox* Frame1 = nullptr;  // "Keying Options"
    QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr, *Option4 = nullptr, *Option5 = nullptr;
    QRadioButton *optTimer = nullptr, *optLoop = nullptr, *OptSleep = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;
    QPushButton *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *cmdConfWinkey = nullptr;
    QPushButton *cmdLoopFaster = nullptr, *cmdLoopSlower = nullptr;
    QLabel *Label23 = nullptr, *lblLoop = nullptr;

    void Form_Load();
    void Command1_Click();  // Done
    void Command4_Click();  // Test
    void Command7_Click();  // Send Code Practice
    void cmdConfWinkey_Click();
    void OptionClick(int cwInterface);
    void TimingClick(keying::TimingMethod method);
    void Text10_LostFocus();
    void txtCWLoop_LostFocus();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void connectControls();
    void showSettings();
    void cwPumpIdle() override;
    void cwSpeedChanged() override;
    keying::CwSettings& settings();

    Session& session_;
    bool showing_ = false;  // controls being filled from the settings: no write-back
};
