// The WinKey window's box rules and WK.txt: what leaving each box sends or puts back, and the
// file's items in both directions.

#include <gtest/gtest.h>

#include "keying/WinKeySettings.h"

namespace {

using keying::BoxCheck;

struct BoxCase {
    const char* name;
    BoxCheck (*check)(const std::string&);
    const char* text;
    std::optional<std::string> shows;
    std::optional<int> sent;
};

class WinKeyBoxes : public testing::TestWithParam<BoxCase> {};

TEST_P(WinKeyBoxes, LeavingABoxSendsOnlyValuesInRange) {
    const auto& c = GetParam();
    const BoxCheck r = c.check(c.text);
    EXPECT_EQ(r.text, c.shows);
    ASSERT_EQ(r.send.has_value(), c.sent.has_value());
    if (c.sent) {
        EXPECT_EQ(*r.send, *c.sent);
    }
}

INSTANTIATE_TEST_SUITE_P(
    WinKeySettings, WinKeyBoxes,
    testing::Values(BoxCase{"Ratio31", keying::CheckRatio, "31", std::nullopt, std::nullopt},
                    BoxCase{"Ratio32", keying::CheckRatio, "32", std::nullopt, 32},
                    BoxCase{"Ratio67", keying::CheckRatio, "67", std::nullopt, 67},
                    BoxCase{"Ratio68", keying::CheckRatio, "68", std::nullopt, std::nullopt},
                    BoxCase{"RatioEmpty", keying::CheckRatio, "", "50", std::nullopt},
                    BoxCase{"Weight0", keying::CheckWeight, "0", std::nullopt, 0},
                    BoxCase{"Weight99", keying::CheckWeight, "99", std::nullopt, 99},
                    BoxCase{"Weight100", keying::CheckWeight, "100", std::nullopt, std::nullopt},
                    BoxCase{"WpmText", keying::CheckWpm, "fast", "18", std::nullopt},
                    BoxCase{"Wpm99", keying::CheckWpm, "99", std::nullopt, 99},
                    BoxCase{"Wpm100", keying::CheckWpm, "100", std::nullopt, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WinKeySettings, LeadInAndTailGoTogetherAndTheBoxLeftTakesTheBlame) {
    // Both numbers: sent as a pair.
    auto both = keying::CheckLeadTail("3", "7");
    ASSERT_TRUE(both.send);
    EXPECT_EQ(*both.send, std::make_pair(uint8_t{3}, uint8_t{7}));
    EXPECT_FALSE(both.leftBoxText);
    // 255 fits a byte; a lead-in or tail above it does not: the box left becomes "0", nothing
    // goes out (never a value wrapped to a byte).
    auto most = keying::CheckLeadTail("255", "255");
    ASSERT_TRUE(most.send);
    EXPECT_EQ(*most.send, std::make_pair(uint8_t{255}, uint8_t{255}));
    for (const auto& [lead, tail] : {std::pair{"300", "0"}, std::pair{"256", "0"}, std::pair{"0", "256"}}) {
        auto big = keying::CheckLeadTail(lead, tail);
        EXPECT_EQ(big.leftBoxText, "0") << lead << " " << tail;
        EXPECT_FALSE(big.send) << lead << " " << tail;
    }
    // An empty tail while the lead-in box is left: the lead-in box (not the tail) is reset.
    auto empty = keying::CheckLeadTail("5", "");
    EXPECT_EQ(empty.leftBoxText, "0");
    EXPECT_FALSE(empty.send);
}

TEST(WinKeySettings, PortBoxTakesAByteAndResetsText) {
    EXPECT_EQ(keying::CheckPort("7").port, 7);
    EXPECT_FALSE(keying::CheckPort("7").text);
    EXPECT_EQ(keying::CheckPort("x").text, "0");
    EXPECT_EQ(keying::CheckPort("x").port, 0);
    // Too large for a byte: the port is 0 and the text stays.
    EXPECT_EQ(keying::CheckPort("300").port, 0);
    EXPECT_FALSE(keying::CheckPort("300").text);
}

TEST(WinKeySettings, FileHoldsEightItemsAndSixAreEnough) {
    keying::WinKeySettings s;
    s.WinKeyPort = 3;
    s.txtWKWPM = "13";
    s.txtRatio = "60";
    s.WinKeyPinCfg = 5;
    s.WinKeyMode = 32;
    const std::string file = keying::FormatWinKeySettings(s);
    EXPECT_EQ(file, "3\r\n\"13\"\r\n\"50\"\r\n\"0\"\r\n\"0\"\r\n\"60\"\r\n5\r\n32\r\n");
    keying::WinKeySettings back;
    EXPECT_TRUE(keying::ParseWinKeySettings(file, back));
    EXPECT_EQ(back, s);

    // Six items: pin configuration and mode keep what they were.
    keying::WinKeySettings six;
    EXPECT_TRUE(keying::ParseWinKeySettings("4\r\n\"20\"\r\n\"45\"\r\n\"1\"\r\n\"2\"\r\n\"55\"\r\n", six));
    EXPECT_EQ(six.WinKeyPort, 4);
    EXPECT_EQ(six.txtTail, "2");
    EXPECT_EQ(six.WinKeyPinCfg, 6);
    EXPECT_EQ(six.WinKeyMode, 0);

    // A damaged item stops the read there and keeps what came before.
    keying::WinKeySettings damaged;
    EXPECT_FALSE(keying::ParseWinKeySettings("9\r\n\"22\"\r\n\"40\"\r\n\"0\"\r\n\"0\"\r\n\"50\"\r\n999\r\n32\r\n",
                                             damaged));
    EXPECT_EQ(damaged.WinKeyPort, 9);
    EXPECT_EQ(damaged.txtWeight, "40");
    EXPECT_EQ(damaged.WinKeyPinCfg, 6);
    EXPECT_EQ(damaged.WinKeyMode, 0);
}

}  // namespace
