// Numbers read from the keyer windows' boxes.

#include <gtest/gtest.h>

#include "keying/Numbers.h"

using namespace keying;

TEST(KeyerNumbers, LeadingNumberAndWholeNumberTexts) {
    const struct {
        const char* text;
        double leading;
        bool number;
    } cases[] = {
        {"13", 13, true},       {" 13 ", 13, true},   {"&H378", 888, true}, {"&h37a", 890, true},
        {"&O17", 15, true},     {"2.5", 2.5, true},   {"-8", -8, true},     {".5", 0.5, true},
        {"1e2", 100, true},     {"12abc", 12, false}, {"3:", 3, false},     {"abc", 0, false},
        {"", 0, false},         {"&H", 0, false},     {"&HZZ", 0, false},   {"1 2", 12, false},
        {"-", 0, false},        {"/dev/parport0", 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.leading) << c.text;
        EXPECT_EQ(IsNumber(c.text), c.number) << c.text;
    }
    EXPECT_EQ(NumberText(14), "14");
    EXPECT_EQ(NumberText(-1), "-1");
    EXPECT_EQ(NumberText(2.5), "2.5");
}
