#include "keying/ui/BlindFrm.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/Platform.h"
#include "platform/qt/Text.h"
#include "keying/ui/KeyerWindowStyle.h"
#include "session/Session.h"
#include "station/ui/CloseBox.h"
#include "station/ui/FormResize.h"

using station::ui::placeTwips;

using keying::ui::text;

BlindFrm::BlindFrm(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("BlindFrm");
    setWindowTitle("Voice Navigation Settings");
    station::ui::NoCloseBox(*this, [this] { Command1_Click(); });
    QFont design = font();
    design.setPointSizeF(8.25);
    setFont(design);
    placeTwips(this, 0, 0, 9375, 5295);

    text(this, "Background:", 120, 45, 3000, 255, true);
    text(this,
         "Voice navigation speaks the name of each entry field of the logging window as it gets the focus, and "
         "says \"Dupe\" when a duplicate contact is refused, so that an operator who cannot see the screen knows "
         "where the typing goes.",
         120, 360, 9135, 735);
    text(this, "Further suggestions for supporting visually impaired operators are welcome.", 120, 1200, 9135, 495);
    text(this, "To Enable Voice Navigation:", 120, 1800, 4000, 255, true);
    text(this,
         "The prompts are wave files (Call.wav, SPC.wav, RstRcvd.wav, RstSnt.wav, County.wav, Dupe.wav, NavEn.wav, "
         "NavDis.wav) in the program's working folder. Spoken prompts come with the program; replace any of them "
         "with a recording of your own under the same name.",
         120, 2160, 9135, 555);
    Label7 = text(this, "", 120, 2760, 9135, 315);
    text(this,
         "Choose one of the options below.  Select Off to turn the navigation function off, Call to indicate the "
         "Call field only and All Data Fields to provide verbal prompts through all the data fields.",
         120, 3120, 9135, 615);
    Frame1 = new QGroupBox("Choose your preferred option:", this);
    placeTwips(Frame1, 2640, 3840, 4215, 855);
    Option1 = new QRadioButton("Off", Frame1);
    placeTwips(Option1, 360, 360, 735, 255);
    Option2 = new QRadioButton("Call Only", Frame1);
    placeTwips(Option2, 1200, 360, 1215, 255);
    Option3 = new QRadioButton("All Data Fields", Frame1);
    placeTwips(Option3, 2520, 360, 1575, 255);
    Command1 = new QPushButton("Done", this);
    placeTwips(Command1, 3960, 4800, 1335, 375);

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
    Label7->setText(platform::qt::toQ("Put the audio wave files in this program's working directory: " +
                                      platform::PathText(session_.folders.ProgramFolder)));
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
