#include "rig/ui/RigControlfrm.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "logging/Text.h"
#include "platform/qt/Text.h"
#include "rig/RigControl.h"
#include "rig/RigTypeTable.h"
#include "rig/ui/frmFrequencyTest.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using logging::SameText;
using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::Pixels;
using station::ui::place;

namespace {
// The client area on the 9600 x 7200 twip reference, in design pixels of 15 twips.
constexpr int kDesignWidth = 624, kDesignHeight = 440;
constexpr const char* kNoResponse = "No Response";
constexpr const char* kCaption = " Rig Interface Setup";

QRadioButton* option(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    return station::ui::Option(parent, name, QString::fromLatin1(caption), Pixels(x, y, w, 20));
}

QGroupBox* frame(QWidget* parent, const char* name, const char* title, int x, int y, int w, int h) {
    return station::ui::Frame(parent, name, QString::fromLatin1(title), Pixels(x, y, w, h));
}

QLabel* label(QWidget* parent, const char* text, int x, int y, int w, int h = 18) {
    return station::ui::Label(parent, QString::fromLatin1(text), Pixels(x, y, w, h));
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    // Enter in a read string must not start a test.
    return station::ui::Button(parent, name, QString::fromLatin1(caption), Pixels(x, y, w, 24));
}

// A reading of the radio: red on black, as the radio's own display.
QLabel* reading(QWidget* parent, const char* name, int x, int y, int w) {
    auto* l = station::ui::Label(parent, {}, Pixels(x, y, w, 22), name);
    l->setTextFormat(Qt::PlainText);
    l->setStyleSheet(QStringLiteral("QLabel { color: #FF0000; background: #000000; padding-left: 2px; }"));
    return l;
}

QLabel* note(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
    return station::ui::WrappedLabel(parent, QString::fromLatin1(text), Pixels(x, y, w, h), name);
}
}  // namespace

std::optional<std::string> RigControlfrm::Group::selected() const {
    for (const auto& [b, value] : buttons)
        if (b->isChecked()) return value;
    return std::nullopt;
}

void RigControlfrm::Group::select(const std::string& value) {
    // With the buttons exclusive, the last one could not be cleared when no button matches.
    for (const auto& [b, v] : buttons) b->setAutoExclusive(false);
    for (const auto& [b, v] : buttons) b->setChecked(v == value);
    for (const auto& [b, v] : buttons) b->setAutoExclusive(true);
}

RigControlfrm::RigControlfrm(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("RigControlfrm"));
    setWindowTitle(QString::fromLatin1(kCaption));
    station::ui::FixedDialogWithCloseBox(*this);
    buildControls();

    QPointer<RigControlfrm> self(this);
    auto& events = session_.rig.events;
    events.shown = [self](const rig::RigDisplay& d) {
        if (self) self->showReading(d.frequencyText ? &*d.frequencyText : nullptr, d.mode, d.reply);
    };
    events.pollingChanged = [self](bool polling) {
        if (self) self->pollingChanged(polling);
    };
    events.portFailed = [self] {
        if (self) self->portFailed();
    };
    events.portLost = [self](const std::string& why) {
        if (self) self->portLost(why);
    };
    Form_Load();
}

RigControlfrm::~RigControlfrm() = default;

void RigControlfrm::buildControls() {
    station::ui::SetDesignFont(this);
    place(this, 0, 0, kDesignWidth, kDesignHeight);

    label(this, "Select Rig:", 8, 4, 150);
    List1 = station::ui::Control<QListWidget>(this, "List1", Pixels(8, 22, 150, 316));

    fraBaud = frame(this, "fraBaud", "Baud Rate (k):", 168, 2, 148, 88);
    optBaud12 = option(fraBaud, "optBaud12", "1.2", 8, 18, 44);
    optBaud24 = option(fraBaud, "optBaud24", "2.4", 52, 18, 44);
    optBaud48 = option(fraBaud, "optBaud48", "4.8", 96, 18, 44);
    optBaud96 = option(fraBaud, "optBaud96", "9.6", 8, 40, 44);
    optBaud144 = option(fraBaud, "optBaud144", "14.4", 52, 40, 44);
    optBaud192 = option(fraBaud, "optBaud192", "19.2", 96, 40, 44);
    optBaud288 = option(fraBaud, "optBaud288", "28.8", 8, 62, 44);
    optBaud384 = option(fraBaud, "optBaud384", "38.4", 52, 62, 44);
    optBaud560 = option(fraBaud, "optBaud560", "56", 96, 62, 44);
    speed_.buttons = {{optBaud12, "1200"},   {optBaud24, "2400"},   {optBaud48, "4800"},
                      {optBaud96, "9600"},   {optBaud144, "14400"}, {optBaud192, "19200"},
                      {optBaud288, "28800"}, {optBaud384, "38400"}, {optBaud560, "56000"}};

    fraParity = frame(this, "fraParity", "Parity:", 320, 2, 62, 88);
    optParityNone = option(fraParity, "optParityNone", "None", 6, 18, 54);
    optParityOdd = option(fraParity, "optParityOdd", "Odd", 6, 40, 54);
    optParityEven = option(fraParity, "optParityEven", "Even", 6, 62, 54);
    parity_.buttons = {{optParityOdd, "O"}, {optParityNone, "N"}, {optParityEven, "E"}};

    fraData = frame(this, "fraData", "Data Bits:", 386, 2, 62, 88);
    optData7 = option(fraData, "optData7", "7", 6, 18, 48);
    optData8 = option(fraData, "optData8", "8", 6, 40, 48);
    data_.buttons = {{optData7, "7"}, {optData8, "8"}};

    fraStop = frame(this, "fraStop", "Stop Bits:", 452, 2, 62, 88);
    optStop1 = option(fraStop, "optStop1", "1", 6, 18, 48);
    optStop2 = option(fraStop, "optStop2", "2", 6, 40, 48);
    stop_.buttons = {{optStop1, "1"}, {optStop2, "2"}};

    Frame1 = frame(this, "Frame1", "Mode by:", 518, 2, 98, 88);
    OptRig = option(Frame1, "OptRig", "Rig", 6, 18, 88);
    OptFreq = option(Frame1, "OptFreq", "Frequency", 6, 40, 88);
    OptDont = option(Frame1, "OptDont", "Don't Use", 6, 62, 88);

    fraPort = frame(this, "fraPort", "Comm Port:", 168, 94, 170, 68);
    for (int i = 0; i < 10; ++i) {
        const std::string name = "optComm" + std::to_string(i);
        optComm[static_cast<size_t>(i)] =
            option(fraPort, name.c_str(), std::to_string(i + 1).c_str(), 6 + 32 * (i % 5), 18 + 22 * (i / 5), 32);
        port_.buttons.push_back({optComm[static_cast<size_t>(i)], std::to_string(i + 1)});
    }

    fraPower = frame(this, "fraPower", "Connection Power:", 344, 94, 112, 68);
    optPowerNone = option(fraPower, "optPowerNone", "None", 6, 18, 52);
    optPowerRTS = option(fraPower, "optPowerRTS", "RTS", 60, 18, 48);
    optPowerDTR = option(fraPower, "optPowerDTR", "DTR", 6, 40, 52);
    power_.buttons = {{optPowerNone, "N"}, {optPowerRTS, "R"}, {optPowerDTR, "D"}};

    fraPoll = frame(this, "fraPoll", "Radio Polling Rate:", 462, 94, 154, 68);
    optPollFast = option(fraPoll, "optPollFast", "100 ms", 6, 18, 72);
    optPollMed = option(fraPoll, "optPollMed", "500 ms", 80, 18, 70);
    optPollSlow = option(fraPoll, "optPollSlow", "2 Sec", 6, 40, 72);
    optReallySlow = option(fraPoll, "optReallySlow", "10 Sec", 80, 40, 70);
    poll_.buttons = {{optPollFast, "F"}, {optPollMed, "M"}, {optPollSlow, "S"}, {optReallySlow, "R"}};

    chkFrequency = station::ui::Control<QCheckBox>(this, "chkFrequency", Pixels(168, 166, 116, 20));
    chkFrequency->setText(QStringLiteral("Use Frequency"));
    chkConvToHex = station::ui::Control<QCheckBox>(this, "chkConvToHex", Pixels(290, 166, 122, 20));
    chkConvToHex->setText(QStringLiteral("Convert to Hex"));
    ChkConvHex = station::ui::Control<QCheckBox>(this, "ChkConvHex", Pixels(418, 166, 140, 20));
    ChkConvHex->setText(QStringLiteral("Convert from Hex"));

    label(this, "String to read frequency:", 168, 192, 136);
    txtFreq = station::ui::Control<QLineEdit>(this, "txtFreq", Pixels(306, 190, 176, 22));
    label(this, "String to read mode:", 168, 218, 136);
    txtMode = station::ui::Control<QLineEdit>(this, "txtMode", Pixels(306, 216, 176, 22));

    Command1 = button(this, "Command1", "Test", 490, 189, 60);
    Command2 = button(this, "Command2", "End Test", 556, 189, 60);
    cmdDone = button(this, "cmdDone", "&Done", 490, 215, 126);

    label(this, "Frequency:", 168, 246, 58);
    lblFreq = reading(this, "lblFreq", 228, 244, 88);
    label(this, "Mode:", 322, 246, 34);
    lblMode = reading(this, "lblMode", 356, 244, 80);
    Label9 = station::ui::Label(this, QStringLiteral("Should be PH or CW"), Pixels(440, 246, 104, 18), "Label9");
    Label2 = station::ui::Label(this, QStringLiteral("Polling Rig"), Pixels(548, 244, 68, 22), "Label2");
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setStyleSheet(QStringLiteral("QLabel { color: #FFFFFF; background: #0000FF; }"));
    label(this, "Unprocessed data returned:", 168, 272, 140);
    lblUnProcess = reading(this, "lblUnProcess", 310, 270, 306);

    Command3 = button(this, "Command3", "Change Frequency", 168, 298, 132);
    Command4 = button(this, "Command4", "Copy unprocessed data to clipboard", 306, 298, 226);

    Label10 = note(this, "Label10",
                   "Icom radio users will have to replace the 64 in the string with the ID for your particular "
                   "radio.  Please check your Icom user's manual for details.",
                   8, 340, 150, 99);
    Label8 = note(this, "Label8",
                  "Choose your rig and its serial settings, click Test and set the connection power if needed.  "
                  "When frequency and mode show, click Done: the band then follows the radio.",
                  168, 326, 448, 36);
    Label11 = note(this, "Label11",
                   "Rig support is still being tried out.  Choose Other to experiment with your radio's own "
                   "commands in the two strings.",
                   168, 362, 448, 36);
    Label12 = note(this, "Label12",
                   "Right-clicking a DX spot on the band map tunes the radio.  Change Frequency helps you test this "
                   "while the rig is polled.",
                   168, 398, 448, 36);

    // The design state, before any settings are read.
    optBaud560->setChecked(true);
    optParityNone->setChecked(true);
    optData8->setChecked(true);
    optStop1->setChecked(true);
    optComm[0]->setChecked(true);
    optPowerNone->setChecked(true);
    optPollMed->setChecked(true);
    OptRig->setChecked(true);
    chkFrequency->setChecked(true);
    chkConvToHex->setEnabled(false);
    Command2->setEnabled(false);
    Label2->hide();
    Label10->hide();
    setTabOrder(List1, txtFreq);
    setTabOrder(txtFreq, txtMode);
    setTabOrder(txtMode, Command1);

    // Every serial option ends a test: a changed setting takes effect at the next Test or Done.
    for (Group* g : {&speed_, &parity_, &data_, &stop_, &port_, &power_, &poll_}) {
        for (auto& [b, v] : g->buttons) {
            connect(b, &QRadioButton::toggled, this, [this](bool on) {
                if (on) Command2_Click();
            });
        }
    }
    connect(OptRig, &QRadioButton::toggled, this, [this](bool on) { if (on) modeByChosen(rig::ModeBy::Rig); });
    connect(OptFreq, &QRadioButton::toggled, this, [this](bool on) { if (on) modeByChosen(rig::ModeBy::Frequency); });
    connect(OptDont, &QRadioButton::toggled, this, [this](bool on) { if (on) modeByChosen(rig::ModeBy::DontUse); });
    connect(chkFrequency, &QCheckBox::toggled, this,
            [this](bool on) { session_.rig.Settings().UseFrequency = on; });
    connect(chkConvToHex, &QCheckBox::toggled, this, [this] { chkConvToHex_Click(); });
    connect(ChkConvHex, &QCheckBox::toggled, this,
            [this](bool on) { session_.rig.Settings().ConvertFromHex = on; });
    connect(txtFreq, &QLineEdit::textChanged, this,
            [this](const QString& t) { session_.rig.Settings().FreqReadString = fromQ(t); });
    connect(txtMode, &QLineEdit::textChanged, this,
            [this](const QString& t) { session_.rig.Settings().ModeReadString = fromQ(t); });
    // A read string is never edited while it is being sent.
    txtFreq->installEventFilter(this);
    txtMode->installEventFilter(this);
    // A click on the chosen name again applies its row again.
    connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(Command1, &QPushButton::clicked, this, &RigControlfrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RigControlfrm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &RigControlfrm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &RigControlfrm::Command4_Click);
    connect(cmdDone, &QPushButton::clicked, this, &RigControlfrm::cmdDone_Click);
}

void RigControlfrm::Form_Load() {
    // Fitted to the work area; fonts follow the screen's width, at most 1.5 times.
    station::ui::ScaleToWorkArea(*this, session_);
    setFixedSize(size());

    List1->clear();
    for (const auto& row : rig::RigTypeTable()) List1->addItem(toQ(row.name));
    loadingSettings_ = true;
    const rig::LoadSettingsResult loaded = session_.rig.LoadRigSettings();
    showSettings();
    loadingSettings_ = false;
    if (loaded.badPortInFile) {
        session_.platform.dialogs.messageBox("RigCntrl.txt names port " + std::to_string(*loaded.badPortInFile) +
                                                 " for the rig, which is not a port from 1 to 10.  Port 1 is used.",
                                             platform::MsgButtons::OK, platform::MsgIcon::Information, kCaption);
    }
}

void RigControlfrm::showSettings() {
    // A copy: the boxes' handlers write into the settings as they are set.
    const rig::RigSettings s = session_.rig.Settings();
    txtFreq->setText(toQ(s.FreqReadString));
    txtMode->setText(toQ(s.ModeReadString));
    chkConvToHex->setChecked(s.ConvertToHex);
    ChkConvHex->setChecked(s.ConvertFromHex);
    chkFrequency->setChecked(s.UseFrequency);
    switch (s.modeBy) {
        case rig::ModeBy::Rig: OptRig->setChecked(true); break;
        case rig::ModeBy::Frequency: OptFreq->setChecked(true); break;
        case rig::ModeBy::DontUse: OptDont->setChecked(true); break;
    }
    const std::string& type = session_.rig.RigType();
    List1->setCurrentRow(-1);
    for (int i = 0; i < List1->count(); ++i) {
        if (SameText(fromQ(List1->item(i)->text()), type)) List1->setCurrentRow(i);
    }
    chkConvToHex->setEnabled(SameText(type, "Other"));
    // Only "Icom" shows the note at load; "Icom 735" shows it when it is chosen.
    Label10->setVisible(SameText(type, "Icom"));
    port_.select(std::to_string(s.RigPort));
    std::string baud = s.BaudText;
    while (!baud.empty() && baud.back() == ' ') baud.pop_back();
    speed_.select(baud);
    parity_.select(s.ParityLetter);
    data_.select(s.DataBitsText);
    stop_.select(s.StopBitsText);
    power_.select(s.PowerLine);
    poll_.select(s.PollRate);
}

void RigControlfrm::takeOptions(rig::RigSettings& s) const {
    // A group with no selected button keeps its field.
    if (auto v = port_.selected()) s.RigPort = std::stoi(*v);
    if (auto v = speed_.selected()) s.BaudText = *v;
    if (auto v = parity_.selected()) s.ParityLetter = *v;
    if (auto v = data_.selected()) s.DataBitsText = *v;
    if (auto v = stop_.selected()) s.StopBitsText = *v;
    if (auto v = power_.selected()) s.PowerLine = *v;
    if (auto v = poll_.selected()) s.PollRate = *v;
}

void RigControlfrm::List1_Click() {
    if (loadingSettings_) return;
    const int index = List1->currentRow();
    const auto& table = rig::RigTypeTable();
    if (index < 0 || index >= static_cast<int>(table.size())) return;
    const rig::RigTypeRow& row = table[static_cast<size_t>(index)];
    Command2_Click();
    session_.rig.SetRigType(row.name);
    txtFreq->clear();
    txtMode->clear();
    chkConvToHex->setChecked(false);
    chkConvToHex->setEnabled(false);
    Label10->hide();
    if (!row.setsReadStrings) return;
    // The row selects only the serial options it names.
    if (!row.serial.baud.empty()) speed_.select(row.serial.baud);
    if (!row.serial.parity.empty()) parity_.select(row.serial.parity);
    if (!row.serial.data.empty()) data_.select(row.serial.data);
    if (!row.serial.stop.empty()) stop_.select(row.serial.stop);
    txtFreq->setText(toQ(row.freqReadString));
    txtMode->setText(toQ(row.modeReadString));
    chkConvToHex->setChecked(row.convertToHex);
    Label10->setVisible(row.icomNote);
    chkConvToHex->setEnabled(row.enableConvertToHex);
}

void RigControlfrm::Command1_Click() {
    // A test never runs inside another (a message box's loop could deliver a second click).
    if (inTest_) return;
    inTest_ = true;
    const bool none = SameText(session_.rig.RigType(), "None");
    if (!none) {
        lblMode->setText(QString::fromLatin1(kNoResponse));
        lblFreq->setText(QString::fromLatin1(kNoResponse));
        Command2->setEnabled(true);
        Label2->show();
    }
    takeOptions(session_.rig.Settings());
    const rig::TestResult result = session_.rig.Test();
    if (!none && result != rig::TestResult::Polling) {
        Command2->setEnabled(false);
        Label2->hide();
    }
    inTest_ = false;
}

void RigControlfrm::Command2_Click() {
    lblMode->clear();
    lblFreq->clear();
    lblUnProcess->clear();
    session_.rig.EndTest();
    Label2->hide();
    Command2->setEnabled(false);
}

void RigControlfrm::Command3_Click() {
    if (session_.rig.Polling()) {
        frmFrequencyTest window(session_, this);
        window.exec();
        return;
    }
    const char* text =
        "You must be polling your rig to test this function.  Please select your rig type and click the Test "
        "command button.";
    session_.platform.dialogs.messageBox(text, platform::MsgButtons::OK, platform::MsgIcon::Information,
                                         "You must be polling your rig to test this function.");
}

void RigControlfrm::Command4_Click() {
    auto& clipboard = session_.platform.clipboard;
    clipboard.setText("");
    clipboard.setText(fromQ(lblUnProcess->text()));
    cmdDone->setFocus();
}

void RigControlfrm::cmdDone_Click() {
    // Test again, so the port is reopened and polling restarted with the settings as they stand.
    if (!SameText(session_.rig.RigType(), "None")) Command1_Click();
    session_.Form1.SavePref();
    session_.rig.SaveRigSettings();
    hide();
}

void RigControlfrm::chkConvToHex_Click() {
    session_.rig.Settings().ConvertToHex = chkConvToHex->isChecked();
    ChkConvHex->setChecked(chkConvToHex->isChecked());
}

void RigControlfrm::modeByChosen(rig::ModeBy modeBy) {
    session_.rig.Settings().modeBy = modeBy;
    lblMode->setText(QString::fromLatin1(kNoResponse));
    session_.rig.ModeByChanged();
}

void RigControlfrm::showReading(const std::string* frequency, const std::string& mode, const std::string& reply) {
    if (!isVisible()) return;
    if (frequency) lblFreq->setText(toQ(*frequency));
    lblMode->setText(toQ(mode));
    lblUnProcess->setText(toQ(reply));
}

void RigControlfrm::pollingChanged(bool polling) {
    Label2->setVisible(polling);
    Command2->setEnabled(polling);
}

void RigControlfrm::portLost(const std::string& why) {
    // Shown whether or not the dialog is open: it is what the operator finds on Ctrl+R.
    lblFreq->setText(QString::fromLatin1(kNoResponse));
    lblMode->setText(QString::fromLatin1(kNoResponse));
    lblUnProcess->setText(toQ("Port lost: " + why));
}

void RigControlfrm::portFailed() {
    // The operator corrects the settings; Done tests them again.
    if (!isVisible()) exec();
}

bool RigControlfrm::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::FocusIn && (watched == txtFreq || watched == txtMode)) Command2_Click();
    return QDialog::eventFilter(watched, e);
}
