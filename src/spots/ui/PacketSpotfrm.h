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
// TelnetErrors, SpotSettings); the three sources are feeds of src/spots/ (TncFeed, TelnetFeed,
// AgwFeed) that the window owns and opens with its settings.
//
// The code is split by concern:
//   PacketSpotfrm.cpp          load and settings, the source list and its enabling, Open Port,
//                              Close Port, Done, unload
//   PacketSpotfrmControls.cpp  the controls and their layout
//   PacketSpotfrmDisplay.cpp   the receive display, the send box and the tick
//   PacketSpotfrmKeys.cpp      the window's keys (TNC command mode, Esc, Enter)
//   PacketSpotfrmOptions.h     the serial option groups: their values, setting and reading them

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "spots/AgwFeed.h"
#include "spots/SpotSettings.h"
#include "spots/SpotSetupRules.h"
#include "spots/TelnetFeed.h"
#include "spots/TncFeed.h"

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
class Timer;
}  // namespace platform

namespace spots::ui {

class PacketSpotfrm : public QDialog, private SpotFeedHost {
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
    const std::string& ConnectedStation() const { return agw_->ConnectedStation(); }
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
    // The feed of a source; none for "None".
    SpotFeed* feed(SpotSourceKind kind);

    // Opening the chosen source.
    void ReadCommSettings();
    void ConnectTelnet();
    void StartAGW();
    void txtSent_Change();

    // What the feeds ask of the window.
    void note(const std::string& text) override { append(text); }
    void received(const std::string& text) override { appendReceived(text); }
    void restartDisplay(const std::string& text) override { setDisplay(text); }
    void closePort() override { Command2_Click(); }
    void stopListening() override;
    void startTick() override;
    void stopTick() override;
    bool tickRunning() const override { return timerRunning(); }
    void comeIntoView() override;
    void setCaption(const std::string& caption) override;
    bool dxOnly() const override;

    Session& session_;
    std::string spotSource_;
    uint8_t tncPort_ = 0;
    std::string tncBaud_, tncParity_, tncDataBits_, tncStopBits_, tncPower_;
    uint8_t tncHandshake_ = 0;
    bool loadingSettings_ = false;
    std::string display_;
    bool sendingAgw_ = false;
    const QEvent* lastKey_ = nullptr;  // the key event a control has just seen
    QLabel* chkDXCaption_ = nullptr;

    std::unique_ptr<platform::Timer> timer1_;
    std::unique_ptr<TncFeed> tnc_;
    std::unique_ptr<TelnetFeed> telnet_;
    std::unique_ptr<AgwFeed> agw_;
};

// Registers the spotting setup window with the logging window's tool-window registry.
void RegisterPacketSpotfrm();

}  // namespace spots::ui
