#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Bytes.h"
#include "rig/RigControl.h"
#include "support/RigEmulator.h"
#include "support/TestSession.h"
#include "window/LiveWindowFacade.h"

using namespace rig;

namespace {

// The live logging window as rig control reaches it through Form1.
struct LiveWindow : window::LiveWindowApi {
    std::vector<double> frequencies;
    std::vector<std::string> modes;
    std::function<void()> onReading;
    void BandFreqConversion(double f) override {
        frequencies.push_back(f);
        if (onReading) onReading();
    }
    void ModeSelection(const std::string& m) override { modes.push_back(m); }
    void PacketResize(const std::string&, bool) override {}
    void DisplayBandMapLabels() override {}
    void BandMapSpots(const std::string&, const std::string&, const std::string&) override {}
    void SpotCallToCallField(const std::string&) override {}
    void FocusCallField() override {}
    std::vector<std::string> statusTexts;
    void SetDialogCaption(const std::string& text) override { statusTexts.push_back(text); }
};

struct RigFixture {
    TestSession ts;
    LiveWindow window;
    RigControl& rig = ts->rig;
    fakes::FakeSerialDevice& port = ts.fakes.serial.device(1);
    std::vector<bool> pollingEvents;
    std::vector<RigDisplay> shown;

    explicit RigFixture(const char* rigType) {
        ts->profile.OutOfState = 0;
        ts->Form1.attach(window::WindowKind::InState, &window);
        ts->profile.RigType = rigType;
        rig.LoadRigSettings();  // no file: the rig list's row for the profile's rig type
        rig.events.pollingChanged = [this](bool on) { pollingEvents.push_back(on); };
        rig.events.shown = [this](const RigDisplay& d) { shown.push_back(d); };
    }
    ~RigFixture() { ts->Form1.detach(&window); }
    void advance(int64_t ms) { ts.fakes.scheduler.advance(ms); }
    int64_t now() const { return ts.fakes.clock.monotonic; }
    // The rig answers every request with `answer`.
    void answerWith(const std::string& answer) {
        port.onWrite = [this, answer](const std::string&) { port.receive(answer); };
    }
};

}  // namespace

TEST(RigPolling, KenwoodAsksBothInOneTickAndHandsTheReadingToTheWindow) {
    RigFixture f("Kenwood");
    f.answerWith("FA00014025000;MD3;");
    EXPECT_EQ(f.rig.Test(), TestResult::Polling);
    EXPECT_TRUE(f.port.open);
    EXPECT_EQ(f.port.settings, (platform::SerialSettings{4800, platform::Parity::None, 8, 2}));
    EXPECT_EQ(f.port.handshake, platform::Handshake::None);
    EXPECT_EQ(f.port.written, "FA;MD;");  // the first tick runs at once
    EXPECT_EQ(f.pollingEvents, std::vector<bool>{true});
    EXPECT_EQ(f.rig.PollIntervalMs(), 250);
    EXPECT_TRUE(f.window.frequencies.empty());
    f.advance(250);  // receive tick
    EXPECT_EQ(f.window.frequencies, std::vector<double>{14.025});
    EXPECT_EQ(f.window.modes, std::vector<std::string>{"CW"});
    ASSERT_EQ(f.shown.size(), 1u);
    EXPECT_EQ(f.shown[0].frequencyText, "14.02500");
    EXPECT_EQ(f.shown[0].mode, "CW");
    EXPECT_EQ(f.shown[0].reply, "FA00014025000;MD3;");
    f.advance(250);  // send tick
    EXPECT_EQ(f.port.written, "FA;MD;FA;MD;");
    f.advance(250);
    EXPECT_EQ(f.window.frequencies.size(), 2u);  // handed over on every reply, changed or not
}

TEST(RigPolling, AWholeAnswerIsReadAsItArrivesNotAtTheNextTick) {
    {
        RigFixture f("Kenwood");
        f.rig.Test();
        f.advance(100);
        f.port.receive("FA00007025");  // half the answer: nothing yet
        EXPECT_TRUE(f.window.frequencies.empty());
        f.port.receive("000;MD3;");
        EXPECT_EQ(f.window.frequencies, std::vector<double>{7.025});
        EXPECT_EQ(f.window.modes, std::vector<std::string>{"CW"});
        f.advance(150);  // the receive tick: nothing new to hand over
        EXPECT_EQ(f.window.frequencies.size(), 1u);
        f.advance(250);
        EXPECT_EQ(f.port.written, "FA;MD;FA;MD;");  // the cycle keeps its two ticks
    }
    {
        // CI-V: the echo alone is not the answer.
        RigFixture f("Icom");
        f.rig.Test();
        f.port.receive(hexBytes("FE FE 64 E0 03 FD"));
        EXPECT_TRUE(f.window.frequencies.empty());
        f.port.receive(hexBytes("FE FE E0 64 03 00 50 02 14 00 FD"));
        EXPECT_EQ(f.window.frequencies, std::vector<double>{14.025});
    }
    {
        // A long status block is read once its first bytes are in; the rest is dropped and the
        // next request waits for it to end.
        RigFixture f("Yaesu 757 GX II");
        f.rig.Test();
        const std::string block = std::string(5, '\0') + hexBytes("00 25 70 00 02") + std::string(65, '\x11');
        f.port.receive(block.substr(0, 20));
        EXPECT_EQ(f.window.frequencies, std::vector<double>{7.025});
        f.port.receive(block.substr(20));
        f.advance(250);  // receive tick: the rest is dropped, not read as another answer
        EXPECT_EQ(f.window.frequencies.size(), 1u);
        EXPECT_EQ(f.window.modes.size(), 1u);
        f.advance(250);  // a quiet line: the next request goes out
        EXPECT_EQ(f.port.written, hexBytes("00 00 00 00 00") + hexBytes("00 00 00 00 10") + hexBytes("00 00 00 00 10"));
    }
}

TEST(RigPolling, TheTimerIntervalIsHalfTheChosenCycle) {
    struct Case {
        const char* rate;
        int interval;
    };
    for (const Case c : {Case{"F", 50}, Case{"M", 250}, Case{"S", 1000}, Case{"R", 5000}, Case{"Q", 1000}}) {
        RigFixture f("Kenwood");
        f.answerWith("FA00007025000;MD3;");
        f.rig.Settings().PollRate = c.rate;
        f.rig.Test();
        EXPECT_EQ(f.rig.PollIntervalMs(), c.interval) << c.rate;
        f.advance(c.interval - 1);
        EXPECT_TRUE(f.window.frequencies.empty()) << c.rate;
        f.advance(1);
        EXPECT_EQ(f.window.frequencies.size(), 1u) << c.rate;
        f.advance(c.interval);
        EXPECT_EQ(f.port.written, "FA;MD;FA;MD;") << c.rate;
    }
}

TEST(RigPolling, IcomTakesTurnsAndReadsTheFrequencyEverySecondCycleWithoutAModeString) {
    RigFixture f("Icom");
    f.rig.Settings().ModeReadString = "";
    const std::string request = hexBytes("FE FE 64 E0 03 FD");
    // The bus echoes the request; the rig answers after it.
    f.port.onWrite = [&](const std::string& bytes) {
        f.port.receive(bytes + hexBytes("FE FE E0 64 03 00 50 02 14 00 FD"));
    };
    f.rig.Test();
    EXPECT_EQ(f.port.written, request);
    EXPECT_TRUE(f.rig.LastWasFreqRequest());
    f.advance(250);
    EXPECT_EQ(f.window.frequencies, std::vector<double>{14.025});
    f.advance(250);  // mode turn: nothing to send
    EXPECT_EQ(f.port.written, request);
    EXPECT_FALSE(f.rig.LastWasFreqRequest());
    f.advance(250);  // empty reply: nothing handed over
    EXPECT_EQ(f.window.frequencies.size(), 1u);
    f.advance(500);
    EXPECT_EQ(f.port.written, request + request);
    EXPECT_EQ(f.window.frequencies.size(), 2u);
}

TEST(RigPolling, ACivFrameCutBetweenTwoReadsIsJoined) {
    RigFixture f("Icom");
    f.rig.Settings().PollRate = "F";
    const std::string answer = hexBytes("FE FE E0 64 03 00 50 02 07 00 FD");
    f.port.onWrite = [&](const std::string& bytes) {
        if (bytes == hexBytes("FE FE 64 E0 03 FD")) f.port.receive(bytes + answer.substr(0, 7));
    };
    f.rig.Test();
    f.advance(50);  // the echo and half the answer
    EXPECT_TRUE(f.window.frequencies.empty());
    f.port.receive(answer.substr(7) + hexBytes("FE FE E0 64 04 03 01 FD"));  // the rest, then a mode frame
    f.advance(50);  // send tick (mode turn)
    f.advance(50);  // receive: the joined frame and the mode frame
    EXPECT_EQ(f.window.frequencies, std::vector<double>{7.025});
    EXPECT_EQ(f.window.modes.back(), "CW");
}

TEST(RigPolling, AnUnframedReplyIsReadWholeAndNoRequestGoesOutWhileItArrives) {
    RigFixture f("Yaesu");
    f.rig.Settings().PollRate = "F";
    const std::string request = hexBytes("00 00 00 00 03");
    int requests = 0;
    f.port.onWrite = [&](const std::string& bytes) {
        if (bytes == request && ++requests == 1) f.port.receive(hexBytes("01 40 25"));
    };
    f.rig.Test();
    EXPECT_EQ(f.port.written, hexBytes("00 00 00 00 00") + request);
    f.advance(50);  // three of five bytes: kept
    EXPECT_TRUE(f.window.frequencies.empty());
    f.advance(50);  // send tick: still waiting, nothing sent
    EXPECT_EQ(requests, 1);
    f.port.receive(hexBytes("00 02"));
    f.advance(50);  // joined: 14.025 CW, not a reading from the wrong position
    EXPECT_EQ(f.window.frequencies, std::vector<double>{14.025});
    EXPECT_EQ(f.window.modes, std::vector<std::string>{"CW"});
    // Bytes arriving with nothing asked (the rest of a long answer, noise) are dropped and the
    // next request waits for a quiet line.
    f.port.receive(hexBytes("77 88"));
    f.advance(50);  // send tick: the line was not quiet
    EXPECT_EQ(requests, 1);
    f.advance(50);
    EXPECT_EQ(f.window.frequencies.size(), 1u);
    f.advance(50);
    EXPECT_EQ(requests, 2);
    // A send tick that could not send (a busy output queue) asked nothing: what arrives before
    // the next tick is not read as the answer.
    f.advance(50);  // receive tick of the second request (no answer)
    f.port.outputQueue = 1;
    f.advance(50);  // send tick: nothing sent
    f.port.outputQueue = 0;
    f.port.receive(hexBytes("00 70 25 00 02"));
    f.advance(50);
    EXPECT_EQ(f.window.frequencies.size(), 1u);
}

// The five-byte Yaesu status counts only when the cycle's reply is exactly five bytes: an
// acknowledgement byte before or after it, in one piece or several, drops the cycle's reply
// instead of shifting every digit (0.14025 MHz, 402.50002 MHz, PH for CW).
TEST(RigPolling, TheYaesuStatusCountsOnlyAtExactlyFiveBytes) {
    struct Case {
        const char* name;
        std::vector<std::string> beforeTheTick;  // pieces arriving before the receive tick
        std::string nextCycle;                   // a piece after it (the cycle waited for the rest)
        bool read;
    };
    const Case cases[] = {
        {"the answer", {"01 40 25 00 02"}, "", true},
        {"the answer in two pieces", {"01 40", "25 00 02"}, "", true},
        {"the answer cut at the tick", {"01 40 25"}, "00 02", true},
        {"a byte before, the last one late", {"00 01 40 25 00", "02"}, "", false},
        {"a byte after", {"01 40 25 00 02 00"}, "", false},
        {"a byte before in one piece", {"00 01 40 25 00 02"}, "", false},
        {"a byte after the cut answer's rest", {"01 40"}, "25 00 02 00", false},
    };
    for (const auto& c : cases) {
        RigFixture f("Yaesu");
        ASSERT_EQ(f.rig.Test(), TestResult::Polling);  // the request goes out at once
        for (const auto& piece : c.beforeTheTick) f.port.receive(hexBytes(piece));
        f.advance(250);  // receive tick
        if (!c.nextCycle.empty()) {
            f.advance(250);  // send tick: the rest is waited for, nothing asked
            f.port.receive(hexBytes(c.nextCycle));
            f.advance(250);
        }
        if (c.read) {
            EXPECT_EQ(f.window.frequencies, std::vector<double>{14.025}) << c.name;
            EXPECT_EQ(f.window.modes, std::vector<std::string>{"CW"}) << c.name;
        } else {
            EXPECT_TRUE(f.window.frequencies.empty()) << c.name << " " << f.window.frequencies.front();
            EXPECT_TRUE(f.window.modes.empty()) << c.name;
            EXPECT_TRUE(f.shown.empty()) << c.name;
        }
    }
}

// A reading in no band of the logging window's band table (a babbling rig misread: 21.715,
// 97.72 MHz) is shown but reaches the logging window neither as a frequency nor as a mode; a
// reading in a band does, even one of a band the window never switches to.
TEST(RigPolling, AReadingInNoBandSwitchesNothing) {
    struct Case {
        const char* reply;
        bool handed;
    };
    const Case cases[] = {
        {"FA00007025000;MD3;", true},
        {"FA00021715000;MD2;", false},   // between 15 and 12 m
        {"FA00097720000;MD2;", false},   // FM broadcast
        {"FA00000140250;MD2;", false},   // below 160 m
        {"FA02397472000;MD3;", true},    // the 13 cm band: handed, the contact decides
    };
    for (const auto& c : cases) {
        RigFixture f("Kenwood");
        f.answerWith(c.reply);
        f.rig.Test();
        f.advance(250);
        ASSERT_EQ(f.shown.size(), 1u) << c.reply;  // what the rig said is shown all the same
        EXPECT_EQ(f.window.frequencies.size(), c.handed ? 1u : 0u) << c.reply;
        EXPECT_EQ(f.window.modes.size(), c.handed ? 1u : 0u) << c.reply;
    }
}

TEST(RigPolling, ARigThatStopsAnsweringStallsNothing) {
    RigFixture f("Yaesu 990");
    f.rig.Settings().PollRate = "F";
    f.port.onWrite = [&](const std::string& bytes) {
        if (bytes.size() == 5 && bytes[4] == 0x10) f.port.receive(hexBytes("00 15 66"));  // then silence
    };
    f.rig.Test();
    f.advance(2000);
    EXPECT_TRUE(f.window.frequencies.empty());
    EXPECT_TRUE(f.rig.Polling());
    // The part answer was given up after two cycles and polling asked again.
    EXPECT_GT(std::count(f.port.written.begin(), f.port.written.end(), '\x10'), 5);
}

TEST(RigPolling, WhatARigSendsIsKeptBoundedAndAGoodAnswerAfterwardsIsRead) {
    {
        // A CI-V frame that starts and never ends: the bytes after it are not kept for ever.
        RigFixture f("Icom");
        bool started = false, healthy = false;
        f.port.onWrite = [&](const std::string&) {
            if (healthy) f.port.receive(hexBytes("FE FE E0 64 03 00 50 02 14 00 FD"));
            else if (!started) f.port.receive(hexBytes("FE FE E0 64 03"));
            else f.port.receive(std::string(100, '\x11'));
            started = true;
        };
        f.rig.Test();
        size_t most = 0;
        for (int i = 0; i < 400; ++i) {
            f.advance(50);
            most = std::max(most, f.rig.BufferedBytes());
        }
        EXPECT_LE(most, 256u + 100u);
        EXPECT_TRUE(f.window.frequencies.empty());
        healthy = true;
        f.advance(4000);
        ASSERT_FALSE(f.window.frequencies.empty());
        EXPECT_EQ(f.window.frequencies.back(), 14.025);
    }
    {
        // A text rig that floods the line without ever ending its answer.
        RigFixture f("Kenwood");
        f.rig.Test();
        for (int i = 0; i < 50; ++i) f.port.receive(std::string(1000, 'x'));
        EXPECT_LE(f.rig.BufferedBytes(), 4096u);
        f.advance(250);
        EXPECT_EQ(f.rig.BufferedBytes(), 0u);
        f.answerWith("FA00007025000;MD3;");
        f.advance(500);
        EXPECT_EQ(f.window.frequencies, std::vector<double>{7.025});
    }
}

TEST(RigPolling, WhatTheOperatorChoseDecidesWhatReachesTheWindow) {
    {
        RigFixture f("Kenwood");
        f.rig.Settings().UseFrequency = false;
        f.answerWith("FA00014200000;MD2;");
        f.rig.Test();
        f.advance(250);
        EXPECT_TRUE(f.window.frequencies.empty());
        EXPECT_EQ(f.window.modes, std::vector<std::string>{"PH"});
    }
    {
        RigFixture f("Kenwood");
        f.rig.Settings().modeBy = ModeBy::DontUse;
        f.answerWith("FA00014200000;MD3;");
        f.rig.Test();
        f.advance(250);
        EXPECT_EQ(f.window.frequencies.size(), 1u);
        EXPECT_TRUE(f.window.modes.empty());
    }
    {
        RigFixture f("Kenwood");
        f.rig.Settings().modeBy = ModeBy::Frequency;
        f.answerWith("FA00014200000;MD3;");  // the rig says CW, the table says phone
        f.rig.Test();
        f.advance(250);
        EXPECT_EQ(f.window.modes, std::vector<std::string>{"PH"});
    }
}

TEST(RigPolling, NoReadingOfZeroReachesTheWindowAndOtherOnlyShowsItsReply) {
    RigFixture f("Other");
    f.rig.Settings().FreqReadString = "FA;";
    f.rig.Settings().ConvertFromHex = true;
    f.answerWith("FA00014025000;");
    f.rig.Test();
    EXPECT_EQ(f.port.written, "FA;");  // as typed, no CR
    f.advance(250);
    EXPECT_TRUE(f.window.frequencies.empty());
    ASSERT_EQ(f.shown.size(), 1u);
    EXPECT_EQ(f.shown[0].frequencyText, std::nullopt);
    EXPECT_EQ(f.shown[0].reply.substr(0, 9), "46 41 30 ");
    EXPECT_EQ(f.rig.LastReply(), "FA00014025000;");
}

TEST(RigPolling, ABusyOutputQueueSkipsTheRequestButNotTheRead) {
    RigFixture f("Kenwood");
    f.port.outputQueue = 3;
    f.rig.Test();
    EXPECT_EQ(f.port.written, "");
    f.port.receive("FA00007025000;MD3;");  // an answer to something else, e.g. a raw command
    f.advance(250);
    EXPECT_EQ(f.window.frequencies, std::vector<double>{7.025});
}

TEST(RigPolling, DecodeErrorsAndEmptyRepliesKeepTheLastReading) {
    RigFixture f("Kenwood");
    int n = 0;
    f.port.onWrite = [&](const std::string&) {
        ++n;
        if (n == 1) f.port.receive("FA00014025000;MD3;");
        if (n == 2) f.port.receive("FA0001402");  // cut: read nothing
    };
    f.rig.Test();
    f.advance(250 * 4);
    EXPECT_EQ(f.window.frequencies, (std::vector<double>{14.025, 14.025}));  // shown and handed again
    f.advance(250 * 2);  // third request: no answer at all
    EXPECT_EQ(f.window.frequencies.size(), 2u);
}

TEST(RigPort, LinesHandshakeAndStartBytesAsTheSettingsSay) {
    struct Case {
        const char* rig;
        const char* power;
        platform::Handshake handshake;
        bool dtr, rts;
        std::string openBytes;
    };
    const Case cases[] = {
        {"Kenwood", "N", platform::Handshake::None, false, false, ""},
        {"Kenwood", "R", platform::Handshake::None, false, true, ""},
        {"Kenwood", "D", platform::Handshake::None, true, false, ""},
        {"Ten Tec Orion", "N", platform::Handshake::RtsCts, false, false, "X\r"},
        {"Ten Tec Fnt Pnl", "D", platform::Handshake::RtsCts, true, false, ""},
        {"Yaesu", "N", platform::Handshake::None, false, false, hexBytes("00 00 00 00 00")},
        {"Yaesu FTdx9000", "N", platform::Handshake::None, false, false, ""},
    };
    for (const auto& c : cases) {
        RigFixture f(c.rig);
        f.rig.Settings().PowerLine = c.power;
        f.port.outputQueue = 1;  // so only the opening bytes are written
        f.rig.Test();
        EXPECT_EQ(f.port.handshake, c.handshake) << c.rig;
        EXPECT_EQ(f.port.dtr, c.dtr) << c.rig << " " << c.power;
        EXPECT_EQ(f.port.rts, c.rts) << c.rig << " " << c.power;
        EXPECT_EQ(f.port.written, c.openBytes) << c.rig;
        // Nothing is raised but the power line: the only edges up are its own.
        for (const auto& e : f.port.edges) {
            if (e.on) {
                EXPECT_EQ(e.line, c.power[0] == 'R' ? 'R' : 'D') << c.rig;
            }
        }
    }
    // After an Orion, the next rig's port opens without RTS/CTS.
    RigFixture f("Ten Tec Orion");
    f.rig.Test();
    EXPECT_EQ(f.port.handshake, platform::Handshake::RtsCts);
    f.rig.SetRigType("Kenwood");
    f.rig.Settings() = DesignSettings();
    ApplyRigTypeRow(f.rig.Settings(), *FindRigType("Kenwood"));
    f.rig.Test();
    EXPECT_EQ(f.port.handshake, platform::Handshake::None);
}

TEST(RigPort, APortThatDoesNotOpenIsReportedAndPollingDoesNotStart) {
    RigFixture f("Kenwood");
    f.port.failOpen = true;
    int failures = 0;
    f.rig.events.portFailed = [&] { ++failures; };
    EXPECT_EQ(f.rig.Test(), TestResult::PortFailed);
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "Invalid Comm Settings.");
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt, kInvalidCommText);
    EXPECT_EQ(f.ts.fakes.dialogs.beeps, 1);
    EXPECT_FALSE(f.rig.Polling());
    EXPECT_TRUE(f.pollingEvents.empty());  // "Polling Rig" never shown
    EXPECT_EQ(failures, 0);                // told after Test has returned
    f.advance(0);
    EXPECT_EQ(failures, 1);
    // A port number outside 1..10 fails the same way.
    RigFixture g("Kenwood");
    g.rig.Settings().RigPort = 11;
    EXPECT_EQ(g.rig.Test(), TestResult::PortFailed);
}

TEST(RigPort, ABadHexReadStringIsRefusedAtTestInsteadOfStallingThePoll) {
    RigFixture f("Icom");
    f.rig.Settings().FreqReadString = "FE FE 6G E0 03 FD";
    EXPECT_EQ(f.rig.Test(), TestResult::BadReadString);
    EXPECT_FALSE(f.port.open);
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_NE(f.ts.fakes.dialogs.messages[0].prompt.find("String to read frequency"), std::string::npos);
    EXPECT_NE(f.ts.fakes.dialogs.messages[0].prompt.find("FE FE 6G E0 03 FD"), std::string::npos);
    EXPECT_FALSE(f.rig.Polling());
}

TEST(RigPort, EndTestAndUnloadCloseThePortYaesuGetsItsClosingBytes) {
    {
        RigFixture f("Yaesu");
        f.rig.Test();
        f.rig.Unload();
        EXPECT_EQ(f.port.written.substr(f.port.written.size() - 5), hexBytes("00 00 00 00 80"));
        EXPECT_FALSE(f.port.open);
        EXPECT_EQ(f.pollingEvents, (std::vector<bool>{true, false}));
        EXPECT_EQ(f.ts.fakes.scheduler.activeTimers(), 0);
    }
    {
        RigFixture f("Yaesu");
        f.rig.Test();
        f.rig.EndTest();
        const std::string before = f.port.written;
        f.rig.Unload();  // not polling: no closing bytes
        EXPECT_EQ(f.port.written, before);
    }
    {
        RigFixture f("Yaesu FTdx9000");
        f.rig.Test();
        f.rig.Unload();
        EXPECT_EQ(f.port.written.find('\x80'), std::string::npos);
    }
}

TEST(RigPort, TestAfterEndTestStartsANewCycleAndReadsNothingLeftOnTheLine) {
    // End Test while a long status block is half in: Test asks again before it reads, and what
    // the rig was still sending is not taken for the answer.
    RigFixture f("Yaesu 1000");
    f.rig.Settings().PollRate = "M";
    const std::string request = hexBytes("00 00 00 02 10");
    fakes::RigEmulator::Options options;
    options.family = "yaesu1000";
    fakes::RigEmulator rigEnd(options);
    rigEnd.setFrequencyHz(7025000);
    const std::string block = rigEnd.receive(request);
    f.rig.Test();
    f.port.receive(block.substr(0, 1));
    f.advance(250);  // receive tick: one byte kept
    f.advance(250);  // send tick: the rest is awaited
    f.rig.EndTest();
    f.port.receive(block.substr(1));  // the rig goes on sending
    const size_t before = f.port.written.size();
    f.rig.Test();
    EXPECT_EQ(f.port.written.substr(before), hexBytes("00 00 00 00 00"));  // the line was not quiet: no request
    EXPECT_TRUE(f.window.frequencies.empty());
    f.port.onWrite = [&](const std::string& bytes) {
        if (bytes == request) f.port.receive(block);
    };
    f.advance(2000);
    ASSERT_FALSE(f.window.frequencies.empty());
    for (double mhz : f.window.frequencies) EXPECT_EQ(mhz, 7.025);
}

// A pulled adapter while a request waits in the queue of the dead device: no tick may wait on
// that queue for good. The loss ends polling and any command under way, closes the port, tells
// the operator, and no reading from before reaches a contact; Test polls again once it is back.
TEST(RigPort, ADeviceThatGoesAwayEndsPollingUntilTestFindsItAgain) {
    RigFixture f("Kenwood");
    std::vector<std::string> lost;
    f.rig.events.portLost = [&](const std::string& why) { lost.push_back(why); };
    f.answerWith("FA00014025000;MD3;");
    ASSERT_EQ(f.rig.Test(), TestResult::Polling);
    f.advance(250);
    ASSERT_EQ(f.window.frequencies, std::vector<double>{14.025});
    f.ts->contest.PendingFrequency = "14.025";  // what the logging window kept for the next contact

    f.port.outputQueue = 6;
    f.rig.ChangeFrequency(14.1);  // waits for the queue to drain
    ASSERT_TRUE(f.rig.CommandInProgress());
    f.port.unplug("/dev/ttyUSB0: Input/output error");
    f.advance(100);
    EXPECT_EQ(f.ts.fakes.serial.deliver(), 1);
    EXPECT_FALSE(f.rig.Polling());
    EXPECT_FALSE(f.rig.PortOpen());
    EXPECT_FALSE(f.rig.CommandInProgress());
    EXPECT_EQ(f.ts.fakes.scheduler.activeTimers(), 0);
    EXPECT_EQ(f.pollingEvents, (std::vector<bool>{true, false}));
    EXPECT_EQ(lost, std::vector<std::string>{"/dev/ttyUSB0: Input/output error"});
    EXPECT_EQ(f.window.statusTexts, std::vector<std::string>{kPortLostStatus});
    EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());  // the command ended with the loss, not a box
    EXPECT_EQ(f.ts->contest.PendingFrequency, "");
    EXPECT_EQ(f.rig.Reading().RigFrequency, 0);
    f.advance(5000);
    EXPECT_EQ(f.window.frequencies.size(), 1u);

    // Still gone: Test says the port does not open. Back: Test reads the radio again.
    EXPECT_EQ(f.rig.Test(), TestResult::PortFailed);
    f.port.plugIn();
    f.port.outputQueue = 0;
    EXPECT_EQ(f.rig.Test(), TestResult::Polling);
    f.advance(250);
    EXPECT_EQ(f.window.frequencies, (std::vector<double>{14.025, 14.025}));
}

TEST(RigPolling, PegasusReadsItsFileOnEveryReceiveTickAndOpensNoPort) {
    RigFixture f("Ten Tec Pegasus");
    const auto folder = f.ts.root / "pegasus";
    std::filesystem::create_directories(folder);
    f.ts.fakes.environment.values["PALMETAR_PEGASUS"] = folder.string();
    writeFileBytes(folder / "PEGASUS.OUT", "14.025\r\nUSB\r\n");
    EXPECT_EQ(f.rig.Test(), TestResult::Polling);
    EXPECT_EQ(f.ts.fakes.serial.linesCreated, 0);
    f.advance(500);
    EXPECT_EQ(f.window.frequencies, std::vector<double>{14.025});
    EXPECT_EQ(f.window.modes, std::vector<std::string>{"PH"});
    writeFileBytes(folder / "PEGASUS.OUT", "7.025\r\nCW\r\n");
    f.advance(500);
    EXPECT_EQ(f.window.frequencies.back(), 7.025);
    EXPECT_EQ(f.window.modes.back(), "CW");
    // Tuning writes PEGASUS.IN with the last decoded mode.
    f.rig.ChangeFrequency(14.025);
    f.advance(300);
    EXPECT_EQ(readFileBytes(folder / "PEGASUS.IN"), "14.025\r\nCW\r\n");
    EXPECT_TRUE(f.rig.Polling());
    // The default folder is Pegasus in the home folder.
    f.ts.fakes.environment.values.erase("PALMETAR_PEGASUS");
    f.ts.fakes.environment.values["HOME"] = "/home/op";
    EXPECT_EQ(PegasusFolder(*f.ts), "/home/op/Pegasus");
}

TEST(RigPolling, TicksNeverOverlap) {
    RigFixture f("Kenwood");
    f.answerWith("FA00014025000;MD3;");
    f.rig.Test();
    // A window handler that lets events run (a message box) fires the poll timer inside the
    // tick while another answer has come in.
    int nested = 0;
    f.window.onReading = [&] {
        if (nested++ > 0) return;
        f.port.receive("FA00007025000;MD3;");
        f.rig.Tick();
    };
    f.advance(250);
    EXPECT_EQ(f.port.written, "FA;MD;");
    EXPECT_EQ(f.window.frequencies, std::vector<double>{14.025});
}
