// The county change dialog and the rover's county line, driven by keys and clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "logging/Mains.h"
#include "logtools/ui/LogToolWindows.h"
#include "logtools/ui/frmCountyChange.h"
#include "logtools/ui/frmCountyChangeRover.h"
#include "station/Profile.h"
#include "station/Tables.h"
#include "station/ui/KeyField.h"
#include "support/TestSession.h"
#include "support/qt/AnswerModal.h"
#include "window/ui/ToolWindows.h"

using station::ui::KeyField;

namespace {

void prepare(TestSession& ts) {
    ts.copyDataFile("county2.txt");
    ts->profile.HomeState = "FL";
    ts->profile.RoverFlag = 1;
    ts->profile.CurrentCounty = "Lee";
    station::LoadCountyTable(*ts);
}

// Unloads the windows kept for the run, so no test sees another's.
struct Registry {
    Registry() { logtools::ui::RegisterLogToolWindows(); }
    ~Registry() { window::ui::ToolWindows::instance().unloadAll(); }
};

}  // namespace

TEST(CountyChange, DoneStoresOnlyACountyOfTheTableInItsSpelling) {
    TestSession ts;
    prepare(ts);
    struct Case {
        const char* what;
        const char* keys;  // typed over the selected text, then Enter
        const char* stored;
        bool closed;
    };
    const Case cases[] = {
        {"Enter at once keeps the county", "", "Lee", true},
        {"p a completes to the last county with Pa", "pa", "Pasco", true},
        {"lower case typed whole", "orange", "Orange", true},
        {"an unlisted name is refused", "Xanadu", "Lee", false},
    };
    for (const auto& c : cases) {
        ts->profile.CurrentCounty = "Lee";
        frmCountyChange dlg(*ts, nullptr);
        dlg.show();
        QTest::keyClicks(dlg.Text1, QString::fromLatin1(c.keys));
        QTest::keyClick(dlg.Text1, Qt::Key_Return);
        EXPECT_EQ(ts->profile.CurrentCounty, c.stored) << c.what;
        EXPECT_EQ(dlg.isVisible(), !c.closed) << c.what;
        EXPECT_EQ(dlg.Label2->isVisible(), !c.closed) << c.what;
    }
    station::StationProfile reread;
    ASSERT_TRUE(station::ReadPreferencesText(ts.readProgramFile("QSOpref.txt"), reread));
    EXPECT_EQ(reread.CurrentCounty, "Orange");
}

TEST(CountyChange, LeavingAnEmptyFieldShowsTheMarker) {
    TestSession ts;
    prepare(ts);
    frmCountyChange dlg(*ts, nullptr);
    dlg.show();
    dlg.Text1->clear();
    EXPECT_FALSE(dlg.Text1_LostFocus());
    EXPECT_TRUE(dlg.Label2->isVisible());
    EXPECT_TRUE(ts->contest.BadEntry);
}

TEST(RoverCountyList, EnterAddsSortedRefusesRepeatsAndClickRemoves) {
    TestSession ts;
    prepare(ts);
    frmCountyChangeRover dlg(*ts);
    dlg.show();
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("Lee"));
    QTest::keyClick(dlg.Text1, Qt::Key_Return);  // the current county goes on the empty list
    EXPECT_TRUE(dlg.Text1->text().isEmpty());
    QTest::keyClicks(dlg.Text1, QStringLiteral("charlotte"));
    QTest::keyClick(dlg.Text1, Qt::Key_Return);
    EXPECT_EQ(ts->contest.RoverCounties, (std::vector<std::string>{"Charlotte", "Lee"}));
    ASSERT_EQ(dlg.List1->count(), 2);
    EXPECT_EQ(dlg.List1->item(0)->text(), QStringLiteral("Charlotte"));

    const int beeps = ts.fakes.dialogs.beeps;
    for (const char* refused : {"", "lee", "Xanadu"}) {
        dlg.Text1->setText(QString::fromLatin1(refused));
        QTest::keyClick(dlg.Text1, Qt::Key_Return);
        EXPECT_TRUE(dlg.Label2->isVisible()) << refused;
    }
    EXPECT_EQ(ts.fakes.dialogs.beeps, beeps + 3);
    EXPECT_EQ(ts->contest.RoverCounties.size(), 2u);

    if (const char* dir = std::getenv("PALMETAR_SCREENSHOT_DIR")) {
        dlg.grab().save(QString::fromLocal8Bit(dir) + "/rover-county-line.png");
        frmCountyChange change(*ts, nullptr);
        change.show();
        change.grab().save(QString::fromLocal8Bit(dir) + "/county-change.png");
    }
    // The focus entering the list chooses nothing; a click on an entry removes it.
    dlg.List1->setFocus();
    EXPECT_EQ(ts->contest.RoverCounties.size(), 2u);
    QTest::mouseClick(dlg.List1->viewport(), Qt::LeftButton, {}, dlg.List1->visualItemRect(dlg.List1->item(0)).center());
    EXPECT_EQ(ts->contest.RoverCounties, (std::vector<std::string>{"Lee"}));
    EXPECT_EQ(dlg.List1->count(), 1);
}

TEST(RoverCountyList, RoverButtonMakesTheTopCountyCurrentAndTheListStaysForTheRun) {
    TestSession ts;
    prepare(ts);
    Registry registry;
    auto& reg = window::ui::ToolWindows::instance();

    // County change -> rover button -> add Charlotte (sorts first) and Lee -> Done.
    auto answer = testsupport::AnswerModal<frmCountyChange>([&](frmCountyChange& change) {
        auto roverAnswer = testsupport::AnswerModal<frmCountyChangeRover>([&](frmCountyChangeRover& rover) {
            QTest::keyClick(rover.Text1, Qt::Key_Return);
            rover.Text1->setText(QStringLiteral("Charlotte"));
            QTest::keyClick(rover.Text1, Qt::Key_Return);
            QTest::mouseClick(rover.Command1, Qt::LeftButton);
        });
        QTest::mouseClick(change.cmdMultipleCounties, Qt::LeftButton);
    });
    ASSERT_TRUE(reg.open(window::ToolWindow::frmCountyChange, window::OpenWay::ModalThenUnload, *ts, nullptr));
    EXPECT_EQ(ts->profile.CurrentCounty, "Charlotte");
    EXPECT_EQ(ts->contest.RoverCounties, (std::vector<std::string>{"Charlotte", "Lee"}));
    EXPECT_TRUE(reg.isLoaded(window::ToolWindow::frmCountyChangeRover));

    // Reopened: the same list. Closing it by its close box empties the line; the county stays.
    auto reopened = testsupport::AnswerModal<frmCountyChange>([&](frmCountyChange& change) {
        auto roverAnswer = testsupport::AnswerModal<frmCountyChangeRover>([&](frmCountyChangeRover& rover) {
            EXPECT_EQ(rover.List1->count(), 2);
            // Esc is no way out: it would lose the line by accident.
            QTest::keyClick(rover.Text1, Qt::Key_Escape);
            EXPECT_TRUE(rover.isVisible());
            EXPECT_EQ(ts->contest.RoverCounties.size(), 2u);
            rover.close();
        });
        QTest::mouseClick(change.cmdMultipleCounties, Qt::LeftButton);
    });
    ASSERT_TRUE(reg.open(window::ToolWindow::frmCountyChange, window::OpenWay::ModalThenUnload, *ts, nullptr));
    EXPECT_TRUE(ts->contest.RoverCounties.empty());
    EXPECT_EQ(ts->profile.CurrentCounty, "Charlotte");
}

TEST(RoverCountyList, TheLineFromTheDialogsDrivesTheRelogOfEachContact) {
    TestSession ts;
    prepare(ts);
    ts->profile.CurrentBand = "40";
    ts->profile.CurrentMode = "CW";
    frmCountyChangeRover rover(*ts);
    for (const char* county : {"Sumter", "lake", "Lee"}) {
        rover.Text1->setText(QString::fromLatin1(county));
        QTest::keyClick(rover.Text1, Qt::Key_Return);
    }
    frmCountyChange change(*ts, [&rover] {
        rover.Command1_Click();
        return &rover;
    });
    change.cmdMultipleCounties_Click();
    EXPECT_EQ(ts->profile.CurrentCounty, "Lake");

    const auto r = logging::Mains(*ts, logging::WindowKind::InState, {{"W1AW", "599", "CT", "", "599"}, false, "", ""});
    ASSERT_TRUE(r.stored);
    std::vector<std::string> sent;
    for (const auto& rec : ts->log.records()) sent.push_back(rec.CountySent);
    EXPECT_EQ(sent, (std::vector<std::string>{"Lake", "Lee", "Sumter"}));
    EXPECT_EQ(ts->profile.CurrentCounty, "Lake");
}


TEST(RoverCountyList, AnOrdinaryCountyChangeEndsTheCountyLine) {
    TestSession ts;
    prepare(ts);
    ts->profile.CurrentBand = "40";
    ts->profile.CurrentMode = "CW";
    auto logW1aw = [&](const char* call) {
        return logging::Mains(*ts, logging::WindowKind::InState, {{call, "599", "CT", "", "599"}, false, "", ""});
    };
    auto sentSince = [&](int from) {
        std::vector<std::string> sent;
        for (int k = from; k <= ts->log.ContactCount(); ++k) sent.push_back(ts->log.at(k).CountySent);
        return sent;
    };
    frmCountyChangeRover rover(*ts);
    for (const char* county : {"Lake", "Lee", "Sumter"}) {
        rover.Text1->setText(QString::fromLatin1(county));
        QTest::keyClick(rover.Text1, Qt::Key_Return);
    }
    // The line set through the rover button: each contact for Lake, Lee and Sumter.
    {
        frmCountyChange change(*ts, [&rover] {
            rover.Command1_Click();
            return &rover;
        });
        change.cmdMultipleCounties_Click();
    }
    ASSERT_TRUE(logW1aw("W1AW").stored);
    EXPECT_EQ(sentSince(1), (std::vector<std::string>{"Lake", "Lee", "Sumter"}));

    // Done of the county change with the line's first county keeps the line.
    {
        frmCountyChange change(*ts, [&rover] { return &rover; });
        QTest::keyClick(change.Text1, Qt::Key_Return);
    }
    EXPECT_EQ(ts->contest.RoverCounties.size(), 3u);

    // The rover drives on to Leon and says so in the ordinary dialog: the line has ended.
    {
        frmCountyChange change(*ts, [&rover] { return &rover; });
        change.Text1->setText(QStringLiteral("Leon"));
        QTest::keyClick(change.Text1, Qt::Key_Return);
    }
    EXPECT_EQ(ts->profile.CurrentCounty, "Leon");
    EXPECT_TRUE(ts->contest.RoverCounties.empty());
    rover.show();
    EXPECT_EQ(rover.List1->count(), 0);
    rover.hide();
    ASSERT_TRUE(logW1aw("K1ABC").stored);
    ASSERT_TRUE(logW1aw("N1XYZ").stored);
    EXPECT_EQ(sentSince(4), (std::vector<std::string>{"Leon", "Leon"}));
    EXPECT_EQ(ts->profile.CurrentCounty, "Leon");
}

TEST(RoverCountyList, WhatTheNextContactsAreSentFromAfterAnOrdinaryCountyChange) {
    // The rover sets a county line, then names a county in the ordinary county change dialog
    // and logs three contacts. Only the line's own first county keeps the line; any other county,
    // one of the line's later entries included, ends it, and the contacts are sent from that
    // county alone, then and later.
    struct Case {
        std::vector<const char*> line;
        const char* changedTo;
        std::vector<std::string> sent;  // county sent of each record after the change, in log order
    };
    const Case cases[] = {
        {{"Lake", "Lee", "Sumter"}, "Lake", {"Lake", "Lee", "Sumter", "Lake", "Lee", "Sumter", "Lake", "Lee", "Sumter"}},
        {{"Lake", "Lee", "Sumter"}, "Leon", {"Leon", "Leon", "Leon"}},
        {{"Alachua", "Lee"}, "Leon", {"Leon", "Leon", "Leon"}},
        {{"Alachua", "Lee"}, "Lee", {"Lee", "Lee", "Lee"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line.front()) + " line, changed to " + c.changedTo);
        TestSession ts;
        prepare(ts);
        ts->profile.CurrentBand = "40";
        ts->profile.CurrentMode = "CW";
        frmCountyChangeRover rover(*ts);
        for (const char* county : c.line) {
            rover.Text1->setText(QString::fromLatin1(county));
            QTest::keyClick(rover.Text1, Qt::Key_Return);
        }
        {
            frmCountyChange change(*ts, [&rover] {
                rover.Command1_Click();
                return &rover;
            });
            change.cmdMultipleCounties_Click();
        }
        ASSERT_EQ(ts->contest.RoverCounties.size(), c.line.size());
        {
            frmCountyChange change(*ts, [&rover] { return &rover; });
            change.Text1->setText(QString::fromLatin1(c.changedTo));
            QTest::keyClick(change.Text1, Qt::Key_Return);
        }
        EXPECT_EQ(ts->profile.CurrentCounty, c.changedTo);
        for (const char* call : {"W1AW", "K1ABC", "N1XYZ"}) {
            ASSERT_TRUE(
                logging::Mains(*ts, logging::WindowKind::InState, {{call, "599", "CT", "", "599"}, false, "", ""}).stored);
        }
        std::vector<std::string> sent;
        for (const auto& rec : ts->log.records()) sent.push_back(rec.CountySent);
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(ts->profile.CurrentCounty, c.changedTo);
    }
}
