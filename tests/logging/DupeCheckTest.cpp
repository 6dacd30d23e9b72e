#include "logging/DupeCheck.h"

#include <gtest/gtest.h>

#include "Fixtures.h"

using namespace logging;
using fixtures::Rec;

namespace {

DupeContext In() { return {WindowKind::InState, "40", "CW", "Lee", "FL"}; }
DupeContext Out() { return {WindowKind::OutOfState, "40", "CW", "", "FL"}; }

// Eleven filler contacts so the interesting record is number 12.
station::ContactLog LogWithRecord12(const station::ContactRecord& r) {
    station::ContactLog log;
    for (int i = 1; i <= 11; ++i) log.records().push_back(Rec("N" + std::to_string(i) + "XX").sent("Lee").county("Dade"));
    log.records().push_back(r);
    return log;
}

TEST(HardDupe, ExactMessagesOfBothWindows) {
    auto in = DupCheck(In(), LogWithRecord12(Rec("W1AW").spc("CT").sent("Lee")), {"W1AW", "599", "CT", "", "599"});
    EXPECT_EQ(in.record, 12);
    EXPECT_EQ(in.message, "Duplicate W1AW 04/23 14:22:05  Rec#  12");

    auto out = DupCheck(Out(), LogWithRecord12(Rec("K4ABC").county("Lee")), {"K4ABC", "599", "", "Lee", "599"});
    EXPECT_EQ(out.record, 12);
    EXPECT_EQ(out.message, "Duplicate K4ABC  2016/04/23  14:22:05   Rec#  12");
}

TEST(HardDupe, RoverWarningMessagesOfBothWindows) {
    const auto r = Rec("K4ABC").spc("FL").county("Alachua").sent("Lee").r;
    EXPECT_EQ(RoverWarningMessage(WindowKind::InState, r, 12), "Dupe if not rover!  K4ABC  04/23  14:22:05   Rec#  12");
    EXPECT_EQ(RoverWarningMessage(WindowKind::OutOfState, r, 12),
              "Duplicate Unless Rover!  K4ABC  2016/04/23  14:22:05   Rec#  12");
}

struct KeyCase {
    const char* name;
    bool inState;
    station::ContactRecord logged;
    EntryFields entry;
    bool hardDupe;
    bool roverWarning;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class DupeKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(DupeKeys, HardKeyAndRoverKey) {
    const auto& c = GetParam();
    const DupeContext ctx = c.inState ? In() : Out();
    const auto log = fixtures::Log({c.logged});
    EXPECT_EQ(IsHardDupe(ctx, log, c.entry), c.hardDupe);
    const auto rover = DupCheck2(ctx, log, c.entry, false);
    EXPECT_EQ(!rover.warnings.empty() || rover.hardDupe.has_value(), c.roverWarning || c.hardDupe);
}

INSTANTIATE_TEST_SUITE_P(
    BothWindows, DupeKeys,
    testing::Values(
        KeyCase{"InSameEverything", true, Rec("W1AW").spc("CT").sent("Lee"), {"W1AW", "", "CT", "", ""}, true, true},
        KeyCase{"InCallCaseIgnored", true, Rec("w1aw").spc("CT").sent("lee"), {"W1AW", "", "CT", "", ""}, true, true},
        KeyCase{"InOtherBand", true, Rec("W1AW").spc("CT").sent("Lee").band("20"), {"W1AW", "", "CT", "", ""}, false, false},
        KeyCase{"InOtherMode", true, Rec("W1AW").spc("CT").sent("Lee").mode("PH"), {"W1AW", "", "CT", "", ""}, false, false},
        KeyCase{"InOtherOwnCounty", true, Rec("W1AW").spc("CT").sent("Dade"), {"W1AW", "", "CT", "", ""}, false, false},
        KeyCase{"InMobileNewCounty", true, Rec("K4ABC").spc("FL").county("Alachua").sent("Lee"),
                {"K4ABC", "", "FL", "Leon", ""}, false, true},
        KeyCase{"InMobileSameCounty", true, Rec("K4ABC").spc("FL").county("Alachua").sent("Lee"),
                {"K4ABC", "", "FL", "ALACHUA", ""}, true, true},
        KeyCase{"OutSameCounty", false, Rec("K4ABC").county("Lee"), {"K4ABC", "", "", "Lee", ""}, true, true},
        KeyCase{"OutNewCounty", false, Rec("K4ABC").county("Lee"), {"K4ABC", "", "", "Dade", ""}, false, true},
        KeyCase{"OutOwnCountyIgnored", false, Rec("K4ABC").county("Lee").sent("Dade"), {"K4ABC", "", "", "Lee", ""}, true, true},
        KeyCase{"OutOtherBand", false, Rec("K4ABC").county("Lee").band("80"), {"K4ABC", "", "", "Lee", ""}, false, false},
        KeyCase{"OutLongerCallNoDupe", false, Rec("K4ABCD").county("Lee"), {"K4ABC", "", "", "Lee", ""}, false, false}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(HardDupe, EmptyCountyIsFilledFromTheFirstEarlierContactAndThenMatches) {
    const auto log = fixtures::Log({Rec("K4ABC").county("Lee").band("20"), Rec("K4ABC").county("Dade")});
    auto out = DupCheck(Out(), log, {"K4ABC", "599", "", "", "599"});
    // The first record fills "Lee"; record 2 (Dade, this band) then is no duplicate.
    EXPECT_EQ(out.fields.County, "Lee");
    EXPECT_TRUE(out.countyFilled);
    EXPECT_EQ(out.record, 0);
}

TEST(HardDupe, InStateFillsTheCountyOnlyForAHomeStateEntry) {
    const auto log = fixtures::Log({Rec("K4ABC").spc("FL").county("Alachua").sent("Lee").band("20")});
    // St/Prv empty: it is filled with FL first, so the county follows.
    auto home = DupCheck(In(), log, {"K4ABC", "59", "", "", "59"});
    EXPECT_EQ(home.fields.Country, "FL");
    EXPECT_EQ(home.fields.County, "Alachua");
    // A station now entered as GA keeps an empty county.
    auto away = DupCheck(In(), log, {"K4ABC", "59", "GA", "", "59"});
    EXPECT_EQ(away.fields.Country, "GA");
    EXPECT_EQ(away.fields.County, "");
    EXPECT_FALSE(away.countyFilled);
}

TEST(HardDupe, FirstDuplicateInLogOrderIsReported) {
    const auto log = fixtures::Log({Rec("W1AW").spc("CT").sent("Lee").at("2016/04/23", "13:00:00"),
                                    Rec("W1AW").spc("CT").sent("Lee").at("2016/04/23", "15:00:00")});
    EXPECT_EQ(DupCheck(In(), log, {"W1AW", "", "CT", "", ""}).record, 1);
}

TEST(RoverCheck, InStateOutsideHomeStateEscalatesToTheHardCheck) {
    const auto log = fixtures::Log({Rec("W1AW").spc("CT").sent("Lee")});
    const auto check = DupCheck2(In(), log, {"W1AW", "", "", "", ""}, false);
    ASSERT_TRUE(check.hardDupe.has_value());
    EXPECT_EQ(check.hardDupe->message, "Duplicate W1AW 04/23 14:22:05  Rec#  1");
    EXPECT_TRUE(check.warnings.empty());
}

TEST(RoverCheck, HomeStateStationOnlyWarnsAndFills) {
    const auto log = fixtures::Log({Rec("K4ABC").spc("FL").county("Alachua").sent("Lee")});
    const auto check = DupCheck2(In(), log, {"K4ABC", "", "", "", ""}, false);
    EXPECT_FALSE(check.hardDupe.has_value());
    EXPECT_EQ(check.warnings, std::vector<int>{1});
    EXPECT_EQ(check.message, "Dupe if not rover!  K4ABC  04/23  14:22:05   Rec#  1");
    EXPECT_EQ(check.fields.Country, "FL");
    EXPECT_EQ(check.fields.County, "Alachua");
}

TEST(RoverCheck, ListPreviousListsEveryEarlierContactAndTheLastWarningStays) {
    const auto log = fixtures::Log({Rec("K4ABC").county("Lee"), Rec("W1AW").county("Lee"),
                                    Rec("K4ABC").county("Dade").band("20"), Rec("K4ABC").county("Dade")});
    const auto off = DupCheck2(Out(), log, {"K4ABC", "", "", "", ""}, false);
    EXPECT_EQ(off.warnings, std::vector<int>{1});
    EXPECT_TRUE(off.previous.empty());
    EXPECT_EQ(off.fields.County, "Lee");  // the empty county takes the earlier one, selected
    EXPECT_TRUE(off.countyFilled);
    const auto on = DupCheck2(Out(), log, {"K4ABC", "", "", "", ""}, true);
    EXPECT_EQ(on.previous, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(on.warnings, (std::vector<int>{1, 4}));
    EXPECT_EQ(on.message, "Duplicate Unless Rover!  K4ABC  2016/04/23  14:22:05   Rec#  4");
}

TEST(PartialList, NewestFirstOnThisBandModeAndOwnCounty) {
    const auto log = fixtures::Log({Rec("K4AAA").sent("Lee"), Rec("K4ABB").sent("Lee").band("20"), Rec("K4ABC").sent("Lee"),
                                    Rec("K4ABD").sent("Dade"), Rec("K4AB").sent("Lee"), Rec("K4ABE").sent("Lee")});
    EXPECT_EQ(PartialDupes(In(), log, "K4AB"), "K4ABE K4AB K4ABC ");
    // Out-of-state has no own county in the key.
    EXPECT_EQ(PartialDupes(Out(), log, "K4AB"), "K4ABE K4AB K4ABD K4ABC ");
    // A logged call shorter than the typed text is never listed.
    EXPECT_EQ(PartialDupes(In(), log, "K4ABCD"), "");
}

TEST(PartialList, StopsOncePastOneHundredCharacters) {
    station::ContactLog log;
    for (int i = 0; i < 40; ++i) log.records().push_back(Rec("K4A" + std::to_string(100 + i)).sent("Lee"));
    const std::string list = PartialDupes(In(), log, "K4A");
    // Each entry is 7 characters: the 15th passes 100 and ends the scan.
    EXPECT_EQ(list.size(), 15u * 7u);
    EXPECT_EQ(list.substr(0, 7), "K4A114 ");

    // Entries of 10 characters: at exactly 100 the scan goes on; the 11th passes it and ends it.
    station::ContactLog exact;
    for (int i = 0; i < 20; ++i) exact.records().push_back(Rec("K4B" + std::to_string(100000 + i)).sent("Lee"));
    const std::string eleven = PartialDupes(In(), exact, "K4B");
    EXPECT_EQ(eleven.size(), 11u * 10u);
    EXPECT_EQ(eleven.substr(0, 10), "K4B100010 ");
}

struct PartialCase {
    const char* name;
    std::string call;  // before the key
    int key;
    bool partialOn, loggedOn;
    std::string list;
    std::optional<std::string> dialog;
    bool beep;
};

void PrintTo(const PartialCase& c, std::ostream* os) { *os << c.name; }

class PartialKeys : public testing::TestWithParam<PartialCase> {};

TEST_P(PartialKeys, ListStatusAndBeep) {
    const auto& c = GetParam();
    const auto log = fixtures::Log({Rec("K4ABC").sent("Lee"), Rec("W1AW").sent("Lee")});
    const auto out = PartialDupCheck(In(), log, c.call, c.key, c.partialOn, c.loggedOn);
    EXPECT_EQ(out.list, c.list);
    EXPECT_EQ(out.dialog, c.dialog);
    EXPECT_EQ(out.beep, c.beep);
}

INSTANTIATE_TEST_SUITE_P(
    CallField, PartialKeys,
    testing::Values(
        PartialCase{"ShortCallListsWithoutWarning", "K", '4', true, true, "K4ABC ", " ", false},
        PartialCase{"TwoHeldListsWithoutWarning", "K4", 'A', true, true, "K4ABC ", " ", false},
        PartialCase{"ThreeHeldWarns", "K4A", 'B', true, true, "K4ABC ", "Possible Duplicate!", false},
        PartialCase{"ClockOffKeepsStatus", "K", '4', true, false, "K4ABC ", std::nullopt, false},
        PartialCase{"ThirdCharacterLetters", "WA", 'B', true, true, "", "The second or third character is not numeric!", true},
        PartialCase{"ThirdCharacterDigit", "WA", '1', true, true, "", " ", false},
        PartialCase{"SlashIsPlausible", "W/", 'A', true, true, "", " ", false},
        PartialCase{"RuleAppliesWithListOff", "WA", 'B', false, true, "", "The second or third character is not numeric!", true},
        PartialCase{"ListOffBuildsNothing", "K4A", 'B', false, true, "", " ", false},
        PartialCase{"BackspaceEmptiesList", "K4AB", 8, true, true, "", " ", false},
        PartialCase{"ConsumedKeyEmptiesList", "K4AB", 0, true, false, "", std::nullopt, false}),
    [](const testing::TestParamInfo<PartialCase>& info) { return info.param.name; });

}  // namespace
