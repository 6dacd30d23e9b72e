// The spot panel of the real logging window: lines fed in through the one entry point appear
// in the band map and the spot list, clicks fill the call field and tune, the panel comes and
// goes with the source, and the spectrum map shows the same spots.

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <cctype>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "platform/qt/Text.h"
#include "rig/RigControl.h"
#include "spots/ui/SpectrumMap.h"
#include "support/qt/AnswerModal.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/ToolWindows.h"

using platform::qt::fromQ;
using window::ui::ToolWindows;

namespace {
const char* kSpots =
    "Hello W4XYZ, welcome to the cluster\r\n"
    "DX de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z FN32\r\n"
    "DX de W3LPL:     14075.0  VP8/G3ABC    599 TNX                        0102Z\r\n"
    "DX de N2IC:       7010.0  ZS6ABC       CQ                             1500Z\r\n";

// The window on 20 m, shown. tuned() lists the frequency commands the rig was sent.
struct Panel {
    LoggingWindowFixture f{false};
    window::ui::LoggingWindow* w = nullptr;
    std::vector<std::string> written;
    Panel() {
        f.ts->profile.CurrentBand = "20";
        w = &f.open();
        w->show();
        QApplication::processEvents();
    }
    ~Panel() { ToolWindows::instance().unloadAll(); }
    // A Kenwood rig on its (fake) serial port, polled as the load would start it.
    void startRig() {
        f.ts->profile.RigType = "Kenwood";
        f.ts.copyDataFile("BandPlan.txt");
        f.ts->rig.LoadRigSettings();
        f.ts.fakes.serial.device(1).onWrite = [this](const std::string& bytes) { written.push_back(bytes); };
        ASSERT_EQ(f.ts->rig.Test(), rig::TestResult::Polling);
    }
    std::vector<std::string> tuned() {
        f.ts.fakes.scheduler.advance(2000);  // the rig's command steps run on its timers
        std::vector<std::string> out;
        for (const auto& b : written)
            if (b.size() > 2 && b.rfind("FA", 0) == 0 && std::isdigit(static_cast<unsigned char>(b[2]))) out.push_back(b);
        return out;
    }
    std::vector<QLabel*> shownSpots() const {
        std::vector<QLabel*> out;
        for (QLabel* l : w->lblDXSpot)
            if (l->isVisible()) out.push_back(l);
        return out;
    }
    QLabel* spotCaptioned(const char* caption) const {
        for (QLabel* l : shownSpots())
            if (fromQ(l->text()) == caption) return l;
        return nullptr;
    }
};
}  // namespace

TEST(SpotPanel, HiddenUntilASourceIsChosenThenSqueezesTheWindowAndTakesTheBottom) {
    Panel p;
    auto& w = *p.w;
    EXPECT_FALSE(w.lblDX->isVisible());
    EXPECT_FALSE(w.txtDX->isVisible());
    EXPECT_FALSE(p.f.ts->Form1.lblDXVisible);
    const QRect callBefore = w.txtCall->geometry();
    const QRect listBefore = w.List1->geometry();

    p.f.ts->Form1.PacketResize("Telnet", false);
    EXPECT_TRUE(w.lblDX->isVisible());
    EXPECT_TRUE(w.LineDX->isVisible());
    EXPECT_TRUE(p.f.ts->Form1.lblDXVisible);
    EXPECT_LT(w.txtCall->geometry().top(), callBefore.top());
    EXPECT_LT(w.List1->geometry().bottom(), listBefore.bottom());
    // The strip lies below the side lists and reaches the bottom of the client area.
    EXPECT_GE(w.lblDX->geometry().top(), w.List1->geometry().bottom());
    EXPECT_NEAR(w.lblDX->geometry().bottom() + 1, w.centralWidget()->height(), 1);
    EXPECT_EQ(fromQ(w.lblFreqSpot[0]->text()), "14.000");

    // The list in the same place, then no source: everything back where it was.
    p.f.ts->Form1.PacketResize("Telnet", true);
    EXPECT_FALSE(w.lblDX->isVisible());
    EXPECT_TRUE(w.txtDX->isVisible());
    EXPECT_EQ(w.txtDX->geometry(), w.lblDX->geometry());
    EXPECT_FALSE(p.f.ts->Form1.lblDXVisible);
    p.f.ts->Form1.PacketResize("None", true);
    EXPECT_FALSE(w.txtDX->isVisible());
    EXPECT_EQ(w.txtCall->geometry(), callBefore);
    EXPECT_EQ(w.List1->geometry(), listBefore);
}

TEST(SpotPanel, FedLinesShowOnTheBandMapAndARightClickFillsTheCallFieldAndTunes) {
    Panel p;
    auto& w = *p.w;
    p.startRig();
    p.f.ts->Form1.PacketResize("Telnet", false);
    const auto result = p.f.ts->spotReceiver.Receive(kSpots);
    EXPECT_EQ(result.spotsPosted, 3);

    // Two spots on 20 m zoom the scale; the 40 m spot is not on it.
    EXPECT_EQ(fromQ(w.lblFreqSpot[0]->text()), "14.024");
    EXPECT_EQ(fromQ(w.lblFreqSpot[4]->text()), "14.076");
    ASSERT_EQ(p.shownSpots().size(), 2u);
    QLabel* ja = p.spotCaptioned("JA1");
    QLabel* vp8 = p.spotCaptioned("VP8");
    ASSERT_TRUE(ja && vp8);
    EXPECT_LT(ja->geometry().center().x(), vp8->geometry().center().x());
    EXPECT_LT(ja->geometry().bottom(), w.LineDX->geometry().top() + 1);
    // Fresh spots are pale yellow; the fake clock says 12:00:00 local, four hours behind UTC.
    EXPECT_EQ(ja->palette().color(QPalette::WindowText), QColor(255, 255, 128));
    EXPECT_EQ(fromQ(ja->toolTip()), "JA1ABC  14.025  16:00:00");
    // Hovering shows the details in the status line.
    QTest::mouseMove(ja);
    EXPECT_EQ(fromQ(w.lblDupe->text()), "JA1ABC  14.025  16:00:00");

    QTest::mouseClick(ja, Qt::RightButton);
    EXPECT_EQ(fromQ(w.txtCall->text()), "JA1ABC");
    // The click moved on from the call field as a Tab would.
    EXPECT_EQ(QApplication::focusWidget(), w.txtRSTR);

    EXPECT_EQ(p.tuned(), std::vector<std::string>{"FA00014025000;"});

    // A left click takes the spot off the map: one spot left, the whole band again.
    QTest::mouseClick(vp8, Qt::LeftButton);
    EXPECT_EQ(p.shownSpots().size(), 1u);
    EXPECT_EQ(fromQ(w.lblFreqSpot[0]->text()), "14.000");
    EXPECT_EQ(p.tuned().size(), 1u);

    // An hour later a redraw leaves nothing; ten minutes make a spot white.
    p.f.ts.fakes.clock.advanceSeconds(600);
    w.DisplayBandMapLabels();
    EXPECT_EQ(p.spotCaptioned("JA1")->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    p.f.ts.fakes.clock.advanceSeconds(3000);
    w.DisplayBandMapLabels();
    EXPECT_TRUE(p.shownSpots().empty());
}

TEST(SpotPanel, TheSpotListShowsNewestFirstAndAClickFillsTheCallFieldTuningUnlessNoRig) {
    Panel p;
    auto& w = *p.w;
    p.f.ts->Form1.PacketResize("TNC", true);
    p.f.ts->spotReceiver.Receive(kSpots);
    ASSERT_EQ(w.txtDX->topLevelItemCount(), 3);
    auto* top = w.txtDX->topLevelItem(0);
    EXPECT_EQ(fromQ(top->text(0)), "ZS6ABC");
    EXPECT_EQ(fromQ(top->text(1)), "7.01");
    EXPECT_EQ(fromQ(w.txtDX->topLevelItem(2)->text(4)), "de K1TTT:  CQ UP 2");

    auto clickRow = [&](int row) {
        const QRect r = w.txtDX->visualItemRect(w.txtDX->topLevelItem(row));
        QTest::mouseClick(w.txtDX->viewport(), Qt::LeftButton, {}, r.center());
    };
    p.startRig();
    p.f.ts->profile.RigType = "none";  // in any letter case: no tuning
    clickRow(2);
    EXPECT_EQ(fromQ(w.txtCall->text()), "JA1ABC");
    EXPECT_TRUE(p.tuned().empty());
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);

    p.f.ts->profile.RigType = "Kenwood";
    clickRow(1);
    EXPECT_EQ(fromQ(w.txtCall->text()), "VP8/G3ABC");
    EXPECT_EQ(p.tuned(), std::vector<std::string>{"FA00014075000;"});
    // Polling stopped: the rig sends nothing, the call still goes into the call field.
    p.f.ts->rig.EndTest();
    clickRow(2);
    EXPECT_EQ(fromQ(w.txtCall->text()), "JA1ABC");
    EXPECT_EQ(p.tuned().size(), 1u);

    // At most 200 rows: the bottom one goes first. A refused spot adds no row.
    for (int i = 0; i < 250; ++i)
        p.f.ts->Form1.BandMapSpots("K" + std::to_string(i) + "AA", std::to_string(21000 + i), "de W1AW:");
    p.f.ts->Form1.BandMapSpots("K1BAD", "1E40", "de W1AW:");
    ASSERT_EQ(w.txtDX->topLevelItemCount(), 200);
    EXPECT_EQ(fromQ(w.txtDX->topLevelItem(0)->text(0)), "K249AA");
    EXPECT_EQ(fromQ(w.txtDX->topLevelItem(199)->text(0)), "K50AA");
}

TEST(SpotPanel, EachColumnOfAListRowComesFromItsColumnsOfTheSpotLine) {
    struct Case {
        const char* what;
        std::string line;
        const char *call, *mhz, *comments, *prefix, *time, *from;
    };
    // Columns of a spot line: spotter 4-14, frequency 16-24, call 27-39, comment 38-62 (so a call
    // of 13 characters lends it its last two), prefix 65-69, time 71-74 and from 76-79.
    const Case cases[] = {
        {"a call filling its 13 columns",
         "DX de K1TTT:     14025.0  3D2/QA1ABC/MM CQ UP 2                       1234Z FN32\r\n", "3D2/QA1ABC/MM",
         "14.025", "de K1TTT:  MM CQ UP 2", "", "1234", "FN3"},
        {"a comment running to column 69",
         "DX de W3LPL:     14075.0  VP8/G3ABC    0123456789ABCDEFGHIJKLMNOPQRST 0102Z EL98\r\n", "VP8/G3ABC",
         "14.075", "de W3LPL:  0123456789ABCDEFGHIJKLM", "PQRST", "0102", "EL9"},
        {"a short line", "DX de N2IC:       7010.0  ZS6ABC       CQ\r\n", "ZS6ABC", "7.01", "de N2IC:  CQ", "", "",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Panel p;
        auto& w = *p.w;
        p.f.ts->Form1.PacketResize("TNC", true);
        ASSERT_EQ(p.f.ts->spotReceiver.Receive(c.line).spotsPosted, 1);
        ASSERT_EQ(w.txtDX->topLevelItemCount(), 1);
        const auto* row = w.txtDX->topLevelItem(0);
        EXPECT_EQ(fromQ(row->text(0)), c.call);
        EXPECT_EQ(fromQ(row->text(1)), c.mhz);
        EXPECT_EQ(fromQ(row->text(3)), "");  // Status stays empty
        EXPECT_EQ(fromQ(row->text(4)), c.comments);
        EXPECT_EQ(fromQ(row->text(5)), c.prefix);
        EXPECT_EQ(fromQ(row->text(6)), c.time);
        EXPECT_EQ(fromQ(row->text(7)), c.from);
        EXPECT_EQ(p.f.ts->spotHistory.SpotCalls[49], c.call);
    }
}

TEST(SpotPanel, ASpotOf10GHzAndUpTunesToItsWholeFrequency) {
    Panel p;
    auto& w = *p.w;
    p.f.ts->Form1.PacketResize("Telnet", true);
    p.startRig();
    // The frequency is one character too wide for its columns and starts left of them.
    p.f.ts->spotReceiver.Receive("DX de K1TTT:  10368100.0  W1AW/B       FN31 beacon                    1500Z\r\n");
    ASSERT_EQ(w.txtDX->topLevelItemCount(), 1);
    EXPECT_EQ(fromQ(w.txtDX->topLevelItem(0)->text(1)), "10368.1");
    EXPECT_FLOAT_EQ(p.f.ts->spotHistory.SpotFreqs[49], 10368.1f);
    const QRect r = w.txtDX->visualItemRect(w.txtDX->topLevelItem(0));
    QTest::mouseClick(w.txtDX->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(fromQ(w.txtCall->text()), "W1AW/B");
    EXPECT_EQ(p.tuned(), std::vector<std::string>{"FA10368100000;"});
}

TEST(SpotPanel, SwitchingBackToTheBandMapShowsNoLabelOfAnEarlierPass) {
    Panel p;
    auto& w = *p.w;
    p.f.ts->Form1.PacketResize("Telnet", false);
    p.f.ts->spotReceiver.Receive(kSpots);
    ASSERT_EQ(p.shownSpots().size(), 2u);
    p.f.ts->Form1.PacketResize("Telnet", true);
    EXPECT_TRUE(p.shownSpots().empty());
    p.f.ts.fakes.clock.advanceSeconds(3600);  // every spot has expired meanwhile
    p.f.ts->Form1.PacketResize("Telnet", false);
    EXPECT_TRUE(w.lblDX->isVisible());
    EXPECT_TRUE(p.shownSpots().empty());
    // A band change redraws the scale for the new band.
    w.menuItem("mnuBand40Ch")->trigger();
    EXPECT_EQ(fromQ(w.lblFreqSpot[4]->text()), "7.300");
}

TEST(SpotPanel, TheSpectrumMapShowsTheSpotsAndItsRightClickFillsTheCallFieldAndCloses) {
    Panel p;
    auto& w = *p.w;
    spots::ui::RegisterSpotWindows();
    p.startRig();
    p.f.ts->spotReceiver.Receive(kSpots);

    // The focus stands elsewhere when the map opens; picking a spot brings it to the call field.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.txtRSTR->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), w.txtRSTR);
    bool checked = false;
    auto answer = testsupport::AnswerModal<spots::ui::SpectrumMap>([&](spots::ui::SpectrumMap& spectrum) {
        auto* map = &spectrum;
        EXPECT_EQ(map, ToolWindows::instance().loaded(window::ToolWindow::SpectrumMap));
        EXPECT_TRUE(map->isModal());
        EXPECT_EQ(fromQ(map->windowTitle()), " HF Spectrum Map");
        // 40 m and 20 m rows; the 20 m row zoomed to its two spots.
        EXPECT_EQ(fromQ(map->lblFreqSpot[20]->text()), "14.024");
        EXPECT_EQ(fromQ(map->lblFreqSpot[10]->text()), "7.000");
        std::vector<int> shown;
        for (int i = 0; i < 50; ++i)
            if (map->lblDXSpot[i]->isVisible()) shown.push_back(i);
        EXPECT_EQ(shown, (std::vector<int>{47, 48, 49}));
        // A spot arriving while the map is open is drawn at once.
        p.f.ts->spotReceiver.Receive("DX de K1TTT:     21025.0  LU1ABC       CQ\r\n");
        EXPECT_TRUE(map->lblDXSpot[49]->isVisible());
        EXPECT_EQ(fromQ(map->lblDXSpot[49]->text()), "LU1");
        // A left click hides a spot, a right click picks one and closes the map.
        QTest::mouseClick(map->lblDXSpot[49], Qt::LeftButton);
        EXPECT_FALSE(map->lblDXSpot[49]->isVisible());
        QTest::mouseClick(map->lblDXSpot[47], Qt::RightButton);
        checked = true;
    });
    w.menuItem("mnuSpectrumMap")->trigger();  // returns when the map has closed
    EXPECT_TRUE(checked);
    EXPECT_FALSE(ToolWindows::instance().isLoaded(window::ToolWindow::SpectrumMap));
    EXPECT_EQ(fromQ(w.txtCall->text()), "VP8/G3ABC");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == w.txtCall; }, 2000))
        << fromQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString("nothing"));
    EXPECT_EQ(p.tuned(), std::vector<std::string>{"FA00014075000;"});
    EXPECT_FLOAT_EQ(p.f.ts->spotHistory.SpotFreqs[49], 0.0f);  // the left click hid it in the store
    ToolWindows::instance().unregisterFactory(window::ToolWindow::SpectrumMap);
}

TEST(SpotPanel, OnTheSpectrumMapTheNewestOfSpotsOnOneFrequencyLiesInFront) {
    Panel p;
    // Fifty calls on one frequency fill every slot; the newest is slot 49, the oldest slot 0.
    for (int i = 0; i < 50; ++i)
        p.f.ts->Form1.BandMapSpots("QA" + std::to_string(i) + "ABC", "14025.0", "de K1TTT:");
    spots::ui::SpectrumMap map(*p.f.ts, p.w);
    map.Form_Load();
    map.show();
    QApplication::processEvents();
    for (QLabel* l : map.lblDXSpot) ASSERT_TRUE(l->isVisible()) << fromQ(l->objectName());
    const QPoint where = map.lblDXSpot[49]->geometry().center();
    EXPECT_EQ(map.lblDXSpot[0]->geometry().center(), where);
    EXPECT_EQ(map.childAt(where), map.lblDXSpot[49]) << fromQ(map.childAt(where)->objectName());
    map.hide();
}
