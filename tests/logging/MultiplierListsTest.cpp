#include "logging/MultiplierLists.h"

#include <gtest/gtest.h>

#include "Fixtures.h"
#include "logging/Scoring.h"

using namespace logging;
using fixtures::Rec;

namespace {

using Names = std::vector<std::string>;

TEST(CountyLists, EmptyLogHeadingsOfBothWindows) {
    const auto counties = fixtures::Counties();
    const auto in = BuildCountyLists(WindowKind::InState, {}, counties, ModeView::AllModes, "CW");
    EXPECT_EQ(in.workedHeading, "Cnty Wkd - 0");
    EXPECT_EQ(in.remainingHeading, "Cnty Rem - 5");
    EXPECT_EQ(in.remaining, (Names{"Alachua", "Dade", "Lee", "Leon", "Palm Beach"}));
    const auto out = BuildCountyLists(WindowKind::OutOfState, {}, counties, ModeView::AllModes, "CW");
    EXPECT_EQ(out.workedHeading, "Counties Worked - 0");
    EXPECT_EQ(out.remainingHeading, "Counties To Go - 5");
}

TEST(CountyLists, ModeViewDecidesWhatIsWorked) {
    const auto log = fixtures::Log({Rec("A").county("Lee").mode("CW"), Rec("B").county("LEE").mode("CW"),
                                    Rec("C").county("Nowhere").mode("PH")});
    const auto counties = fixtures::Counties();
    const auto ph = BuildCountyLists(WindowKind::OutOfState, log, counties, ModeView::CurrentMode, "PH");
    EXPECT_EQ(ph.worked, Names{"Nowhere"});
    EXPECT_EQ(ph.remaining.size(), 5u);  // a county not in the table removes nothing
    const auto all = BuildCountyLists(WindowKind::OutOfState, log, counties, ModeView::AllModes, "PH");
    EXPECT_EQ(all.worked, (Names{"Lee", "Nowhere"}));
    EXPECT_EQ(all.remaining, (Names{"Alachua", "Dade", "Leon", "Palm Beach"}));
    EXPECT_EQ(all.workedHeading, "Counties Worked - 2");
}

TEST(CountyLists, UpdateAddsOnceAndKeepsOrder) {
    auto lists = BuildCountyLists(WindowKind::InState, {}, fixtures::Counties(), ModeView::AllModes, "CW");
    UpdateCountyLists(lists, WindowKind::InState, "Leon");
    UpdateCountyLists(lists, WindowKind::InState, "Dade");
    UpdateCountyLists(lists, WindowKind::InState, "dade");
    EXPECT_EQ(lists.worked, (Names{"Dade", "Leon"}));
    EXPECT_EQ(lists.workedHeading, "Cnty Wkd - 2");
    EXPECT_EQ(lists.remainingHeading, "Cnty Rem - 3");
}

TEST(DxList, HeadingsPerView) {
    const auto log = fixtures::Log({Rec("A").spc("Japan").mode("PH"), Rec("B").spc("Germany").mode("CW"),
                                    Rec("C").spc("USA").mode("CW"), Rec("D").spc("Japan").mode("CW"),
                                    Rec("E").spc("Xxpa").mode("CW")});
    ScoreState score;
    RecountScore(score, WindowKind::InState, log.records(), {}, fixtures::Countries());
    const auto all = ShowDXList(log, score.DxWorked, ModeView::AllModes, "CW", fixtures::Countries());
    EXPECT_EQ(all.entries, (Names{"Germany", "Japan"}));
    EXPECT_EQ(all.heading, "DX All - 2");
    const auto cw = ShowDXList(log, score.DxWorked, ModeView::CurrentMode, "CW", fixtures::Countries());
    EXPECT_EQ(cw.heading, "DX CW - 2");
    const auto ph = ShowDXList(log, score.DxWorked, ModeView::CurrentMode, "PH", fixtures::Countries());
    EXPECT_EQ(ph.entries, Names{"Japan"});
    EXPECT_EQ(ph.heading, "DX PH - 1");
    const auto dg = ShowDXList(log, score.DxWorked, ModeView::CurrentMode, "DG", fixtures::Countries());
    EXPECT_TRUE(dg.entries.empty());
    EXPECT_FALSE(dg.heading.has_value());
}

TEST(Grid, WorkedPerViewAndMode) {
    WorkedTable worked;
    worked.set(2, 13);  // GA on PH
    worked.set(1, 16);  // FL on CW
    const auto all = ShowSectionsWorked(worked, ModeView::AllModes, "DG");
    EXPECT_TRUE(all[13]);
    EXPECT_TRUE(all[16]);
    const auto cw = ShowSectionsWorked(worked, ModeView::CurrentMode, "CW");
    EXPECT_FALSE(cw[13]);
    EXPECT_TRUE(cw[16]);
    const auto dg = ShowSectionsWorked(worked, ModeView::CurrentMode, "DG");
    EXPECT_EQ(std::count(dg.begin(), dg.end(), true), 0);
}

TEST(Grid, HoverTextCountsEveryModeAndBand) {
    const auto log = fixtures::Log({Rec("A").spc("FL"), Rec("B").spc("fl").mode("PH"), Rec("C").spc("FL").band("20"),
                                    Rec("D").spc("GA")});
    EXPECT_EQ(GridHoverText(log, 16), "  Florida    Total = 3");
}

TEST(Grid, ViewButton) {
    EXPECT_STREQ(ViewCaption(ModeView::AllModes), "All Modes");
    EXPECT_STREQ(ViewCaption(ToggleView(ModeView::AllModes)), "Crnt Mode");
}

}  // namespace
