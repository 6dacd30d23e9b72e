#include "keying/ui/PhoneFrm.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "keying/Numbers.h"
#include "keying/VoiceKeyer.h"
#include "keying/VoiceKeyerSettings.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/KeyField.h"
#include "station/ui/WindowKit.h"

using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::Bold;
using station::ui::KeyField;
using station::ui::Twips;
using station::ui::WrappedLabel;

namespace {

QPushButton* button(QWidget* parent, const QString& name, const char* caption, double x, double y, double w,
                    double h) {
    return station::ui::Button(parent, name, QString::fromLatin1(caption), Twips(x, y, w, h));
}

KeyField* field(QWidget* parent, const QString& name, double x, double y, double w) {
    return station::ui::Control<KeyField>(parent, name, Twips(x, y, w, 285));
}

}  // namespace

PhoneFrm::PhoneFrm(Session& session, QWidget* parent)
    : DoneDialog({"PhoneFrm", QStringLiteral("Phone Wave Selections"), station::ui::DesignFace::Narrow,
                  Twips(0, 0, 9375, 6225)},
                 [this] { Command1_Click(); }, parent),
      session_(session) {
    Bold(WrappedLabel(this, "Setup:", Twips(120, 50, 2000, 255)));
    WrappedLabel(this,
                 "Record each message with your sound recorder and save it as a wave (.wav) file.  Keep the messages "
                 "short and speak clearly; each file is played exactly as recorded.",
                 Twips(120, 360, 9135, 480));
    WrappedLabel(this,
                 "In the recorder, select the microphone or line input as the recording source, set the level so the "
                 "loudest syllable does not clip, and record in the best quality offered (for example 16 bit, 44.1 "
                 "kHz, mono).  Listen to each file before you use it on the air.",
                 Twips(120, 840, 9135, 1035));
    WrappedLabel(this,
                 "Connect the sound card's line output to your transceiver's microphone or data input.  Start with the "
                 "output level low and raise it gradually while watching the transmitter's ALC, so as not to overdrive "
                 "it.",
                 Twips(120, 1920, 9135, 1035));
    WrappedLabel(this,
                 "When playing the wave file, you can either key your transmitter manually, use VOX or an interface "
                 "connected to your PC's serial port.  To use the serial port, please enter the valid comm setting (or "
                 "0 for none) and select whether you want to use the RTS or DTR line to key your radio.",
                 Twips(120, 3000, 7455, 735));
    Text[10] = field(this, "Text10", 7800, 3000, 375);
    Text[11] = field(this, "Text11", 7605, 3360, 615);
    Frame1 = station::ui::Frame(this, {}, {}, Twips(8280, 2805, 1095, 900));
    Option1 = station::ui::Option(Frame1, {}, QStringLiteral("RTS"), Twips(120, 120, 915, 255));
    Option2 = station::ui::Option(Frame1, {}, QStringLiteral("DTR"), Twips(120, 360, 915, 255));
    Option3 = station::ui::Option(Frame1, {}, QStringLiteral("Parallel"), Twips(120, 600, 915, 255));
    auto* lines = new QButtonGroup(this);
    lines->addButton(Option1, 0);
    lines->addButton(Option2, 1);
    lines->addButton(Option3, 2);
    Option1->setChecked(true);

    Bold(WrappedLabel(this, "To Use:", Twips(120, 3740, 1300, 255)));
    WrappedLabel(this, "(You  must be in Phone mode)", Twips(1560, 3740, 4000, 255));
    WrappedLabel(this,
                 "Each wave file belongs to a function key.  With the transmitter keyed (or keyed by the interface "
                 "above), press that function key in the main logging window to play the file.",
                 Twips(120, 4080, 9135, 495));

    const double lefts[3] = {0, 3240, 6480};
    const double tops[3] = {4680, 5040, 5400};
    for (int key = 1; key <= 9; ++key) {
        const int group = (key - 1) / 3, row = (key - 1) % 3;
        const double left = lefts[group], top = tops[row];
        auto* caption = WrappedLabel(this, QStringLiteral("F%1").arg(key), Twips(left + 120, top + 30, 360, 255));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Text[key] = field(this, QStringLiteral("Text%1").arg(key), left + 480, top, key == 1 ? 975 : 1455);
        Browses[key] = button(this, QStringLiteral("Command%1").arg(key + 1), "Browse", left + 2040, top + 15, 615,
                              255);
    }
    txtPHLoop = field(this, "txtPHLoop", 1560, 4680, 375);
    txtPHLoop->setToolTip("Seconds between the end of the F1 message and its repetition (0 = no repetition)");

    Command11 = button(this, "Command11", "Test", 360, 5880, 615, 255);
    WrappedLabel(this, "Plays F1 Command", Twips(1200, 5900, 2400, 255));
    Command1 = button(this, "Command1", "Done", 3960, 5760, 1335, 375);
    WrappedLabel(this, "Caution, RF feedback can damage your PC!", Twips(5760, 5880, 3495, 255));

    auto& keyer = session_.phoneKeyer;
    auto& s = session_.voiceKeyer;
    for (int key = 1; key <= 9; ++key) {
        connect(Text[key], &QLineEdit::textChanged, this,
                [this, key](const QString& t) { session_.voiceKeyer.waveFiles[key - 1] = fromQ(t); });
        connect(Browses[key], &QPushButton::clicked, this, [this, key] { Browse(key); });
    }
    connect(Text[10], &QLineEdit::textChanged, this, [&s](const QString& t) { s.pttPort = fromQ(t); });
    connect(Text[11], &QLineEdit::textChanged, this, [&s](const QString& t) { s.parallelAddress = fromQ(t); });
    connect(txtPHLoop, &QLineEdit::textChanged, this, [&s](const QString& t) { s.repeatSeconds = fromQ(t); });
    connect(lines, &QButtonGroup::idToggled, this, [&s](int id, bool on) {
        if (on) s.pttLine = id;
    });

    Text[10]->GotFocus = [this] { Text[10]->selectAll(); };
    Text[10]->LostFocus = [this, &keyer, &s] {
        if (!keying::IsNumber(s.pttPort)) s.pttPort = "0";
        showSettings();
        keyer.OpenPttPort();
    };
    Text[11]->KeyPress = [](station::FieldState&, int16_t& key) { station::CapitalNoQuoteKey(key); };
    txtPHLoop->KeyPress = [](station::FieldState&, int16_t& key) { station::SecondsKey(key); };
    txtPHLoop->LostFocus = [this, &keyer, &s] {
        keyer.SetRepeatSeconds(s.repeatSeconds);
        showSettings();
    };
    connect(Command11, &QPushButton::clicked, this, &PhoneFrm::Command11_Click);
    connect(Command1, &QPushButton::clicked, this, &PhoneFrm::Command1_Click);
}

PhoneFrm::~PhoneFrm() { Form_Unload(); }

void PhoneFrm::Form_Load() {
    station::ui::ScaleDialogToScreen(*this, session_);
    showSettings();
}

void PhoneFrm::showSettings() {
    const auto& s = session_.voiceKeyer;
    auto set = [](KeyField* f, const std::string& value) {
        const QString q = toQ(value);
        if (f->text() != q) f->setText(q);
    };
    for (int key = 1; key <= 9; ++key) set(Text[key], s.waveFiles[key - 1]);
    set(Text[10], s.pttPort);
    set(Text[11], s.parallelAddress);
    set(txtPHLoop, s.repeatSeconds);
    QRadioButton* option[3] = {Option1, Option2, Option3};
    if (s.pttLine >= 0 && s.pttLine <= 2) option[s.pttLine]->setChecked(true);
}

void PhoneFrm::FKeyPhone(int keyCode) { session_.phoneKeyer.FKeyPhone(keyCode); }

void PhoneFrm::Browse(int key) {
    platform::FileDialogRequest request;
    request.filter = "(*.wav)|*.wav";
    auto chosen = session_.platform.dialogs.openFileDialog(request);
    if (!chosen || chosen->empty()) {
        session_.platform.dialogs.beep();
        return;
    }
    session_.voiceKeyer.waveFiles[key - 1] = *chosen;
    showSettings();
    Command1->setFocus();
}

void PhoneFrm::Command11_Click() {
    session_.phoneKeyer.FKeyPhone(112);
    if (isVisible()) Command1->setFocus();
}

void PhoneFrm::Command1_Click() {
    hide();
    session_.phoneKeyer.WriteSettings();
}

void PhoneFrm::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    session_.phoneKeyer.Unload();
}
