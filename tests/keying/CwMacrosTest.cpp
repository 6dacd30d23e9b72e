// The message macros and the county's short form.

#include <gtest/gtest.h>

#include "keying/CwMacros.h"

using namespace keying;

namespace {

station::CountyTable counties() {
    station::CountyTable t;
    t.rows = {{"Alachua", "ALA"}, {"Bay", "BAY"}, {"Miami-Dade", ""}, {"Lee", "LEEC"}, {"Alachua", "AL"}};
    return t;
}

TEST(CwMacros, EachMacroAndItsValue) {
    const struct {
        const char* what;
        const char* message;
        MacroSources in;
        const char* expanded;
        const char* rstAfter;
    } cases[] = {
        {"call and report, 599 sent as 5NN", "TU $ *", {"W1AW ", "", "599", ""}, "TU W1AW 5NN", "5NN"},
        {"an empty report is 5NN too", "*", {"", "", "", ""}, "5NN", "5NN"},
        {"any other report as it is", "UR *", {"", "", "579", ""}, "UR 579", "579"},
        {"no * in the message: the report stays", "TU", {"", "", "599", ""}, "TU", "599"},
        {"# is always empty", "NR # TU", {"", "", "", ""}, "NR  TU", ""},
        {"county with a shorter abbreviation", "^", {"", "", "", "ALACHUA"}, "ALA", ""},
        {"abbreviation not shorter: the name", "^", {"", "", "", "LEE"}, "LEE", ""},
        {"no abbreviation: the name", "QTH ^", {"", "", "", "MIAMI-DADE"}, "QTH MIAMI-DADE", ""},
        {"not in the table", "^", {"", "", "", "ORANGE"}, "ORANGE", ""},
        {"out of state: no county", "^ TU", {"", "", "", ""}, " TU", ""},
        {"! stays for the keyer", "TU $ !", {"K1ABC", "", "", ""}, "TU K1ABC !", ""},
        // One pass: what a macro puts in is never expanded again.
        {"a call holding macro characters", "$ *", {"$*^", "", "", ""}, "$*^ 5NN", "5NN"},
        {"a quote never reaches the buffer", "TU \"$\"", {"K1\"AB", "", "", ""}, "TU K1AB", ""},
    };
    const auto table = counties();
    for (const auto& c : cases) {
        MacroSources s = c.in;
        EXPECT_EQ(ExpandCwMacros(c.message, s, table), c.expanded) << c.what;
        EXPECT_EQ(s.CWRstSent, c.rstAfter) << c.what;
    }
}

TEST(CwMacros, TheCountysShortFormFromTheFirstMatchingRow) {
    const auto table = counties();
    EXPECT_EQ(CntyAbbCW("alachua", table), "ALA");  // case ignored; the first row wins
    EXPECT_EQ(CntyAbbCW("", table), "");
    EXPECT_EQ(CntyAbbCW("Bay", table), "Bay");      // "BAY" is not shorter
}

}  // namespace
