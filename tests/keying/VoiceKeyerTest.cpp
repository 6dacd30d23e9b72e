// The voice keyer on the recording key lines and the fake player: which PTT lines each setting
// keys, that they are down when the message starts and up when it ends (by itself, on Esc, on a
// failure, at unload), the F1 repeat, the port exclusion, and wave2.txt.

#include <gtest/gtest.h>

#include "keying/VoiceKeyer.h"
#include "keying/VoiceKeyerSettings.h"
#include "support/FakeDevices.h"
#include "support/TestSession.h"

namespace {

struct VoiceFixture {
    TestSession ts;
    keying::VoiceKeyer& vk = ts->phoneKeyer;
    keying::VoiceKeyerSettings& s = ts->voiceKeyer;
    fakes::FakeWavePlayer& player = ts.fakes.phoneWave;
    fakes::FakeKeyLines& lines = ts.fakes.keyLines;
    std::map<std::string, bool> keyedAtPlay;  // each device's state as the play started

    VoiceFixture() {
        s.waveFiles[0] = " /msgs/cq.wav ";
        s.waveFiles[1] = "/msgs/tu.wav";
        player.onPlay = [this](const std::string&) {
            for (const auto& name : lines.openings()) keyedAtPlay[name] = lines.snapshot(name).keyed();
        };
    }
    bool keyed(const std::string& name) { return lines.snapshot(name).keyed(); }
    std::string edges(const std::string& name) {
        std::string out;
        for (const auto& e : lines.snapshot(name).edges) out += std::string(1, e.pin) + (e.down ? "v" : "^");
        return out;
    }
};

struct PttCase {
    const char* name;
    const char* port;
    int line;
    std::vector<std::string> keyedDevices;  // keyed while the message plays
    std::string comEdges;                   // COM3's edges over the whole message
};

class VoicePtt : public testing::TestWithParam<PttCase> {};

TEST_P(VoicePtt, KeysTheChosenLinesBeforeTheMessageAndLetsThemUpAtItsEnd) {
    const auto& c = GetParam();
    VoiceFixture f;
    f.s.pttPort = c.port;
    f.s.pttLine = c.line;
    f.vk.FKeyPhone(112);
    ASSERT_EQ(f.player.played, std::vector<std::string>{"/msgs/cq.wav"});
    std::vector<std::string> keyedAtPlay;
    for (const auto& [name, down] : f.keyedAtPlay)
        if (down) keyedAtPlay.push_back(name);
    EXPECT_EQ(keyedAtPlay, c.keyedDevices);
    EXPECT_TRUE(f.vk.pttKeyed() == !c.keyedDevices.empty());
    f.player.finish();
    for (const auto& name : f.lines.openings()) EXPECT_FALSE(f.keyed(name)) << name;
    EXPECT_FALSE(f.vk.pttKeyed());
    if (!c.comEdges.empty()) {
        EXPECT_EQ(f.edges("COM3"), c.comEdges);
    }
}

INSTANTIATE_TEST_SUITE_P(
    VoiceKeyer, VoicePtt,
    testing::Values(PttCase{"Rts", "3", 0, {"COM3"}, "RvR^"},
                    PttCase{"Dtr", "3", 1, {"COM3"}, "DvD^"},
                    PttCase{"NoPort", "0", 0, {}, ""},
                    PttCase{"ParallelAndRts", "3", 2, {"COM3", "LPT&H378"}, "RvR^"},
                    PttCase{"ParallelOnly", "0", 2, {"LPT&H378"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VoiceKeyer, AParallelPortThatFailsLeavesNoSerialLineKeyed) {
    VoiceFixture f;
    f.s.pttPort = "3";
    f.s.pttLine = 2;
    f.lines.device("LPT&H378").failOpen = true;
    f.vk.FKeyPhone(112);
    EXPECT_TRUE(f.player.played.empty());
    EXPECT_FALSE(f.keyed("COM3"));
    EXPECT_FALSE(f.vk.pttKeyed());
    EXPECT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
}

TEST(VoiceKeyer, APortThatCannotBeOpenedIsReportedAndNothingPlays) {
    VoiceFixture f;
    f.s.pttPort = "3";
    f.lines.device("COM3").failOpen = true;
    int shown = 0;
    f.vk.showSettingsModal = [&] { ++shown; };
    f.vk.FKeyPhone(113);
    EXPECT_TRUE(f.player.played.empty());
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "Invalid port.");
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt.rfind(keying::VoiceKeyer::kInvalidPortText, 0), 0u);
    EXPECT_EQ(f.ts.fakes.dialogs.beeps, 1);
    EXPECT_EQ(shown, 1);
}

TEST(VoiceKeyer, EscStopsTheMessageAndLetsPttUpAtOnce) {
    VoiceFixture f;
    f.s.pttPort = "3";
    f.vk.FKeyPhone(113);
    ASSERT_TRUE(f.ts->keyers.VoicePlaying());
    ASSERT_TRUE(f.keyed("COM3"));
    f.ts->keyers.StopVoice();
    EXPECT_FALSE(f.ts->keyers.VoicePlaying());
    EXPECT_FALSE(f.keyed("COM3"));
}

TEST(VoiceKeyer, AnotherKeyWhilePlayingKeepsPttDownAndAnEmptyKeyCutsTheMessageOff) {
    VoiceFixture f;
    f.s.pttPort = "3";
    f.vk.FKeyPhone(112);
    f.vk.FKeyPhone(113);
    EXPECT_EQ(f.player.played.back(), "/msgs/tu.wav");
    EXPECT_EQ(f.edges("COM3"), "Rv");  // never let up between the two
    f.vk.FKeyPhone(114);               // F3 has no file
    EXPECT_FALSE(f.player.isPlaying);
    EXPECT_FALSE(f.keyed("COM3"));
}

TEST(VoiceKeyer, F1RepeatsAfterItsEndUntilAKeyCancelsIt) {
    VoiceFixture f;
    f.vk.SetRepeatSeconds("2.5");
    f.vk.FKeyPhone(112);
    EXPECT_EQ(f.ts->keyers.keyer.PhoneRepeat, 1);
    EXPECT_FALSE(f.vk.repeatTimerActive());  // not while it plays
    f.player.finish();
    f.ts.fakes.scheduler.advance(2499);
    EXPECT_EQ(f.player.played.size(), 1u);
    f.ts.fakes.scheduler.advance(1);
    EXPECT_EQ(f.player.played.size(), 2u);
    f.player.finish();
    // A key in the logging window: the repeat is cleared and its timer stopped.
    f.ts->keyers.keyer.PhoneRepeat = 0;
    f.ts->keyers.StopPhoneRepeatTimer();
    f.ts.fakes.scheduler.advance(10000);
    EXPECT_EQ(f.player.played.size(), 2u);
}

TEST(VoiceKeyer, OnlyF1ArmsTheRepeat) {
    VoiceFixture f;
    f.vk.SetRepeatSeconds("2.5");
    f.vk.FKeyPhone(113);
    EXPECT_EQ(f.ts->keyers.keyer.PhoneRepeat, 0);
    f.player.finish();
    EXPECT_FALSE(f.vk.repeatTimerActive());
    f.ts.fakes.scheduler.advance(10000);
    EXPECT_EQ(f.player.played, std::vector<std::string>{"/msgs/tu.wav"});
}

// Esc and the end of the run stop the message; neither starts the repeat, and the end of the
// run also ends a repeat that is waiting.
TEST(VoiceKeyer, AStopNeverStartsTheRepeat) {
    for (bool endRun : {false, true}) {
        VoiceFixture f;
        f.vk.SetRepeatSeconds("2");
        f.vk.FKeyPhone(112);
        ASSERT_EQ(f.ts->keyers.keyer.PhoneRepeat, 1);
        if (endRun) f.ts->keyers.EndRun();
        else f.ts->keyers.StopVoice();
        EXPECT_FALSE(f.vk.repeatTimerActive()) << endRun;
        f.ts.fakes.scheduler.advance(10000);
        EXPECT_EQ(f.player.played.size(), 1u) << endRun;
    }
    VoiceFixture g;
    g.vk.SetRepeatSeconds("2");
    g.vk.FKeyPhone(112);
    g.player.finish();
    ASSERT_TRUE(g.vk.repeatTimerActive());
    g.ts->keyers.EndRun();
    EXPECT_FALSE(g.vk.repeatTimerActive());
    EXPECT_EQ(g.ts->keyers.keyer.PhoneRepeat, 0);
    g.ts.fakes.scheduler.advance(10000);
    EXPECT_EQ(g.player.played.size(), 1u);
}

TEST(VoiceKeyer, AnEmptyF1ArmsTheRepeatFlagButPlaysAndRepeatsNothing) {
    VoiceFixture f;
    f.s.waveFiles[0] = "  ";
    f.s.pttPort = "3";
    f.vk.SetRepeatSeconds("5");
    f.vk.FKeyPhone(112);
    EXPECT_EQ(f.ts->keyers.keyer.PhoneRepeat, 1);
    EXPECT_TRUE(f.player.played.empty());
    EXPECT_TRUE(f.lines.openings().empty());
    f.ts.fakes.scheduler.advance(20000);
    EXPECT_TRUE(f.player.played.empty());
}

TEST(VoiceKeyer, AFileThatCannotPlayLetsPttUpAtOnce) {
    VoiceFixture f;
    f.s.pttPort = "3";
    f.player.failPlay = true;
    f.vk.FKeyPhone(112);
    EXPECT_TRUE(f.player.played.size() == 1 && !f.player.isPlaying);
    EXPECT_EQ(f.edges("COM3"), "RvR^");  // keyed, and let up again when nothing played
}

TEST(VoiceKeyer, UnloadAndTheEndOfTheRunLetPttUp) {
    for (bool endRun : {false, true}) {
        VoiceFixture f;
        f.s.pttPort = "3";
        f.s.pttLine = 2;
        f.vk.FKeyPhone(112);
        ASSERT_TRUE(f.keyed("COM3") && f.keyed("LPT&H378"));
        if (endRun) f.ts->keyers.EndRun();
        else f.vk.Unload();
        EXPECT_FALSE(f.player.isPlaying);
        EXPECT_FALSE(f.keyed("COM3")) << endRun;
        EXPECT_FALSE(f.keyed("LPT&H378")) << endRun;
    }
}

TEST(VoiceKeyer, ThePttPortClosesTheCwPortAndWinKeyAndIsClosedByTheCwPort) {
    VoiceFixture f;
    std::vector<std::string> closed;
    f.ts->keyers.ports.setCloser(keying::TransmitPort::CwKeyLine, [&] { closed.push_back("cw"); });
    f.ts->keyers.ports.setCloser(keying::TransmitPort::WinKey, [&] { closed.push_back("winkey"); });
    f.s.pttPort = "3";
    ASSERT_TRUE(f.vk.OpenPttPort());
    EXPECT_EQ(closed, (std::vector<std::string>{"winkey", "cw"}));
    // Opening never keys: both lines low.
    EXPECT_FALSE(f.keyed("COM3"));
    EXPECT_TRUE(f.vk.pttPortOpen());
    f.vk.FKeyPhone(112);
    f.ts->keyers.ports.opening(keying::TransmitPort::CwKeyLine);
    EXPECT_FALSE(f.vk.pttPortOpen());
    EXPECT_FALSE(f.keyed("COM3"));
    // Port "0": nothing is opened, nothing closed.
    closed.clear();
    f.s.pttPort = "0";
    EXPECT_TRUE(f.vk.OpenPttPort());
    EXPECT_TRUE(closed.empty());
}

TEST(VoiceKeyer, DoneRewritesWave2TxtWhereverItsLetterCaseAndReportsAFailure) {
    VoiceFixture f;
    f.ts.writeProgramFile("WAVE2.TXT", "old");
    f.s.pttPort = "3";
    f.s.pttLine = 1;
    f.s.repeatSeconds = "2.5";
    f.s.parallelAddress = "&H278";
    ASSERT_TRUE(f.vk.WriteSettings());
    const std::string file = f.ts.readProgramFile("WAVE2.TXT");
    EXPECT_EQ(file.substr(0, 16), "\"/msgs/cq.wav\"\r\n");  // blanks around the path removed
    keying::VoiceKeyerSettings back;
    keying::ParseWaveSettings(file, back);
    EXPECT_EQ(back.waveFiles[1], "/msgs/tu.wav");
    EXPECT_EQ(back.pttPort, "3");
    EXPECT_EQ(back.pttLine, 1);
    EXPECT_EQ(back.repeatIntervalMs, 2500);
    EXPECT_EQ(back.parallelAddress, "&H278");

    f.ts.fakes.files.failWrite = true;
    EXPECT_FALSE(f.vk.WriteSettings());
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_NE(f.ts.fakes.dialogs.messages[0].prompt.find("WAVE2.TXT"), std::string::npos);
}

}  // namespace
