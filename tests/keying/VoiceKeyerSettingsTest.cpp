#include <gtest/gtest.h>

#include "keying/VoiceKeyerSettings.h"
#include "station/WriteForm.h"
#include "support/TestSession.h"

using namespace keying;

TEST(WaveSettings, LoadsAndStopsWhereItMust) {
    const std::string good =
        "\"a.wav\"\r\n\"b.wav\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"i.wav\"\r\n\"3\"\r\n1\r\n\"2.5\"\r\n\"&H278\"\r\n";
    VoiceKeyerSettings s;
    ParseWaveSettings(good, s);
    EXPECT_EQ(s.waveFiles[0], "a.wav");
    EXPECT_EQ(s.waveFiles[8], "i.wav");
    EXPECT_EQ(s.pttPort, "3");
    EXPECT_EQ(s.pttLine, 1);
    EXPECT_EQ(s.repeatIntervalMs, 2500);
    EXPECT_EQ(s.parallelAddress, "&H278");

    VoiceKeyerSettings other;
    other.pttLine = 1;
    std::string seven = good;
    seven.replace(seven.find("\r\n1\r\n"), 5, "\r\n7\r\n");
    ParseWaveSettings(seven, other);
    EXPECT_EQ(other.pttLine, 1);  // another value leaves the choice

    // The repeat as the repeat box takes it: 0 up to but not including 60 seconds, anything
    // else no repeat ("0"), with the rest of the file read.
    const struct {
        const char* stored;
        const char* shown;
        int ms;
    } repeats[] = {{"59.9", "59.9", 59900}, {"0", "0", 0},   {"60", "0", 0},  {"62", "0", 0}, {"65.5", "0", 0},
                   {"66", "0", 0},          {"1E+300", "0", 0}, {"-1", "0", 0}, {"abc", "0", 0}, {"", "0", 0}};
    for (const auto& r : repeats) {
        std::string file = good;
        file.replace(file.find("\"2.5\""), 5, std::string("\"") + r.stored + "\"");
        VoiceKeyerSettings x;
        ASSERT_NO_THROW(ParseWaveSettings(file, x)) << r.stored;
        EXPECT_EQ(x.repeatSeconds, r.shown) << r.stored;
        EXPECT_EQ(x.repeatIntervalMs, r.ms) << r.stored;
        EXPECT_EQ(x.parallelAddress, "&H278") << r.stored;
    }
    VoiceKeyerSettings x;
    EXPECT_THROW(ParseWaveSettings(good.substr(0, 40), x), station::FileError);
    EXPECT_EQ(x.waveFiles[0], "a.wav");  // values before the failure stay
    // Without a file the repeat is "0", and Done writes it so.
    const std::string written = FormatWaveSettings(VoiceKeyerSettings{});
    EXPECT_TRUE(written.ends_with("\r\n0\r\n\"0\"\r\n\"&H378\"\r\n")) << written;

    TestSession t;
    EXPECT_THROW(LoadWaveSettings(*t), station::FileError);
    t.copyDataFile("wave2.txt");
    EXPECT_NO_THROW(LoadWaveSettings(*t));
}
