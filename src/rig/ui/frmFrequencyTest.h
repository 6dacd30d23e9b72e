#pragma once
// The raw-command test window: sends a command typed by hand straight out of the rig's CAT port,
// as text or as hexadecimal pairs, and tries the program's own frequency command on a typed
// frequency. The rig setup dialog opens it modally while polling runs. Every failure is shown.

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class Session;

class frmFrequencyTest : public QDialog {
    Q_OBJECT
public:
    explicit frmFrequencyTest(Session& session, QWidget* parent = nullptr);

    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit *Text1, *Text2;
    QCheckBox* Check1;
    QPushButton *Command1, *Command2;
    QFrame* Line1;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();

private:
    void fail(const std::string& text);
    Session& session_;
};
