#include "rig/ui/frmFrequencyTest.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/Text.h"
#include "rig/RawCommand.h"
#include "rig/RigControl.h"
#include "rig/RigTune.h"
#include "rig/ui/RigWindowStyle.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"

using platform::qt::fromQ;
using rig::ui::place;

namespace {
constexpr const char* kCaption = "Test Change Frequency Function";

QLabel* note(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(l, x, y, w, h);
    return l;
}

std::string trimmed(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}
}  // namespace

frmFrequencyTest::frmFrequencyTest(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmFrequencyTest"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    rig::ui::SetDesignFont(this);
    place(this, 0, 0, 440, 262);
    Label1 = note(this, "Label1",
                  "Please use the text box below to enter a complete command to send to your radio.  The default "
                  "example is the command used for Kenwood radios.",
                  8, 8, 424, 34);
    Label2 = note(this, "Label2",
                  "If your radio requires a hexidecimal format, please enter in the format of XX XX XX (using spaces "
                  "between each two digits) and click the Convert to Hex check box below.",
                  8, 44, 424, 50);
    Text1 = new QLineEdit(QStringLiteral("FA00028475000;"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    place(Text1, 8, 98, 200, 22);
    Check1 = new QCheckBox(QStringLiteral("Convert to Hex"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    place(Check1, 216, 99, 116, 20);
    Command1 = new QPushButton(QStringLiteral("Send"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    place(Command1, 340, 97, 92, 24);
    Label3 = note(this, "Label3",
                  "When a command works with your radio, please pass it on together with the frequency it set, so "
                  "that your radio can be supported.",
                  8, 126, 424, 34);
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    place(Line1, 8, 164, 424, 2);
    Label4 = note(this, "Label4",
                  "Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported radio, you should "
                  "be able to enter a frequency in Mhz, click send and your radio should switch to the specified "
                  "frequency.",
                  8, 172, 424, 50);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    place(Text2, 8, 228, 200, 22);
    Command2 = new QPushButton(QStringLiteral("Send"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    place(Command2, 340, 227, 92, 24);
    connect(Command1, &QPushButton::clicked, this, &frmFrequencyTest::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmFrequencyTest::Command2_Click);
    Form_Load();
}

void frmFrequencyTest::Form_Load() {
    station::ui::ScaleDialogToScreen(*this, session_);
    setFixedSize(size());
    Text2->setText(QStringLiteral("28.475"));
}

void frmFrequencyTest::fail(const std::string& text) {
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox(text, platform::MsgButtons::OK, platform::MsgIcon::Exclamation, kCaption);
}

void frmFrequencyTest::Command1_Click() {
    const std::string text = trimmed(fromQ(Text1->text()));
    if (text.empty()) {
        fail("Nothing was sent: type the whole command to send to your radio in the box first.");
        return;
    }
    std::string bytes = text;
    if (Check1->isChecked()) {
        const rig::HexCommand hex = rig::ConvertHexCommand(text);
        if (!hex.ok) {
            fail("Nothing was sent: \"" + hex.badPair +
                 "\" is not a pair of hexadecimal digits.  Type the command as XX XX XX, with one blank between "
                 "each two digits.");
            return;
        }
        bytes = hex.bytes;
    }
    std::string error;
    if (!session_.rig.WriteRaw(bytes, &error)) fail("The command was not sent: " + error + ".");
}

void frmFrequencyTest::Command2_Click() {
    const std::string text = fromQ(Text2->text());
    const auto mhz = rig::ParseNumber(text);
    if (!mhz) {
        fail("Nothing was sent: \"" + text + "\" is not a frequency in MHz (such as 28.475).");
        return;
    }
    // The frequency command acts only while the rig is polled.
    if (!session_.rig.Polling()) {
        fail("Nothing was sent: the rig is no longer being polled.  Click Test in the rig setup first.");
        return;
    }
    session_.rig.ChangeFrequency(*mhz);
}
