#include "spots/ui/PacketSpotfrm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "spots/AgwTraffic.h"
#include "spots/SpotSetupRules.h"
#include "spots/TelnetErrors.h"
#include "station/ui/FormResize.h"
#include "window/ui/ToolWindows.h"

namespace spots::ui {

using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::placeTwips;

namespace {
constexpr int kTickMs = 333;
const char* const kCaption = " DX Spotting Setup";

const std::array<const char*, 6> kBaudValues = {"1200", "2400", "4800", "9600", "14400", "19200"};
const std::array<const char*, 6> kBaudCaptions = {"1.2k", "2.4k", "4.8k", "9.6k", "14.4k", "19.2k"};
const std::array<int, 6> kBaudLefts = {120, 1200, 2280, 3360, 4320, 5400};
const std::array<const char*, 3> kParityValues = {"O", "N", "E"};
const std::array<const char*, 2> kDataValues = {"7", "8"};
const std::array<const char*, 2> kStopValues = {"1", "2"};
const std::array<const char*, 3> kPowerValues = {"N", "R", "D"};

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
std::string trimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}
std::string trim(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// Chooses the button at `index` of a group, or none of them (index -1).
template <size_t N>
void choose(const std::array<QRadioButton*, N>& buttons, int index) {
    for (QRadioButton* b : buttons) b->setAutoExclusive(false);
    for (size_t i = 0; i < N; ++i) buttons[i]->setChecked(static_cast<int>(i) == index);
    for (QRadioButton* b : buttons) b->setAutoExclusive(true);
}
template <size_t N>
int chosen(const std::array<QRadioButton*, N>& buttons) {
    for (size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked()) return static_cast<int>(i);
    return -1;
}
// The index of the value a text names (letter case ignored); -1 for none.
template <size_t N>
int indexOf(const std::array<const char*, N>& values, const std::string& text) {
    for (size_t i = 0; i < N; ++i)
        if (upper(text) == upper(values[i])) return static_cast<int>(i);
    return -1;
}

template <typename W>
W* make(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QGroupBox* frame(QWidget* parent, const char* name, const char* caption, int l, int t, int w, int h) {
    auto* f = make<QGroupBox>(parent, name);
    f->setTitle(toQ(caption));
    placeTwips(f, l, t, w, h);
    return f;
}

QRadioButton* option(QWidget* parent, const std::string& name, const char* caption, int left, int width) {
    auto* b = new QRadioButton(toQ(caption), parent);
    b->setObjectName(toQ(name));
    placeTwips(b, left, 200, width, 255);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int l, int t, int w, int h,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* lb = make<QLabel>(parent, name);
    lb->setText(toQ(caption));
    lb->setAlignment(align);
    placeTwips(lb, l, t, w, h);
    return lb;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int l, int t, int w, int h) {
    auto* b = make<QPushButton>(parent, name);
    b->setText(toQ(caption));
    b->setAutoDefault(false);
    placeTwips(b, l, t, w, h);
    return b;
}

QLineEdit* textBox(QWidget* parent, const char* name, int l, int t, int w, int h, int maxLength = 0) {
    auto* e = make<QLineEdit>(parent, name);
    if (maxLength > 0) e->setMaxLength(maxLength);
    placeTwips(e, l, t, w, h);
    return e;
}

// The receive display keeps CR LF line ends; the text box shows each line end as one break.
QString displayed(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return toQ(out);
}
}  // namespace

PacketSpotfrm::PacketSpotfrm(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("PacketSpotfrm"));
    // No close box and no minimise or maximise buttons: Done is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    setWindowTitle(toQ(kCaption));
    buildControls();

    timer1_ = session_.platform.scheduler.createTimer();
    timer1_->setHandler([this] { Timer1_Timer(); });
    comComm1_ = session_.platform.serial.create();
    comComm1_->setLostHandler([this] { tncLost(); });
    winsock1_ = session_.platform.tcp.create();
    winsock1_->setHandlers({nullptr, [this] { Winsock1_DataArrival(); }, [this] { telnetClosedByServer(); },
                            [this](platform::TcpError error, const std::string&) {
                                Winsock1_Error(TelnetErrorNumber(error));
                            }});
    agw_ = std::make_unique<AgwLink>(session_.platform.tcp, session_.platform.scheduler);
    AgwLink::Events events;
    events.started = [this] {
        timer1_->start(kTickMs);
        append("\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n");
    };
    events.startFailed = [this](const std::string& why) { agwStartFailed(why); };
    events.lost = [this](const std::string& why) {
        append("\r\n** " + why + " **\r\n");
        Command2_Click();
        session_.platform.dialogs.beep();
    };
    events.notice = [this](const std::string& text) { append(text + "\r\n"); };
    agw_->setEvents(std::move(events));
}

PacketSpotfrm::~PacketSpotfrm() { Form_Unload(); }

void PacketSpotfrm::buildControls() {
    placeTwips(this, 0, 0, 9420, 5955);
    // The design font: 8.25 pt of a narrow sans face, as the captions were measured for one.
    QFont design = font();
    design.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                        QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    design.setPointSizeF(8.25);
    setFont(design);

    // Its text stands at the top of the label, above the list that overlaps the label's lower part.
    Label1 = label(this, "Label1", "Select Option:", 240, 90, 1935, 375, Qt::AlignLeft | Qt::AlignTop);
    QFont f1 = Label1->font();
    f1.setBold(true);
    f1.setItalic(true);
    f1.setPointSizeF(9.75);
    Label1->setFont(f1);

    List1 = make<QListWidget>(this, "List1");
    placeTwips(List1, 120, 360, 1815, 1230);
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });

    // The caption wraps onto two lines, as it did beside the box; a click on it sets the box.
    chkDX = make<QCheckBox>(this, "chkDX");
    chkDX->setAccessibleName(QStringLiteral("List DX Only (also controls main form)"));
    placeTwips(chkDX, 240, 1680, 255, 495);
    chkDXCaption_ = label(this, "chkDXCaption", "List DX Only (also controls main form)", 480, 1680, 1575, 495);
    chkDXCaption_->setWordWrap(true);
    connect(chkDX, &QCheckBox::toggled, this, [this](bool on) { session_.spotReceiver.listDxOnly = on; });

    fraPort = frame(this, "fraPort", "Comm Port", 2160, 120, 6375, 495);
    for (int i = 0; i < 10; ++i)
        optComm[static_cast<size_t>(i)] =
            option(fraPort, "optComm" + std::to_string(i), std::to_string(i + 1).c_str(), 120 + 600 * i, 560);
    fraBaud = frame(this, "fraBaud", "Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)", 2160, 660,
                    6375, 495);
    for (size_t i = 0; i < optBaud.size(); ++i)
        optBaud[i] = option(fraBaud, std::string("optBaud") + kBaudValues[i], kBaudCaptions[i], kBaudLefts[i], 900);
    fraParity = frame(this, "fraParity", "Parity", 2160, 1200, 3495, 495);
    optParity = {option(fraParity, "optParityOdd", "Odd", 120, 1100), option(fraParity, "optParityNone", "None", 1320, 1100),
                 option(fraParity, "optParityEven", "Even", 2520, 900)};
    fraData = frame(this, "fraData", "Data Bits", 5760, 1200, 1455, 495);
    optData = {option(fraData, "optData7", "7", 120, 560), option(fraData, "optData8", "8", 720, 560)};
    fraStop = frame(this, "fraStop", "Stop Bits", 7320, 1200, 1215, 495);
    optStop = {option(fraStop, "optStop1", "1", 120, 460), option(fraStop, "optStop2", "2", 600, 460)};
    fraPower = frame(this, "fraPower", "Connection Power", 2160, 1740, 2415, 495);
    optPower = {option(fraPower, "optPowerNone", "None", 120, 760), option(fraPower, "optPowerRTS", "RTS", 880, 700),
                option(fraPower, "optPowerDTR", "DTR", 1600, 760)};
    Frame1 = frame(this, "Frame1", "Handshaking", 4680, 1740, 3855, 495);
    optHandshake = {option(Frame1, "Option1", "None", 120, 760), option(Frame1, "Option2", "Xon Xoff", 880, 1000),
                    option(Frame1, "Option3", "RTS", 1890, 700), option(Frame1, "Option4", "RTS OnOff", 2600, 1200)};
    // The design choices.
    choose(optComm, 0);
    choose(optBaud, 5);
    choose(optParity, 1);
    choose(optData, 1);
    choose(optStop, 0);
    choose(optPower, 0);
    choose(optHandshake, 0);
    auto serialButtons = [this](auto& group) {
        for (QRadioButton* b : group) connect(b, &QRadioButton::clicked, this, [this] { serialOptionClicked(); });
    };
    serialButtons(optComm);
    serialButtons(optBaud);
    serialButtons(optParity);
    serialButtons(optData);
    serialButtons(optStop);
    serialButtons(optPower);
    serialButtons(optHandshake);

    cmdDone = button(this, "cmdDone", "&Done", 8640, 120, 735, 500);
    QFont bold = cmdDone->font();
    bold.setBold(true);
    cmdDone->setFont(bold);
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    // The narrow buttons carry their captions on two lines.
    Command1 = button(this, "Command1", "Open\nPort", 8680, 720, 660, 495);
    Command1->setAccessibleName(QStringLiteral("Open Port"));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Command2 = button(this, "Command2", "Close\nPort", 8680, 1320, 660, 495);
    Command2->setAccessibleName(QStringLiteral("Close Port"));
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Label4 = label(this, "Label4", "Listening", 8640, 1920, 735, 300, Qt::AlignCenter);
    Label4->setAutoFillBackground(true);
    QPalette lp = Label4->palette();
    lp.setColor(QPalette::Window, QColor(0, 0, 255));
    lp.setColor(QPalette::WindowText, Qt::white);
    Label4->setPalette(lp);
    Label4->hide();

    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    Label2 = label(this, "Label2", "TNC cmd mode hex character:", 0, 2400, 2415, 225, right);
    txtHex = textBox(this, "txtHex", 2520, 2400, 375, 315, 2);
    Label7 = label(this, "Label7", "Telnet Host:", 3120, 2400, 975, 240, right);
    txtTelnetHost = textBox(this, "txtTelnetHost", 4200, 2400, 1215, 315);
    Label3 = label(this, "Label3", "Telnet Port:", 5520, 2400, 1095, 255, right);
    // Wide enough for five digits.
    txtTelnetPort = textBox(this, "txtTelnetPort", 6720, 2400, 600, 315, 5);

    Frame2 = frame(this, "Frame2", "Main Form Display", 7440, 2260, 1935, 495);
    OptList = option(Frame2, "OptList", "List", 120, 600);
    OptBand = option(Frame2, "OptBand", "Band Map", 720, 1150);
    OptBand->setChecked(true);

    Line1 = make<QFrame>(this, "Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    placeTwips(Line1, 120, 2775, 9120, 30);

    txtUnProcessed = make<QPlainTextEdit>(this, "txtUnProcessed");
    txtUnProcessed->setReadOnly(true);
    txtUnProcessed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtUnProcessed->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    mono.setPointSizeF(9);
    txtUnProcessed->setFont(mono);
    QPalette dp = txtUnProcessed->palette();
    dp.setColor(QPalette::Base, QColor(0, 0, 0x80));
    dp.setColor(QPalette::Text, Qt::white);
    txtUnProcessed->setPalette(dp);
    placeTwips(txtUnProcessed, 120, 2880, 9135, 2535);

    // Shown but never enabled; its state is only kept in the settings file. It stands on the
    // display with a background of its own, so a line of text behind it does not run through
    // its caption.
    chkConvToHex = make<QCheckBox>(this, "chkConvToHex");
    chkConvToHex->setText(QStringLiteral("Convert to Hex"));
    chkConvToHex->setAutoFillBackground(true);
    placeTwips(chkConvToHex, 7080, 4200, 1575, 375);

    Label6 = label(this, "Label6", "Send text  (Ctrl  C or Esc for TNC Command mode):", 0, 5595, 3975, 375, right);
    txtSent = textBox(this, "txtSent", 4080, 5520, 4575, 315);
    QFont sent = txtSent->font();
    sent.setBold(true);
    sent.setPointSizeF(9);
    txtSent->setFont(sent);
    connect(txtSent, &QLineEdit::textChanged, this, [this] { txtSent_Change(); });

    Command3 = button(this, "Command3", "&Spot Last", 8760, 5440, 615, 495);
    QFont small = Command3->font();
    small.setPointSizeF(6.75);
    Command3->setFont(small);
    Command3->setFocusPolicy(Qt::ClickFocus);
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    // The send box comes first in the tab order.
    setTabOrder(txtSent, List1);
    // The window sees every key before its controls.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

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
        if (upper(fromQ(List1->item(i)->text())) != upper(spotSource_)) continue;
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

void PacketSpotfrm::Command1_Click() {
    // Every opening (and so every new source and connection) starts with nothing half received
    // and nothing remembered for the repeat filter: the display below starts anew as well.
    session_.spotReceiver.Reset();
    setDisplay("** Attempting to Open Port **\r\n\r\n");
    if (comComm1_->isOpen()) comComm1_->close();
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

void PacketSpotfrm::Command2_Click() {
    if (!listening()) return;
    Label4->hide();
    append("\r\n\r\n** Port Closed **");
    if (comComm1_->isOpen()) comComm1_->close();
    winsock1_->close();
    if (SourceKind(spotSource_) == SpotSourceKind::Agw) {
        if (!connectedStation_.empty()) {
            agw_->PutData(connectedStation_, "", 'd');
            setWindowTitle(QStringLiteral("DX Spotting Setup"));
            connectedStation_.clear();
        }
        agw_->Close();
    }
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
    if (!connectedStation_.empty()) agw_->PutData(connectedStation_, "", 'd');
    if (SourceKind(spotSource_) == SpotSourceKind::Agw) agw_->Close();
    timer1_->stop();
}

void PacketSpotfrm::closeEvent(QCloseEvent* e) {
    // The window manager's close (there is no close box in the design, but a manager may draw
    // one, and a key can ask for it) does what Done does: the settings are stored, the spot panel
    // laid out and the source kept running; the program's own unload closes it.
    if (e->spontaneous()) {
        e->ignore();
        if (isVisible()) cmdDone_Click();
        return;
    }
    QDialog::closeEvent(e);
}

// ---- keys

bool PacketSpotfrm::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrlOnly = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (key != Qt::Key_Escape && !(key == Qt::Key_C && ctrlOnly)) return false;
    chkDX->setChecked(false);
    if (!listening()) Command1_Click();
    bool used = false;
    if (comComm1_->isOpen() && SourceKind(spotSource_) == SpotSourceKind::Tnc) {
        if (const auto ch = TncCommandCharacter(fromQ(txtHex->text()))) {
            comComm1_->write(std::string(1, *ch));
            used = true;
            txtSent->setFocus();
        }
    }
    if (txtSent->text().isEmpty()) txtSent->setFocus();
    return used;
}

bool PacketSpotfrm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == chkDXCaption_ && e->type() == QEvent::MouseButtonRelease && chkDX->isEnabled()) {
        chkDX->click();
        return true;
    }
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, e);
    // Each key once: a key a control leaves unused travels on to the window as the same event.
    if (watched == this && e == lastKey_) return QDialog::eventFilter(watched, e);
    lastKey_ = watched == this ? nullptr : e;
    auto* k = static_cast<QKeyEvent*>(e);
    const int key = k->key();
    const bool used = Form_KeyDown(key, k->modifiers());
    if (key == Qt::Key_Escape) {
        // The send box turns Esc into ":" for the packet engine and drops it otherwise; a dialog
        // would close on it.
        if (watched == txtSent && SourceKind(spotSource_) == SpotSourceKind::Agw) txtSent->insert(QStringLiteral(":"));
        return true;
    }
    if (used) return true;
    if (watched == txtSent && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        SendLine();
        return true;
    }
    // Enter elsewhere must not act as a dialog's default button.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return watched == this;
    return QDialog::eventFilter(watched, e);
}

bool PacketSpotfrm::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && SourceKind(spotSource_) != SpotSourceKind::None) {
        showDisplay();
        if (txtSent->isEnabled() && txtSent->isVisible()) txtSent->setFocus();
    }
    return QDialog::event(e);
}

// ---- the send box

void PacketSpotfrm::SendLine() {
    if (!listening()) Command1_Click();
    const std::string text = fromQ(txtSent->text());
    switch (SourceKind(spotSource_)) {
        case SpotSourceKind::Tnc:
            if (comComm1_->isOpen()) comComm1_->write(text + "\r");
            break;
        case SpotSourceKind::Telnet: SendTelnet(text); break;
        case SpotSourceKind::Agw:
            if (timer1_->isActive()) SendAGW(text);
            break;
        case SpotSourceKind::None: break;
    }
    txtSent->clear();
}

void PacketSpotfrm::txtSent_Change() {
    if (sendingAgw_ || SourceKind(spotSource_) != SpotSourceKind::Agw || !timer1_->isActive()) return;
    std::string text = fromQ(txtSent->text());
    if (text.size() <= 70 || text.back() != ' ') return;
    text.pop_back();
    sendingAgw_ = true;
    txtSent->setText(toQ(text));
    SendAGW(text);
    txtSent->clear();
    sendingAgw_ = false;
}

// ---- the receive display

void PacketSpotfrm::showDisplay() {
    // A line not yet ended (a cluster's "login: " prompt, a TNC's "cmd:") is shown after the
    // display's text until its end arrives and the receiver hands the whole line over.
    const std::string& partial = session_.spotReceiver.buffer().partial();
    const bool showPartial = listening() && !chkDX->isChecked() && !partial.empty();
    txtUnProcessed->setPlainText(displayed(showPartial ? display_ + partial : display_));
    txtUnProcessed->moveCursor(QTextCursor::End);
    txtUnProcessed->verticalScrollBar()->setValue(txtUnProcessed->verticalScrollBar()->maximum());
}

void PacketSpotfrm::setDisplay(const std::string& text) {
    display_ = text;
    showDisplay();
}

void PacketSpotfrm::append(const std::string& text) {
    display_ += text;
    session_.spotReceiver.NoteShown(text);
    TrimDisplay(display_);
    showDisplay();
}

void PacketSpotfrm::appendReceived(const std::string& text) {
    const ReceiveResult r = session_.spotReceiver.Receive(text);
    display_ += r.shown;
    TrimDisplay(display_);
    showDisplay();
}

void PacketSpotfrm::Timer1_Timer() {
    switch (SourceKind(spotSource_)) {
        case SpotSourceKind::Tnc: PollTNC(); break;
        case SpotSourceKind::Agw: PollAGW(); break;
        default: break;
    }
    if (session_.spotReceiver.Tick() && session_.Form1.lblDXVisible) session_.Form1.DisplayBandMapLabels();
}

// ---- the TNC on a serial port

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
    if (SourceKind(spotSource_) == SpotSourceKind::Tnc) OpenTNCPort();
}

void PacketSpotfrm::OpenTNCPort() {
    if (comComm1_->isOpen()) comComm1_->close();
    const auto serial =
        platform::parseSerialSettings(TncSettingsText(tncBaud_, tncParity_, tncDataBits_, tncStopBits_));
    const auto plan = TncHandshakeFor(tncHandshake_);
    if (!serial || !comComm1_->open(tncPort_, *serial, plan ? plan->handshake : platform::Handshake::None)) {
        tncFailed();
        return;
    }
    if (plan && plan->rtsEnabled) comComm1_->setRts(true);
    const std::string power = upper(tncPower_);
    if (power == "R") comComm1_->setRts(true);
    if (power == "D") comComm1_->setDtr(true);
    timer1_->start(kTickMs);
    append("** TNC Serial Port Open **\r\n\r\n");
}

void PacketSpotfrm::tncFailed() {
    session_.platform.dialogs.beep();
    std::string why = comComm1_->errorText();
    append("** Unable to open TNC Serial Port **\r\n\r\n" + (why.empty() ? std::string() : why + "\r\n\r\n"));
    session_.platform.dialogs.messageBox(
        "The comm port that you selected for DX Spotting is either in use, invalid or the settings that you have "
        "selected are invalid.  Please select another combination or choose None for your DX Spot selection.",
        platform::MsgButtons::OK, platform::MsgIcon::None, "Invalid Comm Settings.");
    // Opened by the load while hidden: the window comes into view so the settings can be changed.
    if (!isVisible()) show();
    Command2_Click();
    timer1_->stop();
}

void PacketSpotfrm::tncLost() {
    // The source closes as Close Port closes it, and the display says why; Open Port opens the
    // device again once it is back.
    append("\r\n** TNC Serial Port lost: " + comComm1_->errorText() + " **\r\n");
    Command2_Click();
    timer1_->stop();
    session_.platform.dialogs.beep();
}

void PacketSpotfrm::PollTNC() {
    if (!comComm1_->isOpen()) return;
    const std::string text = comComm1_->readAll();
    if (!text.empty()) appendReceived(text);
}

// ---- the telnet DX cluster

void PacketSpotfrm::ConnectTelnet() {
    winsock1_->close();
    telnetFilter_.Reset();
    const std::string portText = fromQ(txtTelnetPort->text());
    const auto port = TelnetPortNumber(portText);
    if (!port) {
        // Nothing can be opened: say why and end "Listening".
        append(TelnetBadPortNote(portText));
        Command2_Click();
        return;
    }
    winsock1_->connectToHost(fromQ(txtTelnetHost->text()), *port);
    setDisplay("Attempting connection to: " + winsock1_->remoteHost() + ":" + std::to_string(winsock1_->remotePort()) +
               "\r\n\r\n");
    timer1_->start(kTickMs);
}

void PacketSpotfrm::SendTelnet(const std::string& text) {
    if (winsock1_->state() == platform::TcpState::Connected) {
        winsock1_->send(text + "\r\n");
        return;
    }
    append("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n");
}

void PacketSpotfrm::Winsock1_DataArrival() {
    // Every chunk goes through the line splitter: a chunk may hold several spots or half of one.
    // The telnet protocol's own bytes (option negotiation) are no text of the cluster's.
    const std::string chunk = telnetFilter_.Strip(winsock1_->readAll());
    if (!chunk.empty()) appendReceived(chunk);
}

void PacketSpotfrm::Winsock1_Error(int number) {
    const std::string text = TelnetErrorText(number);
    winsock1_->close();
    append(text);
    Command2_Click();
    session_.platform.dialogs.beep();
}

void PacketSpotfrm::telnetClosedByServer() {
    Winsock1_DataArrival();
    append(std::string("\r\n") + kTelnetClosedByServer);
    Command2_Click();
    session_.platform.dialogs.beep();
}

// ---- the AGW packet engine

void PacketSpotfrm::StartAGW() {
    const std::string call = trim(session_.profile.StationCall);
    if (call.empty()) {
        session_.platform.dialogs.beep();
        session_.platform.dialogs.messageBox("Please enter your call sign on the setup form to transmit!",
                                             platform::MsgButtons::OK, platform::MsgIcon::None, "Call Sign Required!");
        // The engine is not contacted: "Listening" ends and the display says why.
        append("** No call sign in the station setup: the AGW Packet Engine was not contacted **\r\n");
        Command2_Click();
        return;
    }
    const std::string title = trim(std::string(window::LiveWindowFacade::Caption).substr(0, 50));
    agw_->Close();
    agw_->StartPoll(LoadAgwEngine(session_), call, title);
}

void PacketSpotfrm::agwStartFailed(const std::string& why) {
    session_.platform.dialogs.messageBox(AgwFailMessage(), platform::MsgButtons::OK, platform::MsgIcon::None,
                                         kAgwFailTitle);
    Label4->hide();
    append(AgwFailInstructions() + "** " + why + " **\r\n\r\n");
    if (!isVisible()) show();
    Command2_Click();
    timer1_->stop();
}

void PacketSpotfrm::PollAGW() {
    // Every frame that has arrived is handled, not one a tick.
    while (auto frame = agw_->GetData()) {
        const AgwFrameOutcome out = DecideAgwFrame({*frame, connectedStation_, chkDX->isChecked()});
        if (out.toReceiver) appendReceived(*out.toReceiver);
        if (out.show) append(*out.show);
        for (int i = 0; i < out.beeps; ++i) session_.platform.dialogs.beep();
        if (!out.notice.empty()) append(out.notice);
        if (out.caption) setWindowTitle(toQ(*out.caption));
        if (out.connectedStation) connectedStation_ = *out.connectedStation;
    }
}

void PacketSpotfrm::SendAGW(const std::string& text) {
    const AgwSendPlan plan = PlanAgwSend(text, connectedStation_);
    if (plan.message)
        session_.platform.dialogs.messageBox(plan.message->first, platform::MsgButtons::OK, platform::MsgIcon::None,
                                             plan.message->second);
    for (const auto& f : plan.frames) agw_->PutData(f.toCall, f.data, f.kind);
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
