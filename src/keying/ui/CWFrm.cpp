#include "keying/ui/CWFrm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>

#include "keying/CwSettings.h"
#include "keying/Numbers.h"
#include "keying/ui/frmCodePractice.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/KeyField.h"
#include "station/ui/WindowKit.h"
#include "window/ui/ToolWindows.h"

using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::KeyField;
using station::ui::Pixels;

namespace {
// Less than the reference screen, so the window stands over the logging window with the logging
// window showing around it, not in its place.
constexpr int kDesignWidth = 600, kDesignHeight = 448;

constexpr const char* kSetupHelp =
    "Build or buy an interface from your computer's serial or parallel (printer) port to your transmitter, and "
    "select which line to key the transmitter in the Keying Options box.\n"
    "If you are using a serial port, tell the program which com port to use.  The program will only let you leave "
    "this field if a valid com port is selected, or if a value of 0 is entered (indicating that a com port has not "
    "been selected).  If you are using a parallel port, enter the Hex address of the port. &H378 is the default on "
    "most systems for LPT1.\n"
    "Now that the interface is hooked up, and you have either identified the serial com port or entered the LPT1 "
    "address for the printer port, you can test the setup.  Press the test command button to send the text in the "
    "F9 text box.  The program will not generate a side tone so make sure your transceiver is set to produce one.  "
    "Also, make sure you are on a clear frequency because if all goes well, you will be transmitting.\n"
    "Finally, enter the WPM code speed and any adjustments to the standard word spacing (0 is standard, -8 is no "
    "spacing).  You can adjust your speed on the main form by using the Up / Down arrows. Check the check box if you "
    "would like to see the characters you are sending on the main form.  For the most precise timing, do not run "
    "any other programs, virus software etc. while transmitting.";
constexpr const char* kUseHelp =
    "Each text box corresponds to a function key.  Enter the characters you would like to associate with the "
    "function key. From the main logging page, press the appropriate function key each time you wish to send the "
    "string.  A ! in the string enters the contact.\n"
    "Wildcards are $ for Call, * for RST  # for Num and ^ for County (where applicable).\n"
    "Up / Down arrows on main form change speed.\n"
    "You must be in CW mode.";

QLabel* label(QWidget* parent, const char* text, double x, double y, double w, double h = 16) {
    return station::ui::Label(parent, QString::fromLatin1(text), Pixels(x, y, w, h));
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, double x, double y, double w,
                    double h = 24) {
    return station::ui::Button(parent, name, QString::fromLatin1(caption), Pixels(x, y, w, h));
}

QRadioButton* option(QWidget* parent, const char* name, const char* caption, double x, double y, double w) {
    return station::ui::Option(parent, name, QString::fromLatin1(caption), Pixels(x, y, w, 20));
}

KeyField* field(QWidget* parent, const char* name, double x, double y, double w) {
    return station::ui::Control<KeyField>(parent, name, Pixels(x, y, w, 21));
}

// The help texts, in a smaller size of the design font.
QLabel* help(QWidget* parent, const char* text, double x, double y, double w, double h) {
    auto* l = station::ui::WrappedLabel(parent, QString::fromLatin1(text), Pixels(x, y, w, h));
    QFont f = l->font();
    f.setPointSizeF(7);
    l->setFont(f);
    return l;
}

// Letters typed into a message are capitals; the double quote never gets into one (cw.txt
// could not hold it).
void MessageKeys(station::FieldState&, int16_t& key) { station::CapitalNoQuoteKey(key); }
}  // namespace

CWFrm::CWFrm(Session& session, QWidget* parent)
    : DoneDialog({"CWFrm", QStringLiteral("CW String Selections"), station::ui::DesignFace::Narrow,
                  Pixels(0, 0, kDesignWidth, kDesignHeight), Qt::MSWindowsFixedSizeDialogHint},
                 [this] { Command1_Click(); }, parent),
      session_(session) {
    buildControls();
    connectControls();
    session_.keyers.cw.addObserver(this);
    Form_Load();
}

CWFrm::~CWFrm() { session_.keyers.cw.removeObserver(this); }

keying::CwSettings& CWFrm::settings() { return session_.keyers.cw.settings(); }

void CWFrm::buildControls() {
    // The messages, F1 to F11, and the keyboard's F12.
    const char* keys[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11"};
    const int boxes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13};
    for (int i = 0; i < 11; ++i) {
        const double y = 4 + i * 20;
        label(this, keys[i], 8, y + 2, 26);
        const std::string name = "Text" + std::to_string(boxes[i]);
        Text[boxes[i]] = field(this, name.c_str(), 34, y, 206);
    }
    label(this, "F12", 8, 226, 26);
    label(this, "Keyboard", 34, 226, 100);

    Frame1 = station::ui::Frame(this, "Frame1", QStringLiteral("Keying Options"), Pixels(248, 2, 96, 112));
    Option1 = option(Frame1, "Option1", "RTS", 10, 16, 80);
    Option2 = option(Frame1, "Option2", "DTR", 10, 35, 80);
    Option3 = option(Frame1, "Option3", "Printer", 10, 54, 80);
    Option4 = option(Frame1, "Option4", "None", 10, 73, 80);
    Option5 = option(Frame1, "Option5", "WinKey", 10, 92, 80);

    label(this, "Serial", 352, 4, 44);
    Text[10] = field(this, "Text10", 352, 20, 44);
    label(this, "Parallel", 402, 4, 76);
    Text[14] = field(this, "Text14", 402, 20, 76);
    cmdConfWinkey = button(this, "cmdConfWinkey", "Configure Winkey", 352, 44, 126);
    cmdConfWinkey->hide();
    Command4 = button(this, "Command4", "&Test", 352, 68, 58);
    Label23 = label(this, "Sending!", 414, 72, 64);
    Label23->setObjectName(QStringLiteral("Label23"));
    Label23->setStyleSheet(QStringLiteral("QLabel { color: #C00000; font-weight: bold; }"));
    Label23->hide();
    Command7 = button(this, "Command7", "Send Code Practice", 352, 92, 126);

    auto* prosigns = station::ui::Frame(this, {}, QStringLiteral("Prosigns"), Pixels(486, 2, 106, 88));
    const char* signs[][2] = {{"[", "AR"}, {"]", "SK"}, {";", "KN"}, {"\\", "CL"}, {"=", "BT"}};
    for (int i = 0; i < 5; ++i) {
        label(prosigns, signs[i][0], 14, 15 + i * 14, 14, 16);
        label(prosigns, signs[i][1], 36, 15 + i * 14, 30, 16);
    }
    Command1 = button(this, "Command1", "Done", 486, 92, 106);

    Check1 = station::ui::Control<QCheckBox>(this, "Check1", Pixels(248, 118, 344, 18));
    Check1->setText(QStringLiteral("Display CW text on main form (NA for WinKey)."));

    label(this, "WPM", 248, 140, 66);
    Text[11] = field(this, "Text11", 316, 138, 40);
    Command2 = button(this, "Command2", "Faster", 362, 136, 64);
    Command3 = button(this, "Command3", "Slower", 430, 136, 64);
    label(this, "Word Space", 248, 162, 66);
    txtSpace = field(this, "txtSpace", 316, 160, 40);
    Command5 = button(this, "Command5", "Less", 362, 158, 64);
    Command6 = button(this, "Command6", "More", 430, 158, 64);
    label(this, "Loop (Sec)", 248, 184, 66);
    txtCWLoop = field(this, "txtCWLoop", 316, 182, 40);

    auto* timing = label(this, "Timing Options: ", 248, 206, 94);
    timing->setToolTip(QStringLiteral("Timer is the preferred option on most systems. "));
    optTimer = option(this, "optTimer", "Timer", 344, 204, 62);
    optTimer->setToolTip(QStringLiteral("Times by Windows System time."));
    optLoop = option(this, "optLoop", "Loop", 408, 204, 56);
    optLoop->setToolTip(QStringLiteral("Times by a For Next loop."));
    OptSleep = option(this, "OptSleep", "Sleep", 466, 204, 64);
    OptSleep->setToolTip(QStringLiteral("Times by Windows System time."));
    // One choice among the three, apart from the keying options.
    auto* timingGroup = new QButtonGroup(this);
    for (QRadioButton* b : {optTimer, optLoop, OptSleep}) timingGroup->addButton(b);
    lblLoop = label(this, "Loop Delay", 248, 228, 66);
    lblLoop->setObjectName(QStringLiteral("lblLoop"));
    txtLoop = field(this, "txtLoop", 316, 226, 56);
    label(this, "Loops per 60 ms", 376, 228, 98);
    cmdLoopFaster = button(this, "cmdLoopFaster", "F", 478, 224, 44);
    cmdLoopFaster->setToolTip(QStringLiteral("Speed up CW"));
    cmdLoopSlower = button(this, "cmdLoopSlower", "S", 526, 224, 44);
    cmdLoopSlower->setToolTip(QStringLiteral("Slow Down CW"));

    auto* setup = label(this, "Setup:", 8, 248, 100);
    auto* use = label(this, "To Use:", 452, 248, 100);
    for (QLabel* heading : {setup, use}) {
        QFont f = heading->font();
        f.setBold(true);
        heading->setFont(f);
    }
    help(this, kSetupHelp, 8, 264, 436, 182);
    help(this, kUseHelp, 452, 264, 144, 182);

    // Tab order: the messages, then the settings as they stand.
    QWidget* order[] = {Text[1], Text[2], Text[3], Text[4], Text[5], Text[6], Text[7], Text[8], Text[9], Text[12],
                        Text[13], Text[10], Text[14], Text[11], txtSpace, txtCWLoop, Command1};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void CWFrm::connectControls() {
    auto& keyer = session_.keyers.cw;
    const int boxes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13};
    for (int i = 0; i < 11; ++i) {
        KeyField* f = Text[boxes[i]];
        f->KeyPress = MessageKeys;
        connect(f, &QLineEdit::textChanged, this, [this, i, f] {
            if (!showing_) settings().messages[i] = fromQ(f->text());
        });
    }
    // The port and speed boxes take Backspace and the codes 48 to 58: the digits and ":".
    auto digits = [](station::FieldState&, int16_t& key) {
        if (key != 8 && (key < 48 || key > 58)) key = 0;
    };
    Text[10]->KeyPress = digits;
    Text[11]->KeyPress = digits;
    for (KeyField* f : {Text[10], Text[11]}) f->GotFocus = [f] { QTimer::singleShot(0, f, [f] { f->selectAll(); }); };
    connect(Text[10], &QLineEdit::textChanged, this, [this] {
        if (!showing_) settings().comPort = fromQ(Text[10]->text());
    });
    Text[10]->LostFocus = [this] { Text10_LostFocus(); };
    connect(Text[11], &QLineEdit::textChanged, this, [this, &keyer] {
        if (!showing_) keyer.SetSpeedText(fromQ(Text[11]->text()));
    });
    Text[11]->LostFocus = [this] { Text[11]->setText(toQ(keying::NumberOrZero(fromQ(Text[11]->text())))); };
    connect(Text[14], &QLineEdit::textChanged, this, [this] {
        if (!showing_) settings().parallelAddress = fromQ(Text[14]->text());
    });
    Text[14]->KeyPress = [](station::FieldState&, int16_t& key) {
        if (key == '"') key = 0;
    };

    txtSpace->KeyPress = [](station::FieldState&, int16_t& key) {
        if (key != 8 && (key < 45 || key > 58)) key = 0;
    };
    connect(txtSpace, &QLineEdit::textChanged, this, [this, &keyer] {
        const std::string held = keying::WordSpaceHeld(fromQ(txtSpace->text()));
        if (held != fromQ(txtSpace->text())) {
            txtSpace->setText(toQ(held));
            return;
        }
        if (showing_) return;
        settings().wordSpace = held;
        keyer.settingsChanged();
    });
    txtSpace->LostFocus = [this] { txtSpace->setText(toQ(keying::NumberOrZero(fromQ(txtSpace->text())))); };

    txtCWLoop->KeyPress = [](station::FieldState&, int16_t& key) { station::SecondsKey(key); };
    txtCWLoop->LostFocus = [this] { txtCWLoop_LostFocus(); };

    connect(Check1, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_) settings().echo = on ? 1 : 0;
    });
    const std::pair<QRadioButton*, int> options[] = {{Option1, 1}, {Option2, 2}, {Option3, 3}, {Option4, 0}, {Option5, 5}};
    for (const auto& [button, value] : options) {
        connect(button, &QRadioButton::toggled, this, [this, value = value](bool on) {
            if (on && !showing_) OptionClick(value);
        });
    }
    const std::pair<QRadioButton*, keying::TimingMethod> timings[] = {
        {optTimer, keying::TimingMethod::Timer}, {optLoop, keying::TimingMethod::Loop}, {OptSleep, keying::TimingMethod::Sleep}};
    for (const auto& [button, method] : timings) {
        connect(button, &QRadioButton::toggled, this, [this, method = method](bool on) {
            if (on && !showing_) TimingClick(method);
        });
    }
    connect(txtLoop, &QLineEdit::textChanged, this, [this, &keyer] {
        const std::string t = fromQ(txtLoop->text());
        if (showing_ || !keying::IsNumber(t)) return;
        settings().LoopsPer60ms = keying::LeadingNumber(t);
        keyer.settingsChanged();
    });
    auto tune = [this](double factor) {
        if (auto tuned = keying::LoopTuned(fromQ(txtLoop->text()), factor)) txtLoop->setText(toQ(*tuned));
        Command1->setFocus();
    };
    connect(cmdLoopFaster, &QPushButton::clicked, this, [tune] { tune(0.9); });
    connect(cmdLoopSlower, &QPushButton::clicked, this, [tune] { tune(1.111111111111); });

    connect(Command1, &QPushButton::clicked, this, &CWFrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, [&keyer] { keyer.UpDown1_UpClick(); });
    connect(Command3, &QPushButton::clicked, this, [&keyer] { keyer.UpDown1_DownClick(); });
    connect(Command5, &QPushButton::clicked, this,
            [this] { txtSpace->setText(toQ(keying::WordSpaceStep(fromQ(txtSpace->text()), -1))); });
    connect(Command6, &QPushButton::clicked, this,
            [this] { txtSpace->setText(toQ(keying::WordSpaceStep(fromQ(txtSpace->text()), +1))); });
    connect(Command4, &QPushButton::clicked, this, &CWFrm::Command4_Click);
    connect(Command7, &QPushButton::clicked, this, &CWFrm::Command7_Click);
    connect(cmdConfWinkey, &QPushButton::clicked, this, &CWFrm::cmdConfWinkey_Click);
}

void CWFrm::Form_Load() {
    station::ui::ScaleToWorkArea(*this, session_);
    setFixedSize(size());
    session_.keyers.cw.ReadSettingsStore();
    showSettings();
}

void CWFrm::showEvent(QShowEvent* e) {
    // The settings may have changed since the window was last shown (the speed arrows, a
    // cw.txt loaded at start): it always shows what the keyer uses.
    showSettings();
    QDialog::showEvent(e);
}

void CWFrm::showSettings() {
    showing_ = true;
    const auto& s = settings();
    const int boxes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13};
    for (int i = 0; i < 11; ++i) Text[boxes[i]]->setText(toQ(s.messages[i]));
    Text[10]->setText(toQ(s.comPort));
    Text[11]->setText(toQ(s.speed));
    Text[14]->setText(toQ(s.parallelAddress));
    txtSpace->setText(toQ(s.wordSpace));
    txtCWLoop->setText(toQ(s.repeatSeconds));
    Check1->setChecked(s.echo != 0);
    // The option of the interface; a value the options do not have selects none.
    QRadioButton* options[] = {Option4, Option1, Option2, Option3, nullptr, Option5};
    const int cwInterface = session_.keyers.keyer.CWInterface;
    QRadioButton* chosen = cwInterface >= 0 && cwInterface <= 5 ? options[cwInterface] : nullptr;
    for (QRadioButton* b : {Option1, Option2, Option3, Option4, Option5}) b->setAutoExclusive(false);
    for (QRadioButton* b : {Option1, Option2, Option3, Option4, Option5}) b->setChecked(b == chosen);
    for (QRadioButton* b : {Option1, Option2, Option3, Option4, Option5}) b->setAutoExclusive(true);
    if (cwInterface == 5) cmdConfWinkey->show();
    optTimer->setChecked(s.timing == keying::TimingMethod::Timer);
    optLoop->setChecked(s.timing == keying::TimingMethod::Loop);
    OptSleep->setChecked(s.timing == keying::TimingMethod::Sleep);
    const bool loop = s.timing == keying::TimingMethod::Loop;
    for (QWidget* w : std::initializer_list<QWidget*>{txtLoop, lblLoop, cmdLoopFaster, cmdLoopSlower})
        w->setEnabled(loop);
    txtLoop->setText(toQ(keying::NumberText(s.LoopsPer60ms)));
    showing_ = false;
}

void CWFrm::OptionClick(int cwInterface) {
    // Option5 also shows "Configure Winkey", for the rest of the run.
    if (cwInterface == 5) cmdConfWinkey->show();
    session_.keyers.SetCWInterface(cwInterface);
}

void CWFrm::TimingClick(keying::TimingMethod method) {
    auto& keyer = session_.keyers.cw;
    settings().timing = method;
    const bool loop = method == keying::TimingMethod::Loop;
    for (QWidget* w : std::initializer_list<QWidget*>{txtLoop, lblLoop, cmdLoopFaster, cmdLoopSlower})
        w->setEnabled(loop);
    if (loop && settings().LoopsPer60ms == 0) keyer.CalibrateLoop();
    keyer.settingsChanged();
    if (loop) {
        showing_ = true;
        txtLoop->setText(toQ(keying::NumberText(settings().LoopsPer60ms)));
        showing_ = false;
    }
}

void CWFrm::Text10_LostFocus() {
    Text[10]->setText(toQ(keying::NumberOrZero(fromQ(Text[10]->text()))));
    if (session_.keyers.cw.CWSetup()) return;
    // The box is not left holding a port that cannot be opened: after "Invalid port." the
    // focus comes back here, so the operator's correction goes to the port, not to the box
    // the focus was on its way to (the parallel port's address).
    QTimer::singleShot(0, Text[10], [box = Text[10]] {
        if (!box->isVisible()) return;
        box->setFocus();
        box->selectAll();
    });
}

void CWFrm::txtCWLoop_LostFocus() {
    session_.keyers.cw.SetRepeatSeconds(fromQ(txtCWLoop->text()));
    txtCWLoop->setText(toQ(settings().repeatSeconds));
}

void CWFrm::Command1_Click() {
    // Boxes whose leave handler has not run yet (Done clicked straight from them).
    if (txtCWLoop->hasFocus()) txtCWLoop_LostFocus();
    if (!keying::SaveCwSettings(session_)) {
        session_.platform.dialogs.messageBox(
            "Unable to write file " + (settings().fileName.empty() ? std::string("cw.txt") : settings().fileName) +
                ".  The settings are kept for this run only.",
            platform::MsgButtons::OK, platform::MsgIcon::Exclamation, "CW String Selections");
    }
    hide();
}

void CWFrm::Command4_Click() {
    Label23->show();
    session_.keyers.cw.FKeyCW(120);
    // "Sending!" stays while the pump keys the message or hands it to the WinKey keyer.
    if (!session_.keyers.cw.pumpRunning()) Label23->hide();
    if (isVisible()) Text[1]->setFocus();
}

void CWFrm::Command7_Click() {
    {
        frmCodePractice practice(session_, this);
        practice.exec();
    }
    session_.keyers.keyer.CWBuffer.clear();
}

void CWFrm::cmdConfWinkey_Click() {
    window::ui::ToolWindows::instance().open(window::ToolWindow::frmWinKey, window::OpenWay::Modal, session_, this);
    Command1->setFocus();
}

void CWFrm::cwPumpIdle() { Label23->hide(); }

void CWFrm::cwSpeedChanged() {
    const QString speed = toQ(settings().speed);
    if (Text[11]->text() == speed) return;
    showing_ = true;
    Text[11]->setText(speed);
    showing_ = false;
}
