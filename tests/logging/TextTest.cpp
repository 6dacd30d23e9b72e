// The two letter-case rules side by side: entries and log fields fold Windows-1252 letters,
// the program's own names fold ASCII letters alone; and the one blank trim every part uses.

#include <gtest/gtest.h>

#include "logging/Text.h"

using namespace logging;

TEST(Text, TheProgramsNamesFoldAsciiLettersAloneEntriesFoldAccentedLettersToo) {
    const struct {
        const char* a;
        const char* b;
        bool same;     // SameText
        bool iequals;  // IEquals
    } cases[] = {
        {"ph", "PH", true, true},          {"Yaesu", "YAESU", true, true}, {"20", "20 ", false, false},
        {"\xE9", "\xC9", false, true},     // e-acute and E-acute: Windows-1252 letters
        {"\xF7", "\xD7", false, false},    // the division and multiplication signs are no letters
        {"[", "{", false, false},          {"", "", true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameText(c.a, c.b), c.same) << c.a << " " << c.b;
        EXPECT_EQ(IEquals(c.a, c.b), c.iequals) << c.a << " " << c.b;
    }
    EXPECT_EQ(UpperCase("alachua \xE9"), "ALACHUA \xE9");
    EXPECT_EQ(ToUpper("alachua \xE9"), "ALACHUA \xC9");
    EXPECT_TRUE(StartsWithSameText("Palm Beach", "palm"));
    EXPECT_FALSE(StartsWithSameText("Pa", "palm"));
}

TEST(Text, TrimTakesBlanksFromBothEndsAndNothingElse) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"  K4ABC  ", "K4ABC"}, {"   ", ""}, {"", ""}, {"\tK4 ABC\r", "\tK4 ABC\r"}, {" a b ", "a b"}};
    for (const auto& c : cases) EXPECT_EQ(Trim(c.in), c.out) << '"' << c.in << '"';
}
