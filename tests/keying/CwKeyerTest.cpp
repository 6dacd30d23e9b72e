// The CW keyer on the fakes: messages keyed by the worker with every edge on its schedule, the
// "!" that logs, Esc and stops that always leave the key up, speeds that never key, the echo,
// the F1 repeat, and the keying ports with their failures.

#include <gtest/gtest.h>

#include <cmath>

#include "keying/CwSettings.h"
#include "keying/KeyerFixture.h"
#include "keying/Numbers.h"
#include "keying/TransmitPorts.h"

using fakes::KeyEdge;
using keying::TransmitPort;

namespace {

TEST(CwKeyer, AMessageIsKeyedByTheWorkerWithEveryEdgeOnItsSchedule) {
    const struct {
        int interface;
        double wpm;
        const char* device;
        char pin;
    } cases[] = {{1, 13, "COM1", 'R'}, {2, 40, "COM1", 'D'}, {3, 40, "LPT&H378", 'C'}, {1, 40, "COM1", 'R'}};
    for (const auto& c : cases) {
        KeyerFixture f(c.interface);
        f.cw.settings().speed = keying::NumberText(c.wpm);
        f.ts->contest.CWCall = "K1ABC";
        ASSERT_TRUE(f.send("TU $ 5NN"));
        const auto d = f.device(c.device);
        EXPECT_EQ(d.edges, Expected("TU K1ABC 5NN", c.wpm, c.pin)) << c.device << " " << c.wpm;
        EXPECT_FALSE(d.keyed());
        EXPECT_EQ(f.ts.fakes.keyingClock.nowNs(), keying::ScheduleText("TU K1ABC 5NN", 1200.0 / c.wpm, 0).lengthNs);
        EXPECT_EQ(f.state.CWSending, 0);
        EXPECT_EQ(f.state.CWBuffer, "");
    }
}

TEST(CwKeyer, TheReportMacroSends5NNForA599AndKeepsIt) {
    KeyerFixture f;
    f.ts->contest.CWRstSent = "599";
    ASSERT_TRUE(f.send("TU *"));
    EXPECT_EQ(f.device().edges, Expected("TU 5NN"));
    EXPECT_EQ(f.ts->contest.CWRstSent, "5NN");
}

TEST(CwKeyer, TheWordSpaceAndTheSpeedAreReadForEachCharacter) {
    KeyerFixture f;
    f.cw.settings().wordSpace = "-4";
    f.cw.settingsChanged();
    ASSERT_TRUE(f.send("T T"));
    EXPECT_EQ(f.device().edges, Expected("T T", 13, 'R', 0, -4));

    // A speed change while a character is keyed applies from the next one.
    KeyerFixture g;
    auto& clock = g.ts.fakes.keyingClock;
    clock.setManual(true);
    g.cw.settings().messages[1] = "EE";
    g.cw.FKeyCW(113);
    ASSERT_TRUE(clock.waitForSleeper());
    for (int i = 0; i < 7; ++i) g.cw.UpDown1_UpClick();
    EXPECT_EQ(g.cw.settings().speed, "20");
    clock.setManual(false);
    ASSERT_TRUE(g.drain());
    const int64_t secondE = keying::ScheduleText("E", 1200.0 / 13, 0).lengthNs;
    auto expected = Expected("E", 13);
    for (const auto& e : Expected("E", 20, 'R', secondE)) expected.push_back(e);
    EXPECT_EQ(g.device().edges, expected);
}

TEST(CwKeyer, TheBangLogsTheContactOnceBetweenTheCharactersAroundIt) {
    KeyerFixture f;
    f.live.call = "W1AW";
    size_t edgesAtMains = 0;
    f.live.onMains = [&] { edgesAtMains = f.device().edges.size(); };
    ASSERT_TRUE(f.send("TU ! ! 73"));
    EXPECT_EQ(f.live.mains, 1);  // the second "!" finds the entry line cleared
    EXPECT_EQ(edgesAtMains, Expected("TU ").size());
    EXPECT_EQ(f.device().edges, Expected("TU   73"));

    // With an empty call field nothing is logged; with no interface nothing at all happens.
    KeyerFixture g;
    ASSERT_TRUE(g.send("!"));
    EXPECT_EQ(g.live.mains, 0);
    KeyerFixture none(0);
    none.live.call = "W1AW";
    none.cw.settings().messages[1] = "TU !";
    none.cw.FKeyCW(113);
    EXPECT_EQ(none.state.CWSending, 0);
    EXPECT_EQ(none.live.mains, 0);
    EXPECT_TRUE(none.ts.fakes.keyLines.openings().empty());
}

// The worker wakes up late once (the machine stalled): the element or gap that starts late gets
// its whole length from the moment it starts, unless it is less than a quarter unit late, when
// the schedule is kept. A stall inside an element never lengthens it beyond the stall.
TEST(CwKeyer, AnElementOrGapThatStartsLateKeepsItsWholeLength) {
    const struct {
        const char* what;
        char c;
        int lateSleep;           // which sleep wakes up late (one sleep per unit)
        double lateUnits;
        std::vector<double> ms;  // the edges, down first, in ms at 20 WPM (a unit of 60 ms)
    } cases[] = {
        {"late at the end of a dit: the gap after it is whole", 'I', 1, 1.0, {0, 120, 180, 240}},
        {"late at the end of a gap: the dit after it is whole", 'I', 2, 0.3, {0, 60, 138, 198}},
        {"late at the end of a gap: the dah after it is whole", 'A', 2, 2.0, {0, 60, 240, 420}},
        {"a fifth of a unit late: the schedule is kept", 'I', 2, 0.2, {0, 60, 132, 180}},
        {"late inside a dah: it ends on time", 'T', 1, 1.0, {0, 180}},
    };
    for (const auto& c : cases) {
        KeyerFixture f;
        f.cw.settings().speed = "20";
        f.ts.fakes.keyingClock.wakeLate(c.lateSleep, std::llround(c.lateUnits * 60e6));
        ASSERT_TRUE(f.send(std::string(1, c.c)));
        std::vector<KeyEdge> expected;
        for (size_t i = 0; i < c.ms.size(); ++i) expected.push_back({std::llround(c.ms[i] * 1e6), 'R', i % 2 == 0});
        EXPECT_EQ(f.device().edges, expected) << c.what;
    }
}

TEST(CwKeyer, EscMidMessageEndsItAfterTheCharacterWithTheKeyUp) {
    KeyerFixture f;
    auto& clock = f.ts.fakes.keyingClock;
    clock.setManual(true);
    f.cw.settings().messages[0] = "CQ CQ";
    f.cw.FKeyCW(112);
    ASSERT_TRUE(clock.waitForSleeper());
    EXPECT_TRUE(f.device().keyed());
    f.state.CWBuffer.clear();  // what Esc does while CW is sent
    clock.setManual(false);
    ASSERT_TRUE(f.drain());
    EXPECT_EQ(f.device().edges, Expected("C"));
    EXPECT_FALSE(f.device().keyed());
    EXPECT_EQ(f.live.captions.back(), "");
}

TEST(CwKeyer, StoppingKeysUpAtOnceEvenInTheMiddleOfAnElement) {
    KeyerFixture f;
    auto& clock = f.ts.fakes.keyingClock;
    clock.setManual(true);
    f.cw.settings().messages[0] = "TTT";
    f.cw.FKeyCW(112);
    ASSERT_TRUE(clock.waitForSleeper());
    ASSERT_TRUE(f.device().keyed());
    f.keyers.EndRun();  // the logging window's unload, the end of the program
    EXPECT_FALSE(f.device().keyed());
    EXPECT_FALSE(f.device().open);
    EXPECT_EQ(f.device().edges, (std::vector<KeyEdge>{{0, 'R', true}, {0, 'R', false}}));
    EXPECT_EQ(f.state.CWSending, 0);
    EXPECT_EQ(f.state.CWBuffer, "");
    // What the worker still had on its way changes nothing.
    f.ts.fakes.scheduler.runPosted();
    EXPECT_EQ(f.state.CWSending, 0);
}

TEST(CwKeyer, ASpeedItCannotKeyNeverKeysTheTransmitter) {
    for (const char* speed : {"0", "-1", "abc", "3:", "4", "120", ""}) {
        KeyerFixture f;
        f.cw.settings().speed = speed;
        f.cw.settingsChanged();
        f.cw.settings().messages[0] = "TEST";
        f.cw.FKeyCW(112);
        EXPECT_EQ(f.state.CWSending, 0) << speed;
        EXPECT_EQ(f.state.CWBuffer, "") << speed;
        EXPECT_TRUE(f.device().edges.empty()) << speed;
        EXPECT_TRUE(f.ts.fakes.keyLines.openings().empty()) << speed;
        EXPECT_EQ(f.ts.fakes.dialogs.beeps, 1) << speed;
        // The message stays where the operator looks: no closing echo wipes it.
        EXPECT_EQ(f.live.captions, std::vector<std::string>{"Set a CW speed from 5 to 99 WPM."}) << speed;
    }
}

TEST(CwKeyer, TheStatusLineShowsWhatIsLeftAfterEachCharacter) {
    KeyerFixture f;
    ASSERT_TRUE(f.send("VVV DE "));
    EXPECT_EQ(f.live.captions,
              (std::vector<std::string>{"VV DE ", "V DE ", " DE ", "DE ", "E ", " ", "", ""}));

    f.state.KeyboardCW = 1;
    f.live.captions.clear();
    ASSERT_TRUE(f.send("E"));
    EXPECT_EQ(f.live.captions, (std::vector<std::string>{"", "Keyboard CW Mode is on.  Press F12 to exit."}));

    f.cw.settings().echo = 0;
    f.live.captions.clear();
    ASSERT_TRUE(f.send("EE"));
    EXPECT_TRUE(f.live.captions.empty());
}

TEST(CwKeyer, TypedCharactersJoinTheRunningPumpEvenAsItRunsDry) {
    KeyerFixture f;
    auto& clock = f.ts.fakes.keyingClock;
    clock.setManual(true);
    f.cw.settings().messages[0] = "CQ";
    f.cw.FKeyCW(112);
    ASSERT_TRUE(clock.waitForSleeper());
    f.state.CWBuffer.append("DE");  // keyboard CW while sending: no second pump
    clock.setManual(false);
    ASSERT_TRUE(f.drain());
    EXPECT_EQ(f.device().edges, Expected("CQDE"));

    // The worker has found the buffer empty, but the pump has not heard it yet when a key is
    // typed: the character is sent, not left in the buffer.
    KeyerFixture g;
    auto& scheduler = g.ts.fakes.scheduler;
    g.cw.settings().messages[0] = "E";
    g.cw.FKeyCW(112);
    ASSERT_TRUE(scheduler.waitForPostedCount(3));  // started, done, ran dry
    EXPECT_EQ(g.state.CWSending, 1);
    g.state.CWBuffer.push_back('T');
    ASSERT_TRUE(g.drain());
    EXPECT_EQ(g.state.CWBuffer, "");
    EXPECT_EQ(g.device().edges.size(), Expected("ET").size());
}

TEST(CwKeyer, AFunctionKeyCutsWhatIsSentAndAnEmptyMessageOnlyStopsIt) {
    KeyerFixture f;
    auto& clock = f.ts.fakes.keyingClock;
    clock.setManual(true);
    f.cw.settings().messages[0] = "CQ TEST";
    f.cw.settings().messages[2] = "";
    f.cw.FKeyCW(112);
    ASSERT_TRUE(clock.waitForSleeper());
    f.cw.FKeyCW(114);
    EXPECT_EQ(f.state.CWBuffer, "");
    clock.setManual(false);
    ASSERT_TRUE(f.drain());
    EXPECT_EQ(f.device().edges, Expected("C"));
}

TEST(CwKeyer, F1RepeatsAfterItsIntervalFromTheEndOfSending) {
    // The interval as the repeat box gives it, or as cw.txt holds it: a stored 62 s is kept (only
    // leaving the box refuses a minute or more).
    const struct {
        const char* seconds;
        bool fromCwTxt;
        int intervalMs;
    } intervals[] = {{"5", false, 5000}, {"62", true, 62000}};
    for (const auto& c : intervals) {
        KeyerFixture f;
        auto& scheduler = f.ts.fakes.scheduler;
        if (c.fromCwTxt) {
            keying::CwSettings stored;
            stored.messages[0] = "E";
            stored.comPort = "1";
            stored.repeatSeconds = c.seconds;
            f.ts.writeProgramFile("cw.txt", keying::FormatCwFile(stored, 1));
            ASSERT_TRUE(keying::LoadCwSettings(*f.ts));
        } else {
            f.cw.settings().messages[0] = "E";
            f.cw.SetRepeatSeconds(c.seconds);
        }
        f.cw.FKeyCW(112);
        EXPECT_EQ(f.state.CWRepeat, 1) << c.seconds;
        EXPECT_FALSE(f.cw.repeatTimerActive());  // not while sending
        ASSERT_TRUE(f.drain());
        EXPECT_TRUE(f.cw.repeatTimerActive()) << c.seconds;
        scheduler.advance(c.intervalMs - 1);
        EXPECT_EQ(f.device().edges.size(), 2u) << c.seconds;
        scheduler.advance(1);
        ASSERT_TRUE(f.drain());
        EXPECT_EQ(f.device().edges.size(), 4u) << c.seconds;
        EXPECT_TRUE(f.cw.repeatTimerActive()) << c.seconds;  // armed again
    }

    // Other keys are not F1; a repeat of 0 is never armed.
    KeyerFixture g;
    g.cw.settings().messages[1] = "E";
    g.cw.SetRepeatSeconds("5");
    g.cw.FKeyCW(113);
    ASSERT_TRUE(g.drain());
    EXPECT_FALSE(g.cw.repeatTimerActive());
    g.cw.settings().messages[0] = "E";
    // Nor one whose interval is 0 ms: an armed repeat that never fires would still make the
    // next key empty the buffer.
    for (const char* none : {"0", "0.0001"}) {
        g.cw.SetRepeatSeconds(none);
        g.cw.FKeyCW(112);
        ASSERT_TRUE(g.drain());
        EXPECT_EQ(g.state.CWRepeat, 0) << none;
        EXPECT_FALSE(g.cw.repeatTimerActive()) << none;
    }
    // The box set to 0 while an armed F1 is sent: no repeat starts at its end (a timer of 0
    // would send F1 back to back).
    auto& clock = g.ts.fakes.keyingClock;
    g.cw.SetRepeatSeconds("5");
    clock.setManual(true);
    g.cw.FKeyCW(112);
    ASSERT_TRUE(clock.waitForSleeper());
    ASSERT_EQ(g.state.CWRepeat, 1);
    g.cw.SetRepeatSeconds("0");
    clock.setManual(false);
    ASSERT_TRUE(g.drain());
    EXPECT_FALSE(g.cw.repeatTimerActive());
    const size_t edges = g.device().edges.size();
    g.ts.fakes.scheduler.advance(10000);
    g.ts.fakes.scheduler.runPosted();
    EXPECT_EQ(g.device().edges.size(), edges);
}

TEST(CwKeyer, StoppingEndsAnF1Repeat) {
    for (bool whileSending : {true, false}) {
        KeyerFixture f;
        f.cw.settings().messages[0] = "E";
        f.cw.SetRepeatSeconds("5");
        auto& clock = f.ts.fakes.keyingClock;
        clock.setManual(whileSending);
        f.cw.FKeyCW(112);
        if (whileSending) {
            ASSERT_TRUE(clock.waitForSleeper());
        } else {
            ASSERT_TRUE(f.drain());
            ASSERT_TRUE(f.cw.repeatTimerActive());
        }
        f.keyers.EndRun();
        clock.setManual(false);
        EXPECT_EQ(f.state.CWRepeat, 0) << whileSending;
        EXPECT_FALSE(f.cw.repeatTimerActive()) << whileSending;
        const size_t edges = f.device().edges.size();
        f.ts.fakes.scheduler.advance(20000);
        f.ts.fakes.scheduler.runPosted();
        EXPECT_EQ(f.device().edges.size(), edges) << whileSending;
    }
}

TEST(CwKeyer, SpeedStepsAreToldAndBounded) {
    KeyerFixture f;
    struct Watcher : keying::CwKeyerObserver {
        int changes = 0;
        void cwSpeedChanged() override { ++changes; }
    } watcher;
    f.cw.addObserver(&watcher);
    f.keyers.SpeedUp();
    EXPECT_EQ(f.keyers.SpeedText(), "14");
    f.cw.settings().speed = "5";
    f.keyers.SpeedDown();
    EXPECT_EQ(f.keyers.SpeedText(), "5");
    EXPECT_EQ(watcher.changes, 2);
    f.cw.removeObserver(&watcher);
}

TEST(CwKeyer, PortZeroTimesWithoutKeyingAndABadPortIsReportedWithTheSettingsShown) {
    KeyerFixture f;
    f.cw.settings().comPort = "0";
    ASSERT_TRUE(f.send("E"));
    EXPECT_TRUE(f.ts.fakes.keyLines.openings().empty());
    EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
    EXPECT_EQ(f.ts.fakes.keyingClock.nowNs(), keying::ScheduleText("E", 1200.0 / 13, 0).lengthNs);

    KeyerFixture g;
    int shown = 0;
    g.cw.showSettingsModal = [&] { ++shown; };
    g.ts.fakes.keyLines.device("COM1").failOpen = true;
    ASSERT_TRUE(g.send("E"));
    ASSERT_EQ(g.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(g.ts.fakes.dialogs.messages[0].title, "Invalid port.");
    EXPECT_EQ(g.ts.fakes.dialogs.messages[0].prompt.substr(0, 96),
              "The port you have selected for CW keying is invalid.  Please select another or enter 0 for none.");
    EXPECT_NE(g.ts.fakes.dialogs.messages[0].prompt.find("COM1: No such file"), std::string::npos);
    EXPECT_EQ(g.ts.fakes.dialogs.beeps, 1);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(g.device().edges.empty());
}

TEST(CwKeyer, APortWhoseLinesCannotBeDrivenIsReportedOnce) {
    KeyerFixture f;
    f.ts.fakes.keyLines.device("COM1").drivesLines = false;
    ASSERT_TRUE(f.send("E"));
    ASSERT_TRUE(f.send("E"));
    ASSERT_TRUE(f.cw.CWSetup());  // leaving the port box opens it again: still said once
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_NE(f.ts.fakes.dialogs.messages[0].prompt.find("cannot key a transmitter"), std::string::npos);
    EXPECT_TRUE(f.device().edges.empty());
}

TEST(CwKeyer, AKeyLineThatFailsStopsTheMessageSaysSoAndIsLetUp) {
    KeyerFixture f;
    f.ts.fakes.keyLines.device("COM1").failSetAfter = 3;  // down, up, down, then gone
    ASSERT_TRUE(f.send("CQ CQ"));
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_NE(f.ts.fakes.dialogs.messages[0].prompt.find("COM1 has gone away."), std::string::npos);
    EXPECT_FALSE(f.device().keyed());
    EXPECT_FALSE(f.device().open);
    EXPECT_EQ(f.state.CWBuffer, "");
}

TEST(CwKeyer, AParallelAddressIsRefusedUnlessItNamesAPort) {
    KeyerFixture f(3);
    int shown = 0;
    f.cw.showSettingsModal = [&] { ++shown; };
    f.cw.settings().parallelAddress = "LPT1";
    ASSERT_TRUE(f.send("E"));
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt.find("The parallel port address \"LPT1\" is not valid."), 0u);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(f.ts.fakes.keyLines.openings().empty());

    f.cw.settings().parallelAddress = "/dev/parport0";
    ASSERT_TRUE(f.send("E"));
    const int64_t afterFirst = keying::ScheduleText("E", 1200.0 / 13, 0).lengthNs;  // timed, not keyed
    EXPECT_EQ(f.device("/dev/parport0").edges, Expected("E", 13, 'C', afterFirst));
}

TEST(TransmitPorts, OpeningOnePortClosesThoseItExcludes) {
    using P = TransmitPort;
    EXPECT_EQ(keying::TransmitPorts::Excludes(P::CwKeyLine), std::vector<P>{P::VoicePtt});
    EXPECT_EQ(keying::TransmitPorts::Excludes(P::VoicePtt), (std::vector<P>{P::WinKey, P::CwKeyLine}));
    EXPECT_EQ(keying::TransmitPorts::Excludes(P::WinKey), (std::vector<P>{P::CwKeyLine, P::VoicePtt}));

    KeyerFixture f;
    std::vector<std::string> closed;
    f.keyers.ports.setCloser(P::VoicePtt, [&] { closed.push_back("voice"); });
    f.keyers.ports.setCloser(P::WinKey, [&] { closed.push_back("winkey"); });
    ASSERT_TRUE(f.cw.CWSetup());
    EXPECT_EQ(closed, std::vector<std::string>{"voice"});  // the WinKey link stays open
    EXPECT_TRUE(f.cw.commOpen());
    f.keyers.ports.opening(P::WinKey);
    EXPECT_FALSE(f.cw.commOpen());
    EXPECT_FALSE(f.device().open);
}

// The WinKey keyer as the pump hands it the buffer: it records each hand-over and keeps its
// listener, so a test ends the hand-over (or fails it) when it chooses.
struct FakeWinKey : keying::WinKeyPort {
    std::vector<std::string> sent;
    int mainsBefore = -1;
    LiveWindowRecorder* live = nullptr;
    keying::HandOverListener* listener = nullptr;
    void WKTransmit(keying::SendBuffer& buffer, keying::HandOverListener* l) override {
        mainsBefore = live->mains;
        sent.push_back(buffer.str());
        buffer.clear();
        listener = l;
    }
    int32_t wk_getstatus() override { return 0; }
    void wk_clearbuf() override {}
    void wk_backspace() override {}
    std::vector<int> speeds;
    void wk_wpm(uint8_t wpm) override { speeds.push_back(wpm); }
};

TEST(CwKeyer, TheWinKeyInterfaceLogsFirstAndHandsTheKeyerTheWholeMessage) {
    FakeWinKey winKey;
    KeyerFixture f(5);
    winKey.live = &f.live;
    f.keyers.winKey = &winKey;
    f.live.call = "W1AW";
    f.ts->contest.CWCall = "W1AW";
    f.cw.settings().messages[0] = "TU $ !";
    f.cw.SetRepeatSeconds("3");
    f.cw.FKeyCW(112);
    EXPECT_EQ(winKey.sent, std::vector<std::string>{"TU W1AW !"});
    EXPECT_EQ(winKey.mainsBefore, 1);
    EXPECT_EQ(f.state.CWSending, 0);
    // The repeat waits for the end of the hand-over.
    ASSERT_NE(winKey.listener, nullptr);
    EXPECT_FALSE(f.cw.repeatTimerActive());
    winKey.listener->handedOver();
    EXPECT_TRUE(f.cw.repeatTimerActive());
    // The speed reaches an open keyer when it is one the keyer keys at.
    f.state.WinKeyOpen = 23;
    for (const char* speed : {"25", "4", "5", "99", "100", "abc"}) f.cw.SetSpeedText(speed);
    EXPECT_EQ(winKey.speeds, (std::vector<int>{25, 5, 99}));
    f.keyers.winKey = nullptr;
}

// A hand-over that fails while an F1 repeat waits (the settings window's Test sends F9 in the
// meantime): the repeat ends with its timer, so F1 is not sent again only to fail again.
TEST(CwKeyer, AWinKeyHandOverThatFailsEndsAnF1RepeatThatWaits) {
    FakeWinKey winKey;
    KeyerFixture f(5);
    winKey.live = &f.live;
    f.keyers.winKey = &winKey;
    f.cw.settings().messages[0] = "CQ";
    f.cw.settings().messages[8] = "VVV";
    f.cw.SetRepeatSeconds("3");
    f.cw.FKeyCW(112);
    ASSERT_NE(winKey.listener, nullptr);
    winKey.listener->handedOver();
    ASSERT_TRUE(f.cw.repeatTimerActive());
    f.cw.FKeyCW(120);
    winKey.listener->handOverFailed();
    winKey.listener->handedOver();
    EXPECT_EQ(f.state.CWRepeat, 0);
    EXPECT_FALSE(f.cw.repeatTimerActive());
    f.ts.fakes.scheduler.advance(10000);
    EXPECT_EQ(winKey.sent, (std::vector<std::string>{"CQ", "VVV"}));
    f.keyers.winKey = nullptr;
}

}  // namespace
