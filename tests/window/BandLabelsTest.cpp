#include <gtest/gtest.h>

#include "window/BandLabels.h"

using namespace window;

TEST(LabelCycles, BandCyclesThroughTheContestBandsAndModeTogglesCwAndPhone) {
    EXPECT_EQ(NextBandOnLabelClick("40"), "20");
    EXPECT_EQ(NextBandOnLabelClick("20"), "15");
    EXPECT_EQ(NextBandOnLabelClick("15"), "10");
    EXPECT_EQ(NextBandOnLabelClick("10"), "40");
    for (const char* other : {"160", "80", "6", "", "2"}) EXPECT_EQ(NextBandOnLabelClick(other), "40") << other;
    EXPECT_EQ(NextModeOnLabelClick("CW"), "PH");
    EXPECT_EQ(NextModeOnLabelClick("cw"), "PH");
    EXPECT_EQ(NextModeOnLabelClick("PH"), "CW");
    EXPECT_EQ(NextModeOnLabelClick("DG"), "CW");
}
