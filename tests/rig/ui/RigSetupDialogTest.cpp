// The rig setup dialog over the session's rig control: its settings file, the rig list, Test and
// End Test against a fake serial port, and how the logging window loads, shows and unloads it.
#include <QAction>
#include <QApplication>
#include <QWindow>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/qt/Text.h"
#include "rig/ui/RigControlfrm.h"
#include "rig/ui/RigWindows.h"
#include "rig/ui/frmFrequencyTest.h"
#include "support/qt/AnswerModal.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/LiveWindowFacade.h"
#include "window/ui/ToolWindows.h"

using platform::qt::fromQ;
using platform::qt::toQ;

namespace {

constexpr const char* kKenwoodReply = "FA00014025000;MD3;";

std::string text(const QLabel* l) { return fromQ(l->text()); }
std::string text(const QLineEdit* l) { return fromQ(l->text()); }

std::string rigCntrl(const std::vector<std::string>& items) {
    std::string bytes;
    for (const auto& item : items) bytes += item + "\r\n";
    return bytes;
}

const std::string kKenwoodFile = rigCntrl({"\"4800 \"", "\"N\"", "\"8\"", "\"2\"", "\"MD;\"", "\"FA;\"",
                                           "\"4800,N,8,2\"", "1", "\"N\"", "\"M\"", "\"Kenwood\"", "0", "1", "1"});

struct DialogFixture {
    TestSession ts;
    fakes::FakeSerialDevice& port = ts.fakes.serial.device(1);
    std::unique_ptr<RigControlfrm> w;

    DialogFixture() { ts->profile.RigType = "None"; }
    RigControlfrm& load() {
        w = std::make_unique<RigControlfrm>(*ts);
        return *w;
    }
    void answer(fakes::FakeSerialDevice& device, const std::string& reply) {
        device.onWrite = [&device, reply](const std::string&) { device.receive(reply); };
    }
    void advance(int64_t ms) { ts.fakes.scheduler.advance(ms); }
    void choose(const std::string& name) {
        for (int i = 0; i < w->List1->count(); ++i) {
            if (fromQ(w->List1->item(i)->text()) == name) {
                // A mouse click on the row, as the operator chooses it.
                w->List1->scrollToItem(w->List1->item(i));
                QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {},
                                  w->List1->visualItemRect(w->List1->item(i)).center());
                return;
            }
        }
        ADD_FAILURE() << "no rig " << name;
    }
    std::string checked(std::initializer_list<QRadioButton*> group) const {
        std::string on;
        for (auto* b : group)
            if (b->isChecked()) on += (on.empty() ? "" : "+") + fromQ(b->text());
        return on;
    }
    std::string speed() const {
        return checked({w->optBaud12, w->optBaud24, w->optBaud48, w->optBaud96, w->optBaud144, w->optBaud192,
                        w->optBaud288, w->optBaud384, w->optBaud560});
    }
    std::string parity() const { return checked({w->optParityNone, w->optParityOdd, w->optParityEven}); }
    std::string dataBits() const { return checked({w->optData7, w->optData8}); }
    std::string stopBits() const { return checked({w->optStop1, w->optStop2}); }
    std::string power() const { return checked({w->optPowerNone, w->optPowerRTS, w->optPowerDTR}); }
    std::string pollRate() const { return checked({w->optPollFast, w->optPollMed, w->optPollSlow, w->optReallySlow}); }
    std::string modeBy() const { return checked({w->OptRig, w->OptFreq, w->OptDont}); }
    int portChosen() const {
        for (size_t i = 0; i < w->optComm.size(); ++i)
            if (w->optComm[i]->isChecked()) return static_cast<int>(i) + 1;
        return 0;
    }
};

// The live logging window as the poll cycle reaches it: the modes handed over.
struct ModeRecorder : window::LiveWindowApi {
    std::vector<std::string> modes;
    void BandFreqConversion(double) override {}
    void ModeSelection(const std::string& m) override { modes.push_back(m); }
    void PacketResize(const std::string&, bool) override {}
    void DisplayBandMapLabels() override {}
    void BandMapSpots(const std::string&, const std::string&, const std::string&) override {}
    void SpotCallToCallField(const std::string&) override {}
    void FocusCallField() override {}
};

}  // namespace

TEST(RigSetupDialog, EachNameOfTheRigListSetsItsRow) {
    struct Row {
        const char* name;
        const char *speed, *parity, *data, *stop;  // "" where the click keeps the option
        const char *freq, *mode;
        bool hex, hexEnabled, icomNote;
    };
    const Row rows[] = {
        {"None", "", "", "", "", "", "", false, false, false},
        {"Elecraft", "4.8", "None", "8", "2", "FA;", "MD;", false, false, false},
        {"Icom", "1.2", "None", "8", "1", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, false, true},
        {"Icom 735", "1.2", "None", "8", "1", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, false, true},
        {"Kenwood", "4.8", "None", "8", "2", "FA;", "MD;", false, false, false},
        {"Kenwood 2", "4.8", "None", "8", "2", "IF;", "", false, false, false},
        {"Ten Tec Omni VI", "1.2", "None", "8", "1", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", true, false, false},
        {"Ten Tec Orion", "56", "None", "8", "1", "?AF", "?RMM", false, false, false},
        {"Ten Tec Fnt Pnl", "56", "None", "8", "1", "3F 41 0D", "3F 4D 0D", true, false, false},
        {"Ten Tec Pegasus", "", "", "", "", "", "", false, false, false},
        {"Yaesu", "4.8", "None", "8", "2", "00 00 00 00 03", "", true, false, false},
        {"Yaesu 757 GX II", "4.8", "None", "8", "2", "00 00 00 00 10", "", true, false, false},
        {"Yaesu 890", "4.8", "None", "8", "2", "00 00 00 02 10", "", true, false, false},
        {"Yaesu 920", "4.8", "None", "8", "2", "00 00 00 02 10", "", true, false, false},
        {"Yaesu 990", "4.8", "None", "8", "2", "00 00 00 02 10", "", true, false, false},
        {"Yaesu 1000 D", "4.8", "None", "8", "2", "00 00 00 02 10", "", true, false, false},
        {"Yaesu 1000", "4.8", "None", "8", "2", "00 00 00 02 10", "", true, false, false},
        {"Yaesu FTdx9000", "4.8", "", "", "", "FA;", "MD0;", false, false, false},
        {"Other", "", "", "", "", "", "", false, true, false},
    };
    DialogFixture f;
    auto& w = f.load();
    w.show();
    ASSERT_EQ(w.List1->count(), 19);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(fromQ(w.List1->item(i)->text()), rows[i].name) << i;

    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        // A state no row sets, so what a click keeps shows.
        w.optBaud96->setChecked(true);
        w.optParityEven->setChecked(true);
        w.optData7->setChecked(true);
        w.optStop2->setChecked(true);
        w.optComm[2]->setChecked(true);
        w.optPowerDTR->setChecked(true);
        w.optPollSlow->setChecked(true);
        w.OptDont->setChecked(true);
        w.txtFreq->setText(QStringLiteral("typed"));
        w.chkConvToHex->setChecked(!r.hex);  // so the click changes it, and "Convert from Hex" follows
        f.choose(r.name);
        EXPECT_EQ(f.ts->profile.RigType, r.name);
        EXPECT_EQ(f.speed(), *r.speed ? r.speed : "9.6");
        EXPECT_EQ(f.parity(), *r.parity ? r.parity : "Even");
        EXPECT_EQ(f.dataBits(), *r.data ? r.data : "7");
        EXPECT_EQ(f.stopBits(), *r.stop ? r.stop : "2");
        EXPECT_EQ(text(w.txtFreq), r.freq);
        EXPECT_EQ(text(w.txtMode), r.mode);
        EXPECT_EQ(w.chkConvToHex->isChecked(), r.hex);
        EXPECT_EQ(w.ChkConvHex->isChecked(), r.hex);  // follows "Convert to Hex"
        EXPECT_EQ(w.chkConvToHex->isEnabled(), r.hexEnabled);
        EXPECT_EQ(w.Label10->isVisible(), r.icomNote);
        // The rig's settings are what the dialog shows.
        EXPECT_EQ(f.ts->rig.Settings().FreqReadString, r.freq);
        EXPECT_EQ(f.ts->rig.Settings().ConvertToHex, r.hex);
        // Port, power, poll rate and "Mode by:" are never changed by a click.
        EXPECT_EQ(f.portChosen(), 3);
        EXPECT_EQ(f.power(), "DTR");
        EXPECT_EQ(f.pollRate(), "2 Sec");
        EXPECT_EQ(f.modeBy(), "Don't Use");
    }
    // Choosing the same name again applies its row again over what was typed.
    f.choose("Kenwood");
    w.txtMode->setText(QStringLiteral("XX;"));
    f.choose("Kenwood");
    EXPECT_EQ(text(w.txtMode), "MD;");
}

TEST(RigSetupDialog, SettingsFileRoundTripThroughDone) {
    DialogFixture f;
    f.ts.writeProgramFile("RigCntrl.txt", rigCntrl({"\"9600 \"", "\"E\"", "\"7\"", "\"1\"", "\"MD;\"", "\"FA;\"",
                                                    "\"9600,E,7,1\"", "3", "\"R\"", "\"S\"", "\"Kenwood\"", "0", "0",
                                                    "2"}));
    {
        auto& w = f.load();
        EXPECT_EQ(f.speed(), "9.6");
        EXPECT_EQ(f.parity(), "Even");
        EXPECT_EQ(f.dataBits(), "7");
        EXPECT_EQ(f.stopBits(), "1");
        EXPECT_EQ(f.portChosen(), 3);
        EXPECT_EQ(f.power(), "RTS");
        EXPECT_EQ(f.pollRate(), "2 Sec");
        EXPECT_EQ(f.modeBy(), "Frequency");
        EXPECT_FALSE(w.chkFrequency->isChecked());
        EXPECT_FALSE(w.chkConvToHex->isChecked());
        EXPECT_FALSE(w.chkConvToHex->isEnabled());
        EXPECT_EQ(text(w.txtFreq), "FA;");
        EXPECT_EQ(text(w.txtMode), "MD;");
        EXPECT_EQ(fromQ(w.List1->currentItem()->text()), "Kenwood");
        EXPECT_EQ(f.ts->profile.RigType, "Kenwood");  // the file's rig type replaces the profile's
        EXPECT_FALSE(w.isVisible());  // loading starts nothing and shows nothing
        EXPECT_EQ(f.ts.fakes.serial.linesCreated, 0);

        // The operator changes every kind of setting and presses Done.
        w.show();
        f.choose("Icom");
        w.optComm[4]->setChecked(true);
        w.optPowerDTR->setChecked(true);
        w.optPollFast->setChecked(true);
        w.OptDont->setChecked(true);
        w.chkFrequency->setChecked(true);
        w.txtFreq->setText(QStringLiteral("FE FE 70 E0 03 FD"));
        QTest::mouseClick(w.cmdDone, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        // Done tested the settings: the Icom is polled on port 5, and polling goes on hidden.
        EXPECT_TRUE(f.ts->rig.Polling());
        EXPECT_TRUE(f.ts.fakes.serial.device(5).open);
        EXPECT_EQ(f.ts.fakes.serial.device(5).written, "\xFE\xFE\x70\xE0\x03\xFD");
    }
    EXPECT_EQ(f.ts.readProgramFile("RigCntrl.txt"),
              rigCntrl({"\"1200 \"", "\"N\"", "\"8\"", "\"1\"", "\"FE FE 64 E0 04 FD\"", "\"FE FE 70 E0 03 FD\"",
                        "\"1200,N,8,1\"", "5", "\"D\"", "\"F\"", "\"Icom\"", "1", "1", "3"}));
    EXPECT_NE(f.ts.readProgramFile("QSOpref.txt").find("\"Icom\""), std::string::npos);

    // Loaded again, the dialog shows what was stored.
    f.w.reset();
    f.ts->profile.RigType = "None";
    auto& again = f.load();
    EXPECT_EQ(f.speed(), "1.2");
    EXPECT_EQ(f.parity(), "None");
    EXPECT_EQ(f.dataBits(), "8");
    EXPECT_EQ(f.stopBits(), "1");
    EXPECT_EQ(f.portChosen(), 5);
    EXPECT_EQ(f.power(), "DTR");
    EXPECT_EQ(f.pollRate(), "100 ms");
    EXPECT_EQ(f.modeBy(), "Don't Use");
    EXPECT_TRUE(again.chkFrequency->isChecked());
    EXPECT_TRUE(again.chkConvToHex->isChecked());
    EXPECT_TRUE(again.ChkConvHex->isChecked());
    EXPECT_EQ(text(again.txtFreq), "FE FE 70 E0 03 FD");
    EXPECT_EQ(text(again.txtMode), "FE FE 64 E0 04 FD");
    EXPECT_EQ(fromQ(again.List1->currentItem()->text()), "Icom");
    EXPECT_FALSE(again.Label10->isHidden());  // the Icom note
}

TEST(RigSetupDialog, LoadsTheDesignStateWithoutAFileAndMendsAPortOutsideOneToTen) {
    {
        DialogFixture f;
        auto& w = f.load();
        EXPECT_EQ(f.speed(), "56");
        EXPECT_EQ(f.parity(), "None");
        EXPECT_EQ(f.dataBits(), "8");
        EXPECT_EQ(f.stopBits(), "1");
        EXPECT_EQ(f.portChosen(), 1);
        EXPECT_EQ(f.power(), "None");
        EXPECT_EQ(f.pollRate(), "500 ms");
        EXPECT_EQ(f.modeBy(), "Rig");
        EXPECT_TRUE(w.chkFrequency->isChecked());
        EXPECT_FALSE(w.chkConvToHex->isChecked());
        EXPECT_FALSE(w.ChkConvHex->isChecked());
        EXPECT_EQ(text(w.txtFreq), "");
        EXPECT_EQ(text(w.txtMode), "");
        EXPECT_EQ(f.ts->profile.RigType, "None");
        EXPECT_TRUE(w.Label2->isHidden());
        EXPECT_FALSE(w.Command2->isEnabled());
        EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
    }
    for (const char* port : {"0", "11", "255"}) {
        SCOPED_TRACE(port);
        DialogFixture f;
        f.ts.writeProgramFile("RigCntrl.txt",
                              rigCntrl({"\"4800 \"", "\"N\"", "\"8\"", "\"2\"", "\"MD;\"", "\"FA;\"", "\"4800,N,8,2\"",
                                        port, "\"R\"", "\"F\"", "\"Kenwood\"", "0", "1", "2"}));
        auto& w = f.load();
        // The rest of the file is kept; the port is 1, and the operator is told.
        ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt,
                  std::string("RigCntrl.txt names port ") + port +
                      " for the rig, which is not a port from 1 to 10.  Port 1 is used.");
        EXPECT_EQ(f.portChosen(), 1);
        EXPECT_EQ(f.speed(), "4.8");
        EXPECT_EQ(f.stopBits(), "2");
        EXPECT_EQ(f.power(), "RTS");
        EXPECT_EQ(f.pollRate(), "100 ms");
        EXPECT_EQ(f.modeBy(), "Frequency");
        EXPECT_EQ(fromQ(w.List1->currentItem()->text()), "Kenwood");
        w.Command1_Click();
        EXPECT_TRUE(f.port.open);
    }
}

TEST(RigSetupDialog, TheStoredRigTypeDecidesTheIcomNoteAndConvertToHexAtLoad) {
    struct Case {
        const char* rigType;
        bool icomNote, hexEnabled;
    };
    // "Icom 735" shows the note only when it is chosen in the list, not when it is loaded.
    const Case cases[] = {
        {"Icom", true, false}, {"Icom 735", false, false}, {"Other", false, true}, {"Kenwood", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rigType);
        DialogFixture f;
        f.ts.writeProgramFile("RigCntrl.txt",
                              rigCntrl({"\"1200 \"", "\"N\"", "\"8\"", "\"1\"", "\"FE FE 64 E0 04 FD\"",
                                        "\"FE FE 64 E0 03 FD\"", "\"1200,N,8,1\"", "1", "\"N\"", "\"M\"",
                                        std::string("\"") + c.rigType + "\"", "1", "1", "1"}));
        auto& w = f.load();
        ASSERT_NE(w.List1->currentItem(), nullptr);
        EXPECT_EQ(fromQ(w.List1->currentItem()->text()), c.rigType);
        EXPECT_EQ(!w.Label10->isHidden(), c.icomNote);
        EXPECT_EQ(w.chkConvToHex->isEnabled(), c.hexEnabled);
    }
    // Chosen in the list, "Icom 735" shows the note.
    DialogFixture f;
    auto& w = f.load();
    w.show();
    f.choose("Icom 735");
    EXPECT_TRUE(w.Label10->isVisible());
}

TEST(RigSetupDialog, TestForgetsTheModeOfTheRigPolledBefore) {
    DialogFixture f;
    ModeRecorder logging;
    f.ts->profile.OutOfState = 0;
    f.ts->Form1.attach(window::WindowKind::InState, &logging);
    f.ts.writeProgramFile("RigCntrl.txt", kKenwoodFile);
    f.answer(f.port, kKenwoodReply);
    auto& w = f.load();
    w.show();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    f.advance(250);
    EXPECT_EQ(logging.modes, std::vector<std::string>{"CW"});

    // "Other" decodes nothing: no mode reaches the window, not the Kenwood's old one.
    f.choose("Other");
    w.txtFreq->setText(QStringLiteral("FA;"));
    logging.modes.clear();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    f.advance(1000);
    ASSERT_FALSE(logging.modes.empty());
    for (const auto& m : logging.modes) EXPECT_EQ(m, "");
    EXPECT_EQ(text(w.lblMode), "");
    f.ts->Form1.detach(&logging);
}

TEST(RigSetupDialog, ACivReadStringIsSentOnlyWhenLongerThanSixteenCharacters) {
    struct Case {
        const char *freq, *mode;
        std::string sent;  // over two poll cycles: the frequency turn, then the mode turn
    };
    const Case cases[] = {
        {"FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", "\xFE\xFE\x64\xE0\x03\xFD\xFE\xFE\x64\xE0\x04\xFD"},
        {"FE FE 64 E0 03 F", "FE FE 64 E0 04 FD", "\xFE\xFE\x64\xE0\x04\xFD"},  // 16 characters: not sent
        {"FE FE 64 E0 03 FD", "FE FE 64 E0 04 F", "\xFE\xFE\x64\xE0\x03\xFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.freq) + " / " + c.mode);
        DialogFixture f;
        auto& w = f.load();
        w.show();
        f.choose("Icom");
        w.txtFreq->setText(QString::fromLatin1(c.freq));
        w.txtMode->setText(QString::fromLatin1(c.mode));
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        // Too short to send is not a bad string: Test polls and says nothing.
        EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
        EXPECT_TRUE(f.ts->rig.Polling());
        f.advance(750);  // receive, send (mode turn), receive
        EXPECT_EQ(f.port.written, c.sent);
    }
}

TEST(RigSetupDialog, TestPollsAndShowsTheReadingsEndTestStops) {
    DialogFixture f;
    f.ts.writeProgramFile("RigCntrl.txt", kKenwoodFile);
    f.answer(f.port, kKenwoodReply);
    auto& w = f.load();
    // Active, so that the focus below is the operator's focus.
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(f.port.open);
    EXPECT_EQ(f.port.written, "FA;MD;");
    EXPECT_TRUE(w.Label2->isVisible());
    EXPECT_EQ(text(w.Label2), "Polling Rig");
    EXPECT_TRUE(w.Command2->isEnabled());
    EXPECT_EQ(text(w.lblFreq), "No Response");
    EXPECT_EQ(text(w.lblMode), "No Response");
    f.advance(250);  // the receive tick
    EXPECT_EQ(text(w.lblFreq), "14.02500");
    EXPECT_EQ(text(w.lblMode), "CW");
    EXPECT_EQ(text(w.lblUnProcess), kKenwoodReply);

    // The raw reply goes to the clipboard, and the focus to Done.
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(f.ts.fakes.clipboard.contents, kKenwoodReply);
    EXPECT_EQ(QApplication::focusWidget(), w.cmdDone);

    // Another "Mode by:" forgets the mode until the next reply; polling goes on.
    w.OptFreq->setChecked(true);
    EXPECT_EQ(text(w.lblMode), "No Response");
    EXPECT_EQ(f.ts->rig.Reading().RigMode, "");
    EXPECT_TRUE(f.ts->rig.Polling());

    // "Convert from Hex" shows the reply's bytes as hex from the next reply on.
    w.ChkConvHex->setChecked(true);
    f.advance(500);
    EXPECT_EQ(text(w.lblUnProcess), "46 41 30 30 30 31 34 30 32 35 30 30 30 3B 4D 44 33 3B ");

    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_FALSE(f.port.open);
    EXPECT_TRUE(w.Label2->isHidden());
    EXPECT_FALSE(w.Command2->isEnabled());
    EXPECT_EQ(text(w.lblFreq), "");
    EXPECT_EQ(text(w.lblUnProcess), "");
    const size_t sent = f.port.written.size();
    f.advance(5000);
    EXPECT_EQ(f.port.written.size(), sent);

    // Any serial option or a read string taking the focus ends a test as well.
    w.Command1_Click();
    EXPECT_TRUE(f.ts->rig.Polling());
    w.optParityOdd->setChecked(true);
    EXPECT_FALSE(f.ts->rig.Polling());
    w.Command1_Click();
    EXPECT_EQ(f.port.settings.parity, platform::Parity::Odd);  // Test takes the options as they stand
    w.activateWindow();
    w.txtMode->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(f.ts->rig.Polling());
    EXPECT_FALSE(f.port.open);
}

TEST(RigSetupDialog, ABadHexReadStringIsRefusedByName) {
    DialogFixture f;
    auto& w = f.load();
    w.show();
    f.choose("Other");
    w.chkConvToHex->setChecked(true);
    w.txtFreq->setText(QStringLiteral("FE XY 03"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    const auto& m = f.ts.fakes.dialogs.messages[0];
    EXPECT_NE(m.prompt.find("String to read frequency"), std::string::npos) << m.prompt;
    EXPECT_NE(m.prompt.find("FE XY 03"), std::string::npos) << m.prompt;
    EXPECT_FALSE(f.port.open);
    EXPECT_FALSE(f.ts->rig.Polling());
    EXPECT_TRUE(w.Label2->isHidden());
    EXPECT_FALSE(w.Command2->isEnabled());
    // Hex pairs are sent as bytes.
    w.txtFreq->setText(QStringLiteral("FE 03"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(f.ts->rig.Polling());
    EXPECT_EQ(f.port.written, "\xFE\x03");
}

TEST(RigSetupDialog, APortThatFailsWhileHiddenShowsTheDialogModallyAfterTheMessageAndTestNeverNests) {
    DialogFixture f;
    f.ts.writeProgramFile("RigCntrl.txt", kKenwoodFile);
    f.port.failOpen = true;
    auto& w = f.load();
    int nestedClicks = 0;
    // A click that reaches Test while its message box is up is not run inside it.
    f.ts.fakes.dialogs.onMessage = [&](const fakes::MessageCall& m) {
        if (m.title == "Invalid Comm Settings." && nestedClicks++ == 0) w.Command1_Click();
    };
    w.Command1_Click();
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "Invalid Comm Settings.");
    EXPECT_EQ(f.ts.fakes.dialogs.beeps, 1);
    EXPECT_TRUE(w.Label2->isHidden());
    EXPECT_FALSE(w.Command2->isEnabled());
    EXPECT_FALSE(w.isVisible());  // not while Test runs

    // Once Test has returned the dialog comes up modally; the operator corrects the port and
    // presses Done, which tests again and hides it.
    bool shownModally = false;
    auto answer = testsupport::AnswerModal<RigControlfrm>([&](RigControlfrm& shown) {
        shownModally = &shown == &w && w.isVisible();
        f.port.failOpen = false;
        QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    });
    f.advance(0);
    EXPECT_TRUE(shownModally);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(f.port.open);
    EXPECT_TRUE(f.ts->rig.Polling());
    EXPECT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);

    // Shown beside the logging window, a failing port only reports.
    w.show();
    w.optComm[1]->setChecked(true);
    f.ts.fakes.serial.device(2).failOpen = true;
    w.Command1_Click();
    f.advance(0);
    EXPECT_EQ(f.ts.fakes.dialogs.messages.size(), 2u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(RigSetupDialog, ChangeFrequencyNeedsPollingAndEndTestEndsACommandCleanly) {
    DialogFixture f;
    f.ts.writeProgramFile("RigCntrl.txt", kKenwoodFile);
    auto& w = f.load();
    w.show();
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "You must be polling your rig to test this function.");
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].icon, platform::MsgIcon::Information);

    // While polling, the raw-command window opens modally from the button.
    w.Command1_Click();
    bool opened = false;
    auto answer = testsupport::AnswerModal<frmFrequencyTest>([&](frmFrequencyTest& test) {
        opened = true;
        // Its frequency Send starts a change; End Test in the meantime ends it.
        QTest::mouseClick(test.Command2, Qt::LeftButton);
        test.close();
    });
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(f.ts->rig.CommandInProgress());
    f.advance(100);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    f.advance(3000);
    EXPECT_EQ(f.port.written.find("FA00028475000;"), std::string::npos);
    EXPECT_FALSE(f.ts->rig.Polling());
    EXPECT_FALSE(f.ts->rig.CommandInProgress());
    EXPECT_EQ(f.ts.fakes.scheduler.activeTimers(), 0);

}

// --- With the logging window ------------------------------------------------------------------

namespace {
struct RigWindowsRegistered {
    RigWindowsRegistered() { rig::ui::RegisterRigWindows(); }
    ~RigWindowsRegistered() {
        auto& tools = window::ui::ToolWindows::instance();
        tools.unloadAll();
        for (auto w : {window::ToolWindow::RigControlfrm, window::ToolWindow::frmBandPlan,
                       window::ToolWindow::frmRigTune})
            tools.unregisterFactory(w);
    }
};
}  // namespace

TEST(RigSetupWithLoggingWindow, LoadedHiddenShownByCtrlRHiddenByDoneAndUnloadedWithTheWindow) {
    RigWindowsRegistered registered;
    LoggingWindowFixture f(false);
    f.ts->profile.RigType = "Yaesu";
    auto& port = f.ts.fakes.serial.device(1);
    auto& w = f.open();
    w.show();
    auto& tools = window::ui::ToolWindows::instance();
    auto* rig = qobject_cast<RigControlfrm*>(tools.loaded(window::ToolWindow::RigControlfrm));
    ASSERT_NE(rig, nullptr);
    EXPECT_FALSE(rig->isVisible());
    EXPECT_TRUE(f.ts->rig.Polling());  // polled from the rig list's row for "Yaesu", 4800,N,8,2
    EXPECT_EQ(port.settings, (platform::SerialSettings{4800, platform::Parity::None, 8, 2}));

    // Ctrl+R shows that same dialog beside the logging window.
    QTest::keyClick(w.txtCall, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(tools.loaded(window::ToolWindow::RigControlfrm), rig);
    EXPECT_TRUE(rig->isVisible());
    EXPECT_FALSE(rig->isModal());
    EXPECT_TRUE(rig->Label2->isVisible());
    QTest::mouseClick(rig->cmdDone, Qt::LeftButton);
    EXPECT_FALSE(rig->isVisible());
    EXPECT_TRUE(f.ts->rig.Polling());  // Done hides it; polling goes on
    EXPECT_TRUE(tools.isLoaded(window::ToolWindow::RigControlfrm));
    // The menu item opens it too.
    w.menuItem("mnuRigInterface")->trigger();
    EXPECT_TRUE(rig->isVisible());
    // The close box only hides it.
    rig->windowHandle()->close();
    EXPECT_FALSE(rig->isVisible());
    EXPECT_TRUE(f.ts->rig.Polling());

    // Closing the logging window unloads the dialog, also in the middle of a frequency change:
    // the change ends and the Yaesu is told polling ends.
    f.ts->rig.ChangeFrequency(14.025);
    f.ts.fakes.scheduler.advance(50);
    ASSERT_TRUE(f.ts->rig.CommandInProgress());
    const size_t before = port.written.size();
    w.close();
    f.ts.fakes.scheduler.advance(3000);
    EXPECT_FALSE(f.ts->rig.CommandInProgress());
    EXPECT_EQ(f.ts.fakes.scheduler.activeTimers(), 0);
    EXPECT_EQ(port.written.size(), before + 5);  // only the closing bytes, no frequency command
    EXPECT_FALSE(tools.isLoaded(window::ToolWindow::RigControlfrm));
    EXPECT_FALSE(f.ts->rig.Polling());
    EXPECT_FALSE(port.open);
    ASSERT_GE(port.written.size(), 5u);
    EXPECT_EQ(port.written.substr(port.written.size() - 5), std::string("\0\0\0\0\x80", 5));
}

TEST(RigSetupWithLoggingWindow, APortThatFailsAtStartIsReportedThenTheDialogComesUpModally) {
    RigWindowsRegistered registered;
    LoggingWindowFixture f(true);
    f.ts->profile.RigType = "Kenwood";
    f.ts.fakes.serial.device(1).failOpen = true;
    auto& w = f.open();
    auto& tools = window::ui::ToolWindows::instance();
    auto* rig = qobject_cast<RigControlfrm*>(tools.loaded(window::ToolWindow::RigControlfrm));
    ASSERT_NE(rig, nullptr);
    const auto& m = f.ts.fakes.dialogs.messages;
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m.back().title, "Invalid Comm Settings.");
    EXPECT_FALSE(rig->isVisible());
    bool modal = false;
    auto answer = testsupport::AnswerModal<RigControlfrm>([&](RigControlfrm& shown) {
        modal = &shown == rig;
        rig->List1->setCurrentRow(0);  // "None": nothing to poll
        QTest::mouseClick(rig->cmdDone, Qt::LeftButton);
    });
    f.ts.fakes.scheduler.advance(0);
    EXPECT_TRUE(modal);
    EXPECT_FALSE(rig->isVisible());
    EXPECT_EQ(f.ts->profile.RigType, "None");
    EXPECT_NE(f.ts.readProgramFile("QSOpref.txt").find("\"None\""), std::string::npos);
    w.close();
}
