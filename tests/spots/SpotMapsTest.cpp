// The band map and the spectrum map: scale captions (the caption tables are the oracle),
// zoom, label places, colours by age and where a pass ends.

#include <gtest/gtest.h>

#include "spots/BandMap.h"
#include "spots/SpectrumScales.h"

using namespace spots;

namespace {
using Captions = std::array<std::string, 5>;

// A spot put straight into a slot, arrived `age` seconds before now (now = 10,000 s).
constexpr int64_t kNow = 10'000'000;
void Put(SpotHistory& h, int slot, const std::string& call, float mhz, int64_t age,
         platform::DateTime local = {2026, 4, 25, 14, 30, 0, 0}) {
    h.SpotCalls[slot] = call;
    h.SpotFreqs[slot] = mhz;
    h.SpotTimes[slot] = {kNow - age * 1000, local, true};
    h.SpotPrefixes[slot] = SpotPrefix(call);
}

const BandMapGeometry kStrip{1000, 9000, 5000, 600, 255, 7200};

std::vector<int> Indexes(const std::vector<SpotLabel>& labels) {
    std::vector<int> out;
    for (const auto& l : labels) out.push_back(l.index);
    return out;
}
}  // namespace

TEST(BandMap, ScaleCaptionsOfEveryBandWithNoSpots) {
    const std::pair<const char*, Captions> table[] = {
        {"160", {"1.800", "1.850", "1.900", "1.950", "2.000"}},
        {"80", {"3.500", "3.625", "3.750", "3.875", "4.000"}},
        {"40", {"7.000", "7.075", "7.150", "7.225", "7.300"}},
        {"20", {"14.000", "14.088", "14.175", "14.263", "14.350"}},
        {"15", {"21.000", "21.113", "21.225", "21.338", "21.450"}},
        {"10", {"28.000", "28.425", "28.850", "29.275", "29.700"}},
        {"6", {"50.000", "51.000", "52.000", "53.000", "54.000"}},
        {"2", {"144.000", "145.000", "146.000", "147.000", "148.000"}},
        {"1.25", {"219.000", "220.500", "222.000", "223.500", "225.000"}},
        {"440", {"420.000", "427.500", "435.000", "442.500", "450.000"}},
        {"30", {".000", ".000", ".000", ".000", ".000"}},
        {"", {".000", ".000", ".000", ".000", ".000"}},
    };
    const SpotHistory none;
    for (const auto& [band, captions] : table) EXPECT_EQ(SetBandMapScale(none, band), captions) << band;
}

TEST(BandMap, TheScaleZoomsToTwoOrMoreFrequenciesStrictlyInsideTheBand) {
    SpotHistory h;
    Put(h, 48, "JA1ABC", 14.025f, 10);
    Put(h, 49, "K1ABC", 14.075f, 5);
    EXPECT_EQ(SetBandMapScale(h, "20"), (Captions{"14.024", "14.037", "14.050", "14.063", "14.076"}));

    // One frequency, however many spots, leaves the whole band.
    SpotHistory one;
    Put(one, 48, "JA1ABC", 14.025f, 10);
    Put(one, 49, "K1ABC", 14.025f, 5);
    EXPECT_EQ(SetBandMapScale(one, "20")[0], "14.000");
    // A spot on a band edge, or held only in slot 0, does not count.
    SpotHistory edge;
    Put(edge, 47, "W1AW", 14.000f, 10);
    Put(edge, 0, "W2AW", 14.300f, 10);
    Put(edge, 49, "K1ABC", 14.025f, 5);
    EXPECT_EQ(SetBandMapScale(edge, "20"), (Captions{"14.000", "14.088", "14.175", "14.263", "14.350"}));
}

TEST(BandMap, LabelsStandJustAboveTheLineAtTheirFrequencyWithCallFrequencyAndUtcAsTip) {
    SpotHistory h;
    Put(h, 49, "JA1ABC", 7.075f, 10);
    const auto captions = SetBandMapScale(h, "40");
    const auto labels = BandMapPass(h, captions, kStrip, kNow, 5.0f);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].index, 49);
    EXPECT_EQ(labels[0].caption, "JA1");
    EXPECT_EQ(labels[0].tip, "JA1ABC  7.075  19:30:00");
    // A quarter of the way along the line, centred; its foot 0.004 of the window above the line.
    EXPECT_NEAR(labels[0].left, 1000 + 0.25 * 8000 - 300, 0.01);
    EXPECT_NEAR(labels[0].top, 5000 - 255 - 0.004 * 7200, 1e-9);
    EXPECT_EQ(labels[0].colour, kSpotColourNew);
}

TEST(BandMap, ColoursByAgeAndTheFirstExpiredSpotOnTheScaleEndsThePass) {
    const std::pair<int64_t, uint32_t> colours[] = {{-5, kSpotColourNew},       {0, kSpotColourNew},
                                                    {599, kSpotColourNew},      {600, kSpotColourMiddle},
                                                    {1799, kSpotColourMiddle},  {1800, kSpotColourOld},
                                                    {3599, kSpotColourOld}};
    for (const auto& [age, colour] : colours) {
        SpotHistory h;
        Put(h, 49, "JA1ABC", 7.010f, age);
        const auto labels = BandMapPass(h, SetBandMapScale(h, "40"), kStrip, kNow, 0);
        ASSERT_EQ(labels.size(), 1u) << age;
        EXPECT_EQ(labels[0].colour, colour) << age;
    }

    SpotHistory h;
    Put(h, 49, "K1AA", 7.010f, 10);
    Put(h, 48, "K2AA", 14.010f, 4000);  // old but off the 40 m scale: skipped, the pass goes on
    Put(h, 47, "K3AA", 0.0f, 5000);     // hidden: never ends the pass
    Put(h, 46, "K4AA", 7.020f, 3000);
    Put(h, 45, "K5AA", 7.030f, 3600);   // on the scale and expired: the pass ends here
    Put(h, 44, "K6AA", 7.040f, 100);
    EXPECT_EQ(Indexes(BandMapPass(h, SetBandMapScale(h, "40"), kStrip, kNow, 0)), (std::vector<int>{49, 46}));
    // An unknown band shows nothing.
    EXPECT_TRUE(BandMapPass(h, SetBandMapScale(h, "30"), kStrip, kNow, 0).empty());
}

TEST(SpectrumMap, UnzoomedCaptionsOfTheElevenRows) {
    const Captions table[] = {
        {"1.800", "1.850", "1.900", "1.950", "2.000"},
        {"3.500", "3.625", "3.750", "3.875", "4.000"},
        {"7.000", "7.075", "7.150", "7.225", "7.300"},
        {"10.100", "10.113", "10.125", "10.137", "10.150"},
        {"14.000", "14.088", "14.175", "14.263", "14.350"},
        {"18.068", "18.093", "18.118", "18.143", "18.168"},
        {"21.000", "21.113", "21.225", "21.338", "21.450"},
        {"24.890", "24.915", "24.940", "24.965", "24.990"},
        {"28.000", "28.425", "28.850", "29.275", "29.700"},
        {"50.000", "51.000", "52.000", "53.000", "54.000"},
        {"144.000", "145.000", "146.000", "147.000", "148.000"},
    };
    const auto layout = LayoutSpectrumMap({0, 0, 15360, 11520}, {0, 0, 15360, 10920});
    const auto scales = SetSpectrumScales(SpotHistory{}, layout);
    for (int k = 0; k < kSpectrumRows; ++k) EXPECT_EQ(scales[k].captions, table[k]) << SpectrumBandTable[k].name;
}

TEST(SpectrumMap, RowsZoomToTheirSpotsAndTicksHangUnderTheirLine) {
    const auto layout = LayoutSpectrumMap({0, 0, 15360, 11520}, {0, 0, 15360, 10920});
    SpotHistory h;
    Put(h, 48, "JA1ABC", 14.020f, 10);
    Put(h, 49, "K1ABC", 14.030f, 5);
    Put(h, 47, "G3ABC", 5.3f, 5);  // on no band: changes nothing
    auto scales = SetSpectrumScales(h, layout);
    EXPECT_EQ(scales[4].captions, (Captions{"14.019", "14.022", "14.025", "14.028", "14.031"}));
    EXPECT_EQ(scales[2].captions[0], "7.000");
    // A spot just inside the upper edge takes the scale 1 kHz past it.
    Put(h, 49, "K1ABC", 14.3495f, 5);
    scales = SetSpectrumScales(h, layout);
    EXPECT_EQ(scales[4].captions[4], "14.351");

    const auto& line = layout.lines[4];
    const auto& tick = scales[4].ticks[2];
    EXPECT_NEAR(tick.left + tick.width / 2, (line.x1 + line.x2) / 2, 1e-6);
    EXPECT_NEAR(tick.top, line.y1 + 0.004 * 10920, 1e-6);
    // Design places in proportion to the work area; fonts follow the screen, at most 1.5 times.
    EXPECT_NEAR(line.x1, 360 * 15360 / 9600.0, 1e-6);
    EXPECT_NEAR(line.y1, (360 + 4 * 600) * 10920 / 7200.0, 1e-6);
    EXPECT_DOUBLE_EQ(layout.labelFontPt, 6.75 * 1.5);
    EXPECT_DOUBLE_EQ(LayoutSpectrumMap({0, 0, 12000, 9000}, {0, 0, 11000, 8400}).labelFontPt, 6.75 * 1.25);
}

TEST(SpectrumMap, SpotsStandOnTheirBandsLineAndEveryAgedOrEmptySlotEndsThePass) {
    const auto layout = LayoutSpectrumMap({0, 0, 15360, 11520}, {0, 0, 15360, 10920});
    SpotHistory h;
    Put(h, 49, "JA1ABC", 14.175f, 10);
    Put(h, 48, "W1AW", 14.000f, 10);    // on the 20 m edge: on no band
    Put(h, 47, "G3ABC", 5.3f, 10);      // between bands
    Put(h, 46, "VK2ABC", 0.0f, 10);     // hidden
    Put(h, 45, "ZS6ABC", 28.0f + 0.001f, 700);
    auto scales = SetSpectrumScales(h, layout);
    auto labels = SpectrumPass(h, scales, layout, kNow, 4);
    ASSERT_EQ(Indexes(labels), (std::vector<int>{49, 45}));  // slot 44 never held a spot: the end
    const auto& line = layout.lines[4];
    EXPECT_NEAR(labels[0].left, (line.x1 + line.x2) / 2 - layout.spotWidth / 2, 0.1);  // 14.175 in single precision
    EXPECT_NEAR(labels[0].top, line.y1 - layout.spotHeight, 1e-9);
    EXPECT_EQ(labels[0].tip, "JA1ABC  14.175  18:30:00");
    EXPECT_EQ(labels[1].colour, kSpotColourMiddle);

    // A hidden slot 3600 s old ends the pass too, although it is on no band.
    Put(h, 46, "VK2ABC", 0.0f, 3600);
    EXPECT_EQ(Indexes(SpectrumPass(h, scales, layout, kNow, 4)), (std::vector<int>{49}));

    // The oldest slot's spot, outside the range the others zoomed to, is placed beyond the line.
    SpotHistory z;
    for (int i = 1; i < 50; ++i) Put(z, i, "K" + std::to_string(i) + "ZZ", i % 2 ? 14.020f : 14.030f, 10);
    Put(z, 0, "W0ABC", 14.300f, 10);
    scales = SetSpectrumScales(z, layout);
    labels = SpectrumPass(z, scales, layout, kNow, 0);
    ASSERT_EQ(labels.size(), 50u);
    EXPECT_GT(labels.back().left, layout.lines[4].x2);
}
