#include "keying/ui/BlindFrm.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/Platform.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using station::ui::Bold;
using station::ui::Twips;
using station::ui::WrappedLabel;

BlindFrm::BlindFrm(Session& session, QWidget* parent)
    : DoneDialog({"BlindFrm", QStringLiteral("Voice Navigation Settings"), station::ui::DesignFace::System,
                  Twips(0, 0, 9375, 5295)},
                 [this] { Command1_Click(); }, parent),
      session_(session) {
    Bold(WrappedLabel(this, "Background:", Twips(120, 45, 3000, 255)));
    WrappedLabel(this,
                 "Voice navigation speaks the name of each entry field of the logging window as it gets the focus, and "
                 "says \"Dupe\" when a duplicate contact is refused, so that an operator who cannot see the screen "
                 "knows where the typing goes.",
                 Twips(120, 360, 9135, 735));
    WrappedLabel(this, "Further suggestions for supporting visually impaired operators are welcome.",
                 Twips(120, 1200, 9135, 495));
    Bold(WrappedLabel(this, "To Enable Voice Navigation:", Twips(120, 1800, 4000, 255)));
    WrappedLabel(this,
                 "The prompts are wave files (Call.wav, SPC.wav, RstRcvd.wav, RstSnt.wav, County.wav, Dupe.wav, "
                 "NavEn.wav, NavDis.wav) in the program's working folder. Spoken prompts come with the program; "
                 "replace any of them with a recording of your own under the same name.",
                 Twips(120, 2160, 9135, 555));
    // One line: a long program folder is shortened in its middle rather than wrapped onto the
    // text below it (the full path is the label's tool tip).
    Label7 = station::ui::Label(this, {}, Twips(120, 2760, 9135, 315));
    WrappedLabel(this,
                 "Choose one of the options below.  Select Off to turn the navigation function off, Call to indicate "
                 "the Call field only and All Data Fields to provide verbal prompts through all the data fields.",
                 Twips(120, 3120, 9135, 615));
    Frame1 =
        station::ui::Frame(this, {}, QStringLiteral("Choose your preferred option:"), Twips(2640, 3840, 4215, 855));
    Option1 = station::ui::Option(Frame1, {}, QStringLiteral("Off"), Twips(360, 360, 735, 255));
    Option2 = station::ui::Option(Frame1, {}, QStringLiteral("Call Only"), Twips(1200, 360, 1215, 255));
    Option3 = station::ui::Option(Frame1, {}, QStringLiteral("All Data Fields"), Twips(2520, 360, 1575, 255));
    // Not Button(): this Done stays an auto-default button, as the dialog was designed.
    Command1 = station::ui::Control<QPushButton>(this, {}, Twips(3960, 4800, 1335, 375));
    Command1->setText(QStringLiteral("Done"));

    // A click speaks the option; the load's own selection is made without these signals and
    // speaks through the session's load instead.
    connect(Option1, &QRadioButton::clicked, this, &BlindFrm::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &BlindFrm::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &BlindFrm::Option3_Click);
    connect(Command1, &QPushButton::clicked, this, &BlindFrm::Command1_Click);
}

BlindFrm::~BlindFrm() { Form_Unload(); }

void BlindFrm::Form_Load() {
    station::ui::ScaleDialogToScreen(*this, session_);
    const QString intro = QStringLiteral("Put the audio wave files in this program's working directory: ");
    const QString folder = platform::qt::toQ(platform::PathText(session_.folders.ProgramFolder));
    const QFontMetrics metrics(Label7->font());
    const int room = Label7->width() - metrics.horizontalAdvance(intro);
    Label7->setText(intro + metrics.elidedText(folder, Qt::ElideMiddle, room > 0 ? room : 0));
    Label7->setToolTip(intro + folder);
    switch (session_.profile.VoiceNavMode) {
        case 0: Option1->setChecked(true); break;
        case 1: Option2->setChecked(true); break;
        case 2: Option3->setChecked(true); break;
        default: break;
    }
    // Loading the window speaks the stored option, unless a prompt has already done so.
    session_.voiceNav.Load();
}

void BlindFrm::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    session_.voiceNav.Unload();
}

void BlindFrm::Option1_Click() {
    if (Option1->isChecked()) session_.voiceNav.ChooseOption(0);
}
void BlindFrm::Option2_Click() {
    if (Option2->isChecked()) session_.voiceNav.ChooseOption(1);
}
void BlindFrm::Option3_Click() {
    if (Option3->isChecked()) session_.voiceNav.ChooseOption(2);
}

int BlindFrm::chosen() const {
    if (Option2->isChecked()) return 1;
    if (Option3->isChecked()) return 2;
    return 0;
}

void BlindFrm::Command1_Click() {
    hide();
    session_.voiceNav.Done(chosen());
}
