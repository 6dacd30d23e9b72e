// What the run wires together itself: setup asks it to load the keyers' settings files.

#include <gtest/gtest.h>

#include "keying/CwSettings.h"
#include "keying/VoiceKeyerSettings.h"
#include "support/TestSession.h"

namespace {
std::string cwFile(const std::string& f1) {
    keying::CwSettings s;
    s.messages[0] = f1;
    return keying::FormatCwFile(s, 0);
}
}  // namespace

// A repeat the timer cannot take (over 65535 ms) fails wave2.txt as a missing file does; the values
// read before it stay.
TEST(Session, SetupLoadsWave2ThenCwAndReportsAMissingOrDamagedWave2AsItsOwnFile) {
    const struct {
        bool wave2;
        const char* repeat;
        size_t messages;
        const char* f1File;
    } cases[] = {{true, "62", 0, "cq.wav"}, {true, "65.536", 1, "cq.wav"}, {false, "", 1, ""}};
    for (const auto& c : cases) {
        TestSession t;
        if (c.wave2) {
            keying::VoiceKeyerSettings voice;
            voice.waveFiles[0] = "cq.wav";
            voice.repeatSeconds = c.repeat;
            t.writeProgramFile("wave2.txt", keying::FormatWaveSettings(voice));
        }
        t.writeProgramFile("cw.txt", cwFile("CQ FL TEST"));
        ASSERT_TRUE(t->loadKeyerSettings);
        t->loadKeyerSettings();
        ASSERT_EQ(t.fakes.dialogs.messages.size(), c.messages) << c.wave2;
        if (c.messages) {
            EXPECT_EQ(t.fakes.dialogs.messages[0].prompt, "Error opening file\r\nwave2.txt");
        }
        EXPECT_EQ(t->voiceKeyer.waveFiles[0], c.f1File) << c.wave2;
        EXPECT_EQ(t->voiceKeyer.repeatIntervalMs, c.messages ? 0 : 62000) << c.repeat;
        EXPECT_EQ(t->keyers.cw.settings().messages[0], "CQ FL TEST") << c.wave2;  // cw.txt read either way
    }
}
