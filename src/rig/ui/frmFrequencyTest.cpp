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
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using platform::qt::fromQ;
using station::ui::Pixels;
using station::ui::place;

namespace {
constexpr const char* kCaption = "Test Change Frequency Function";

QLabel* note(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
    return station::ui::WrappedLabel(parent, QString::fromLatin1(text), Pixels(x, y, w, h), name);
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
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this);
    place(this, 0, 0, 440, 262);
    Label1 = note(this, "Label1",
                  "Please use the text box below to enter a complete command to send to your radio.  The default "
                  "example is the command used for Kenwood radios.",
                  8, 8, 424, 34);
    Label2 = note(this, "Label2",
                  "If your radio requires a hexidecimal format, please enter in the format of XX XX XX (using spaces "
                  "between each two digits) and click the Convert to Hex check box below.",
                  8, 44, 424, 50);
    Text1 = station::ui::Control<QLineEdit>(this, "Text1", Pixels(8, 98, 200, 22));
    Text1->setText(QStringLiteral("FA00028475000;"));
    Check1 = station::ui::Control<QCheckBox>(this, "Check1", Pixels(216, 99, 116, 20));
    Check1->setText(QStringLiteral("Convert to Hex"));
    Command1 = station::ui::Button(this, "Command1", QStringLiteral("Send"), Pixels(340, 97, 92, 24));
    Label3 = note(this, "Label3",
                  "When a command works with your radio, please pass it on together with the frequency it set, so "
                  "that your radio can be supported.",
                  8, 126, 424, 34);
    Line1 = station::ui::Line(this, "Line1", Qt::Horizontal, Pixels(8, 164, 424, 2));
    Label4 = note(this, "Label4",
                  "Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported radio, you should "
                  "be able to enter a frequency in Mhz, click send and your radio should switch to the specified "
                  "frequency.",
                  8, 172, 424, 50);
    Text2 = station::ui::Control<QLineEdit>(this, "Text2", Pixels(8, 228, 200, 22));
    Command2 = station::ui::Button(this, "Command2", QStringLiteral("Send"), Pixels(340, 227, 92, 24));
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
