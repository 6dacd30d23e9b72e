// The county list, the rate graph and the county map as real windows.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdlib>

#include "logtools/CountyHotSpots.h"
#include "logtools/ui/CountyMapFL.h"
#include "logtools/ui/GraphQSO.h"
#include "logtools/ui/frmCountyList.h"
#include "station/Tables.h"
#include "station/ui/FormResize.h"
#include "support/TestSession.h"

namespace {

// A contest afternoon: n contacts, bands changing every ten, a short pause after the 25th.
void fillLog(Session& s, int n) {
    const char* bands[] = {"40", "20", "15", "20"};
    const char* counties[] = {"Lee", "Dade", "Orange", "Leon", "Monroe", "Union", "Pinellas", "St. Johns"};
    platform::DateTime t{2024, 4, 27, 16, 0, 0, 0};
    for (int i = 0; i < n; ++i) {
        station::ContactRecord r;
        r.Call = "W" + std::to_string(i % 10) + "XY";
        r.QsoDate = t.format("yyyy/mm/dd");
        r.QsoTime = t.format("hh:nn:ss");
        r.Band = bands[(i / 10) % 4];
        r.Mode = i % 3 == 0 ? "PH" : "CW";
        r.County = counties[i % 8];
        s.log.records().push_back(r);
        t = t.addSeconds(i == 25 ? 2400 : 60 + (i * 37) % 180);
    }
}

// Saves a picture of the window when PALMETAR_SCREENSHOT_DIR is set (to look at, not to test).
void shoot(QWidget& w, const char* name) {
    if (const char* dir = std::getenv("PALMETAR_SCREENSHOT_DIR")) {
        w.show();
        QApplication::processEvents();
        w.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }
}

}  // namespace

TEST(CountyList, ListsTheTableAndAClickFillsTheCountyField) {
    TestSession ts;
    ts.copyDataFile("county2.txt");
    ts->profile.HomeState = "FL";
    station::LoadCountyTable(*ts);
    ASSERT_EQ(ts->counties.CountyCount(), 67);
    QLineEdit txtSec;
    txtSec.setText(QStringLiteral("Hills"));
    frmCountyList dlg(*ts, &txtSec);
    ASSERT_EQ(dlg.ListView1->topLevelItemCount(), 67);
    EXPECT_EQ(dlg.ListView1->headerItem()->text(0), QStringLiteral("County"));
    EXPECT_EQ(dlg.ListView1->headerItem()->text(1), QStringLiteral("Abbreviation"));
    for (int i = 0; i < 67; ++i) {
        const auto& row = ts->counties.rows[static_cast<size_t>(i)];
        ASSERT_EQ(dlg.ListView1->topLevelItem(i)->text(0).toStdString(), row.Name);
        ASSERT_EQ(dlg.ListView1->topLevelItem(i)->text(1).toStdString(), row.Abbrev);
    }
    shoot(dlg, "county-list");
    dlg.show();
    QTreeWidgetItem* hillsborough = dlg.ListView1->findItems(QStringLiteral("Hillsborough"), Qt::MatchExactly).value(0);
    ASSERT_NE(hillsborough, nullptr);
    dlg.ListView1->scrollToItem(hillsborough);
    const QRect r = dlg.ListView1->visualItemRect(hillsborough);
    // A click on the abbreviation column still takes the name.
    QTest::mouseClick(dlg.ListView1->viewport(), Qt::LeftButton, {}, QPoint(dlg.ListView1->columnWidth(0) + 5, r.center().y()));
    EXPECT_EQ(txtSec.text(), QStringLiteral("Hillsborough"));
    EXPECT_FALSE(dlg.isVisible());
}

TEST(CountyList, EmptyTableGivesHeadersOnlyAndAClickChangesNothing) {
    TestSession ts;
    QLineEdit txtSec;
    txtSec.setText(QStringLiteral("Lee"));
    frmCountyList dlg(*ts, &txtSec);
    dlg.show();
    EXPECT_EQ(dlg.ListView1->topLevelItemCount(), 0);
    QTest::mouseClick(dlg.ListView1->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    dlg.ListView1_Click(nullptr);
    EXPECT_EQ(txtSec.text(), QStringLiteral("Lee"));
    EXPECT_TRUE(dlg.isVisible());
}

TEST(RateGraphWindow, SixContactsShowTheBoxSevenDraw) {
    TestSession ts;
    fillLog(*ts, 6);
    {
        GraphQSO g(*ts);
        ASSERT_EQ(ts.fakes.dialogs.messages.size(), 1u);
        EXPECT_EQ(ts.fakes.dialogs.messages[0].title, "Not Enough Contacts to Graph.");
        EXPECT_EQ(g.lblTime[0]->text(), QStringLiteral("00:00"));
    }
    ts->log.records().clear();
    fillLog(*ts, 7);
    GraphQSO g(*ts);
    EXPECT_EQ(ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(g.lblTime[0]->text(), QStringLiteral("16:00"));
    EXPECT_EQ(g.lblDate[0]->text(), QStringLiteral("04/27"));
    EXPECT_FALSE(g.lblY[16]->text().isEmpty());
}

TEST(RateGraphWindow, BackgroundToggleSwitchesColoursAndBack) {
    TestSession ts;
    fillLog(*ts, 40);
    GraphQSO g(*ts);
    g.resize(1000, 700);
    const QPoint corner(2, g.height() / 2);
    EXPECT_EQ(g.picture().pixelColor(corner), QColor(Qt::black));
    QTest::mouseClick(g.Command1, Qt::LeftButton);
    EXPECT_EQ(g.Command1->text(), QStringLiteral("White Background"));
    EXPECT_EQ(g.picture().pixelColor(corner), QColor(Qt::white));
    QTest::mouseClick(g.Command1, Qt::LeftButton);
    EXPECT_EQ(g.Command1->text(), QStringLiteral("Black Background"));
    EXPECT_EQ(g.picture().pixelColor(corner), QColor(Qt::black));
    EXPECT_TRUE(g.graph().hasCurve);
    shoot(g, "rate-graph");
}

namespace {
// The share of the plot's width, on the row of value label k, that has the colour c (the best
// of the rows next to it, as the label's centre may round one pixel off the line).
double gridShare(const GraphQSO& g, size_t k, const QColor& c) {
    const QRect label = g.lblY[k]->geometry();
    const int from = label.right() + 20, to = g.width() - 80;
    double best = 0;
    for (int y = label.center().y() - 1; y <= label.center().y() + 1; ++y) {
        int hits = 0;
        for (int x = from; x < to; ++x) hits += g.picture().pixelColor(x, y) == c ? 1 : 0;
        best = std::max(best, static_cast<double>(hits) / (to - from));
    }
    return best;
}
}  // namespace

TEST(RateGraphWindow, GridIsGreyUntilTheFirstSwitchThenTakesTheFrameColour) {
    TestSession ts;
    fillLog(*ts, 40);
    GraphQSO g(*ts);
    const QColor grey(0x80, 0x80, 0x80);
    for (size_t k : {1u, 8u, 15u}) EXPECT_GT(gridShare(g, k, grey), 0.8) << k;
    QTest::mouseClick(g.Command1, Qt::LeftButton);  // white background, black frame
    for (size_t k : {1u, 8u, 15u}) EXPECT_GT(gridShare(g, k, Qt::black), 0.8) << k;
    QTest::mouseClick(g.Command1, Qt::LeftButton);  // back to black: the grid stays white
    for (size_t k : {1u, 8u, 15u}) {
        EXPECT_GT(gridShare(g, k, Qt::white), 0.8) << k;
        EXPECT_LT(gridShare(g, k, grey), 0.05) << k;
    }
}

TEST(RateGraphWindow, BandStripLiesBetweenUnbrokenLines) {
    TestSession ts;
    fillLog(*ts, 40);
    GraphQSO g(*ts);
    const QImage& pic = g.picture();
    const int from = g.lblY[0]->geometry().right() + 20, to = g.width() - 80;
    auto share = [&](int y, const QColor& c) {
        int hits = 0;
        for (int x = from; x < to; ++x) hits += pic.pixelColor(x, y) == c ? 1 : 0;
        return static_cast<double>(hits) / (to - from);
    };
    // The strip: the rows below the plot that hold band colours.
    const QColor forty(0xFF, 0, 0);
    int stripTop = -1, stripBottom = -1;
    for (int y = g.lblY[0]->geometry().center().y() + 2; y < g.lblTime[0]->y(); ++y) {
        if (share(y, forty) > 0) {
            if (stripTop < 0) stripTop = y;
            stripBottom = y;
        }
    }
    ASSERT_GT(stripTop, 0);
    EXPECT_GT(std::max(share(stripTop - 1, Qt::white), share(stripTop - 2, Qt::white)), 0.99);
    EXPECT_GT(std::max(share(stripBottom + 1, Qt::white), share(stripBottom + 2, Qt::white)), 0.99);
}

TEST(RateGraphWindow, FillsTheWorkAreaAndScalesItsFontsWithTheScreen) {
    struct Case {
        double screenWidthPixels;
        double fontSize;  // 8.25 x the screen width / 9600 twips, at most 1.5 times
    };
    for (const Case c : {Case{640, 8.25}, Case{800, 8.25 * 1.25}, Case{1024, 8.25 * 1.5}, Case{1920, 8.25 * 1.5}}) {
        SCOPED_TRACE(c.screenWidthPixels);
        TestSession ts;
        fillLog(*ts, 40);
        ts.fakes.screen.screen = {0, 0, c.screenWidthPixels * 15, c.screenWidthPixels * 0.75 * 15};
        ts.fakes.screen.workArea = {0, 0, c.screenWidthPixels * 15, (c.screenWidthPixels * 0.75 - 40) * 15};
        GraphQSO g(*ts);
        const double k = station::ui::pixelsPerTwip(&g);
        EXPECT_NEAR(g.width(), ts.fakes.screen.workArea.width * k, 1);
        EXPECT_NEAR(g.height(), ts.fakes.screen.workArea.height * k, 1);
        for (auto* label : {g.lblTime[14], g.lblDate[0], g.lblY[16], g.lblBnd[6], g.Label1}) {
            EXPECT_NEAR(label->font().pointSizeF(), c.fontSize, 0.01);
            EXPECT_TRUE(g.rect().contains(label->geometry())) << label->text().toStdString();
            EXPECT_LE(label->sizeHint().width(), label->width() + 1) << label->text().toStdString();
        }
        EXPECT_LE(g.Command1->sizeHint().width(), g.Command1->width() + 1);
    }
}

TEST(CountyMapWindow, HintOnlyWithAnEmptyLog) {
    TestSession ts;
    ts.copyDataFile("countymap.png");
    {
        CountyMapFL map(*ts, {});
        EXPECT_TRUE(map.Label1->isVisibleTo(&map));
    }
    fillLog(*ts, 1);
    CountyMapFL map(*ts, {});
    EXPECT_FALSE(map.Label1->isVisibleTo(&map));
}

TEST(CountyMapWindow, PaintsWorkedCountiesOnceShownAndNamesAreToolTips) {
    TestSession ts;
    ts.copyDataFile("countymap.png");
    fillLog(*ts, 40);
    ts.fakes.random.values = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
    CountyMapFL map(*ts, {"Lee", "DADE", "Atlantis", "St. Johns"});
    const auto& spots = logtools::CountyHotSpots();
    EXPECT_EQ(map.lblCounty[66]->toolTip(), QStringLiteral("Lee"));
    EXPECT_TRUE(map.lblCounty[66]->text().isEmpty());
    const auto centre = [&](size_t i) { return QPoint(spots[i].centerX(), spots[i].centerY()); };
    EXPECT_EQ(map.picture().pixel(centre(66)) & 0xFFFFFF, 0xFFFFFFu);  // nothing before the first tick
    map.show();
    // The painting waits for the first timer tick after the window shows; under load it may
    // come late, so the test waits for it rather than for a fixed time.
    EXPECT_TRUE(QTest::qWaitFor([&] { return map.paintedCounties() > 0; }, 5000));
    EXPECT_EQ(map.paintedCounties(), 3);
    EXPECT_EQ(ts.fakes.random.seeds, 1);
    EXPECT_EQ(map.picture().pixel(centre(66)) & 0xFFFFFF, (25u << 16) | (50u << 8) | 76u);
    EXPECT_NE(map.picture().pixel(centre(65)) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(map.picture().pixel(centre(0)) & 0xFFFFFF, 0xFFFFFFu);  // Escambia not worked
    shoot(map, "county-map");
}

TEST(CountyMapWindow, WithoutItsPictureNothingIsPainted) {
    TestSession ts;  // no countymap.png in the program folder
    fillLog(*ts, 3);
    CountyMapFL map(*ts, {"Lee", "Dade"});
    map.show();
    // The first tick, where the painting would be done, stops the timer; it may come late.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !map.Timer1->isActive(); }, 5000));
    EXPECT_EQ(map.paintedCounties(), 0);
    const QImage& pic = map.picture();
    for (int y = 0; y < pic.height(); y += 7) {
        for (int x = 0; x < pic.width(); x += 7) ASSERT_EQ(pic.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
    }
}
