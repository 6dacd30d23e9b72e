#include <gtest/gtest.h>

#include <set>

#include "rig/BandPlan.h"
#include "support/TestSession.h"

using namespace rig;

namespace {
std::vector<BandPlanRow> rows(const std::string& body) { return ExtraRows("\"2024/01/01\"\r\n" + body); }
}  // namespace

TEST(BandPlanMode, FirstExtraRowStrictlyHoldingTheFrequency) {
    const auto plan = rows(
        "\"160\",\"O\",\"CW\",1.8,2\r\n\"160\",\"E\",\"PH\",1.8,2\r\n"
        "\"40\",\"O\",\"CW\",7,7.3\r\n\"40\",\"G\",\"PH\",7.0,7.3\r\n\"40\",\"E\",\"CW\",7,7.125\r\n"
        "\"40\",\"E\",\"PH\",7.125,7.3\r\n\"40\",\"E\",\"CW\",7.15,7.25\r\n"
        "\"60\",\"E\",\"PH\",5.3306,5.3334\r\n\"20\",\"E\",\"CW\",14,14.15\r\n\"20\",\"E\",\"PH\",14.15,14.35\r\n"
        "\"80\",\"E\",\"PH\",3.6,4\r\n\"30\",\"E\",\"RY\",10.1,10.15\r\n");
    struct Case {
        double mhz;
        const char* mode;
    };
    const Case cases[] = {
        {7.025, "CW"},   {14.2, "USB"},  {14.025, "CW"}, {3.8, "LSB"},
        {1.85, ""},      // 160 m: never a mode change
        {7.125, ""},     // on the edge of both rows
        {7.2, "LSB"},    // overlapping rows: the first in the file decides
        {5.332, "USB"},  // US 60 m phone is upper sideband
        {10.12, "RY"},   // another segment text passes unchanged
        {21.2, ""},      {0.0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(BandPlanMode(plan, c.mhz), c.mode) << c.mhz;
}

TEST(BandPlanFile, ReadsRowsUntilTheFirstBadItemAndAtMost200) {
    EXPECT_TRUE(rows("").empty());
    EXPECT_TRUE(ExtraRows("").empty());
    const BandPlanFile f = ReadBandPlan("\"2024/01/01\"\r\n\"40\",\"O\",\"CW\",7,7.3\r\n\"40\",\"E\",\"CW\"");
    EXPECT_EQ(f.EffectiveDate.text, "2024/01/01");
    ASSERT_EQ(f.rows.size(), 1u);
    EXPECT_EQ(f.rows[0], (BandPlanRow{"40", "O", "CW", 7.0, 7.3}));
    EXPECT_FALSE(f.complete);  // the chart reports a file it could not read to its end
    EXPECT_TRUE(ReadBandPlan("\"2024/01/01\"\r\n\"40\",\"O\",\"CW\",7,7.3\r\n\r\n").complete);
    EXPECT_TRUE(ReadBandPlan("\"2024/01/01\"\r\n").complete);
    EXPECT_FALSE(ReadBandPlan("").complete);
    std::string many = "\"2024/01/01\"\r\n";
    for (int i = 0; i < 250; ++i) many += "\"20\",\"E\",\"CW\",14,14.15\r\n";
    EXPECT_EQ(ReadBandPlan(many).rows.size(), 200u);
    EXPECT_FALSE(ReadBandPlan(many).complete);
    EXPECT_EQ(ExtraRows(many).size(), 200u);
    // Letters are compared exactly: an "e" row is no Extra row.
    EXPECT_TRUE(rows("\"20\",\"e\",\"CW\",14,14.15\r\n").empty());
}

TEST(ModeByFrequency, FixedSegmentsStrictlyInside) {
    struct Case {
        double mhz;
        std::optional<std::string> mode;
    };
    const Case cases[] = {
        {14.1, "CW"}, {14.2, "PH"}, {10.12, "CW"}, {14.15, std::nullopt}, {1.85, std::nullopt},
        {5.35, std::nullopt}, {3.6, std::nullopt}, {146.52, "PH"}, {50.09, "CW"}, {0.0, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ModeByFrequency(c.mhz), c.mode) << c.mhz;
}

TEST(ShippedBandPlan, LaidOutBandByBandAndAgreesWithTheFixedModeTable) {
    const std::string bytes = readFileBytes(std::string(PALMETAR_DATA_DIR) + "/BandPlan.txt");
    const BandPlanFile plan = ReadBandPlan(bytes);
    ASSERT_GT(plan.rows.size(), 100u);
    EXPECT_LE(plan.rows.size(), kBandPlanCapacity);
    EXPECT_EQ(plan.EffectiveDate.kind, station::Variant::Kind::Text);
    // Each band's rows stand together, its "O" row first, and every segment lies inside it.
    std::set<std::string> seen;
    const BandPlanRow* edge = nullptr;
    for (const auto& row : plan.rows) {
        if (!edge || row.BandName != edge->BandName) {
            EXPECT_EQ(row.ClassLetter, "O") << row.BandName;
            EXPECT_TRUE(seen.insert(row.BandName).second) << row.BandName << " stands in two places";
            edge = &row;
            continue;
        }
        EXPECT_NE(std::string("NTPGAE").find(row.ClassLetter), std::string::npos) << row.BandName;
        EXPECT_TRUE(row.SegmentMode == "CW" || row.SegmentMode == "PH") << row.BandName;
        EXPECT_LT(row.LowMhz, row.HighMhz) << row.BandName;
        EXPECT_GE(row.LowMhz, edge->LowMhz) << row.BandName;
        EXPECT_LE(row.HighMhz, edge->HighMhz) << row.BandName;
    }
    // The Extra rows of 80 to 2 m are the fixed table's segments, so both mode sources agree.
    const auto extra = ExtraRows(bytes);
    for (const auto& segment : ModeByFrequencyTable()) {
        bool found = false;
        for (const auto& row : extra) {
            if (row.LowMhz == segment.lower && row.HighMhz == segment.upper && row.SegmentMode == segment.mode)
                found = true;
        }
        EXPECT_TRUE(found) << segment.lower << "-" << segment.upper << " " << segment.mode;
    }
    for (double mhz = 1.8; mhz < 450; mhz += 0.0005) {
        const auto fixed = ModeByFrequency(mhz);
        const std::string planned = BandPlanMode(extra, mhz);
        if (!fixed) continue;
        EXPECT_EQ(planned == "CW" ? "CW" : "PH", *fixed) << mhz;
    }
}
