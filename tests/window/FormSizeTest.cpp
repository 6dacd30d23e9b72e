#include <gtest/gtest.h>

#include "window/FormSize.h"

using namespace window;

TEST(ParseFormSizeAnswer, NumbersAreClampedAndRoundedHalfToEvenOtherAnswersAreRefused) {
    struct Case {
        const char* answer;
        std::optional<int> stored;
    };
    const Case cases[] = {
        {"150", 100}, {"10", 30},  {"-5", 30},   {"55.5", 56}, {"56.5", 56}, {"99.6", 100},
        {"90", 90},   {" 75 ", 75}, {"+80", 80}, {"30", 30},   {"100", 100},
        {"abc", std::nullopt}, {"", std::nullopt}, {"   ", std::nullopt}, {"9O", std::nullopt},
        {"1.2.3", std::nullopt}, {".", std::nullopt}, {"-", std::nullopt},
    };
    for (const auto& c : cases) {
        auto got = ParseFormSizeAnswer(c.answer);
        if (c.stored) {
            ASSERT_TRUE(got.has_value()) << c.answer;
            EXPECT_EQ(int(*got), *c.stored) << c.answer;
        } else {
            EXPECT_FALSE(got.has_value()) << c.answer;
        }
    }
}

TEST(EffectiveFormSize, AStoredValueOutsideTheRangeIsBroughtInside) {
    EXPECT_EQ(EffectiveFormSize(0), 30);
    EXPECT_EQ(EffectiveFormSize(29), 30);
    EXPECT_EQ(EffectiveFormSize(50), 50);
    EXPECT_EQ(EffectiveFormSize(255), 100);
}
