#include "spots/ui/PacketSpotfrm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "spots/ui/PacketSpotfrmOptions.h"
#include "station/ui/CloseBox.h"
#include "station/ui/FormResize.h"
#include "window/ui/ToolWindows.h"

namespace spots::ui {

using platform::qt::fromQ;
using platform::qt::toQ;
using namespace options;

namespace {
const char* const kCaption = " DX Spotting Setup";

std::string trimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}
}  // namespace

PacketSpotfrm::PacketSpotfrm(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("PacketSpotfrm"));
    // No close box and no minimise or maximise buttons: Done is the way out. A close box the
    // window manager draws anyway does what Done does: the settings are stored, the spot panel
    // laid out and the source kept running; the program's own unload closes it.
    station::ui::NoCloseBox(*this, [this] { cmdDone_Click(); });
    setModal(false);
    setWindowTitle(toQ(kCaption));
    buildControls();

    timer1_ = session_.platform.scheduler.createTimer();
    timer1_->setHandler([this] { Timer1_Timer(); });
    SpotFeedHost& host = *this;
    tnc_ = std::make_unique<TncFeed>(host, session_.platform);
    telnet_ = std::make_unique<TelnetFeed>(host, session_.platform);
    agw_ = std::make_unique<AgwFeed>(host, session_.platform, [this] { return LoadAgwEngine(session_); });
}

PacketSpotfrm::~PacketSpotfrm() { Form_Unload(); }

// ---- load and settings

void PacketSpotfrm::Form_Load() {
    station::ui::ScaleDialogToScreen(*this, session_);
    for (const auto& item : kSpotSourceItems) List1->addItem(toQ(item));
    applyEnableStep(static_cast<int>(EnableStep::DisableAll));
    loadingSettings_ = true;
    LoadSpotSettings();
    loadingSettings_ = false;
}

void PacketSpotfrm::LoadSpotSettings() {
    PackSpotSettings held = settings();
    const PackSpotRead r = LoadPackSpot(session_, held);
    const PackSpotSettings& v = r.values;
    if (r.items >= 1) tncBaud_ = v.TncBaud;
    if (r.items >= 2) tncParity_ = v.TncParity;
    if (r.items >= 3) tncDataBits_ = v.TncDataBits;
    if (r.items >= 4) tncStopBits_ = v.TncStopBits;
    if (r.items >= 5) tncPort_ = v.TncPort;
    if (r.items >= 6) tncPower_ = v.TncPower;
    if (r.items >= 7) spotSource_ = v.SpotSource;
    if (r.items >= 9) tncHandshake_ = v.TncHandshake;
    if (!r.complete()) return;

    chkConvToHex->setChecked(v.ConvToHex != 0);
    OptList->setChecked(v.OptList);
    OptBand->setChecked(!v.OptList);
    txtHex->setText(toQ(v.Hex));
    txtTelnetPort->setText(toQ(v.TelnetPort));
    txtTelnetHost->setText(toQ(v.TelnetHost));

    for (int i = 0; i < List1->count(); ++i) {
        if (!logging::SameText(fromQ(List1->item(i)->text()), spotSource_)) continue;
        List1->setCurrentRow(i);
        List1_Click();
    }
    // "List DX Only" as it was saved (the list click above cleared it).
    chkDX->setChecked(v.ListDxOnly != 0);

    // A port of 0 means the TNC was never opened: the design port stays chosen and the load goes
    // on, so a saved telnet or AGW source still opens.
    if (tncPort_ > 10) return;
    if (tncPort_ >= 1) choose(optComm, tncPort_ - 1);
    choose(optBaud, indexOf(kBaudValues, trimRight(tncBaud_)));
    choose(optParity, indexOf(kParityValues, tncParity_));
    choose(optData, indexOf(kDataValues, tncDataBits_));
    choose(optStop, indexOf(kStopValues, tncStopBits_));
    choose(optPower, indexOf(kPowerValues, tncPower_));
    if (tncHandshake_ >= 1 && tncHandshake_ <= 4) choose(optHandshake, tncHandshake_ - 1);
    loadingSettings_ = false;

    const SpotSourceKind kind = SourceKind(spotSource_);
    if (const auto step = EnableStepFor(kind)) applyEnableStep(static_cast<int>(*step));
    if (kind != SpotSourceKind::None) Command1_Click();
}

PackSpotSettings PacketSpotfrm::settings() const {
    PackSpotSettings s;
    s.TncBaud = tncBaud_;
    s.TncParity = tncParity_;
    s.TncDataBits = tncDataBits_;
    s.TncStopBits = tncStopBits_;
    s.TncPort = tncPort_;
    s.TncPower = tncPower_;
    s.SpotSource = spotSource_;
    s.ConvToHex = chkConvToHex->isChecked() ? 1 : 0;
    s.TncHandshake = tncHandshake_;
    s.ListDxOnly = chkDX->isChecked() ? 1 : 0;
    s.OptList = OptList->isChecked();
    s.Hex = fromQ(txtHex->text());
    s.TelnetPort = fromQ(txtTelnetPort->text());
    s.TelnetHost = fromQ(txtTelnetHost->text());
    return s;
}

void PacketSpotfrm::applyEnableStep(int stepValue) {
    const auto step = static_cast<EnableStep>(stepValue);
    for (ControlGroup group : kControlGroups) {
        const Switch sw = EnableSwitch(step, group);
        if (sw == Switch::Keep) continue;
        const bool on = sw == Switch::On;
        std::vector<QWidget*> widgets;
        switch (group) {
            case ControlGroup::Display: widgets = {Frame2, OptList, OptBand, chkDX, chkDXCaption_}; break;
            case ControlGroup::Send: widgets = {txtSent, Label6, Command1, Command2}; break;
            case ControlGroup::TncHex: widgets = {txtHex, Label2}; break;
            case ControlGroup::Serial: widgets = {fraPort, fraBaud, fraParity, fraData, fraStop, fraPower, Frame1}; break;
            case ControlGroup::Status: widgets = {Label1, Label4}; break;
            case ControlGroup::Telnet: widgets = {txtTelnetHost, txtTelnetPort, Label7, Label3}; break;
            case ControlGroup::ConvToHex: widgets = {chkConvToHex}; break;
        }
        for (QWidget* w : widgets) w->setEnabled(on);
    }
}

void PacketSpotfrm::ShowSetupHelp() {
    std::optional<std::string> selected;
    if (QListWidgetItem* item = List1->currentItem(); item && item->isSelected()) selected = fromQ(item->text());
    setDisplay(SetupHelpText(selected));
    txtUnProcessed->moveCursor(QTextCursor::Start);
}

void PacketSpotfrm::List1_Click() {
    chkDX->setChecked(false);
    QListWidgetItem* item = List1->currentItem();
    if (!loadingSettings_) {
        Command2_Click();
        applyEnableStep(static_cast<int>(EnableStep::DisableAll));
        spotSource_ = item ? fromQ(item->text()) : std::string();
        if (SourceKind(spotSource_) == SpotSourceKind::Tnc) {
            choose(optBaud, 3);
            choose(optParity, 1);
            choose(optData, 1);
            choose(optStop, 0);
            choose(optHandshake, 2);
            txtHex->setText(QStringLiteral("03"));
            applyEnableStep(static_cast<int>(EnableStep::Tnc));
        }
    }
    ShowSetupHelp();
    const SpotSourceKind kind = SourceKind(spotSource_);
    if (kind == SpotSourceKind::Telnet) applyEnableStep(static_cast<int>(EnableStep::Telnet));
    if (kind == SpotSourceKind::Agw) applyEnableStep(static_cast<int>(EnableStep::Agw));
    if (const auto caption = SendBoxCaption(kind)) Label6->setText(toQ(*caption));
}

void PacketSpotfrm::serialOptionClicked() {
    if (!loadingSettings_) Command2_Click();
}

// ---- open, close, done

bool PacketSpotfrm::listening() const { return !Label4->isHidden(); }
bool PacketSpotfrm::timerRunning() const { return timer1_->isActive(); }

SpotFeed* PacketSpotfrm::feed(SpotSourceKind kind) {
    switch (kind) {
        case SpotSourceKind::Tnc: return tnc_.get();
        case SpotSourceKind::Telnet: return telnet_.get();
        case SpotSourceKind::Agw: return agw_.get();
        case SpotSourceKind::None: break;
    }
    return nullptr;
}

void PacketSpotfrm::Command1_Click() {
    // Every opening (and so every new source and connection) starts with nothing half received
    // and nothing remembered for the repeat filter: the display below starts anew as well.
    session_.spotReceiver.Reset();
    setDisplay("** Attempting to Open Port **\r\n\r\n");
    tnc_->close();
    const SpotSourceKind kind = SourceKind(spotSource_);
    if (kind == SpotSourceKind::None) return;
    Label4->show();
    if (isVisible()) txtSent->setFocus();
    switch (kind) {
        case SpotSourceKind::Tnc: ReadCommSettings(); break;
        case SpotSourceKind::Agw: StartAGW(); break;
        case SpotSourceKind::Telnet: ConnectTelnet(); break;
        case SpotSourceKind::None: break;
    }
}

void PacketSpotfrm::ReadCommSettings() {
    if (SourceKind(spotSource_) == SpotSourceKind::None) return;
    Label4->show();
    if (const int i = chosen(optComm); i >= 0) tncPort_ = static_cast<uint8_t>(i + 1);
    if (const int i = chosen(optBaud); i >= 0) tncBaud_ = kBaudValues[static_cast<size_t>(i)];
    if (const int i = chosen(optParity); i >= 0) tncParity_ = kParityValues[static_cast<size_t>(i)];
    if (const int i = chosen(optData); i >= 0) tncDataBits_ = kDataValues[static_cast<size_t>(i)];
    if (const int i = chosen(optStop); i >= 0) tncStopBits_ = kStopValues[static_cast<size_t>(i)];
    if (const int i = chosen(optPower); i >= 0) tncPower_ = kPowerValues[static_cast<size_t>(i)];
    if (const int i = chosen(optHandshake); i >= 0) tncHandshake_ = static_cast<uint8_t>(i + 1);
    if (SourceKind(spotSource_) == SpotSourceKind::Tnc)
        tnc_->OpenTNCPort({tncPort_, tncBaud_, tncParity_, tncDataBits_, tncStopBits_, tncPower_, tncHandshake_});
}

void PacketSpotfrm::ConnectTelnet() {
    telnet_->ConnectTelnet(fromQ(txtTelnetHost->text()), fromQ(txtTelnetPort->text()));
}

void PacketSpotfrm::StartAGW() { agw_->StartAGW(session_.profile.StationCall, window::LiveWindowFacade::Caption); }

void PacketSpotfrm::Command2_Click() {
    if (!listening()) return;
    Label4->hide();
    append("\r\n\r\n** Port Closed **");
    tnc_->close();
    telnet_->close();
    if (SourceKind(spotSource_) == SpotSourceKind::Agw) agw_->close();
    timer1_->stop();
}

void PacketSpotfrm::cmdDone_Click() {
    if (SourceKind(spotSource_) != SpotSourceKind::None && !listening()) Command1_Click();
    session_.Form1.SavePref();
    SavePackSpot(session_, settings());
    // Written out with its defaults when missing, so the operator finds where to change them.
    SaveAgwEngine(session_, LoadAgwEngine(session_));
    LayOutSpotPanel();
    hide();
}

void PacketSpotfrm::LayOutSpotPanel() {
    QListWidgetItem* item = List1->currentItem();
    const std::string source = item && item->isSelected() ? fromQ(item->text()) : std::string("None");
    session_.Form1.PacketResize(source, OptList->isChecked());
}

void PacketSpotfrm::Command3_Click() {
    const auto& log = session_.log;
    const std::string call = log.ContactCount() >= 1 ? log.at(log.ContactCount()).Call : std::string();
    const SpotLastText s = SpotLast(call);
    txtSent->setText(toQ(s.text));
    txtSent->setFocus();
    txtSent->setSelection(s.selectStart, s.selectLength);
}

void PacketSpotfrm::Form_Unload() {
    agw_->Unload(SourceKind(spotSource_) == SpotSourceKind::Agw);
    timer1_->stop();
}

// ---- what the feeds ask of the window

void PacketSpotfrm::stopListening() { Label4->hide(); }
void PacketSpotfrm::startTick() { timer1_->start(kFeedTickMs); }
void PacketSpotfrm::stopTick() { timer1_->stop(); }
bool PacketSpotfrm::dxOnly() const { return chkDX->isChecked(); }
void PacketSpotfrm::setCaption(const std::string& caption) { setWindowTitle(toQ(caption)); }

void PacketSpotfrm::comeIntoView() {
    if (!isVisible()) show();
}

// ---- registration

void RegisterPacketSpotfrm() {
    window::ui::ToolWindows::instance().registerFactory(window::ToolWindow::PacketSpotfrm,
                                                        [](Session& s, QWidget* parent) -> QWidget* {
                                                            auto* w = new PacketSpotfrm(s, parent);
                                                            w->Form_Load();
                                                            return w;
                                                        });
}

}  // namespace spots::ui
