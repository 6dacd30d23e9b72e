#pragma once
// PacketSpotfrm: the spotting setup window. The operator chooses where DX spots come from (a
// TNC on a serial port, a telnet DX cluster, the AGW packet engine), sets it up, opens and
// closes it, reads what it sends in the receive display and types back in the send box. The
// settings live in PackSpot.txt (AGWEngine.txt beside it says where the engine listens).
//
// The window is modeless and exists once; Done hides it and the source keeps running, so spots
// keep reaching the logging window's spot panel. Everything a source receives goes through the
// session's spot receiver, which cuts it into lines, drops repeats and posts the spots.
// Decisions that are not about widgets come from src/spots/ (SpotSetupRules, AgwTraffic,
// TelnetErrors, SpotSettings).

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "spots/AgwLink.h"
#include "spots/SpotSettings.h"
#include "spots/TelnetFilter.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Session;

namespace platform {
class SerialLine;
class TcpClient;
class Timer;
}  // namespace platform

namespace spots::ui {

class PacketSpotfrm : public QDialog {
    Q_OBJECT
public:
    explicit PacketSpotfrm(Session& session, QWidget* parent = nullptr);
    ~PacketSpotfrm() override;

    // Builds the list, reads PackSpot.txt and opens the saved source.
    void Form_Load();

    // Open Port and Close Port.
    Q_INVOKABLE void Command1_Click();
    Q_INVOKABLE void Command2_Click();
    void cmdDone_Click();
    void Command3_Click();  // Spot Last
    void List1_Click();
    // Enter in the send box.
    void SendLine();
    // Has the live logging window lay out its spot panel from the list and the display choice.
    Q_INVOKABLE void LayOutSpotPanel();

    // The open/closed state: "Listening" shown.
    bool listening() const;
    // The receive display's text, with its CR LF line ends.
    const std::string& displayText() const { return display_; }
    const std::string& SpotSource() const { return spotSource_; }
    const std::string& ConnectedStation() const { return connectedStation_; }
    bool timerRunning() const;
    // The settings as Done stores them.
    PackSpotSettings settings() const;

    // The controls.
    QLabel* Label1 = nullptr;
    QListWidget* List1 = nullptr;
    QCheckBox* chkDX = nullptr;
    QGroupBox* fraPort = nullptr;
    std::array<QRadioButton*, 10> optComm{};
    QGroupBox* fraBaud = nullptr;
    std::array<QRadioButton*, 6> optBaud{};  // 12, 24, 48, 96, 144, 192
    QGroupBox* fraParity = nullptr;
    std::array<QRadioButton*, 3> optParity{};  // Odd, None, Even
    QGroupBox* fraData = nullptr;
    std::array<QRadioButton*, 2> optData{};  // 7, 8
    QGroupBox* fraStop = nullptr;
    std::array<QRadioButton*, 2> optStop{};  // 1, 2
    QGroupBox* fraPower = nullptr;
    std::array<QRadioButton*, 3> optPower{};  // None, RTS, DTR
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 4> optHandshake{};  // Option1..Option4
    QPushButton* cmdDone = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtHex = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtTelnetHost = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtTelnetPort = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* OptList = nullptr;
    QRadioButton* OptBand = nullptr;
    QFrame* Line1 = nullptr;
    QPlainTextEdit* txtUnProcessed = nullptr;
    QCheckBox* chkConvToHex = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtSent = nullptr;
    QPushButton* Command3 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void LoadSpotSettings();
    void applyEnableStep(int step);
    void ShowSetupHelp();
    void serialOptionClicked();
    // The TNC command-mode key; true when the key was used up.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Form_Unload();

    // The receive display.
    void append(const std::string& text);
    void appendReceived(const std::string& text);
    void setDisplay(const std::string& text);
    void showDisplay();

    void Timer1_Timer();

    // TNC on a serial port.
    void ReadCommSettings();
    void OpenTNCPort();
    void PollTNC();
    void tncFailed();
    // The TNC's serial device went away while open (a pulled adapter).
    void tncLost();

    // Telnet DX cluster.
    void ConnectTelnet();
    void SendTelnet(const std::string& text);
    void Winsock1_DataArrival();
    void Winsock1_Error(int number);
    void telnetClosedByServer();

    // AGW packet engine.
    void StartAGW();
    void PollAGW();
    void SendAGW(const std::string& text);
    void agwStartFailed(const std::string& why);
    void txtSent_Change();

    Session& session_;
    std::string spotSource_;
    uint8_t tncPort_ = 0;
    std::string tncBaud_, tncParity_, tncDataBits_, tncStopBits_, tncPower_;
    uint8_t tncHandshake_ = 0;
    bool loadingSettings_ = false;
    std::string connectedStation_;
    std::string display_;
    bool sendingAgw_ = false;
    const QEvent* lastKey_ = nullptr;
    QLabel* chkDXCaption_ = nullptr;  // the key event a control has just seen

    std::unique_ptr<platform::Timer> timer1_;
    std::unique_ptr<platform::SerialLine> comComm1_;
    std::unique_ptr<platform::TcpClient> winsock1_;
    TelnetFilter telnetFilter_;
    std::unique_ptr<AgwLink> agw_;
};

// Registers the spotting setup window with the logging window's tool-window registry.
void RegisterPacketSpotfrm();

}  // namespace spots::ui
