// The random groups of code practice.

#include <gtest/gtest.h>

#include "keying/CodePractice.h"
#include "support/Fakes.h"

using namespace keying;

TEST(CodePractice, GroupsOfTheChosenCharactersEachFollowedByABlank) {
    fakes::FakeRandom random;
    random.values = {0.0, 0.999, 0.5, 0.04, 0.0, 0.1, 0.2, 0.3, 0.4, 0.6, 0.7, 0.8};
    const auto g = GeneratePractice("3", "4", true, random);
    EXPECT_EQ(g.text, "AZNB ACFH KPSU ");  // 15 characters, the last a blank
    EXPECT_EQ(random.seeds, 1);

    // All: digits and ". , ? / -" can be drawn, nothing else can.
    fakes::FakeRandom top;
    for (int i = 0; i < 41; ++i) top.values.push_back((i + 0.5) / 41);
    const auto all = GeneratePractice("1", "41", false, top);
    EXPECT_EQ(all.text, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/- ");
}

TEST(CodePractice, BoxesThatAreNotNumbersGetTheirDefaults) {
    fakes::FakeRandom random;  // 0.5 every time
    const auto g = GeneratePractice("abc", "", true, random);
    EXPECT_EQ(g.groupsText, "10");
    EXPECT_EQ(g.sizeText, "5");
    EXPECT_EQ(g.text.size(), 60u);
    EXPECT_EQ(g.text.substr(0, 6), "NNNNN ");
    EXPECT_EQ(GeneratePractice("0", "5", true, random).text, "");
    EXPECT_EQ(GeneratePractice("2", "0", true, random).text, "  ");
    EXPECT_EQ(GeneratePractice("1e9", "1e9", true, random).text.size(), 10000u * 101);
}
