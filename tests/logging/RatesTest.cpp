#include "logging/Rates.h"

#include <gtest/gtest.h>

#include "Fixtures.h"

using namespace logging;
using fixtures::Rec;
using platform::DateTime;

namespace {

const DateTime kLocalNoon{2026, 4, 25, 12, 0, 0, 0};  // UTC 16:00:00 with offset 4

// A contact whose UTC stamp is ageSeconds before kLocalNoon + 4 h.
station::ContactRecord Aged(int64_t ageSeconds) {
    const DateTime t = DateTime{2026, 4, 25, 16, 0, 0, 0}.addSeconds(-ageSeconds);
    return Rec("K4A").at(t.format("yyyy/mm/dd"), t.format("hh:nn:ss"));
}

struct RateCase {
    const char* name;
    std::vector<station::ContactRecord> records;  // oldest first
    int last60, last20x3;
};

void PrintTo(const RateCase& c, std::ostream* os) { *os << c.name; }

class Rates : public testing::TestWithParam<RateCase> {};

TEST_P(Rates, CountsBackFromTheNewestRecord) {
    station::ContactLog log;
    log.records() = GetParam().records;
    const auto rates = ShowQsoRate(log, kLocalNoon, 4);
    ASSERT_TRUE(rates.has_value());
    EXPECT_EQ(rates->last60, GetParam().last60);
    EXPECT_EQ(rates->last20x3, GetParam().last20x3);
}

INSTANTIATE_TEST_SUITE_P(
    Ages, Rates,
    testing::Values(RateCase{"Empty", {}, 0, 0}, RateCase{"Age1199", {Aged(1199)}, 1, 3},
                    RateCase{"Age1200", {Aged(1200)}, 1, 0}, RateCase{"Age3600EndsUncounted", {Aged(3600)}, 0, 0},
                    RateCase{"Age3599", {Aged(3599)}, 1, 0},
                    RateCase{"Mixed", {Aged(4000), Aged(3000), Aged(1500), Aged(600), Aged(10)}, 4, 6},
                    RateCase{"OldRecordOnTopStopsTheScan", {Aged(600), Aged(10), Aged(7200)}, 0, 0},
                    RateCase{"FutureCountsInBoth", {Aged(-120)}, 1, 3},
                    RateCase{"PostContestTimeWithoutSeconds", {Rec("K4A").at("2026/04/25", "15:50")}, 1, 3}),
    [](const testing::TestParamInfo<RateCase>& info) { return info.param.name; });

TEST(RatesFailure, AnUnreadableRecordKeepsTheLabels) {
    station::ContactLog log;
    log.records() = {Rec("K4A").at("2026/13/45", "15:59:00")};
    EXPECT_FALSE(ShowQsoRate(log, kLocalNoon, 4).has_value());
}

TEST(RatesOffset, FractionalOffsetIsAppliedInMinutes) {
    station::ContactLog log;
    // 16:20 UTC: 10 minutes old at offset 4.5 (16:30), in the future at offset 4.
    log.records() = {Rec("K4A").at("2026/04/25", "16:20:00")};
    EXPECT_EQ(UtcFromLocal(kLocalNoon, 4.5).format("hh:nn:ss"), "16:30:00");
    EXPECT_EQ(ShowQsoRate(log, kLocalNoon, 4.5)->last20x3, 3);
}

TEST(OperatingTime, TextKeepsTwoCharactersPerPart) {
    EXPECT_EQ(OperatingTimeText(0), "00:00:00");
    EXPECT_EQ(OperatingTimeText(3 * 3600 + 7 * 60 + 45), "03:07:45");
    EXPECT_EQ(OperatingTimeText(123 * 3600 + 4 * 60 + 5), "23:04:05");
    EXPECT_EQ(OperatingTimeText(59.0), "00:00:59");
}

TEST(OperatingTime, ClockTextsAndMidnightWrap) {
    auto t = ClockTick({2026, 4, 25, 13, 5, 9, 0}, 4);
    EXPECT_EQ(t.localTime, "1:05:09");
    EXPECT_EQ(t.amPm, "PM");
    EXPECT_EQ(t.utcTime, "17:05:09");
    t = ClockTick({2026, 4, 25, 0, 30, 0, 0}, 4);
    EXPECT_EQ(t.localTime, "12:30:00");
    EXPECT_EQ(t.amPm, "AM");
    EXPECT_EQ(ClockTick({2026, 4, 25, 22, 0, 0, 0}, 4).utcTime, "02:00:00");
}

TEST(OperatingTime, RunningSecondsAddToTheStoredTime) {
    const DateTime on = kLocalNoon;
    EXPECT_EQ(RunningSecondsAt(100, on, on.addSeconds(50)), 150);
    // A clock set back before Time On shows the absolute value.
    EXPECT_EQ(RunningSecondsAt(100, on, on.addSeconds(-500)), 400);
}

TEST(OperatingTime, TimeOnAndOffKeepTheSecondsAndUseTheMinuteOffset) {
    ClockState clock;
    station::StationProfile profile;
    profile.HoursOffset = 4.5f;
    TimeOn(clock, kLocalNoon);
    EXPECT_TRUE(clock.LoggedOn);
    EXPECT_EQ(clock.LogOnTime, kLocalNoon);
    const std::string message = TimeOff(clock, profile, 754, kLocalNoon.addSeconds(754));
    EXPECT_FALSE(clock.LoggedOn);
    EXPECT_EQ(profile.OperatingSeconds, 754.0f);
    EXPECT_EQ(message, "Logged Off at 4/25/2026 16:42:34");
}

}  // namespace
