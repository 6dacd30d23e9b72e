#include <gtest/gtest.h>

#include "logging/BandSwitch.h"
#include "logging/LoggingState.h"

using namespace logging;

TEST(BandForFrequency, BandEdgesAreComparedInSinglePrecision) {
    struct Case {
        float mhz;
        const char* band;
    };
    const Case cases[] = {
        {7.000f, "40"},  {7.300f, "40"},   {7.3001f, ""},    {6.9999f, ""},  {14.2f, "20"},
        {10.12f, "30"},  {3.6f, "80"},     {28.0f, "10"},    {29.7f, "10"},  {18.1f, "17"},
        {2300.0f, ""},   {2300.5f, "2.3"}, {0.0f, ""},       {-14.2f, ""},
        {10368.0f, "10G"},  // the 3 cm band has its own text, never the 10 m band's
    };
    for (const auto& c : cases) EXPECT_EQ(BandForFrequency(c.mhz), c.band) << c.mhz;
}

TEST(BandSwitchFor, OnlyTheFourContestBandsSwitchAndOnlyWhenTheBandDiffers) {
    struct Case {
        float mhz;
        const char* current;
        const char* expected;
    };
    const Case cases[] = {
        {7.05f, "20", "40"},   {14.2f, "40", "20"}, {21.3f, "20", "15"},  {28.4f, "15", "10"},
        {14.2f, "20", ""},     // same band: no reload
        {14.2f, "20 ", "20"},  // a stored band with a blank is a different text
        {3.6f, "40", ""},      {1.9f, "40", ""},    {50.1f, "40", ""},    {10.12f, "40", ""},
        {10368.0f, "40", ""},  {0.0f, "40", ""},    {7.3001f, "20", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(BandSwitchFor(c.mhz, c.current), c.expected) << c.mhz << " " << c.current;
}

TEST(PendingFrequencyFor, ReadingsBecomeThreeDecimalsAndNonPositiveReadingsAreNone) {
    EXPECT_EQ(PendingFrequencyFor(14.2f), "14.200");
    EXPECT_EQ(PendingFrequencyFor(7.0f), "7.000");
    EXPECT_EQ(PendingFrequencyFor(3.6f), "3.600");
    EXPECT_EQ(PendingFrequencyFor(1296.1234f), "1296.123");
    EXPECT_EQ(PendingFrequencyFor(0.0f), std::nullopt);
    EXPECT_EQ(PendingFrequencyFor(-7.1f), std::nullopt);
    // The text reads back as the reading to 0.001 MHz.
    EXPECT_NEAR(std::stod(*PendingFrequencyFor(21.0257f)), 21.0257, 0.0005);
}

TEST(ModeSwitchFor, SwitchesOnlyBetweenPhoneAndCwWhenTheModeDiffers) {
    struct Case {
        const char* rig;
        const char* current;
        const char* expected;
    };
    const Case cases[] = {
        {"ph", "CW", "PH"}, {"PH", "PH", ""}, {"AM", "CW", ""}, {"FM", "PH", ""},
        {"", "CW", ""},     {"CW", "DG", "CW"}, {"cw", "PH", "CW"}, {"DG", "CW", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ModeSwitchFor(c.rig, c.current), c.expected) << c.rig << " " << c.current;
}

TEST(KeepRigReading, KeepsTheTextWithItsBandAndABandlessReadingKeepsWhatWasKept) {
    LoggingState state;
    KeepRigReading(state, 14.2);
    EXPECT_EQ(state.PendingFrequency, "14.200");
    EXPECT_EQ(state.PendingFrequencyBand, "20");
    for (double none : {0.0, -7.1, 2500.0, 10.5}) {
        KeepRigReading(state, none);
        EXPECT_EQ(state.PendingFrequency, "14.200") << none;
        EXPECT_EQ(state.PendingFrequencyBand, "20") << none;
    }
    KeepRigReading(state, 3.6);
    EXPECT_EQ(state.PendingFrequency, "3.600");
    EXPECT_EQ(state.PendingFrequencyBand, "80");
    ForgetRigReading(state);
    EXPECT_EQ(state.PendingFrequency, "");
    EXPECT_EQ(state.PendingFrequencyBand, "");
}

TEST(ReportLength, TwoForPhoneThreeOtherwise) {
    EXPECT_EQ(ReportLength("PH"), 2);
    EXPECT_EQ(ReportLength("ph"), 2);
    EXPECT_EQ(ReportLength("CW"), 3);
    EXPECT_EQ(ReportLength("DG"), 3);
}
