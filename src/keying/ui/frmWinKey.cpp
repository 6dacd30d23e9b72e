#include "keying/ui/frmWinKey.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "keying/WinKeyKeyer.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/KeyField.h"
#include "station/ui/WindowKit.h"

using platform::qt::fromQ;
using platform::qt::toQ;
using station::ui::KeyField;
using station::ui::Twips;

namespace {

// The captions and help texts: word-wrapped, their text in the middle of their height.
QLabel* label(QWidget* parent, const char* text, double x, double y, double w, double h = 255) {
    auto* l = station::ui::WrappedLabel(parent, QString::fromLatin1(text), Twips(x, y, w, h));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, double x, double y, double w,
                    double h = 375) {
    return station::ui::Button(parent, name, QString::fromLatin1(caption), Twips(x, y, w, h));
}

KeyField* box(QWidget* parent, const char* name, double x, double y, double w) {
    return station::ui::Control<KeyField>(parent, name, Twips(x, y, w, 315));
}

}  // namespace

frmWinKey::frmWinKey(Session& session, QWidget* parent)
    : DoneDialog({"frmWinKey", QStringLiteral(" WinKey Setup"), station::ui::DesignFace::Narrow,
                  Twips(0, 0, 7320, 5520)},
                 [this] { cmdDone_Click(); }, parent),
      session_(session) {

    struct Row {
        const char* caption;
        const char* name;
        const char* help;
        KeyField** box;
    };
    const Row rows[] = {
        {"Com Port:", "txtWKComPort", "", &txtWKComPort},
        {"WPM:", "txtWKWPM", "Up / down arrows from main form change speeds.", &txtWKWPM},
        {"Weight:", "txtWeight", "Proportional amount added or subtracted (50 is standard).", &txtWeight},
        {"Lead In:", "txtLeadIn", "Lead in time for transmitter (10 ms increments).", &txtLeadIn},
        {"Tail:", "txtTail", "Tail time after keying has stopped (10 ms increments).", &txtTail},
        {"Ratio:", "txtRatio", "Ratio of dits to dahs (Range: 33 - 66).", &txtRatio},
    };
    double y = 240;
    for (const Row& r : rows) {
        label(this, r.caption, 240, y + 30, 1095);
        *r.box = box(this, r.name, 1440, y, 615);
        if (*r.help) label(this, r.help, 2220, y + 30, 4980);
        y += 390;
    }

    auto* modeFrame = station::ui::Frame(this, {}, QStringLiteral("Keyer Mode"), Twips(240, 2640, 3300, 1335));
    auto* pinFrame = station::ui::Frame(this, {}, QStringLiteral("Pin 5 Configuration"), Twips(3780, 2640, 3300, 1335));
    auto* modeGroup = new QButtonGroup(this);
    auto* pinGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        modeOptions[i] = station::ui::Option(modeFrame, keying::kModeOptions[i].name,
                                             QString::fromLatin1(keying::kModeOptions[i].caption),
                                             Twips(180, 270 + i * 255, 2640, 255));
        modeGroup->addButton(modeOptions[i]);
        pinOptions[i] = station::ui::Option(pinFrame, keying::kPinOptions[i].name,
                                            QString::fromLatin1(keying::kPinOptions[i].caption),
                                            Twips(180, 270 + i * 255, 2700, 255));
        pinGroup->addButton(pinOptions[i]);
    }
    modeOptions[0]->setChecked(true);  // Iambic B
    pinOptions[3]->setChecked(true);   // Tone

    label(this, "WinKey Status:", 240, 4110, 1215);
    lblOpenStatus = label(this, "Closed", 1440, 4110, 1860);
    lblOpenStatus->setObjectName("lblOpenStatus");
    label(this, "WinKey Version:", 3780, 4110, 1335);
    lblVersion = label(this, "Version #", 5160, 4110, 1920);
    lblVersion->setObjectName("lblVersion");

    cmdOpenWinkey = button(this, "cmdOpenWinkey", "Open", 240, 4500, 1260);
    cmdCloseWinkey = button(this, "cmdCloseWinkey", "Close", 1605, 4500, 1260);
    cmdStop = button(this, "cmdStop", "Stop", 2970, 4500, 1260);
    Command3 = button(this, "Command3", "Test", 4335, 4500, 1260);
    Command1 = button(this, "Command1", "Buffer Test", 5700, 4500, 1380);
    Text1 = box(this, "Text1", 240, 5010, 5340);
    Text1->setToolTip("Type here to send");
    cmdDone = button(this, "cmdDone", "&Done", 5700, 4980, 1380);

    auto& keyer = session_.winKey;
    // The setting boxes take Backspace and digits only; leaving one runs its check.
    for (const Row& r : rows) {
        KeyField* f = *r.box;
        f->KeyPress = [](station::FieldState&, int16_t& key) {
            if (!keying::SettingBoxKeyPasses(key)) key = 0;
        };
    }
    auto edited = [this](KeyField* f, std::string keying::WinKeySettings::*member) {
        connect(f, &QLineEdit::textChanged, this, [this, member](const QString& t) {
            session_.winKey.settings.*member = fromQ(t);
        });
    };
    edited(txtWKComPort, &keying::WinKeySettings::txtWKComPort);
    edited(txtWKWPM, &keying::WinKeySettings::txtWKWPM);
    edited(txtWeight, &keying::WinKeySettings::txtWeight);
    edited(txtLeadIn, &keying::WinKeySettings::txtLeadIn);
    edited(txtTail, &keying::WinKeySettings::txtTail);
    edited(txtRatio, &keying::WinKeySettings::txtRatio);
    txtWKComPort->LostFocus = [&keyer] { keyer.LeavePort(); };
    txtWKWPM->LostFocus = [&keyer] { keyer.LeaveWpm(); };
    txtWeight->LostFocus = [&keyer] { keyer.LeaveWeight(); };
    txtLeadIn->LostFocus = [&keyer] { keyer.LeaveLeadTail(false); };
    txtTail->LostFocus = [&keyer] { keyer.LeaveLeadTail(true); };
    txtRatio->LostFocus = [&keyer] { keyer.LeaveRatio(); };
    Text1->KeyPress = [&keyer](station::FieldState&, int16_t& key) {
        key = static_cast<int16_t>(keyer.TypeToSend(key));
    };

    for (int i = 0; i < 4; ++i) {
        connect(modeOptions[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) session_.winKey.ChooseMode(keying::kModeOptions[i].value);
        });
        connect(pinOptions[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) session_.winKey.ChoosePin(keying::kPinOptions[i].value);
        });
    }
    connect(cmdOpenWinkey, &QPushButton::clicked, this, &frmWinKey::cmdOpenWinkey_Click);
    connect(cmdCloseWinkey, &QPushButton::clicked, this, &frmWinKey::cmdCloseWinkey_Click);
    connect(cmdStop, &QPushButton::clicked, this, [&keyer] { keyer.cmdStop_Click(); });
    connect(Command3, &QPushButton::clicked, this, [&keyer] { keyer.Test(); });
    connect(Command1, &QPushButton::clicked, this, [&keyer] { keyer.BufferTest(); });
    connect(cmdDone, &QPushButton::clicked, this, &frmWinKey::cmdDone_Click);

    keyer.changed = [this] { showState(); };
    keyer.focusDone = [this] {
        if (isVisible()) cmdDone->setFocus();
    };
}

frmWinKey::~frmWinKey() { Form_Unload(); }

void frmWinKey::Form_Load() {
    station::ui::ResizeFormTo(*this, session_, static_cast<float>(session_.platform.screen.screenTwips().width),
                              static_cast<float>(session_.platform.screen.screenTwips().height), 9600, 7200, 0, 1.0f,
                              "Arial");
    session_.winKey.Load();
    selectOptions();
    showState();
}

void frmWinKey::selectOptions() {
    // Selecting an option runs its handler, as the operator's click would; a value without an
    // option leaves the selection and keeps the value.
    const auto& s = session_.winKey.settings;
    const uint8_t mode = s.WinKeyMode, pin = s.WinKeyPinCfg;
    for (int i = 0; i < 4; ++i) {
        if (keying::kPinOptions[i].value == pin) {
            if (pinOptions[i]->isChecked()) session_.winKey.ChoosePin(pin);
            else pinOptions[i]->setChecked(true);
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (keying::kModeOptions[i].value == mode) {
            if (modeOptions[i]->isChecked()) session_.winKey.ChooseMode(mode);
            else modeOptions[i]->setChecked(true);
        }
    }
}

void frmWinKey::showState() {
    const auto& k = session_.winKey;
    const auto& s = k.settings;
    auto set = [](KeyField* f, const std::string& text) {
        const QString q = toQ(text);
        if (f->text() != q) f->setText(q);
    };
    set(txtWKComPort, s.txtWKComPort);
    set(txtWKWPM, s.txtWKWPM);
    set(txtWeight, s.txtWeight);
    set(txtLeadIn, s.txtLeadIn);
    set(txtTail, s.txtTail);
    set(txtRatio, s.txtRatio);
    lblOpenStatus->setText(toQ(k.lblOpenStatus));
    lblVersion->setText(toQ(k.lblVersion));
}

void frmWinKey::cmdOpenWinkey_Click() { session_.winKey.cmdOpenWinkey_Click(); }

void frmWinKey::cmdCloseWinkey_Click() { session_.winKey.cmdCloseWinkey_Click(); }

void frmWinKey::cmdDone_Click() {
    // The box being typed in is left first, as a click on Done would leave it.
    if (auto* f = qobject_cast<KeyField*>(focusWidget()); f && f->LostFocus && f != Text1) f->LostFocus();
    session_.winKey.WriteSettings();
    hide();
}

void frmWinKey::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    auto& keyer = session_.winKey;
    keyer.changed = nullptr;
    keyer.focusDone = nullptr;
    keyer.Unload();
}
