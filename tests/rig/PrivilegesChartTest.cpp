// The privileges chart's layout: which bands get a bar, where bars and segments stand, and their
// captions.
#include <gtest/gtest.h>

#include "rig/PrivilegesChart.h"

using namespace rig;

namespace {
BandPlanRow row(const char* band, const char* cls, const char* mode, double low, double high) {
    return {band, cls, mode, low, high};
}

// A window of 1000 x 600 with the rule under the header at 60: the chart area is 540 high.
constexpr ChartArea kArea{1000, 600, 60};

const std::vector<BandPlanRow>& plan() {
    static const std::vector<BandPlanRow> rows = {
        row("80", "O", "CW", 3.5, 4.0),     row("80", "G", "CW", 3.525, 3.6),  row("80", "E", "CW", 3.5, 3.6),
        row("80", "E", "PH", 3.6, 4.0),
        row("60", "O", "PH", 5.3305, 5.3305),  // no width: never drawn
        row("60", "E", "PH", 5.3305, 5.3335),
        row("40", "O", "CW", 7.0, 7.3),     row("40", "E", "CW", 7.0, 7.125),  row("40", "E", "PH", 7.125, 7.3),
        row("40", "G", "PH", 7.175, 7.3),
        row("20", "O", "CW", 14.0, 14.35),  row("20", "T", "CW", 14.0, 14.35),
        row("20", "E", "PH", 14.15, 14.5),  // reaches past the band's top edge
        row("15", "E", "CW", 21.0, 21.2),   // a band without its "O" row: nothing
    };
    return rows;
}
}  // namespace

TEST(PrivilegesChart, BarsForTheBandsOfTheClassSpreadOverTheChartArea) {
    const PrivilegesChart e = BuildPrivilegesChart(plan(), "E", kArea);
    ASSERT_EQ(e.bars.size(), 3u);  // 80, 40, 20; 60 has no width, 15 no edge row
    EXPECT_EQ(e.bars[0].band, "80");
    EXPECT_EQ(e.bars[1].band, "40");
    EXPECT_EQ(e.bars[2].band, "20");
    // n bars at lineY + k * 0.8 * (H - lineY) / n: the last one 80 % of the way down.
    const double spacing = 0.8 * 540 / 3;
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(e.bars[k].rect, (ChartRect{100, 60 + (k + 1) * spacing, 850, 24})) << k;
        EXPECT_EQ(e.bars[k].nameBox, (ChartRect{40, e.bars[k].rect.top, 50, 24})) << k;
    }
    EXPECT_DOUBLE_EQ(e.bars[2].rect.top, 60 + 0.8 * 540);
    EXPECT_EQ(e.bars[1].toolTip, "40  7.000 - 7.300");

    // General has rows on 80 and 40 only; Technician on 20 only; Novice nowhere.
    const PrivilegesChart g = BuildPrivilegesChart(plan(), "G", kArea);
    ASSERT_EQ(g.bars.size(), 2u);
    EXPECT_EQ(g.bars[1].band, "40");
    EXPECT_DOUBLE_EQ(g.bars[1].rect.top, 60 + 0.8 * 540);
    EXPECT_EQ(BuildPrivilegesChart(plan(), "T", kArea).bars.size(), 1u);
    EXPECT_TRUE(BuildPrivilegesChart(plan(), "N", kArea).bars.empty());
    EXPECT_TRUE(BuildPrivilegesChart(plan(), "N", kArea).segments.empty());
}

TEST(PrivilegesChart, SegmentsInProportionToFrequencyAndInsideTheirBar) {
    const PrivilegesChart e = BuildPrivilegesChart(plan(), "E", kArea);
    ASSERT_EQ(e.segments.size(), 5u);
    struct Expect {
        size_t bar;
        bool cw;
        double left, width;
        const char* caption;
    };
    const double perMhz80 = 850 / 0.5, perMhz40 = 850 / 0.3, perMhz20 = 850 / 0.35;
    const Expect expected[] = {
        {0, true, 100, 0.1 * perMhz80, "3.500 - 3.600"},    // from the band's low edge: the bar's left end
        {0, false, 100 + 0.1 * perMhz80, 0.4 * perMhz80, "3.600 - 4.000"},
        {1, true, 100, 0.125 * perMhz40, "7.000 - 7.125"},
        {1, false, 100 + 0.125 * perMhz40, 0.175 * perMhz40, "7.125 - 7.300"},
        // 14.15 - 14.5 on a band ending at 14.35: drawn up to the bar's right end, captioned as the row.
        {2, false, 100 + 0.15 * perMhz20, 0.2 * perMhz20, "14.150 - 14.500"},
    };
    for (size_t i = 0; i < 5; ++i) {
        const auto& s = e.segments[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(s.bar, expected[i].bar);
        EXPECT_EQ(s.cw, expected[i].cw);
        EXPECT_NEAR(s.rect.left, expected[i].left, 1e-9);
        EXPECT_NEAR(s.rect.width, expected[i].width, 1e-9);
        EXPECT_EQ(s.rect.top, e.bars[s.bar].rect.top);
        EXPECT_EQ(s.rect.height, e.bars[s.bar].rect.height);
        EXPECT_EQ(s.caption, expected[i].caption);
        EXPECT_LE(s.rect.left + s.rect.width, e.bars[s.bar].rect.left + e.bars[s.bar].rect.width + 1e-9);
    }
    EXPECT_EQ(e.segments[2].toolTip, "CW  7.000 - 7.125");
    EXPECT_EQ(e.segments[3].toolTip, "PH  7.125 - 7.300");
    // A segment covering the whole band is as wide as its bar.
    const PrivilegesChart t = BuildPrivilegesChart(plan(), "T", kArea);
    ASSERT_EQ(t.segments.size(), 1u);
    EXPECT_EQ(t.segments[0].rect, t.bars[0].rect);
}

TEST(PrivilegesChart, NeverMoreBarsThanTwentyOrThanFitWithoutOverlapping) {
    std::vector<BandPlanRow> many;
    for (int b = 0; b < 25; ++b) {
        const std::string band = std::to_string(100 + b);
        many.push_back({band, "O", "CW", 1.0 * b + 1, 1.0 * b + 1.5});
        many.push_back({band, "E", "CW", 1.0 * b + 1, 1.0 * b + 1.2});
    }
    // With the chart area the whole height there is room for exactly 20 bars, and no more are drawn.
    const PrivilegesChart tall = BuildPrivilegesChart(many, "E", {1000, 4000, 0});
    EXPECT_EQ(tall.bars.size(), 20u);
    EXPECT_EQ(tall.bandsLeftOut, 5);
    EXPECT_EQ(tall.bars.back().band, "119");  // the first bands of the file are kept
    EXPECT_EQ(tall.segments.size(), 20u);
    // With the rule a tenth of the way down, bars of 4 % of the height fit 18 times.
    const PrivilegesChart usual = BuildPrivilegesChart(many, "E", {1000, 600, 60});
    EXPECT_EQ(usual.bars.size(), 18u);
    for (size_t k = 1; k < usual.bars.size(); ++k)
        EXPECT_GE(usual.bars[k].rect.top, usual.bars[k - 1].rect.top + usual.bars[k - 1].rect.height - 1e-9) << k;
    EXPECT_LE(usual.bars.back().rect.top + usual.bars.back().rect.height, 600);
}

TEST(PrivilegesChart, FrequenciesShowGroupedWithThreeDecimals) {
    struct Case {
        double mhz;
        const char* text;
    };
    const Case cases[] = {{14.35, "14.350"},       {1240, "1,240.000"}, {0.136, ".136"},       {7, "7.000"},
                          {5.3325, "5.333"},       {0, ".000"},         {1234567.5, "1,234,567.500"},
                          {10368.0004, "10,368.000"}};
    for (const auto& c : cases) EXPECT_EQ(FormatChartMhz(c.mhz), c.text) << c.mhz;
}
