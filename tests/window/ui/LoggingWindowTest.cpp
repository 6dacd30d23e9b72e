#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/qt/Text.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/OpenLoggingWindow.h"
#include "rig/ui/RigControlfrm.h"
#include "window/ui/ToolWindows.h"

using namespace window;
using platform::qt::fromQ;

namespace {
std::string text(QLabel* l) { return fromQ(l->text()); }

void trigger(ui::LoggingWindow& w, const char* item) {
    QAction* a = w.menuItem(item);
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
}
}  // namespace

class BothWindows : public ::testing::TestWithParam<bool> {};

TEST_P(BothWindows, LoadsTheLogAndSwitchesBandAndModeFromTheMenusIntoTheProfile) {
    const bool out = GetParam();
    LoggingWindowFixture f(out);
    auto& w = f.open();

    // The start-up question came before the log was read.
    ASSERT_FALSE(f.ts.fakes.dialogs.messages.empty());
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "Open existing log?");
    EXPECT_EQ(f.ts->log.ContactCount(), 3);
    ASSERT_EQ(w.ListView1->topLevelItemCount(), 3);
    EXPECT_EQ(fromQ(w.ListView1->topLevelItem(0)->text(1)), "W5CC");  // newest first
    EXPECT_EQ(fromQ(w.ListView1->topLevelItem(0)->text(0)), "3");
    EXPECT_EQ(w.ListView1->columnCount(), out ? 8 : 9);
    EXPECT_FALSE(w.cmdEdit->isVisibleTo(&w));
    EXPECT_EQ(text(w.Label24), "40");
    EXPECT_EQ(text(w.Label30), "CW");
    EXPECT_TRUE(w.menuItem("mnuBand40Ch")->isChecked());
    EXPECT_TRUE(w.menuItem("mnu160")->isChecked());
    EXPECT_EQ(text(w.lblDialog), out ? "Select a band and mode. Click Log \"Time On\" below!"
                                     : "Select a band, mode and Click Log \"Time On\"!");
    EXPECT_GT(f.ts->counties.CountyCount(), 60);

    trigger(w, "mnuBand20Ch");
    trigger(w, "mnuSSB");
    EXPECT_EQ(text(w.Label24), "20");
    EXPECT_EQ(text(w.Label30), "PH");
    EXPECT_TRUE(w.menuItem("mnuBand20Ch")->isChecked());
    EXPECT_FALSE(w.menuItem("mnuBand40Ch")->isChecked());
    EXPECT_TRUE(w.menuItem("mnuSSB")->isChecked());
    EXPECT_FALSE(w.menuItem("mnu160")->isChecked());
    EXPECT_EQ(w.txtRSTR->maxLength(), 2);
    EXPECT_EQ(w.txtRSTS->maxLength(), 2);

    station::StationProfile stored;
    ASSERT_TRUE(station::ReadPreferencesText(f.ts.readProgramFile("QSOpref.txt"), stored));
    EXPECT_EQ(stored.CurrentBand, "20");
    EXPECT_EQ(stored.CurrentMode, "PH");

    // The labels cycle too: 20 -> 15, PH -> CW.
    QTest::mouseClick(w.Label24, Qt::LeftButton);
    QTest::mouseClick(w.Label30, Qt::LeftButton);
    EXPECT_EQ(f.ts->profile.CurrentBand, "15");
    EXPECT_EQ(f.ts->profile.CurrentMode, "CW");
    EXPECT_EQ(w.txtRSTS->maxLength(), 3);
}

INSTANTIATE_TEST_SUITE_P(InAndOutOfState, BothWindows, ::testing::Bool());

TEST(LoggingWindowLoad, InStateBuildsTheGridAndFollowsTheOwnCountyOutOfStateShowsItsState) {
    LoggingWindowFixture in(false);
    auto& w = in.open();
    EXPECT_EQ(text(w.Label10[1]), "CT");
    EXPECT_EQ(fromQ(w.Label10[53]->toolTip()), "Newfoundland / Labrador");
    EXPECT_EQ(text(w.Label10[67]), "YT");
    EXPECT_EQ(text(w.lblStation[4]), "FL County");
    EXPECT_EQ(text(w.Label25), "Alachua");
    EXPECT_EQ(in.ts->contest.CWCounty, "ALACHUA");
    EXPECT_FALSE(w.menuItem("mnuChangeCounty")->isEnabled());  // not a rover
    EXPECT_EQ(w.txtRSTR->maxLength(), 3);

    LoggingWindowFixture rover(false);
    rover.ts->profile.RoverFlag = 1;
    rover.ts->contest.PartialDupesOn = false;
    auto& r = rover.open();
    EXPECT_TRUE(r.menuItem("mnuChangeCounty")->isEnabled());
    ASSERT_EQ(r.ListView1->columnCount(), 10);
    EXPECT_EQ(fromQ(r.ListView1->headerItem()->text(9)), "County Sent");
    EXPECT_TRUE(rover.ts->contest.PartialDupesOn);  // every load turns the partial list on

    LoggingWindowFixture out(true);
    out.ts->profile.StationState = "";
    out.ts->profile.CurrentMode = "PH";
    auto& o = out.open();
    EXPECT_EQ(text(o.Label25), "USA");
    EXPECT_EQ(text(o.Label2), "K1ABC");
    EXPECT_EQ(o.txtRSTR->maxLength(), 2);
    EXPECT_EQ(o.menuItem("mnuChangeCounty"), nullptr);
    EXPECT_FALSE(o.menuItem("mnuColors")->isEnabled());
    EXPECT_EQ(out.ts->contest.CWCounty, "");
}

TEST(LoggingWindowLoad, StoredBandAndModeAreRestoredIgnoringCaseAndUnknownValuesCheckNothing) {
    LoggingWindowFixture f(false);
    f.ts->profile.CurrentMode = "ph";
    f.ts->profile.CurrentBand = "2";
    auto& w = f.open();
    EXPECT_TRUE(w.menuItem("mnuSSB")->isChecked());
    EXPECT_EQ(text(w.Label24), "");  // the design text stays: no band is claimed until one is chosen
    for (const char* b : {"mnuBand160Ch", "mnuBand40Ch", "mnuBand20Ch", "mnuBand10Ch"})
        EXPECT_FALSE(w.menuItem(b)->isChecked()) << b;

    // A mode the menu does not offer, or none at all as on a first run: no item is ticked, as
    // nothing is logged until one is chosen.
    for (const char* mode : {"AM", ""}) {
        LoggingWindowFixture g(true);
        g.ts->profile.CurrentMode = mode;
        auto& o = g.open();
        for (const char* item : {"mnu160", "mnuSSB", "mnuDigital"}) EXPECT_FALSE(o.menuItem(item)->isChecked()) << mode;
        EXPECT_EQ(text(o.Label30), mode);
    }
}

TEST(LoggingWindowLoad, TheRigDialogLoadsHiddenAndTestsLastUnlessTheRigTypeIsNoneInAnyCase) {
    struct Case {
        const char* rigType;
        int starts;
    };
    for (const Case c : {Case{"None", 0}, Case{"none", 0}, Case{"NONE", 0}, Case{"Yaesu FT-1000MP", 1}, Case{"", 1}}) {
        LoggingWindowFixture f(false);
        f.ts->profile.RigType = c.rigType;
        int loads = 0;
        int contactsAtStart = -1;
        auto& tools = ui::ToolWindows::instance();
        tools.registerFactory(ToolWindow::RigControlfrm, [&](Session& s, QWidget* parent) -> QWidget* {
            ++loads;
            contactsAtStart = s.log.ContactCount();
            return new RigControlfrm(s, parent);
        });
        f.open();
        // Test ran on the hidden dialog: the port opened with the design settings.
        EXPECT_EQ(f.ts.fakes.serial.device(1).opens, c.starts) << c.rigType;
        EXPECT_EQ(loads, c.starts) << c.rigType;
        EXPECT_EQ(tools.isLoaded(ToolWindow::RigControlfrm), c.starts == 1) << c.rigType;
        if (c.starts) {
            EXPECT_FALSE(tools.loaded(ToolWindow::RigControlfrm)->isVisible());
            EXPECT_EQ(contactsAtStart, 3) << "the log is loaded before the rig starts";
        }
        tools.unloadAll();
        tools.unregisterFactory(ToolWindow::RigControlfrm);
    }
}

TEST(LoggingWindowLoad, AMissingCountyTableIsReportedAndTheLogIsStillLoaded) {
    LoggingWindowFixture f(false);
    std::filesystem::remove(f.ts.programPath("county2.txt"));
    auto& w = f.open();
    const auto& m = f.ts.fakes.dialogs.messages;
    ASSERT_GE(m.size(), 2u);
    EXPECT_EQ(m[0].title, "File Error");
    EXPECT_NE(m[0].prompt.find("county2.txt"), std::string::npos);
    EXPECT_EQ(m[1].title, "Open existing log?");
    EXPECT_EQ(f.ts->log.ContactCount(), 3);
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 3);
}

TEST(LoggingWindowLoad, AnsweringNoBacksUpTheLogBeforeItIsErased) {
    LoggingWindowFixture f(false);
    f.ts.fakes.dialogs.messageAnswers = {platform::MsgResult::No};
    f.ts.fakes.dialogs.inputAnswers = {"yes"};
    f.open();
    EXPECT_EQ(f.ts->log.ContactCount(), 0);
    EXPECT_EQ(f.ts.readProgramFile("log.txt"), "");
    const auto backups = f.ts.fakes.files.list(f.ts->folders.BackupFolder());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_NE(readFileBytes(std::filesystem::path(f.ts->folders.BackupFolder()) / backups[0]).find("VE3BB"),
              std::string::npos);
}

TEST(LoggingWindowBands, RigReadingsSwitchOnlyOnRealChangesAndKeepTheLastGoodFrequency) {
    LoggingWindowFixture f(true);
    auto& w = f.open();
    auto& form1 = f.ts->Form1;
    auto saves = [&] { return f.ts.readProgramFile("QSOpref.txt"); };

    form1.BandFreqConversion(14.2f);
    EXPECT_EQ(f.ts->profile.CurrentBand, "20");
    EXPECT_EQ(f.ts->contest.PendingFrequency, "14.200");
    std::filesystem::remove(f.ts.programPath("QSOpref.txt"));
    std::filesystem::remove(f.ts.programPath("log.txt"));  // a reload would now find no contacts
    form1.BandFreqConversion(14.25f);  // same band: no save, no reload
    EXPECT_EQ(saves(), "");
    EXPECT_EQ(f.ts->log.ContactCount(), 3);
    EXPECT_EQ(f.ts->contest.PendingFrequency, "14.250");
    form1.BandFreqConversion(0.0f);    // a rig that has not answered yet
    form1.BandFreqConversion(-1.0f);
    EXPECT_EQ(f.ts->contest.PendingFrequency, "14.250");
    form1.BandFreqConversion(10368.0f);
    EXPECT_EQ(f.ts->profile.CurrentBand, "20");
    form1.BandFreqConversion(3.6f);
    EXPECT_EQ(f.ts->profile.CurrentBand, "20");
    EXPECT_EQ(f.ts->contest.PendingFrequency, "3.600");
    form1.BandFreqConversion(21.715f);  // in no band: not a frequency to keep
    EXPECT_EQ(f.ts->contest.PendingFrequency, "3.600");

    form1.ModeSelection("ph");
    EXPECT_EQ(text(w.Label30), "PH");
    form1.ModeSelection("AM");
    EXPECT_EQ(f.ts->profile.CurrentMode, "PH");

    // Choosing the current band from the menu still saves.
    std::filesystem::remove(f.ts.programPath("QSOpref.txt"));
    trigger(w, "mnuBand20Ch");
    EXPECT_NE(saves(), "");
    EXPECT_TRUE(w.menuItem("mnuBand20Ch")->isChecked());
}

// The next contact stores the rig's reading only when it lies in the contact's band: a
// babbling rig read as 2397.472 MHz gives the 40 m contact no frequency.
TEST(LoggingWindowBands, AContactStoresNoRigFrequencyOfAnotherBand) {
    LoggingWindowFixture f(true);
    auto& w = f.open();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto logContact = [&](const char* call) {
        w.activateWindow();
        w.txtCall->setFocus();
        QTest::keyClicks(w.txtCall, call);
        QTest::keyClick(w.txtCall, Qt::Key_Space);
        QTest::keyClicks(QApplication::focusWidget(), "579");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClicks(QApplication::focusWidget(), "lee");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const auto records = station::ParseLog(f.ts.readProgramFile("log.txt"));
        return records.empty() ? station::ContactRecord{} : records.back();
    };
    f.ts->Form1.BandFreqConversion(2397.472);
    EXPECT_EQ(f.ts->profile.CurrentBand, "40");
    auto stored = logContact("k4abc");
    EXPECT_EQ(stored.Call, "K4ABC") << fromQ(w.lblDialog->text());
    EXPECT_EQ(stored.Band, "40");
    EXPECT_EQ(stored.Frequency, "");

    f.ts->Form1.BandFreqConversion(7.025);
    stored = logContact("k4abd");
    EXPECT_EQ(stored.Call, "K4ABD") << fromQ(w.lblDialog->text());
    EXPECT_EQ(stored.Frequency, "7.025");
}

TEST(LoggingWindowLayout, FormSizeAnswersAreStoredOnlyWhenNumeric) {
    struct Case {
        const char* answer;
        int stored;  // -1: refused
    };
    const Case cases[] = {{"150", 100}, {"10", 30}, {"-5", 30}, {"55.5", 56}, {"56.5", 56},
                          {"abc", -1},  {"", -1}};
    for (const auto& c : cases) {
        LoggingWindowFixture f(false);
        auto& w = f.open();
        f.ts->profile.FormSizePercent = 90;
        f.ts.fakes.dialogs.messages.clear();
        std::filesystem::remove(f.ts.programPath("QSOpref.txt"));
        f.ts.fakes.dialogs.inputAnswers = {c.answer};
        w.mnuFormSize_Click();
        ASSERT_EQ(f.ts.fakes.dialogs.inputs.back().defaultText, "90");
        ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u) << c.answer;
        if (c.stored < 0) {
            EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt, "Please enter only numeric values.") << c.answer;
            EXPECT_EQ(f.ts->profile.FormSizePercent, 90) << c.answer;
            EXPECT_EQ(f.ts.readProgramFile("QSOpref.txt"), "") << c.answer;
        } else {
            EXPECT_EQ(f.ts->profile.FormSizePercent, c.stored) << c.answer;
            EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title,
                      "For this setting to take effect please restart this program.");
            EXPECT_NE(f.ts.readProgramFile("QSOpref.txt"), "") << c.answer;
        }
    }
}

TEST(LoggingWindowLayout, TaskbarWorksOnlyAtFullSizeAndPlacesTheWindowInTheWorkArea) {
    LoggingWindowFixture f(false);
    f.ts.fakes.screen.workArea = {40 * 15.0, 0, 984 * 15.0, 768 * 15.0};  // a panel on the left
    auto& w = f.open();
    EXPECT_FALSE(w.menuItem("mnuTaskbar")->isChecked());
    w.mnuTaskbar_Click();
    EXPECT_EQ(f.ts->profile.ShowTaskbar, 1);
    EXPECT_TRUE(w.menuItem("mnuTaskbar")->isChecked());
    EXPECT_FLOAT_EQ(w.geometryTwips().left, 40 * 15.0f);
    EXPECT_FLOAT_EQ(w.geometryTwips().width, 984 * 15.0f);
    w.mnuTaskbar_Click();
    EXPECT_EQ(f.ts->profile.ShowTaskbar, 0);
    EXPECT_FLOAT_EQ(w.geometryTwips().left, 0);

    f.ts->profile.FormSizePercent = 90;
    f.ts.fakes.dialogs.messages.clear();
    w.mnuTaskbar_Click();
    EXPECT_EQ(f.ts->profile.ShowTaskbar, 0);
    EXPECT_FALSE(w.menuItem("mnuTaskbar")->isChecked());
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt,
              "The form size must be set to 100% to use the taskbar display option.");
}

TEST(LoggingWindowLayout, AStoredSizeBelowThirtyIsDrawnAtThirtyPercent) {
    LoggingWindowFixture f(true);
    f.ts->profile.FormSizePercent = 10;
    auto& w = f.open();
    EXPECT_FLOAT_EQ(w.geometryTwips().width, 1024 * 15.0f * 0.3f);
}

TEST(LoggingWindowLayout, BelowFullSizeTheWindowIsCentredAndTheTaskbarOptionOnlyShowsAsItsMark) {
    for (bool out : {false, true}) {
        LoggingWindowFixture f(out);
        f.ts->profile.FormSizePercent = 80;
        f.ts->profile.ShowTaskbar = 1;
        auto& w = f.open();
        const auto& g = w.geometryTwips();
        EXPECT_FLOAT_EQ(g.width, 1024 * 15.0f * 0.8f);
        EXPECT_FLOAT_EQ(g.height, 768 * 15.0f * 0.8f);
        EXPECT_FLOAT_EQ(g.left, 1024 * 15.0f * 0.1f);
        EXPECT_FLOAT_EQ(g.top, 768 * 15.0f * 0.1f);
        EXPECT_TRUE(w.menuItem("mnuTaskbar")->isChecked());
    }
}

TEST(LoggingWindowLayout, AStoredSizeAboveAHundredIsFullSizeAndTheTaskbarOptionWorks) {
    LoggingWindowFixture f(false);
    f.ts->profile.FormSizePercent = 150;
    f.ts->profile.ShowTaskbar = 1;
    auto& w = f.open();
    EXPECT_EQ(f.ts->profile.FormSizePercent, 100);
    EXPECT_FLOAT_EQ(w.geometryTwips().height, (768 - 40) * 15.0f);  // fitted to the work area
    f.ts.fakes.dialogs.messages.clear();
    w.mnuTaskbar_Click();
    EXPECT_EQ(f.ts->profile.ShowTaskbar, 0);
    EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
    EXPECT_FLOAT_EQ(w.geometryTwips().height, 768 * 15.0f);
}

TEST(LoggingWindowLayout, AFormSizeThatCannotBeAppliedIsStoredAsFullSizeForTheNextStart) {
    LoggingWindowFixture f(true);
    f.ts->profile.FormSizePercent = 60;
    f.ts.fakes.screen.screen = {0, 0, 0, 0};  // a screen that reports no size
    auto& w = f.open();
    EXPECT_EQ(f.ts->profile.FormSizePercent, 100);
    const std::string pref = f.ts.readProgramFile("QSOpref.txt");
    EXPECT_NE(pref.find("\r\n100\r\n"), std::string::npos) << pref;
    EXPECT_TRUE(w.loaded());
}

TEST(LoggingWindowMenus, ConfigureSavesTheProfileAndRecallOnAnEmptyLogChangesNothing) {
    LoggingWindowFixture f(false);
    f.ts.writeProgramFile("log.txt", "");
    auto& w = f.open();
    std::filesystem::remove(f.ts.programPath("QSOpref.txt"));
    trigger(w, "mnuDXSpotting");
    EXPECT_NE(f.ts.readProgramFile("QSOpref.txt"), "");

    w.txtCall->setText("K1A");
    trigger(w, "mnuRecall");
    EXPECT_EQ(fromQ(w.txtCall->text()), "K1A");
}

TEST(LoggingWindowMenus, TheMenuBarShowsTheTablesCaptionsAndSwitchesOffItsItems) {
    for (bool out : {false, true}) {
        LoggingWindowFixture f(out);
        f.ts->profile.RoverFlag = 1;  // "Cha&nge County" is enabled for a rover
        auto& w = f.open();
        for (const auto& e : w.menuTree()) {
            if (e.type == MenuType::Separator) continue;
            QAction* a = w.menuItem(e.name);
            ASSERT_NE(a, nullptr) << e.name;
            EXPECT_EQ(fromQ(a->text()), e.caption) << e.name;
            EXPECT_EQ(a->isEnabled(), !e.switchedOff) << e.name;
            EXPECT_EQ(a->isCheckable(), e.checkable) << e.name;
        }
    }
}

TEST(LoggingWindowMenus, EveryItemCanBeChosenWithoutAWindowBehindIt) {
    for (bool out : {false, true}) {
        LoggingWindowFixture f(out);
        auto& w = f.open();
        f.ts.fakes.dialogs.inputAnswers.clear();
        for (const auto& e : w.menuTree()) {
            if (e.type != MenuType::Item && e.type != MenuType::TopCommand) continue;
            const std::string name = e.name;
            if (name == "mnuExit" || name == "mnuNew" || name == "mnuArchive" || name == "mnuRestore") continue;
            w.menuItem(name)->trigger();
        }
        EXPECT_TRUE(w.isEnabled());
        if (out) {
            // The out-of-state window has no county change and no colours; a direct call of
            // their handlers (as the rover's relogging makes of the in-state ones) does nothing.
            std::filesystem::remove(f.ts.programPath("QSOpref.txt"));
            w.mnuChangeCounty_Click();
            w.mnuColors_Click();
            EXPECT_FALSE(std::filesystem::exists(f.ts.programPath("QSOpref.txt")));
        }
    }
}

// With PALMETAR_SCREENSHOTS naming a folder, each window is also saved there as a picture.
TEST(LoggingWindowLayout, EveryControlLiesInsideTheShownWindow) {
    const char* pictures = std::getenv("PALMETAR_SCREENSHOTS");
    struct Screen {
        int w, h, percent;
    };
    for (const Screen s : {Screen{1024, 768, 100}, Screen{1920, 1080, 100}, Screen{1024, 768, 50},
                           Screen{1280, 1024, 75}}) {
        for (bool out : {false, true}) {
            LoggingWindowFixture f(out, s.w, s.h);
            f.ts->profile.FormSizePercent = static_cast<uint8_t>(s.percent);
            auto& w = f.open();
            w.show();
            QApplication::processEvents();  // the frame is taken into account once shown
            QApplication::processEvents();
            const QRect client = w.centralWidget()->rect();
            for (QWidget* c : w.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!c->isVisibleTo(&w) || c->width() == 0) continue;
                EXPECT_TRUE(client.contains(c->geometry()))
                    << (out ? "Outfrm " : "Infrm ") << s.w << "x" << s.h << " at " << s.percent << "%: "
                    << fromQ(c->objectName()) << " ends at " << c->geometry().right() << "," << c->geometry().bottom()
                    << " in " << client.width() << "x" << client.height();
            }
            if (pictures) {
                const QString name = QStringLiteral("%1/%2-%3x%4-%5.png")
                                         .arg(QString::fromLocal8Bit(pictures), out ? "outfrm" : "infrm")
                                         .arg(s.w)
                                         .arg(s.h)
                                         .arg(s.percent);
                EXPECT_TRUE(w.grab().save(name)) << fromQ(name);
            }
        }
    }
}

TEST(LoggingWindowLayout, CaptionsAndListTextsFitTheirControlsOnCommonScreens) {
    struct Screen {
        int w, h, percent;
    };
    for (const Screen s : {Screen{1024, 768, 100}, Screen{1920, 1080, 100}, Screen{1280, 1024, 100},
                           Screen{1024, 768, 50}}) {
        for (bool out : {false, true}) {
            LoggingWindowFixture f(out, s.w, s.h);
            f.ts->profile.FormSizePercent = static_cast<uint8_t>(s.percent);
            auto& w = f.open();
            const std::string where = std::string(out ? "Outfrm " : "Infrm ") + std::to_string(s.w) + "x" +
                                      std::to_string(s.h) + " at " + std::to_string(s.percent) + "%: ";
            for (QWidget* c : w.centralWidget()->findChildren<QWidget*>()) {
                QString text;
                if (auto* l = qobject_cast<QLabel*>(c)) text = l->text();
                else if (auto* b = qobject_cast<QPushButton*>(c)) text = b->text().remove('&');
                if (text.isEmpty() || !c->isVisibleTo(&w)) continue;
                const int need = QFontMetrics(c->font()).horizontalAdvance(text);
                const int room = c->width() - (qobject_cast<QPushButton*>(c) ? 6 : 0);
                EXPECT_LE(need, room) << where << fromQ(c->objectName()) << " \"" << fromQ(text) << "\"";
            }
            // The recent-contacts cells, the date and time the narrowest of them.
            const QFontMetrics fm(w.ListView1->font());
            for (int col = 0; col < w.ListView1->columnCount(); ++col) {
                const QString cell = w.ListView1->topLevelItem(0)->text(col);
                EXPECT_LE(fm.horizontalAdvance(cell) + 8, w.ListView1->columnWidth(col))
                    << where << "column " << col << " \"" << fromQ(cell) << "\"";
            }
        }
    }
}

TEST(LoggingWindowLayout, WholeNamesShowInTheRoversListsOnCommonScreens) {
    struct Screen {
        int w, h;
    };
    const char* dx[] = {"Puerto Rico", "Fed. Rep. of Germany", "Trinidad & Tobago", "Bosnia-Herzegovina", "Japan",
                        "Liechtenstein"};
    for (const Screen s : {Screen{1024, 768}, Screen{1280, 1024}, Screen{1920, 1080}}) {
        const std::string where = std::to_string(s.w) + "x" + std::to_string(s.h) + ": ";
        LoggingWindowFixture f(false, s.w, s.h);
        f.ts->profile.RoverFlag = 1;
        for (const char* name : dx) f.ts->prefixes.rows.push_back({"X", name, "EU", 0, 0});
        // More contacts than the list shows, with the longest names a contact can carry.
        std::string bytes = f.ts.readProgramFile("log.txt");
        for (int i = 0; i < 24; ++i) {
            station::ContactRecord r;
            r.Call = i % 2 ? "W1ABC/VE3X" : "KP4ABC";
            r.RstSent = r.RstReceived = "599";
            r.Spc = i % 3 == 0 ? "FL" : dx[(i / 3 * 2 + i % 3 - 1) % 6];
            r.County = r.Spc == "FL" ? "Hillsborough" : "";
            r.CountySent = i % 2 ? "Indian River" : "Hillsborough";
            r.QsoDate = "2026/04/25";
            r.QsoTime = "16:" + std::to_string(10 + i) + ":00";
            r.Mode = "CW";
            r.Band = "160";
            bytes += station::ContactLine(r);
        }
        f.ts.writeProgramFile("log.txt", bytes);
        auto& w = f.open();
        w.show();
        QApplication::processEvents();
        QApplication::processEvents();

        // Recent contacts: every column in view, every text whole.
        QTreeWidget* list = w.ListView1;
        int total = 0;
        for (int col = 0; col < list->columnCount(); ++col) total += list->columnWidth(col);
        EXPECT_LE(total, list->viewport()->width()) << where << "the columns need a horizontal scroll bar";
        // Room for the margins a style draws a cell's and a heading's text with (four pixels a
        // side in the common desktop styles).
        const int cellMargin = 8, headMargin = 8;
        const QFontMetrics cells(list->font());
        const QFontMetrics heads(list->header()->font());
        for (int col = 0; col < list->columnCount(); ++col) {
            EXPECT_LE(heads.horizontalAdvance(list->headerItem()->text(col)) + headMargin, list->columnWidth(col))
                << where << fromQ(list->headerItem()->text(col));
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                const QString cell = list->topLevelItem(row)->text(col);
                // A DX country may be longer than the SPC column: the DX list shows it whole, and
                // the cell names it whole under the pointer.
                if (col == 3 && cell.size() > 2) {
                    EXPECT_EQ(list->topLevelItem(row)->toolTip(col), cell) << where;
                    continue;
                }
                EXPECT_LE(cells.horizontalAdvance(cell) + cellMargin, list->columnWidth(col))
                    << where << "column " << col << " \"" << fromQ(cell) << "\"";
            }
        }

        // DX list: each country whole, on as many lines as it takes; a click gives the name.
        ASSERT_EQ(w.List1->count(), 6) << where;
        const QFontMetrics dxFont(w.List1->font());
        for (int i = 0; i < w.List1->count(); ++i) {
            const QString shown = w.List1->item(i)->text();
            EXPECT_EQ(QString(shown).remove('\n').remove(' '), w.List1->item(i)->data(Qt::UserRole).toString().remove(' '))
                << where << fromQ(shown);
            for (const QString& line : shown.split('\n'))
                EXPECT_LE(dxFont.horizontalAdvance(line), w.List1->viewport()->width() - 4) << where << fromQ(line);
            const QRect rect = w.List1->visualItemRect(w.List1->item(i));
            EXPECT_GE(rect.height(), dxFont.height() * static_cast<int>(shown.count('\n') + 1) - 2) << where << fromQ(shown);
        }
        QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {},
                          w.List1->visualItemRect(w.List1->item(0)).center());
        EXPECT_EQ(fromQ(w.txtCntry->text()), fromQ(w.List1->item(0)->data(Qt::UserRole).toString())) << where;

        // County lists: the longest name fits, and at 1024 x 768 six whole rows show.
        for (QListWidget* counties : {w.List2, w.List3}) {
            const QFontMetrics fm(counties->font());
            EXPECT_LE(fm.horizontalAdvance(QStringLiteral("Hillsborough")), counties->gridSize().width() - 4) << where;
            EXPECT_GE(counties->viewport()->height() / counties->gridSize().height(), 6) << where;
            EXPECT_GE(counties->gridSize().height(), fm.tightBoundingRect(QStringLiteral("Hillsborough")).height()) << where;
        }
    }
}
