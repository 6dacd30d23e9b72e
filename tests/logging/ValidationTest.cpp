#include "logging/Validation.h"

#include <gtest/gtest.h>

#include "Fixtures.h"
#include "logging/StateTable.h"

using namespace logging;

namespace {

struct ValidationCase {
    const char* name;
    WindowKind kind;
    EntryFields fields;
    std::vector<std::string> messages;  // in the order written; the last one stays
    EntryField focus;                   // focus of the last one
};

void PrintTo(const ValidationCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::string> Texts(const Validation& v) {
    std::vector<std::string> out;
    for (const auto& m : v.messages) out.push_back(m.text);
    return out;
}

class ValidationTable : public testing::TestWithParam<ValidationCase> {};

TEST_P(ValidationTable, WritesEveryFailureInOrderAndTheLastOneStays) {
    const auto& c = GetParam();
    const Validation v = ValidateEntry(c.kind, c.fields, "FL", fixtures::Counties(), fixtures::Countries());
    EXPECT_EQ(Texts(v), c.messages);
    EXPECT_EQ(v.passed(), c.messages.empty());
    if (!c.messages.empty()) {
        ASSERT_NE(v.last(), nullptr);
        EXPECT_EQ(v.last()->focus, c.focus);
    }
}

const auto IN = WindowKind::InState;
const auto OUT = WindowKind::OutOfState;

INSTANTIATE_TEST_SUITE_P(
    BothWindows, ValidationTable,
    testing::Values(
        ValidationCase{"InAllEmpty", IN, {},
                       {"Report Received!", "Need Call Sign!", "Need Country!", "Need Report Sent!"}, EntryField::RstSent},
        ValidationCase{"OutAllEmpty", OUT, {},
                       {"Need County!", "Report Received!", "Need Call Sign!", "Need Report Sent!", " is not a valid county!"},
                       EntryField::County},
        ValidationCase{"InHomeStateNeedsCounty", IN, {"K4ABC", "59", "FL", "", "59"}, {"Need County!"}, EntryField::County},
        ValidationCase{"InHomeStateLowerCase", IN, {"K4ABC", "59", "fl", "", "59"}, {"Need County!"}, EntryField::County},
        ValidationCase{"InOtherStateNoCounty", IN, {"W1AW", "59", "GA", "", "59"}, {}, EntryField::None},
        ValidationCase{"InBadCode", IN, {"W1AW", "59", "XX", "", "59"}, {"Invald Section!"}, EntryField::Country},
        ValidationCase{"InDxNameIsNoSection", IN, {"DL1ABC", "599", "Germany", "", "599"}, {}, EntryField::None},
        ValidationCase{"InJunkIsNoCountry", IN, {"W1AW", "59", "Xxpa", "", "59"}, {"Xxpa is not a valid country!"},
                       EntryField::Country},
        ValidationCase{"InOneLetterIsNoCountry", IN, {"W1AW", "59", "G", "", "59"}, {"G is not a valid country!"},
                       EntryField::Country},
        ValidationCase{"InCountryAnyCaseWithoutItsApostrophe", IN, {"TU2AB", "59", "COTE DIVOIRE", "", "59"}, {},
                       EntryField::None},
        ValidationCase{"InNotFoundIsNoCountry", IN, {"Q9ZZ", "599", "Not Found", "", "599"}, {"Need Country!"}, EntryField::Country},
        ValidationCase{"InNotFoundAnyCase", IN, {"Q9ZZ", "599", "NOT FOUND", "", "599"}, {"Need Country!"}, EntryField::Country},
        ValidationCase{"CallOfThreeIsEnough", IN, {"K4A", "59", "GA", "", "59"}, {}, EntryField::None},
        ValidationCase{"CallOfTwoIsNot", IN, {"K4", "59", "GA", "", "59"}, {"Need Call Sign!"}, EntryField::Call},
        ValidationCase{"CountyInCapitals", IN, {"K4ABC", "59", "FL", "PALM BEACH", "59"}, {}, EntryField::None},
        ValidationCase{"CountyTrailingBlank", IN, {"K4ABC", "59", "FL", "Lee ", "59"}, {"Lee  is not a valid county!"}, EntryField::County},
        ValidationCase{"CountyExtraWord", OUT, {"K4ABC", "599", "", "Lee County", "599"}, {"Lee County is not a valid county!"}, EntryField::County},
        ValidationCase{"OutGood", OUT, {"K4ABC", "599", "", "Leon", "599"}, {}, EntryField::None},
        ValidationCase{"SectionThenCounty", IN, {"K4ABC", "", "XX", "Nowhere", "59"},
                       {"Report Received!", "Invald Section!", "Nowhere is not a valid county!"}, EntryField::County}),
    [](const testing::TestParamInfo<ValidationCase>& info) { return info.param.name; });

TEST(Validation, SectionSetsFlagsAndContinent) {
    const auto good = ValidateEntry(WindowKind::InState, {"W1AW", "59", "on", "", "59"}, "FL", fixtures::Counties(), fixtures::Countries());
    EXPECT_FALSE(good.BadSection);
    EXPECT_TRUE(good.continentNA);
    const auto bad = ValidateEntry(WindowKind::InState, {"W1AW", "59", "ZZ", "", "59"}, "FL", fixtures::Counties(), fixtures::Countries());
    EXPECT_TRUE(bad.BadSection);
    EXPECT_FALSE(bad.continentNA);
    EXPECT_FALSE(bad.MissingField);
}

TEST(Validation, EmptyCountyTableRefusesEveryCounty) {
    const auto v = ValidateEntry(WindowKind::OutOfState, {"K4ABC", "599", "", "Lee", "599"}, "FL", {}, {});
    EXPECT_TRUE(v.BadEntry);
    EXPECT_EQ(v.last()->text, "Lee is not a valid county!");
}

TEST(StateTable, HoldsTheSixtySevenCodesInGridOrder) {
    EXPECT_EQ(StateIndex("CT"), 1);
    EXPECT_EQ(StateIndex("fl"), 16);
    EXPECT_EQ(StateIndex("AK"), 36);
    EXPECT_EQ(StateIndex("R1"), 61);
    EXPECT_EQ(StateIndex("DC"), 64);
    EXPECT_EQ(StateIndex("YT"), 67);
    EXPECT_EQ(StateIndex("XX"), 0);
    EXPECT_EQ(StateIndex("FL "), 0);
    EXPECT_EQ(StateName(53), "Newfoundland / Labrador");
    EXPECT_EQ(StateAbbrev(0), "");
    EXPECT_EQ(StateAbbrev(68), "");
}

}  // namespace
