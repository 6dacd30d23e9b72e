// The tuning panel's number rules and scan step, and the raw-command window's hex commands.
#include <gtest/gtest.h>

#include "rig/RawCommand.h"
#include "rig/RigTune.h"

using namespace rig;

TEST(TuningNumbers, ReadAsThePanelsFieldsHoldThem) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"14.175", 14.175}, {"14.", 14.0}, {".5", 0.5}, {" 7 ", 7.0}, {"-0.1", -0.1}, {"+3", 3.0},
        {"", std::nullopt}, {" ", std::nullopt}, {".", std::nullopt}, {"1/2", std::nullopt},
        {"1.2.3", std::nullopt}, {"14,2", std::nullopt}, {"1e3", std::nullopt}, {"abc", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(TuningNumbers, WrittenBackShortestOrAsTheScanWritesThem) {
    EXPECT_EQ(ShortestDecimal(52), "52");
    EXPECT_EQ(ShortestDecimal(5.368), "5.368");
    EXPECT_EQ(ShortestDecimal(223.5), "223.5");
    EXPECT_EQ(ShortestDecimal(14.175 + 0.00001), "14.17501");
    EXPECT_EQ(ShortestDecimal(1.9 - 1), "0.9");
    struct Case {
        double mhz;
        const char* text;
    };
    const Case scan[] = {{14, "14."},           {14.175, "14.175"},      {0.5, ".5"},
                         {435.00001, "435.00001"}, {14.1750049, "14.175"}, {1270.000014, "1270.00001"},
                         {0, "."},              {1.8, "1.8"}};
    for (const auto& c : scan) EXPECT_EQ(FormatScanFrequency(c.mhz), c.text) << c.mhz;
}

TEST(TuningNumbers, NumberFieldsTakeBackspaceDigitsPointAndSlashOnly) {
    for (int key : {8, int('.'), int('/'), int('0'), int('5'), int('9')}) EXPECT_TRUE(NumberFieldKey(key)) << key;
    for (int key : {13, 27, int(' '), int('-'), int(','), int('a'), int('E'), 45, 58}) EXPECT_FALSE(NumberFieldKey(key)) << key;
}

TEST(TuningScan, StepsUpWrapsToFromAndStaysInsideItsRange) {
    struct Case {
        const char *freq, *from, *to;
        double step;
        std::optional<double> next;
    };
    const Case cases[] = {
        {"14.175", "1.8", "54", 0.00001, 14.17501},
        {"435.00001", "430", "440", 0.00001, 435.00002},   // high frequencies still move
        {"1270", "1240", "1300", 0.00001, 1270.00001},
        {"53.999", "1.8", "54", 0.0025, 1.8},                // past To: back to From, not From plus a step
        {"54", "1.8", "54", 0.00001, 1.8},
        {"53.99999", "1.8", "54", 0.00001, 54.0},             // reaching To exactly is inside
        {"0.5", "1.8", "54", 0.00001, 1.8},                   // below From: to From
        {"14.2", "14", "14", 0.00001, 14.0},
        {"", "1.8", "54", 0.00001, std::nullopt},             // nothing to step from
        {"14.2", "x", "54", 0.00001, std::nullopt},           // a range that is no range halts the scan
        {"14.2", "1.8", "", 0.00001, std::nullopt},
        {"14.2", "54", "1.8", 0.00001, std::nullopt},
        {"14.2", "0", "54", 0.00001, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto next = NextScanFrequency(c.freq, c.from, c.to, c.step);
        ASSERT_EQ(next.has_value(), c.next.has_value()) << c.freq << " " << c.from << " " << c.to;
        if (next) {
            EXPECT_NEAR(*next, *c.next, 1e-9) << c.freq;
        }
    }
    // A thousand 10 Hz steps at 1270 MHz, each written back as the panel writes it, advance 10 kHz.
    std::string f = "1270";
    for (int i = 0; i < 1000; ++i) f = FormatScanFrequency(*NextScanFrequency(f, "1240", "1300", 0.00001));
    EXPECT_EQ(f, "1270.01");
}

TEST(RawHexCommand, PairsEveryThirdCharacterAndRefusesABadPairWhole) {
    struct Case {
        const char* text;
        bool ok;
        std::string bytes;
        const char* badPair;
    };
    const Case cases[] = {
        {"FE FE 64 E0 05 FD", true, "\xFE\xFE\x64\xE0\x05\xFD", ""},
        {"fe Fe 0a", true, "\xFE\xFE\x0A", ""},
        {"FE-FE", true, "\xFE\xFE", ""},     // the separator is not looked at
        {"FE FE 0", true, std::string("\xFE\xFE\x00", 3), ""},  // a single digit at the end: a byte 0..15
        {"FEFE", true, "\xFE\x0E", ""},  // without separators the pairs are misread
        {"FE XY 03", false, "", "XY"},
        {"", true, "", ""},
    };
    for (const auto& c : cases) {
        const HexCommand h = ConvertHexCommand(c.text);
        EXPECT_EQ(h.ok, c.ok) << c.text;
        EXPECT_EQ(h.bytes, c.bytes) << c.text;
        EXPECT_EQ(h.badPair, c.badPair) << c.text;
    }
}
