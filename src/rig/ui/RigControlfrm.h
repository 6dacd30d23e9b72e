#pragma once
// The rig setup dialog: the rig list, the serial link's options, the poll rate, where the
// logging window's mode comes from, the two read strings, and Test / End Test / Done. It is a
// view over the session's rig control (session.rig): the option buttons and boxes are what is
// on screen, Test hands them to rig control, and the poll cycle's readings come back to the
// labels. One instance for the run: the logging window's load makes it hidden and runs Test;
// "&Rig Interface" and Ctrl+R show it beside the logging window; Done (and the close box) hide it
// and polling goes on. The logging window's close unloads the dialog and ends polling in rig
// control (session.rig.Unload()), which lives in the session, not in this window.

#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "rig/RigSettings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class Session;

class RigControlfrm : public QDialog {
    Q_OBJECT
public:
    explicit RigControlfrm(Session& session, QWidget* parent = nullptr);
    ~RigControlfrm() override;

    QListWidget* List1;
    QGroupBox *fraBaud, *fraParity, *fraData, *fraStop, *fraPort, *fraPower, *fraPoll, *Frame1;
    QRadioButton *optBaud12, *optBaud24, *optBaud48, *optBaud96, *optBaud144, *optBaud192, *optBaud288, *optBaud384,
        *optBaud560;
    QRadioButton *optParityNone, *optParityOdd, *optParityEven;
    QRadioButton *optData7, *optData8, *optStop1, *optStop2;
    std::array<QRadioButton*, 10> optComm{};
    QRadioButton *optPowerNone, *optPowerRTS, *optPowerDTR;
    QRadioButton *optPollFast, *optPollMed, *optPollSlow, *optReallySlow;
    QRadioButton *OptRig, *OptFreq, *OptDont;
    QCheckBox *chkFrequency, *chkConvToHex, *ChkConvHex;
    QLineEdit *txtFreq, *txtMode;
    QPushButton *Command1, *Command2, *cmdDone, *Command3, *Command4;
    QLabel *lblFreq, *lblMode, *lblUnProcess, *Label2, *Label9, *Label10, *Label8, *Label11, *Label12;

    void Form_Load();
    void List1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void cmdDone_Click();
    void chkConvToHex_Click();

public slots:
    // "Test"; public: the logging window's load runs it on the hidden dialog.
    void Command1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // One option group: its buttons and the value each stands for.
    struct Group {
        std::vector<std::pair<QRadioButton*, std::string>> buttons;
        // The value of the selected button; nullopt when none is selected.
        std::optional<std::string> selected() const;
        // Selects the button of a value; none when no button has it.
        void select(const std::string& value);
    };
    void buildControls();
    void showSettings();
    void takeOptions(rig::RigSettings& s) const;
    void showReading(const std::string* frequency, const std::string& mode, const std::string& reply);
    void pollingChanged(bool polling);
    void portFailed();
    void portLost(const std::string& why);
    void modeByChosen(rig::ModeBy modeBy);

    Session& session_;
    Group speed_, parity_, data_, stop_, port_, power_, poll_;
    bool loadingSettings_ = false;
    bool inTest_ = false;
};
