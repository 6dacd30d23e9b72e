#include <gtest/gtest.h>

#include <cmath>

#include "logtools/RateGraphModel.h"
#include "platform/Clock.h"

using logtools::BuildRateGraph;
using logtools::kRateSteps;

namespace {

// A log of contacts given as seconds after 2024/04/27 14:00:00 UTC, with their bands.
station::ContactLog logAt(const std::vector<std::pair<int, std::string>>& contacts) {
    station::ContactLog log;
    const platform::DateTime base{2024, 4, 27, 14, 0, 0, 0};
    for (const auto& [seconds, band] : contacts) {
        const auto t = base.addSeconds(seconds);
        station::ContactRecord r;
        r.Call = "K4ABC";
        r.QsoDate = t.format("yyyy/mm/dd");
        r.QsoTime = t.format("hh:nn:ss");
        r.Band = band;
        r.Mode = "CW";
        log.records().push_back(r);
    }
    return log;
}

// n contacts `every` seconds apart on one band.
station::ContactLog evenLog(int n, int every, const std::string& band = "20") {
    std::vector<std::pair<int, std::string>> c;
    for (int i = 0; i < n; ++i) c.emplace_back(i * every, band);
    return logAt(c);
}

int stepOf(int seconds, int span) {
    return static_cast<int>(std::lrint(static_cast<double>(seconds) * kRateSteps / span));
}

}  // namespace

TEST(RateGraphModel, NeedsSevenContacts) {
    EXPECT_FALSE(BuildRateGraph(evenLog(6, 60)).enoughContacts);
    EXPECT_FALSE(BuildRateGraph(station::ContactLog{}).enoughContacts);
    const auto g = BuildRateGraph(evenLog(7, 60));
    EXPECT_TRUE(g.enoughContacts);
    EXPECT_TRUE(g.hasCurve);
}

TEST(RateGraphModel, RateIsSixTimesTheContactsOfTheLastTenMinutes) {
    // Seven contacts 20 minutes apart: each alone in its ten minutes.
    const auto lonely = BuildRateGraph(evenLog(7, 1200));
    const int span = 6 * 1200;
    for (int i = 1; i < 7; ++i) EXPECT_EQ(lonely.placed[static_cast<size_t>(stepOf(i * 1200, span))], 6) << i;

    // Ten contacts within ten minutes, then one more an hour later to stretch the axis.
    std::vector<std::pair<int, std::string>> burst;
    for (int i = 0; i < 10; ++i) burst.emplace_back(i * 60, "20");
    burst.emplace_back(3600, "20");
    const auto g = BuildRateGraph(logAt(burst));
    EXPECT_EQ(g.placed[static_cast<size_t>(stepOf(540, 3600))], 60);
    // The contact an hour later sees only itself: 600 seconds is already outside the window.
    EXPECT_EQ(g.placed[kRateSteps], 6);

    // The ten minutes end just short of 600 seconds: 599 seconds back is inside, 600 is not.
    const auto edge = BuildRateGraph(logAt({{0, "20"}, {599, "20"}, {1199, "20"}, {3000, "20"}, {3600, "20"},
                                            {4200, "20"}, {4800, "20"}}));
    EXPECT_EQ(edge.placed[static_cast<size_t>(stepOf(599, 4800))], 12);
    EXPECT_EQ(edge.placed[static_cast<size_t>(stepOf(1199, 4800))], 6);
}

TEST(RateGraphModel, SameStepLastContactWinsValueAndBand) {
    // Contacts 2 and 3 are one second apart on an axis of 7200 s (4.8 s per step).
    const auto g = BuildRateGraph(logAt({{0, "20"}, {960, "20"}, {961, "40"}, {2000, "15"}, {3000, "15"},
                                         {5000, "6"}, {7200, "20"}}));
    const size_t s = static_cast<size_t>(stepOf(960, 7200));
    ASSERT_EQ(s, static_cast<size_t>(stepOf(961, 7200)));
    EXPECT_EQ(g.placed[s], 12);
    EXPECT_EQ(g.stepBand[s], logtools::RateBandIndex("40"));
    // A 6 m contact and any unlisted band take the "Other" colour.
    EXPECT_EQ(g.stepBand[static_cast<size_t>(stepOf(5000, 7200))], 6);
    EXPECT_EQ(logtools::RateBandIndex("2"), 6);
    EXPECT_EQ(logtools::RateBandIndex("160"), 0);
}

TEST(RateGraphModel, ShortPausesAreBridgedLongOnesDropToZeroThenRamp) {
    // 7 contacts over 1500 s: one second per step. A pause of 10 steps, then one of 200.
    const auto g = BuildRateGraph(logAt({{0, "20"}, {10, "20"}, {20, "20"}, {30, "20"}, {40, "20"},
                                         {250, "20"}, {1500, "20"}}));
    for (int s = 31; s < 40; ++s) EXPECT_GT(g.smoothed[static_cast<size_t>(s)], 0) << s;
    EXPECT_EQ(g.smoothed[150], 0);
    EXPECT_EQ(g.MinRate, 0);
    // The 15 steps before the contact at 250 rise towards its value.
    EXPECT_EQ(g.placed[235], 0);
    for (int s = 237; s < 250; ++s) {
        EXPECT_GT(g.smoothed[static_cast<size_t>(s)], g.smoothed[static_cast<size_t>(s - 1)]) << s;
    }
    // The strip follows the curve: a band while it is above zero, the background in the pause.
    EXPECT_EQ(g.stepBand[35], logtools::RateBandIndex("20"));
    EXPECT_EQ(g.stepBand[150], logtools::kBackgroundBand);
}

TEST(RateGraphModel, LogsWithoutAUsableAxisDrawNoCurve) {
    struct Case {
        const char* what;
        station::ContactLog log;
        bool labels;
    };
    auto unreadable = evenLog(7, 60);
    for (auto& r : unreadable.records()) r.QsoTime = "25:99";
    const Case cases[] = {
        {"all in one second", evenLog(7, 0), true},
        {"last record before the first", logAt({{600, "20"}, {60, "20"}, {120, "20"}, {180, "20"},
                                                {240, "20"}, {300, "20"}, {0, "20"}}), true},
        {"no readable time", unreadable, false},
    };
    for (const auto& c : cases) {
        const auto g = BuildRateGraph(c.log);
        EXPECT_TRUE(g.enoughContacts) << c.what;
        EXPECT_FALSE(g.hasCurve) << c.what;
        EXPECT_EQ(g.hasTimeLabels, c.labels) << c.what;
    }
}

TEST(RateGraphModel, RecordsOffTheAxisAreLeftOutNotFatal) {
    // The third record was typed late with an earlier time than the first.
    auto log = logAt({{600, "20"}, {700, "20"}, {500, "40"}, {800, "20"}, {900, "20"}, {1000, "20"}, {2100, "20"}});
    const auto g = BuildRateGraph(log);
    ASSERT_TRUE(g.hasCurve);
    EXPECT_EQ(g.skippedContacts, 1);
    // Still counted by the ten-minute walk of the contact after it (it is less than 600 s older).
    EXPECT_EQ(g.placed[static_cast<size_t>(stepOf(200, 1500))], 24);
}

TEST(RateGraphModel, LabelsSpanFirstToLastRecord) {
    const auto g = BuildRateGraph(evenLog(8, 600));  // 14:00 to 15:10 over 14 labels: 5 minutes each
    EXPECT_EQ(g.timeLabels[0], "14:00");
    EXPECT_EQ(g.timeLabels[1], "14:05");
    EXPECT_EQ(g.timeLabels[14], "15:10");
    EXPECT_EQ(g.dateLabels[14], "04/27");
    EXPECT_EQ(g.valueLabels[0], logtools::FormatRate(g.MinRate));
    EXPECT_EQ(g.valueLabels[16], logtools::FormatRate(g.MaxRate));
    EXPECT_EQ(logtools::FormatRate(0), "0.0");
    EXPECT_EQ(logtools::FormatRate(1234.56), "1234.6");
}
