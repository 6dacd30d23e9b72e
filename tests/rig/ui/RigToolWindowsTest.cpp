// The privileges chart, the tuning panel and the raw-command window, over a test session whose
// rig is a Kenwood on a fake port.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/Text.h"
#include "rig/ui/RigControlfrm.h"
#include "rig/ui/RigWindows.h"
#include "rig/ui/frmBandPlan.h"
#include "rig/ui/frmFrequencyTest.h"
#include "rig/ui/frmRigTune.h"
#include "support/qt/AnswerModal.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using platform::qt::fromQ;

namespace {

std::string text(const QLineEdit* l) { return fromQ(l->text()); }
std::string text(const QLabel* l) { return fromQ(l->text()); }

// A session polling a Kenwood on port 1 that answers 14.025 CW.
struct PolledRig {
    TestSession ts;
    fakes::FakeSerialDevice& port = ts.fakes.serial.device(1);
    explicit PolledRig(const char* rigType = "Kenwood", bool poll = true) {
        ts->profile.RigType = rigType;
        ts->rig.LoadRigSettings();  // no file: the rig list's row for the rig type
        port.onWrite = [this](const std::string&) { port.receive("FA00014025000;MD3;"); };
        if (poll) ts->rig.Test();
    }
    void advance(int64_t ms) { ts.fakes.scheduler.advance(ms); }
    // The frequency commands written since the test began.
    std::vector<std::string> frequencyCommands() const {
        std::vector<std::string> out;
        for (size_t p = port.written.find("FA0"); p != std::string::npos; p = port.written.find("FA0", p + 1))
            out.push_back(port.written.substr(p, 14));
        return out;
    }
};

// Shows a window as the active one, so that where the focus goes can be asserted.
void activate(QWidget& w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

std::vector<QLabel*> chartLabels(QWidget& w, const char* prefix) {
    std::vector<QLabel*> out;
    for (auto* l : w.findChildren<QLabel*>())
        if (l->objectName().startsWith(QString::fromLatin1(prefix))) out.push_back(l);
    return out;
}

}  // namespace

// --- Captions and notes -----------------------------------------------------------------------

TEST(RigWindowTexts, CaptionsAndNotesReadAsDesigned) {
    TestSession ts;
    ts.copyDataFile("BandPlan.txt");
    RigControlfrm setup(*ts);
    frmBandPlan chart(*ts);
    frmRigTune panel(*ts);
    frmFrequencyTest raw(*ts);
    struct Text {
        const char* what;
        QString shown;
        const char* designed;
    };
    const Text texts[] = {
        {"setup caption", setup.windowTitle(), " Rig Interface Setup"},
        {"chart caption", chart.windowTitle(), "Frequency Privileges"},
        {"panel caption", panel.windowTitle(), " Change Frequency and Mode (Ctrl G (Go))"},
        {"raw-command caption", raw.windowTitle(), "Test Change Frequency Function"},
        {"Icom note", setup.Label10->text(),
         "Icom radio users will have to replace the 64 in the string with the ID for your particular radio.  "
         "Please check your Icom user's manual for details."},
        {"raw command", raw.Label1->text(),
         "Please use the text box below to enter a complete command to send to your radio.  The default example "
         "is the command used for Kenwood radios."},
        {"hex command", raw.Label2->text(),
         "If your radio requires a hexidecimal format, please enter in the format of XX XX XX (using spaces "
         "between each two digits) and click the Convert to Hex check box below."},
        {"frequency test", raw.Label4->text(),
         "Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported radio, you should be "
         "able to enter a frequency in Mhz, click send and your radio should switch to the specified frequency."},
    };
    for (const Text& t : texts) EXPECT_EQ(fromQ(t.shown), t.designed) << t.what;
}

// --- Privileges chart -------------------------------------------------------------------------

TEST(PrivilegesChartWindow, OpensOnExtraAndEachClassButtonRebuildsTheChartFromScratch) {
    TestSession ts;
    ts.writeProgramFile("BandPlan.txt",
                        "\"2024/01/01\"\r\n"
                        "\"80\",\"O\",\"CW\",3.5,4\r\n\"80\",\"G\",\"CW\",3.525,3.6\r\n\"80\",\"E\",\"CW\",3.5,3.6\r\n"
                        "\"80\",\"E\",\"PH\",3.6,4\r\n"
                        "\"40\",\"O\",\"CW\",7,7.3\r\n\"40\",\"E\",\"CW\",7,7.125\r\n\"40\",\"E\",\"PH\",7.125,7.3\r\n"
                        "\"10\",\"O\",\"CW\",28,29.7\r\n\"10\",\"T\",\"CW\",28,28.3\r\n");
    frmBandPlan w(*ts);
    const auto area = ts.fakes.screen.workArea;
    EXPECT_EQ(w.width(), static_cast<int>(area.width / 15));
    EXPECT_EQ(w.height(), static_cast<int>(area.height / 15));
    EXPECT_EQ(text(w.Label1), "Frequencies Effective: 2024/01/01");
    EXPECT_EQ(text(w.Label2), "Extra Frequency Privileges");
    ASSERT_EQ(chartLabels(w, "blbl").size(), 2u);
    EXPECT_EQ(chartLabels(w, "bnlb").size(), 2u);
    ASSERT_EQ(chartLabels(w, "priv").size(), 4u);
    auto* cw40 = w.findChild<QLabel*>(QStringLiteral("priv3"));
    ASSERT_NE(cw40, nullptr);
    EXPECT_EQ(text(cw40), "7.000 - 7.125");
    EXPECT_EQ(fromQ(cw40->toolTip()), "CW  7.000 - 7.125");
    auto* bar40 = w.findChild<QLabel*>(QStringLiteral("blbl2"));
    EXPECT_EQ(cw40->x(), bar40->x());  // from the band's low edge: the bar's left end
    EXPECT_EQ(fromQ(w.findChild<QLabel*>(QStringLiteral("bnlb2"))->text()), "40");
    // The last bar stands 80 % of the way from the rule to the bottom.
    const double lineY = w.Line1->y();
    EXPECT_NEAR(bar40->y(), lineY + 0.8 * (w.height() - lineY), 1.0);
    // The legend and the segments as drawn: CW blue, phone green.
    w.show();
    auto background = [](QWidget* l) { return l->grab().toImage().pixelColor(3, 3); };
    EXPECT_EQ(background(w.Label3), QColor(0, 0, 255));
    EXPECT_EQ(background(w.Label4), QColor(0, 255, 0));
    EXPECT_EQ(background(cw40), QColor(0, 0, 255));
    EXPECT_EQ(background(w.findChild<QLabel*>(QStringLiteral("priv4"))), QColor(0, 255, 0));  // 40 m phone
    EXPECT_EQ(background(bar40), QColor(0, 0, 0));
    EXPECT_EQ(background(w.findChild<QLabel*>(QStringLiteral("bnlb2"))), QColor(255, 255, 0));

    // Technician: one bar, one segment, nothing of the Extra chart left behind.
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(text(w.Label2), "Technician Frequency Privileges");
    EXPECT_EQ(chartLabels(w, "blbl").size(), 1u);
    EXPECT_EQ(chartLabels(w, "bnlb").size(), 1u);
    ASSERT_EQ(chartLabels(w, "priv").size(), 1u);
    EXPECT_EQ(text(chartLabels(w, "priv")[0]), "28.000 - 28.300");
    QTest::mouseClick(w.Command1, Qt::LeftButton);  // Novice: no rows, an empty chart
    EXPECT_EQ(text(w.Label2), "Novice Frequency Privileges");
    EXPECT_TRUE(chartLabels(w, "blbl").empty());
    EXPECT_TRUE(chartLabels(w, "priv").empty());
    EXPECT_TRUE(ts.fakes.dialogs.messages.empty());
    w.show();
    QTest::mouseClick(w.Command7, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST(PrivilegesChartWindow, ABandPlanThatCannotBeReadIsReported) {
    {
        TestSession ts;  // no BandPlan.txt
        frmBandPlan w(*ts);
        ASSERT_EQ(ts.fakes.dialogs.messages.size(), 1u);
        EXPECT_EQ(ts.fakes.dialogs.messages[0].prompt, "Band data not available.");
        EXPECT_EQ(ts.fakes.dialogs.messages[0].title, "Band Data Not Available.");
        EXPECT_EQ(text(w.Label1), "Frequencies Effective");
        EXPECT_EQ(text(w.Label2), "Privelages");
        EXPECT_TRUE(chartLabels(w, "blbl").empty());
    }
    {
        // A bad row part-way: the date shows, no chart at first, and the rows before it draw.
        TestSession ts;
        ts.writeProgramFile("BandPlan.txt",
                            "\"2024/01/01\"\r\n\"40\",\"O\",\"CW\",7,7.3\r\n\"40\",\"E\",\"CW\",7,7.125\r\n"
                            "\"20\",\"O\",\"CW\",fourteen\r\n");
        frmBandPlan w(*ts);
        EXPECT_EQ(ts.fakes.dialogs.messages.size(), 1u);
        EXPECT_EQ(text(w.Label1), "Frequencies Effective: 2024/01/01");
        EXPECT_EQ(text(w.Label2), "Privelages");
        EXPECT_TRUE(chartLabels(w, "blbl").empty());
        QTest::mouseClick(w.Command6, Qt::LeftButton);
        EXPECT_EQ(chartLabels(w, "blbl").size(), 1u);
    }
}

TEST(PrivilegesChartWindow, OpenedModallyFromTheMenuAndCtrlFThenUnloaded) {
    rig::ui::RegisterRigWindows();
    LoggingWindowFixture f(false);
    f.ts.copyDataFile("BandPlan.txt");
    auto& w = f.open();
    w.show();
    auto& tools = window::ui::ToolWindows::instance();
    int opened = 0;
    auto closeChart = [&] {
        return testsupport::AnswerModal<frmBandPlan>([&](frmBandPlan& chart) {
            ++opened;
            EXPECT_FALSE(chartLabels(chart, "blbl").empty());  // the shipped plan's Extra chart
            QTest::mouseClick(chart.Command7, Qt::LeftButton);
        });
    };
    auto fromTheMenu = closeChart();
    w.menuItem("mnuPrivileges")->trigger();
    EXPECT_FALSE(tools.isLoaded(window::ToolWindow::frmBandPlan));
    auto fromTheKey = closeChart();
    QTest::keyClick(w.txtCall, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(opened, 2);
    EXPECT_FALSE(tools.isLoaded(window::ToolWindow::frmBandPlan));
    tools.unloadAll();
    for (auto t : {window::ToolWindow::RigControlfrm, window::ToolWindow::frmBandPlan, window::ToolWindow::frmRigTune})
        tools.unregisterFactory(t);
}

// --- Tuning panel -----------------------------------------------------------------------------

TEST(TuningPanel, PresetsStepsAndModesGoToTheRadio) {
    PolledRig rig;
    frmRigTune w(*rig.ts);
    activate(w);
    EXPECT_TRUE(w.txtFreq->hasFocus());
    EXPECT_EQ(text(w.txtFreq), "");
    for (auto* b : w.cmdTune) EXPECT_FALSE(b->isEnabled());

    QTest::mouseClick(w.cmdBand[5], Qt::LeftButton);  // "20"
    EXPECT_EQ(text(w.txtFreq), "14.175");
    for (auto* b : w.cmdTune) EXPECT_TRUE(b->isEnabled());
    rig.advance(1000);
    QTest::mouseClick(w.cmdTune[0], Qt::LeftButton);  // 10 Hz up
    EXPECT_EQ(text(w.txtFreq), "14.17501");
    EXPECT_TRUE(w.cmdDone->hasFocus());
    rig.advance(1000);
    QTest::mouseClick(w.cmdBand[13], Qt::LeftButton);  // "70"
    EXPECT_EQ(text(w.txtFreq), "435");
    rig.advance(1000);
    EXPECT_EQ(rig.frequencyCommands(), (std::vector<std::string>{"FA00014175000;", "FA00014175010;",
                                                                 "FA00435000000;"}));
    w.txtFreq->setFocus();
    QTest::mouseClick(w.cmdUSB, Qt::LeftButton);
    EXPECT_TRUE(w.cmdDone->hasFocus());
    rig.advance(1000);
    EXPECT_NE(rig.port.written.find("MD2;"), std::string::npos);

    // Enter in the frequency field runs Go; letters never reach it, "/" does and makes it no number.
    w.txtFreq->clear();
    w.txtFreq->setFocus();
    QTest::keyClicks(w.txtFreq, "7a.0b25");
    EXPECT_EQ(text(w.txtFreq), "7.025");
    QTest::keyClick(w.txtFreq, Qt::Key_Return);
    rig.advance(1000);
    EXPECT_EQ(rig.frequencyCommands().back(), "FA00007025000;");
    EXPECT_TRUE(w.txtFreq->hasFocus());
    EXPECT_EQ(w.txtFreq->cursorPosition(), 5);
    QTest::keyClicks(w.txtFreq, "/");
    EXPECT_EQ(text(w.txtFreq), "7.025/");
    for (auto* b : w.cmdTune) EXPECT_FALSE(b->isEnabled());
}

TEST(TuningPanel, TabWalksFrequencyGoDoneAndFromTo) {
    PolledRig rig("None", false);
    frmRigTune w(*rig.ts);
    activate(w);
    w.txtFreq->setText(QStringLiteral("14.025"));
    struct Step {
        QWidget* from;
        Qt::Key key;
        QWidget* to;
    };
    const Step steps[] = {
        {w.txtFreq, Qt::Key_Tab, w.Command1},  {w.Command1, Qt::Key_Tab, w.cmdDone},
        {w.cmdDone, Qt::Key_Backtab, w.Command1}, {w.Command1, Qt::Key_Backtab, w.txtFreq},
        {w.txtFrom, Qt::Key_Tab, w.txtTo},     {w.txtTo, Qt::Key_Backtab, w.txtFrom},
    };
    for (const Step& s : steps) {
        s.from->setFocus();
        ASSERT_TRUE(s.from->hasFocus()) << fromQ(s.from->objectName());
        QTest::keyClick(s.from, s.key, s.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_TRUE(s.to->hasFocus()) << fromQ(s.from->objectName()) << " -> " << fromQ(s.to->objectName())
                                      << ", not " << fromQ(QApplication::focusWidget()->objectName());
    }
    // Tab types nothing into a number field.
    EXPECT_EQ(text(w.txtFreq), "14.025");
    EXPECT_EQ(text(w.txtFrom), "1.8");
    EXPECT_EQ(text(w.txtTo), "54");
}

TEST(TuningPanel, WithRigTypeNoneTheTextChangesButNothingIsSent) {
    PolledRig rig("None", false);
    frmRigTune w(*rig.ts);
    QTest::mouseClick(w.cmdBand[0], Qt::LeftButton);
    EXPECT_EQ(text(w.txtFreq), "1.9");
    QTest::mouseClick(w.cmdTune[3], Qt::LeftButton);  // 1 MHz down: no lower bound for a step
    EXPECT_EQ(text(w.txtFreq), "0.9");
    QTest::mouseClick(w.cmdCW, Qt::LeftButton);
    rig.advance(2000);
    EXPECT_EQ(rig.ts.fakes.serial.linesCreated, 0);
}

TEST(TuningPanel, ScanStepsWrapsAndStaysInsideItsRangeOnTheTimer) {
    PolledRig rig;
    frmRigTune w(*rig.ts);
    activate(w);
    // Ticking Scan with an empty frequency starts from From; the first tick sends From plus a step.
    w.Option[4]->setChecked(true);  // 2.5 KHz
    w.txtFrom->setText(QStringLiteral("14.0"));
    w.txtTo->setText(QStringLiteral("14.005"));
    w.chkScan->setChecked(true);
    EXPECT_EQ(text(w.txtFreq), "14.0");
    EXPECT_TRUE(w.Command1->hasFocus());
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        rig.advance(299);
        seen.push_back(text(w.txtFreq));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"14.0025", "14.005", "14.", "14.0025"}));

    // Below From the scan goes to From rather than climbing from where it stands.
    w.txtFreq->setText(QStringLiteral("3.5"));
    w.chkScan->setChecked(true);
    rig.advance(299);
    EXPECT_EQ(text(w.txtFreq), "14.");

    // 10 Hz steps move at any frequency.
    w.Option[3]->setChecked(true);
    w.txtFrom->setText(QStringLiteral("1240"));
    w.txtTo->setText(QStringLiteral("1300"));
    w.txtFreq->setText(QStringLiteral("1270"));
    w.chkScan->setChecked(true);
    for (int i = 0; i < 3; ++i) rig.advance(299);
    EXPECT_EQ(text(w.txtFreq), "1270.00003");

    // A To that is no number halts the scan without unticking it; it resumes by itself.
    w.txtTo->setText(QString());
    rig.advance(299 * 3);
    EXPECT_EQ(text(w.txtFreq), "1270.00003");
    EXPECT_TRUE(w.chkScan->isChecked());
    w.txtTo->setText(QStringLiteral("1300"));
    rig.advance(299);
    EXPECT_EQ(text(w.txtFreq), "1270.00004");

    // Any key stops the scan, and the key goes on to its field; the focus moves to Go.
    w.txtFrom->setFocus();
    QTest::keyClick(w.txtFrom, Qt::Key_5);
    EXPECT_FALSE(w.chkScan->isChecked());
    EXPECT_EQ(text(w.txtFrom), "12405");
    EXPECT_TRUE(w.Command1->hasFocus());
    rig.advance(299 * 3);
    EXPECT_EQ(text(w.txtFreq), "1270.00004");

    // Closing the panel ends the scan.
    w.txtFrom->setText(QStringLiteral("1240"));
    w.chkScan->setChecked(true);
    rig.advance(299);
    EXPECT_EQ(text(w.txtFreq), "1270.00005");
    w.hide();
    rig.advance(299 * 3);
    EXPECT_EQ(text(w.txtFreq), "1270.00005");
}

// Scanning past what the rig can be tuned to (a Yaesu takes at most 999.99999 MHz): the refusal
// stops the scan first, so the message box, whose event loop goes on running the panel's timer,
// is the only one. It used to open a box for nearly every tick with Scan still ticked.
TEST(TuningPanel, ARefusedFrequencyStopsTheScanBeforeItsOneMessage) {
    PolledRig rig("Yaesu");
    ASSERT_TRUE(rig.ts->rig.Polling());
    frmRigTune w(*rig.ts);
    w.show();
    w.txtFrom->setText(QStringLiteral("999.9"));
    w.txtTo->setText(QStringLiteral("1300"));
    w.txtFreq->setText(QStringLiteral("999.99998"));
    w.chkScan->setChecked(true);
    auto& dialogs = rig.ts.fakes.dialogs;
    std::vector<bool> scanningBehindABox;
    bool inBox = false;
    dialogs.onMessage = [&](const fakes::MessageCall&) {
        scanningBehindABox.push_back(w.chkScan->isChecked());
        if (inBox) return;
        inBox = true;
        rig.advance(299 * 10);  // the box's own event loop, open for three seconds
        inBox = false;
    };
    rig.advance(299);  // 999.99999: taken
    EXPECT_TRUE(dialogs.messages.empty());
    rig.advance(299);  // 1000: refused
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Error Changing Frequency");
    EXPECT_EQ(scanningBehindABox, std::vector<bool>{false});
    EXPECT_FALSE(w.chkScan->isChecked());
    rig.advance(299 * 5);
    EXPECT_EQ(text(w.txtFreq), "1000.");
    EXPECT_EQ(dialogs.messages.size(), 1u);

    // Ticked again, the scan goes on from the range's start.
    w.txtFreq->setText(QStringLiteral("999.9"));
    w.chkScan->setChecked(true);
    rig.advance(299);
    EXPECT_EQ(text(w.txtFreq), "999.90001");
}

TEST(TuningPanel, EachScanStepOptionMovesTheFrequencyByItsStep) {
    struct Case {
        int option;  // Option1 .. Option5
        const char* caption;
        const char* afterOneTick;  // from 14 MHz
        const char* sent;
    };
    const Case cases[] = {
        {0, "500 Hz", "14.0005", "FA00014000500;"},  {1, "100 Hz", "14.0001", "FA00014000100;"},
        {2, "30 Hz", "14.00003", "FA00014000030;"},  {3, "10 Hz", "14.00001", "FA00014000010;"},
        {4, "2.5 KHz", "14.0025", "FA00014002500;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        PolledRig rig;
        frmRigTune w(*rig.ts);
        w.show();
        QRadioButton* option = w.Option[static_cast<size_t>(c.option)];
        EXPECT_EQ(fromQ(option->text()), c.caption);
        QTest::mouseClick(option, Qt::LeftButton);
        ASSERT_TRUE(option->isChecked());
        w.txtFreq->setText(QStringLiteral("14"));
        w.chkScan->setChecked(true);
        rig.advance(299);  // one scan tick
        EXPECT_EQ(text(w.txtFreq), c.afterOneTick);
        w.chkScan->setChecked(false);
        rig.advance(2000);
        ASSERT_FALSE(rig.frequencyCommands().empty());
        EXPECT_EQ(rig.frequencyCommands().back(), c.sent);
    }
}

TEST(TuningPanel, CtrlGOpensItModallyAndEveryOpeningStartsAfresh) {
    rig::ui::RegisterRigWindows();
    LoggingWindowFixture f(true);
    auto& w = f.open();
    w.show();
    int opened = 0;
    for (int i = 0; i < 2; ++i) {
        auto answer = testsupport::AnswerModal<frmRigTune>([&](frmRigTune& panel) {
            ++opened;
            EXPECT_EQ(text(panel.txtFreq), "");
            EXPECT_EQ(text(panel.txtFrom), "1.8");
            EXPECT_EQ(text(panel.txtTo), "54");
            EXPECT_TRUE(panel.Option[3]->isChecked());
            EXPECT_FALSE(panel.chkScan->isChecked());
            panel.txtFreq->setText(QStringLiteral("7"));
            QTest::mouseClick(panel.cmdDone, Qt::LeftButton);
        });
        QTest::keyClick(w.txtCall, Qt::Key_G, Qt::ControlModifier);
    }
    EXPECT_EQ(opened, 2);
    auto& tools = window::ui::ToolWindows::instance();
    EXPECT_FALSE(tools.isLoaded(window::ToolWindow::frmRigTune));
    tools.unloadAll();
    for (auto t : {window::ToolWindow::RigControlfrm, window::ToolWindow::frmBandPlan, window::ToolWindow::frmRigTune})
        tools.unregisterFactory(t);
}

// --- Raw-command window -----------------------------------------------------------------------

TEST(RawCommandWindow, SendsTheCommandAsTypedOrAsHexBytesAndShowsEveryFailure) {
    PolledRig rig;
    frmFrequencyTest w(*rig.ts);
    EXPECT_EQ(text(w.Text1), "FA00028475000;");
    EXPECT_EQ(text(w.Text2), "28.475");
    EXPECT_FALSE(w.Check1->isChecked());
    auto& messages = rig.ts.fakes.dialogs.messages;
    rig.port.onWrite = nullptr;

    auto sent = [&](auto&& act) {
        const size_t before = rig.port.written.size();
        act();
        return rig.port.written.substr(before);
    };
    EXPECT_EQ(sent([&] { QTest::mouseClick(w.Command1, Qt::LeftButton); }), "FA00028475000;");
    w.Text1->setText(QStringLiteral("  IF;  "));
    EXPECT_EQ(sent([&] { QTest::mouseClick(w.Command1, Qt::LeftButton); }), "IF;");
    w.Check1->setChecked(true);
    w.Text1->setText(QStringLiteral("fe FE 64 e0 0"));
    EXPECT_EQ(sent([&] { QTest::mouseClick(w.Command1, Qt::LeftButton); }), std::string("\xFE\xFE\x64\xE0\x00", 5));
    EXPECT_TRUE(messages.empty());

    struct Failure {
        const char* text;
        bool hex;
        const char* says;
    };
    const Failure failures[] = {
        {"FE XY 03", true, "\"XY\" is not a pair of hexadecimal digits"},
        {"   ", false, "Nothing was sent"},
    };
    for (const auto& c : failures) {
        w.Check1->setChecked(c.hex);
        w.Text1->setText(QString::fromLatin1(c.text));
        messages.clear();
        EXPECT_EQ(sent([&] { QTest::mouseClick(w.Command1, Qt::LeftButton); }), "") << c.text;
        ASSERT_EQ(messages.size(), 1u) << c.text;
        EXPECT_NE(messages[0].prompt.find(c.says), std::string::npos) << messages[0].prompt;
        EXPECT_EQ(messages[0].title, "Test Change Frequency Function");
    }

    // The frequency Send tunes through the program's own command.
    messages.clear();
    EXPECT_NE(sent([&] {
                  QTest::mouseClick(w.Command2, Qt::LeftButton);
                  rig.advance(1000);
              }).find("FA00028475000;"),
              std::string::npos);
    w.Text2->setText(QStringLiteral("28,4"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].prompt.find("\"28,4\" is not a frequency"), std::string::npos);

    // With the port closed, both buttons say so.
    rig.ts->rig.EndTest();
    messages.clear();
    w.Check1->setChecked(false);
    w.Text1->setText(QStringLiteral("FA;"));
    w.Text2->setText(QStringLiteral("7.025"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].prompt.find("not sent"), std::string::npos) << messages[0].prompt;
    EXPECT_NE(messages[1].prompt.find("no longer being polled"), std::string::npos) << messages[1].prompt;
}
