#include "rig/ui/frmRigTune.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "logging/Text.h"
#include "platform/qt/Text.h"
#include "rig/RigControl.h"
#include "rig/RigTune.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::Pixels;
using station::ui::place;

namespace {
constexpr int kDesignWidth = 404, kDesignHeight = 304;

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int x, int y, int w) {
    return station::ui::Button(parent, name, caption, Pixels(x, y, w, 22));
}

QFrame* line(QWidget* parent, int index, int y) {
    return station::ui::Line(parent, QStringLiteral("Line%1").arg(index), Qt::Horizontal,
                             Pixels(8, y, kDesignWidth - 16, 2));
}

std::string text(const QLineEdit* field) { return fromQ(field->text()); }

// A typed character as the key filters see it; 0 for keys that type nothing (arrows, Delete,
// modifiers, and Tab, which moves the focus), which no filter drops.
int typedCode(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Delete || e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) return 0;
    const QString t = e->text();
    return t.size() == 1 ? t.at(0).unicode() : 0;
}
}  // namespace

frmRigTune::frmRigTune(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmRigTune"));
    setWindowTitle(QStringLiteral(" Change Frequency and Mode (Ctrl G (Go))"));
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this);
    place(this, 0, 0, kDesignWidth, kDesignHeight);

    const auto& presets = rig::BandPresets();
    for (int i = 0; i < 16; ++i) {
        cmdBand[static_cast<size_t>(i)] = button(this, QStringLiteral("cmdBand%1").arg(i),
                                                 toQ(presets[static_cast<size_t>(i)].caption), 12 + (i % 8) * 48,
                                                 8 + (i / 8) * 26, 44);
        connect(cmdBand[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdBand_Click(i); });
    }
    Line[0] = line(this, 1, 62);
    const char* modes[] = {"CW", "USB", "LSB", "AM", "FM", "RTTY"};
    QPushButton** modeButtons[] = {&cmdCW, &cmdUSB, &cmdLSB, &cmdAM, &cmdFM, &cmdRTTY};
    for (int i = 0; i < 6; ++i) {
        const QString caption = QStringLiteral("&") + QString::fromLatin1(modes[i]);
        *modeButtons[i] = button(this, QStringLiteral("cmd") + QString::fromLatin1(modes[i]), caption, 12 + i * 64, 68, 60);
        const char* mode = modes[i];
        connect(*modeButtons[i], &QPushButton::clicked, this, [this, mode] { ChangeModeTo(mode); });
    }
    Line[1] = line(this, 2, 96);
    Label1 = station::ui::Label(this, QStringLiteral("Frequency in MHz:"), Pixels(12, 106, 104, 16));
    txtFreq = station::ui::Control<QLineEdit>(this, "txtFreq", Pixels(118, 104, 150, 20));
    Command1 = button(this, QStringLiteral("Command1"), QStringLiteral("&Go"), 276, 103, 60);
    Line[2] = line(this, 3, 132);
    Label2 = station::ui::Label(this, QStringLiteral(" UP"), Pixels(12, 141, 40, 16));
    Label3 = station::ui::Label(this, QStringLiteral(" Down"), Pixels(12, 167, 40, 16));
    // Left to right: 1 MHz, 5 KHz, 1 KHz, 100 Hz, 10 Hz; even indexes up, odd ones down.
    const int column[] = {4, 4, 0, 0, 1, 1, 2, 2, 3, 3};
    const auto& steps = rig::TuneSteps();
    for (int i = 0; i < 10; ++i) {
        cmdTune[static_cast<size_t>(i)] = button(this, QStringLiteral("cmdTune%1").arg(i),
                                                 toQ(steps[static_cast<size_t>(i)].caption), 56 + column[i] * 68,
                                                 138 + (i % 2) * 26, 64);
        connect(cmdTune[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdTune_Click(i); });
    }
    Line[3] = line(this, 4, 192);
    chkScan = station::ui::Control<QCheckBox>(this, "chkScan", Pixels(12, 200, 64, 18));
    chkScan->setText(QStringLiteral("Scan"));
    Label4 = station::ui::Label(this, QStringLiteral("From:"), Pixels(84, 201, 36, 16));
    txtFrom = station::ui::Control<QLineEdit>(this, "txtFrom", Pixels(122, 199, 90, 20));
    txtFrom->setText(QStringLiteral("1.8"));
    Label5 = station::ui::Label(this, QStringLiteral("To:"), Pixels(226, 201, 24, 16));
    txtTo = station::ui::Control<QLineEdit>(this, "txtTo", Pixels(252, 199, 90, 20));
    txtTo->setText(QStringLiteral("54"));
    Frame1 = station::ui::Frame(this, "Frame1", QStringLiteral("Scan Steps"), Pixels(12, 224, 380, 44));
    // Left to right: 2.5 KHz (Option5), 500 Hz, 100 Hz, 30 Hz, 10 Hz (Option1 .. Option4).
    const auto& scanSteps = rig::ScanSteps();
    const int slot[] = {1, 2, 3, 4, 0};
    for (int i = 0; i < 5; ++i) {
        const auto& step = scanSteps[static_cast<size_t>(i)];
        Option[static_cast<size_t>(i)] =
            station::ui::Option(Frame1, toQ(step.name), toQ(step.caption), Pixels(8 + slot[i] * 74, 18, 72, 18));
    }
    Option[rig::kDefaultScanStep]->setChecked(true);
    cmdDone = button(this, QStringLiteral("cmdDone"), QStringLiteral("&Done"), 172, 276, 60);

    setTabOrder(txtFreq, Command1);
    setTabOrder(Command1, cmdDone);
    for (auto* b : cmdTune) b->setEnabled(false);
    connect(Command1, &QPushButton::clicked, this, &frmRigTune::Command1_Click);
    connect(cmdDone, &QPushButton::clicked, this, &frmRigTune::cmdDone_Click);
    connect(txtFreq, &QLineEdit::textChanged, this, [this] { txtFreq_Change(); });
    connect(chkScan, &QCheckBox::toggled, this, [this] { chkScan_Click(); });
    // The panel sees every key before its controls.
    for (auto* w : findChildren<QWidget*>()) w->installEventFilter(this);
    installEventFilter(this);

    Timer1 = session_.platform.scheduler.createTimer();
    Timer1->setHandler([this] { Timer1_Timer(); });
    Form_Load();
}

frmRigTune::~frmRigTune() {
    if (Timer1) Timer1->stop();
}

void frmRigTune::Form_Load() {
    station::ui::ScaleDialogToScreen(*this, session_);
    setFixedSize(size());
    txtFreq->setFocus();
    Timer1->start(rig::kScanIntervalMs);
}

double frmRigTune::ScanStep() const {
    const auto& steps = rig::ScanSteps();
    for (size_t i = 0; i < Option.size(); ++i)
        if (Option[i]->isChecked()) return steps[i].mhz;
    return steps[rig::kDefaultScanStep].mhz;
}

void frmRigTune::Command1_Click() {
    const auto mhz = rig::ParseNumber(text(txtFreq));
    if (!mhz || logging::SameText(session_.rig.RigType(), "None")) return;
    // A frequency the rig refuses ends the scan before the message opens: the message box runs
    // the event loop, where the scan would go on into a box for every step.
    if (chkScan->isChecked() && !session_.rig.FrequencyRefusal(*mhz).empty()) stopScan();
    session_.rig.ChangeFrequency(*mhz);
}

void frmRigTune::stopScan() {
    Timer1->stop();
    chkScan->setChecked(false);
}

void frmRigTune::cmdBand_Click(int index) {
    txtFreq->setText(toQ(rig::ShortestDecimal(rig::BandPresets()[static_cast<size_t>(index)].mhz)));
    Command1_Click();
}

void frmRigTune::cmdTune_Click(int index) {
    const auto mhz = rig::ParseNumber(text(txtFreq));
    if (!mhz) return;
    txtFreq->setText(toQ(rig::ShortestDecimal(*mhz + rig::TuneSteps()[static_cast<size_t>(index)].deltaMhz)));
    Command1_Click();
    cmdDone->setFocus();
}

void frmRigTune::ChangeModeTo(const char* mode) {
    session_.rig.ChangeMode(0, mode);
    cmdDone->setFocus();
}

void frmRigTune::txtFreq_Change() {
    const bool number = rig::IsNumber(text(txtFreq));
    for (auto* b : cmdTune) b->setEnabled(number);
}

void frmRigTune::chkScan_Click() {
    if (chkScan->isChecked() && !rig::IsNumber(text(txtFreq))) txtFreq->setText(txtFrom->text());
    if (chkScan->isChecked() && !Timer1->isActive()) Timer1->start(rig::kScanIntervalMs);
    Command1->setFocus();
}

void frmRigTune::cmdDone_Click() { hide(); }

void frmRigTune::Timer1_Timer() {
    if (!chkScan->isChecked()) return;
    const auto next = rig::NextScanFrequency(text(txtFreq), text(txtFrom), text(txtTo), ScanStep());
    if (!next) return;
    txtFreq->setText(toQ(rig::FormatScanFrequency(*next)));
    Command1_Click();
}

bool frmRigTune::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    const int code = typedCode(key);
    // Any key typed while scanning stops the scan; the key itself goes on.
    if (code != 0 && chkScan->isChecked()) chkScan->setChecked(false);
    const bool numberField = watched == txtFreq || watched == txtFrom || watched == txtTo;
    if (!numberField || code == 0) return QDialog::eventFilter(watched, e);
    if (code == 13) {
        // Enter in the frequency runs Go and leaves the caret after the last character.
        if (watched == txtFreq) {
            Command1_Click();
            txtFreq->setFocus();
            txtFreq->end(false);
        }
        return true;
    }
    return !rig::NumberFieldKey(code);
}

void frmRigTune::hideEvent(QHideEvent* e) {
    // Scanning runs only while the panel is open.
    chkScan->setChecked(false);
    QDialog::hideEvent(e);
}
