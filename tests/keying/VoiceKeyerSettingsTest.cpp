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

    // The repeat as stored: shown as it stands, timed at its seconds x 1000 ms to the nearest
    // millisecond, and written back so by Done; only leaving the box applies the box's rule
    // (under 60 s). One the timer cannot take (not a number, below 0, over 65535 ms) fails the
    // file there, as a short file does: setup reports it, and the repeat stays "0".
    const struct {
        const char* stored;
        bool taken;
        int ms;
    } repeats[] = {{"62", true, 62000},     {"59.9", true, 59900}, {"0", true, 0},     {"65.535", true, 65535},
                   {"65.536", false, 0},    {"1E+300", false, 0},  {"-1", false, 0},   {"abc", false, 0},
                   {"", false, 0}};
    for (const auto& r : repeats) {
        std::string file = good;
        file.replace(file.find("\"2.5\""), 5, std::string("\"") + r.stored + "\"");
        VoiceKeyerSettings x;
        if (r.taken) {
            ASSERT_NO_THROW(ParseWaveSettings(file, x)) << r.stored;
            EXPECT_EQ(x.repeatSeconds, r.stored);
            EXPECT_EQ(x.parallelAddress, "&H278") << r.stored;
            EXPECT_EQ(FormatWaveSettings(x), file) << r.stored;
        } else {
            EXPECT_THROW(ParseWaveSettings(file, x), station::FileError) << r.stored;
            EXPECT_EQ(x.repeatSeconds, "0") << r.stored;
            EXPECT_EQ(x.pttPort, "3") << r.stored;             // read before it
            EXPECT_EQ(x.parallelAddress, "&H378") << r.stored;  // never reached
        }
        EXPECT_EQ(x.repeatIntervalMs, r.ms) << r.stored;
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
