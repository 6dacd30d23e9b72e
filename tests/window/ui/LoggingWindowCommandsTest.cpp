#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <functional>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "platform/qt/Text.h"
#include "station/ui/Form6.h"
#include "support/qt/AnswerModal.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using namespace window;
using platform::qt::fromQ;

namespace {
// The voice keyer as the window's keys reach it through the session's keyers.
struct RecordingVoice : keying::VoiceKeyerPort {
    std::vector<std::string> calls;
    void FKeyPhone(int code) override { calls.push_back("FKeyPhone " + std::to_string(code)); }
    void StopPhoneRepeatTimer() override {}
    bool VoicePlaying() const override { return false; }
    void StopVoice() override {}
};

// The session's CW keyer keying RTS of COM1 at 13 WPM.
keying::Keyers& cwOnRts(LoggingWindowFixture& f) {
    auto& keyers = f.ts->keyers;
    keyers.cw.settings().comPort = "1";
    keyers.SetCWInterface(1);
    return keyers;
}

// F1 sends "CQ FL W4XYZ" with the keying clock held, so the C stays in the middle of being
// keyed until the test lets the clock go; false when the keyer never started.
bool keyingTheFirstCharacterOfF1(LoggingWindowFixture& f, ui::LoggingWindow& w) {
    f.ts->keyers.cw.settings().messages[0] = "CQ FL W4XYZ";
    f.ts.fakes.keyingClock.setManual(true);
    w.show();
    QTest::keyClick(w.txtCall, Qt::Key_F1);
    return f.ts.fakes.keyingClock.waitForSleeper();
}

// The RTS edges keying `text` from the clock's start gives.
std::vector<fakes::KeyEdge> rtsEdges(const std::string& text) {
    std::vector<fakes::KeyEdge> edges;
    for (const auto& e : keying::ScheduleText(text, 1200.0 / 13, 0).edges) edges.push_back({e.atNs, 'R', e.down});
    return edges;
}

std::vector<std::string> backupFiles(TestSession& ts) {
    if (!std::filesystem::exists(ts->folders.BackupFolder())) return {};
    return ts.fakes.files.list(ts->folders.BackupFolder());
}
}  // namespace

TEST(LoggingWindowClose, ACloseWhileCwIsSentIsRefusedAndEmptiesTheBufferTheNextOneCloses) {
    LoggingWindowFixture f(false);
    auto& keyers = cwOnRts(f);
    auto& clock = f.ts.fakes.keyingClock;
    auto& w = f.open();
    ASSERT_TRUE(keyingTheFirstCharacterOfF1(f, w));
    EXPECT_EQ(keyers.keyer.CWSending, 1);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(keyers.keyer.CWBuffer, "");
    EXPECT_FALSE(f.ts.fakes.exit.ended());

    clock.setManual(false);  // the C is finished, nothing after it
    ASSERT_TRUE(f.ts.fakes.scheduler.runPostedUntil([&] { return keyers.keyer.CWSending == 0; }));
    EXPECT_EQ(f.ts.fakes.keyLines.snapshot("COM1").edges, rtsEdges("C"));
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(f.ts.fakes.exit.ended());
    EXPECT_FALSE(f.ts.fakes.keyLines.snapshot("COM1").open);
}

TEST(LoggingWindowClose, ClosingBacksUpAnEditedLogAndSavesTheRunningClockAfterIt) {
    LoggingWindowFixture f(true);
    auto& w = f.open();
    // An edit keeps the count as it was at load; the log changed all the same.
    f.ts->log.at(2).Call = "VE3BBB";
    ASSERT_TRUE(station::RewriteLog(*f.ts));
    f.ts->contest.clock.LoggedOn = true;
    f.ts->RunningSeconds = 3723;
    w.close();
    const auto copies = backupFiles(f.ts);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(readFileBytes(std::filesystem::path(f.ts->folders.BackupFolder()) / copies[0]).find("VE3BBB"),
              std::string::npos);
    station::StationProfile stored;
    ASSERT_TRUE(station::ReadPreferencesText(f.ts.readProgramFile("QSOpref.txt"), stored));
    EXPECT_FLOAT_EQ(stored.OperatingSeconds, 3723);
    EXPECT_FALSE(f.ts->contest.clock.LoggedOn);
    // The facade forwards nothing once the window is gone.
    f.ts->Form1.BandFreqConversion(21.2f);
    EXPECT_EQ(f.ts->profile.CurrentBand, "40");
}

TEST(LoggingWindowClose, NoEventOfTheDyingWindowsFieldsReachesItsEntryLineHandling) {
    // While the window's destructor deletes its child fields they still get events (focus
    // leaving, hide); the entry line's handling of them calls into the window, which by then is
    // half destroyed. Its filter must be gone before the first field goes.
    for (bool out : {false, true}) {
        LoggingWindowFixture f(out);
        auto& w = f.open();
        w.show();
        w.txtCall->setFocus();
        ASSERT_NE(w.entry.filter, nullptr);
        QPointer<QObject> filter = w.entry.filter;
        std::vector<bool> filterAliveAsFieldWent;
        for (QLineEdit* e : {w.txtCall, w.txtRSTR, w.txtSec})
            QObject::connect(e, &QObject::destroyed, [&] { filterAliveAsFieldWent.push_back(!filter.isNull()); });
        f.window.reset();
        EXPECT_EQ(filterAliveAsFieldWent, std::vector<bool>(3, false)) << (out ? "out-of-state" : "in-state");
    }
}

TEST(LoggingWindowCommands, ColoursChosenAreStoredForTheNextStart) {
    LoggingWindowFixture f(false);
    auto& w = f.open();
    // The real chooser, driven while it is shown modally: both colours picked, then Done.
    ui::ToolWindows::instance().registerFactory(ToolWindow::Form6, [&](Session& s, QWidget* parent) -> QWidget* {
        auto* chooser = new Form6(s, parent);
        chooser->Form_Load();
        return chooser;
    });
    f.ts.fakes.dialogs.colorAnswers = {0x0000FF, 0xFF0000};
    auto answer = testsupport::AnswerModal<Form6>([](Form6& chooser) {
        chooser.Command1_Click();
        chooser.Command3_Click();
        chooser.Command6_Click();
    });
    w.mnuColors_Click();
    ui::ToolWindows::instance().unregisterFactory(ToolWindow::Form6);
    EXPECT_EQ(f.ts->profile.RemainingColor, 0x0000FF);
    station::StationProfile stored;
    ASSERT_TRUE(station::ReadPreferencesText(f.ts.readProgramFile("QSOpref.txt"), stored));
    EXPECT_EQ(stored.RemainingColor, 0x0000FF);
    EXPECT_EQ(stored.WorkedColor, 0xFF0000);
}

TEST(LoggingWindowClose, DeletingTheOnlyContactThenClosingMakesNoBackup) {
    LoggingWindowFixture f(true);
    station::ContactRecord only;
    only.Call = "N2AA";
    only.RstSent = only.RstReceived = "599";
    only.County = "Alachua";
    only.QsoDate = "2026/04/25";
    only.QsoTime = "16:00:00";
    only.Mode = "CW";
    only.Band = "40";
    f.ts.writeProgramFile("log.txt", station::ContactLine(only));
    auto& w = f.open();
    ASSERT_EQ(f.ts->log.ContactCount(), 1);
    ASSERT_TRUE(station::DeleteQso(*f.ts, 1));
    w.close();
    EXPECT_TRUE(f.ts.fakes.exit.ended());
    EXPECT_TRUE(backupFiles(f.ts).empty());  // a copy of an empty log would restore as nothing
}

TEST(LoggingWindowClose, ExitSavesTheOperatingTimeAndEndsWithoutABackup) {
    LoggingWindowFixture f(false);
    auto& w = f.open();
    f.ts->log.at(1).Call = "N2AAA";
    station::RewriteLog(*f.ts);
    f.ts->contest.clock.LoggedOn = true;
    f.ts->RunningSeconds = 600;
    w.menuItem("mnuExit")->trigger();
    EXPECT_TRUE(f.ts.fakes.exit.ended());
    EXPECT_FLOAT_EQ(f.ts->profile.OperatingSeconds, 600);
    EXPECT_NE(f.ts.readProgramFile("QSOpref.txt"), "");
    EXPECT_TRUE(backupFiles(f.ts).empty());
}

// Exit while a CW message is keyed: the key goes up and its line closes at once, the rest of
// the message is dropped, and nothing is keyed afterwards.
TEST(LoggingWindowClose, ExitWhileCwIsSentLetsTheKeyUpAndKeysNothingMore) {
    LoggingWindowFixture f(false);
    auto& keyers = cwOnRts(f);
    auto& clock = f.ts.fakes.keyingClock;
    auto& w = f.open();
    ASSERT_TRUE(keyingTheFirstCharacterOfF1(f, w));
    ASSERT_TRUE(f.ts.fakes.keyLines.snapshot("COM1").keyed());
    w.menuItem("mnuExit")->trigger();
    EXPECT_TRUE(f.ts.fakes.exit.ended());
    const auto atExit = f.ts.fakes.keyLines.snapshot("COM1");
    EXPECT_FALSE(atExit.keyed());
    EXPECT_FALSE(atExit.open);
    EXPECT_EQ(keyers.keyer.CWBuffer, "");
    EXPECT_EQ(keyers.keyer.CWSending, 0);
    // The keying of the message ended with the run: nothing is left asleep in the keying clock
    // to key the rest once time runs on.
    EXPECT_FALSE(clock.waitForSleeper(0));
    clock.setManual(false);
}

// Every way the run ends gives a polled rig its closing bytes and closes its port: a five-byte
// Yaesu's opening bytes lock its front panel and only 00 00 00 00 80 unlocks it. Exit ended the
// program without them.
TEST(LoggingWindowClose, EveryWayTheRunEndsUnlocksTheRadioAndClosesItsPort) {
    struct Case {
        const char* way;
        bool outOfState;
    };
    const Case cases[] = {{"Exit", false}, {"Exit", true}, {"close box", false}, {"close box", true}};
    const std::string unlock("\0\0\0\0\x80", 5);
    for (const auto& c : cases) {
        LoggingWindowFixture f(c.outOfState);
        auto& w = f.open();
        f.ts->profile.RigType = "Yaesu";
        f.ts->rig.LoadRigSettings();
        ASSERT_EQ(f.ts->rig.Test(), rig::TestResult::Polling) << c.way;
        auto& port = f.ts.fakes.serial.device(1);
        ASSERT_EQ(port.written.substr(0, 5), std::string(5, '\0'));  // the lock
        if (std::string(c.way) == "Exit") w.menuItem("mnuExit")->trigger();
        else w.close();
        EXPECT_TRUE(f.ts.fakes.exit.ended()) << c.way;
        ASSERT_GE(port.written.size(), 5u);
        EXPECT_EQ(port.written.substr(port.written.size() - 5), unlock) << c.way << " " << c.outOfState;
        EXPECT_FALSE(port.open) << c.way << " " << c.outOfState;
        EXPECT_FALSE(f.ts->rig.Polling());
    }
}

TEST(LoggingWindowCommands, NewErasesOnlyOnYesButAlwaysReloadsAndSaves) {
    struct Case {
        const char* answer;
        int contactsAfter;
    };
    for (const Case c : {Case{"YES", 0}, Case{"yes", 0}, Case{"no", 3}, Case{"", 3}}) {
        LoggingWindowFixture f(false);
        auto& w = f.open();
        std::filesystem::remove(f.ts.programPath("QSOpref.txt"));
        f.ts.fakes.dialogs.inputAnswers = {c.answer};
        w.menuItem("mnuNew")->trigger();
        EXPECT_EQ(f.ts->log.ContactCount(), c.contactsAfter) << c.answer;
        EXPECT_EQ(w.ListView1->topLevelItemCount(), c.contactsAfter) << c.answer;
        EXPECT_NE(f.ts.readProgramFile("QSOpref.txt"), "") << c.answer;
        EXPECT_EQ(backupFiles(f.ts).size(), c.contactsAfter == 0 ? 1u : 0u) << c.answer;
    }
}

TEST(LoggingWindowCommands, CopyRecallAndListPrevious) {
    LoggingWindowFixture f(true);
    auto& w = f.open();
    w.menuItem("mnuCopyListtoClipboard")->trigger();
    const std::string text = f.ts.fakes.clipboard.contents;
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Rec#\tCall\tRec\tCounty\tSnt\tDate/Time\tMo\tBnd");
    EXPECT_LT(text.find("N2AA"), text.find("VE3BB"));  // oldest first
    EXPECT_LT(text.find("VE3BB"), text.find("W5CC"));

    w.show();
    w.txtSec->setText("Alachua");
    w.menuItem("mnuRecall")->trigger();
    EXPECT_EQ(fromQ(w.txtCall->text()), "W5CC");
    EXPECT_EQ(fromQ(w.txtSec->selectedText()), "Alachua");

    for (int expected : {1, 0}) {
        std::filesystem::remove(f.ts.programPath("QSOpref.txt"));
        w.menuItem("mnuListPrevious")->trigger();
        EXPECT_EQ(f.ts->profile.ListPrevious, expected);
        EXPECT_EQ(w.menuItem("mnuListPrevious")->isChecked(), expected == 1);
        EXPECT_NE(f.ts.readProgramFile("QSOpref.txt"), "");
    }
}

TEST(LoggingWindowKeys, FieldsNeverGetQuotesAndAHotkeyDoesNotEatTheNextLetter) {
    LoggingWindowFixture f(false);
    auto& w = f.open();
    w.show();
    w.txtCall->setFocus();
    QTest::keyClick(w.txtCall, Qt::Key_C, Qt::ControlModifier);  // a hotkey with no window behind it yet
    QTest::keyClicks(w.txtCall, "W1'A\"W");
    EXPECT_EQ(fromQ(w.txtCall->text()), "W1AW");

    QTest::keyClick(w.txtCall, Qt::Key_Escape);
    EXPECT_EQ(fromQ(w.txtCall->text()), "");

    // With text selected, Ctrl+C is still the CW keyer's hotkey: the field copies nothing.
    int opened = 0;
    ui::ToolWindows::instance().registerFactory(ToolWindow::CWFrm, [&](Session&, QWidget*) -> QWidget* {
        ++opened;
        return nullptr;
    });
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    w.txtCall->setText(QStringLiteral("K1ABC"));
    w.txtCall->selectAll();
    QTest::keyClick(w.txtCall, Qt::Key_C, Qt::ControlModifier);
    ui::ToolWindows::instance().unregisterFactory(ToolWindow::CWFrm);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    EXPECT_EQ(fromQ(w.txtCall->text()), "K1ABC");
}

TEST(LoggingWindowKeys, NoFieldTakesQuotesOrControlCharactersFromPasteOrFromOtherWindows) {
    LoggingWindowFixture f(false);
    auto& w = f.open();
    w.show();
    w.mnuPostContest_Click();  // the date and time fields too
    struct Source {
        const char* name;
        std::function<void(QLineEdit*, const QString&)> put;
    };
    const Source sources[] = {
        {"context-menu paste",
         [](QLineEdit* e, const QString& t) {
             QGuiApplication::clipboard()->setText(t);
             e->paste();
         }},
        {"another window writing the field", [](QLineEdit* e, const QString& t) { e->setText(t); }},
        {"insert at the caret", [](QLineEdit* e, const QString& t) { e->insert(t); }},
    };
    for (QLineEdit* field : {w.txtCall, w.txtRSTR, w.txtCntry, w.txtSec, w.txtRSTS, w.txtPostConDate, w.txtPostConTime}) {
        field->setEnabled(true);
        field->setMaxLength(30);
        for (const auto& source : sources) {
            field->clear();
            std::vector<QString> seen;  // what the field's change handling is given
            auto spy = QObject::connect(field, &QLineEdit::textChanged, [&](const QString& t) { seen.push_back(t); });
            source.put(field, QStringLiteral("1'2\"3\t4\r\n5\x7f" "6"));
            QObject::disconnect(spy);
            EXPECT_EQ(fromQ(field->text()).substr(0, 6), "123456") << fromQ(field->objectName()) << ": " << source.name;
            for (const auto& t : seen) {
                EXPECT_FALSE(t.contains('"') || t.contains('\'') || t.contains('\t') || t.contains('\n'))
                    << fromQ(field->objectName()) << ": " << source.name << " showed " << fromQ(t);
            }
        }
    }
    // The caret stays after the same characters when a quote is taken out before it.
    w.txtCntry->setText(QStringLiteral("NY"));
    w.txtCntry->setCursorPosition(1);
    w.txtCntry->insert(QStringLiteral("\"X"));
    EXPECT_EQ(fromQ(w.txtCntry->text()), "NXY");
    EXPECT_EQ(w.txtCntry->cursorPosition(), 2);
}

TEST(LoggingWindowKeys, KeysOfTheMenuBarInKeyboardNavigationStayWithTheMenus) {
    LoggingWindowFixture f(false);
    auto& keyers = cwOnRts(f);
    keyers.cw.settings().messages[0] = "TEST";
    auto& w = f.open();
    w.show();
    w.txtCall->setText(QStringLiteral("K1AB"));
    // Alt pressed and let go puts the focus on the menu bar; Esc there only leaves the menus.
    QTest::keyClick(w.menuBar(), Qt::Key_Escape);
    QTest::keyClick(w.menuBar(), Qt::Key_F1);
    EXPECT_EQ(fromQ(w.txtCall->text()), "K1AB");
    EXPECT_EQ(keyers.keyer.CWSending, 0);
    EXPECT_TRUE(f.ts.fakes.keyLines.openings().empty());

    // The menu bar taking the focus is not the operator leaving the call field.
    w.txtCall->setFocus();
    QApplication::processEvents();
    w.menuBar()->setFocus(Qt::MenuBarFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(fromQ(w.txtRSTR->text()), "");
}

TEST(LoggingWindowKeys, FunctionKeysSendTheirMessagesThroughTheKeyingWorkerAndF12SwitchesKeyboardCw) {
    LoggingWindowFixture f(true);
    auto& keyers = cwOnRts(f);
    keyers.cw.settings().messages[1] = "TU";
    keyers.cw.settings().messages[9] = "73";
    auto& clock = f.ts.fakes.keyingClock;
    auto& scheduler = f.ts.fakes.scheduler;
    clock.setManual(true);
    auto& w = f.open();
    w.show();
    QTest::keyClick(w.txtCall, Qt::Key_F2);
    ASSERT_TRUE(clock.waitForSleeper());        // the T is being keyed
    QTest::keyClick(w.txtCall, Qt::Key_F10);    // cuts the rest of TU
    clock.setManual(false);
    ASSERT_TRUE(scheduler.runPostedUntil([&] { return keyers.keyer.CWSending == 0; }));
    EXPECT_EQ(f.ts.fakes.keyLines.snapshot("COM1").edges, rtsEdges("T73"));
    EXPECT_EQ(fromQ(w.lblDialog->text()), "");

    QTest::keyClick(w.txtCall, Qt::Key_F12);
    EXPECT_EQ(fromQ(w.lblDialog->text()), "Keyboard CW mode is ON!  Press F12 to exit.");
    clock.setManual(true);
    QTest::keyClicks(w.txtCall, "cq");
    EXPECT_EQ(fromQ(w.txtCall->text()), "");
    clock.setManual(false);
    ASSERT_TRUE(scheduler.runPostedUntil([&] { return keyers.keyer.CWSending == 0; }));
    const auto edges = f.ts.fakes.keyLines.snapshot("COM1").edges;
    ASSERT_EQ(edges.size(), rtsEdges("T73").size() + rtsEdges("CQ").size());
    // The pump's own reminder at its end.
    EXPECT_EQ(fromQ(w.lblDialog->text()), "Keyboard CW Mode is on.  Press F12 to exit.");
    QTest::keyClick(w.txtCall, Qt::Key_F12);
    EXPECT_EQ(fromQ(w.lblDialog->text()), "");
    QTest::keyClicks(w.txtCall, "k1");
    EXPECT_EQ(fromQ(w.txtCall->text()), "K1");  // typed into the call field again, upper-cased there
}

// "$" and "*" in a message key the call and the report sent as their fields hold them: a
// report other than 599 is sent as typed.
TEST(LoggingWindowKeys, TheCallAndReportInACwMessageAreKeyedAsTyped) {
    LoggingWindowFixture f(true);
    auto& keyers = cwOnRts(f);
    keyers.cw.settings().messages[1] = "$ *";
    auto& w = f.open();
    w.show();
    QTest::keyClicks(w.txtCall, "w1aw");
    QTest::keyClicks(w.txtRSTS, "579");
    ASSERT_EQ(fromQ(w.txtCall->text()), "W1AW");
    ASSERT_EQ(fromQ(w.txtRSTS->text()), "579");
    QTest::keyClick(w.txtRSTS, Qt::Key_F2);
    ASSERT_TRUE(f.ts.fakes.scheduler.runPostedUntil([&] { return keyers.keyer.CWSending == 0; }));
    EXPECT_EQ(f.ts.fakes.keyLines.snapshot("COM1").edges, rtsEdges("W1AW 579"));
}

TEST(LoggingWindowKeys, AKeyTheFieldIgnoresIsHandledOnceNotAgainByItsParents) {
    LoggingWindowFixture f(false);
    f.ts->profile.CurrentMode = "PH";
    RecordingVoice voice;
    f.ts->keyers.voice = &voice;
    auto& w = f.open();
    w.show();
    QTest::keyClick(w.txtCall, Qt::Key_F3);  // the field ignores F3, so its parents are offered it
    QTest::keyClick(w.txtCall, Qt::Key_F3);
    EXPECT_EQ(voice.calls, (std::vector<std::string>{"FKeyPhone 114", "FKeyPhone 114"}));
}

TEST(LoggingWindowMouse, MovingOverTheBackgroundClearsThePartialDuplicates) {
    LoggingWindowFixture f(false);
    auto& w = f.open();
    w.show();
    w.lblDupe->setText("W1AW K1AW");
    QTest::mouseMove(w.lblDupe);  // over a control: nothing
    EXPECT_EQ(fromQ(w.lblDupe->text()), "W1AW K1AW");
    // Between the report-sent field and the "New" marker lies bare background.
    const QPoint gap = w.txtRSTS->geometry().topRight() + QPoint(2, 2);
    ASSERT_EQ(w.centralWidget()->childAt(gap), nullptr);
    QTest::mouseMove(w.centralWidget(), gap);
    EXPECT_EQ(fromQ(w.lblDupe->text()), "");
}

TEST(LoggingWindowKeys, AFieldAddedAfterTheWindowWasBuiltIsCoveredToo) {
    LoggingWindowFixture f(true);
    auto& w = f.open();
    w.show();
    auto* later = new QLineEdit(w.centralWidget());
    later->show();
    QTest::keyClicks(later, "K'1\"A");
    EXPECT_EQ(fromQ(later->text()), "K1A");
}
