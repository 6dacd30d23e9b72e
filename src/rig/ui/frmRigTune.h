#pragma once
// The tuning panel: band presets, a frequency to type, up and down steps, the mode buttons and a
// scan from one frequency to another. Every frequency goes to the radio through rig control's
// ChangeFrequency and every mode through ChangeMode. Opened modally by Ctrl+G, unloaded after.

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Session;

namespace platform {
class Timer;
}

class frmRigTune : public QDialog {
    Q_OBJECT
public:
    explicit frmRigTune(Session& session, QWidget* parent = nullptr);
    ~frmRigTune() override;

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QLineEdit *txtFreq, *txtFrom, *txtTo;
    QPushButton* Command1;
    std::array<QPushButton*, 16> cmdBand{};
    std::array<QPushButton*, 10> cmdTune{};
    QPushButton *cmdCW, *cmdUSB, *cmdLSB, *cmdAM, *cmdFM, *cmdRTTY, *cmdDone;
    QCheckBox* chkScan;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 5> Option{};  // Option1 .. Option5
    std::array<QFrame*, 4> Line{};          // Line1 .. Line4

    void Form_Load();
    void Command1_Click();
    void cmdBand_Click(int index);
    void cmdTune_Click(int index);
    void ChangeModeTo(const char* mode);
    void txtFreq_Change();
    void chkScan_Click();
    void cmdDone_Click();
    // One scan step (the 299 ms timer).
    void Timer1_Timer();
    // The scan step of the chosen "Scan Steps" option, in MHz.
    double ScanStep() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void stopScan();

    Session& session_;
    std::unique_ptr<platform::Timer> Timer1;
};
