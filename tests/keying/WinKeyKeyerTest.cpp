// The WinKey keyer as the program uses it, against a scripted keyer on the fake serial port and
// the fake clock: opening and its results, the settings sent, the send buffer drained one
// character per tick, the wait for room that gives up, WK.txt, and the port exclusion.

#include <gtest/gtest.h>

#include "keying/WinKeyKeyer.h"
#include "keying/WinKeyProtocol.h"
#include "support/FakeDevices.h"
#include "support/TestSession.h"

namespace {

std::string B(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}

// A session whose WinKey keyer is on port 3, with a keyer there that answers the greeting and
// reports the status a test sets whenever text arrives.
struct WinKeyFixture {
    TestSession ts;
    keying::WinKeyKeyer& wk = ts->winKey;
    keying::KeyerState& state = ts->keyers.keyer;
    fakes::FakeSerialDevice& dev = ts.fakes.serial.device(3);
    bool answer = true;
    int statusOnText = -1;     // the status byte's bits reported when text arrives; -1 none
    int statusOnRequest = -1;  // the bits it answers a status request with; -1 no answer
    std::string text;       // text bytes the keyer got
    std::vector<int64_t> textAt;                   // when each arrived (ms)
    std::function<void(size_t count)> onText;      // after each text byte

    WinKeyFixture() {
        wk.settings.WinKeyPort = 3;
        dev.onWrite = [this](const std::string& bytes) {
            if (!answer) return;
            if (bytes.size() >= 3 && bytes.substr(bytes.size() - 3, 2) == B({0, 4}))
                dev.receive(bytes.substr(bytes.size() - 1));
            else if (bytes == B({0, 2}))
                dev.receive(B({23}));
            else if (bytes == B({0x15}) && statusOnRequest >= 0)
                report(statusOnRequest);
            else if (bytes.size() == 1 && static_cast<unsigned char>(bytes[0]) >= 0x20) {
                text += bytes;
                textAt.push_back(ts.fakes.scheduler.now());
                if (statusOnText >= 0) report(statusOnText);
                if (onText) onText(text.size());
            }
        };
    }
    void report(int bits) { dev.receive(std::string(1, static_cast<char>(keying::winkey::StatusByte(bits)))); }
    void open() {
        wk.cmdOpenWinkey_Click();
        ts.fakes.scheduler.advance(1000);
    }
    // What went out after the greeting.
    std::string afterGreeting() const {
        const auto at = dev.written.find(B({0, 2}));
        return at == std::string::npos ? std::string() : dev.written.substr(at + 2);
    }
};

TEST(WinKeyKeyer, OpenGreetsTheKeyerShowsItsVersionAndSendsEverySettingInOrder) {
    WinKeyFixture f;
    f.wk.settings.txtWKWPM = "13";
    f.wk.settings.txtWeight = "45";
    f.wk.settings.txtLeadIn = "2";
    f.wk.settings.txtTail = "7";
    f.wk.settings.txtRatio = "60";
    f.wk.settings.WinKeyPinCfg = 5;
    f.wk.settings.WinKeyMode = 16;
    int focusToDone = 0;
    f.wk.focusDone = [&] { ++focusToDone; };
    f.open();
    EXPECT_EQ(focusToDone, 1);
    EXPECT_EQ(f.state.WinKeyOpen, 23);
    EXPECT_EQ(f.wk.lblOpenStatus, "WK Success!");
    EXPECT_EQ(f.wk.lblVersion, "Version # 23");
    EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
    // speed, weight, lead-in/tail, ratio, pin configuration, mode.
    EXPECT_EQ(f.afterGreeting(), B({0x02, 13, 0x03, 45, 0x04, 2, 7, 0x17, 60, 0x09, 5, 0x0E, 16}));

    // Open again: "WK Already Open", no message, nothing sent, the version and the focus kept.
    const auto before = f.dev.written;
    f.wk.cmdOpenWinkey_Click();
    EXPECT_EQ(f.wk.lblOpenStatus, "WK Already Open");
    EXPECT_EQ(focusToDone, 1);
    EXPECT_EQ(f.dev.written, before);
    EXPECT_EQ(f.state.WinKeyOpen, 23);
    EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());

    // Close says goodbye and shows it.
    f.wk.cmdCloseWinkey_Click();
    EXPECT_EQ(f.dev.written.substr(f.dev.written.size() - 2), B({0, 3}));
    EXPECT_EQ(f.state.WinKeyOpen, 0);
    EXPECT_EQ(f.wk.lblOpenStatus, "Closed");
    EXPECT_EQ(f.wk.lblVersion, "Version #");
}

TEST(WinKeyKeyer, AKeyerThatDoesNotAnswerIsReportedWithItsPort) {
    WinKeyFixture f;
    f.answer = false;
    int focusToDone = 0;
    f.wk.focusDone = [&] { ++focusToDone; };
    f.open();
    EXPECT_EQ(focusToDone, 1);
    EXPECT_EQ(f.state.WinKeyOpen, 0);
    EXPECT_EQ(f.wk.lblOpenStatus, "No Echo Response");
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "Unable to establish connection with Winkey.");
    EXPECT_NE(f.ts.fakes.dialogs.messages[0].prompt.find("WinKey on com port 3.  Please check"), std::string::npos);
    EXPECT_FALSE(f.dev.open);
}

TEST(WinKeyKeyer, TheSendBufferGoesOutOneCharacterPerTickAndCodeZeroIsDropped) {
    WinKeyFixture f;
    f.open();
    f.state.CWBuffer = std::string("TU") + '\0' + "5NN";
    f.wk.WKTransmit(f.state.CWBuffer, nullptr);
    EXPECT_EQ(f.text, "");  // the first on the next turn of the event loop, then one per 10 ms
    f.ts.fakes.scheduler.advance(0);
    EXPECT_EQ(f.text, "T");
    f.ts.fakes.scheduler.advance(10);
    EXPECT_EQ(f.text, "TU");
    f.ts.fakes.scheduler.advance(100);
    EXPECT_EQ(f.text, "TU5NN");
    EXPECT_TRUE(f.state.CWBuffer.empty());
    EXPECT_FALSE(f.wk.draining());
}

TEST(WinKeyKeyer, ANewSendWhileOneRunsStartsNoSecondSender) {
    WinKeyFixture f;
    f.open();
    f.ts->profile.StationCall = "N4XYZ";
    f.state.CWBuffer = "CQ ";
    f.wk.WKTransmit(f.state.CWBuffer, nullptr);
    f.wk.Test();  // the buffer is not empty: appended behind, left to the running sender
    f.wk.WKTransmit(f.state.CWBuffer, nullptr);
    f.ts.fakes.scheduler.advance(1000);
    EXPECT_EQ(f.text, "CQ VVV TEST DE N4XYZ");
}

TEST(WinKeyKeyer, AFullKeyerIsWaitedForAndGivenUpOnAfterTenSeconds) {
    WinKeyFixture f;
    f.open();
    f.statusOnText = keying::winkey::kBusy | keying::winkey::kXoff;  // full after the first character
    f.state.CWBuffer = "ABC";
    f.wk.WKTransmit(f.state.CWBuffer, nullptr);
    f.ts.fakes.scheduler.advance(9990);
    EXPECT_EQ(f.text, "A");
    EXPECT_TRUE(f.wk.draining());
    EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
    // Room again: the wait ends at the keyer's report.
    f.dev.receive(std::string(1, static_cast<char>(keying::winkey::StatusByte(keying::winkey::kBusy))));
    f.ts.fakes.scheduler.advance(0);
    EXPECT_EQ(f.text, "AB");
    // Full again and never empties: given up on, the rest dropped, the keyer cleared, and said.
    f.ts.fakes.scheduler.advance(keying::WinKeyKeyer::kStatusWaitMs + 20);
    EXPECT_EQ(f.text, "AB");
    EXPECT_FALSE(f.wk.draining());
    EXPECT_TRUE(f.state.CWBuffer.empty());
    EXPECT_EQ(f.dev.written.back(), 0x0A);
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt, keying::WinKeyKeyer::kGaveUpText);
}

// The keyer's last report said full, and its report of room since may have been lost: the
// drain asks for the status as its wait starts and goes on at the answer, instead of waiting
// out the 10 seconds and dropping the message.
TEST(WinKeyKeyer, AKeyerLastReportedFullIsAskedForItsStatus) {
    WinKeyFixture f;
    f.open();
    f.report(keying::winkey::kBusy | keying::winkey::kXoff);
    f.statusOnRequest = keying::winkey::kBusy;
    f.state.CWBuffer = "AB";
    f.wk.WKTransmit(f.state.CWBuffer, nullptr);
    f.ts.fakes.scheduler.advance(100);
    EXPECT_EQ(f.text, "AB");
    EXPECT_FALSE(f.wk.draining());
}

TEST(WinKeyKeyer, StopClearsTheKeyerAndDropsWhatWasNotHandedOver) {
    WinKeyFixture f;
    f.open();
    f.statusOnText = keying::winkey::kBusy | keying::winkey::kXoff;  // full after the first character
    f.state.CWBuffer = "CQ CQ";
    f.wk.WKTransmit(f.state.CWBuffer, nullptr);
    f.ts.fakes.scheduler.advance(20);
    ASSERT_EQ(f.text, "C");
    f.dev.written.clear();
    f.wk.cmdStop_Click();
    EXPECT_TRUE(f.state.CWBuffer.empty());
    EXPECT_EQ(f.dev.written, B({0x0A}));
    // Room again: nothing more goes out.
    f.statusOnText = -1;
    f.report(keying::winkey::kBusy);
    f.ts.fakes.scheduler.advance(1000);
    EXPECT_EQ(f.text, "C");
}

TEST(WinKeyKeyer, SendingOnAClosedLinkOpensItFirstOrDropsTheText) {
    {
        WinKeyFixture f;
        f.state.CWBuffer = "QRZ";
        f.wk.WKTransmit(f.state.CWBuffer, nullptr);
        f.ts.fakes.scheduler.advance(1000);
        EXPECT_EQ(f.state.WinKeyOpen, 23);
        EXPECT_EQ(f.text, "QRZ");
    }
    {
        WinKeyFixture f;
        f.answer = false;
        f.state.CWBuffer = "QRZ";
        f.wk.WKTransmit(f.state.CWBuffer, nullptr);
        f.ts.fakes.scheduler.advance(3000);
        EXPECT_TRUE(f.state.CWBuffer.empty());
        EXPECT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    }
}

// Open pressed while no send waits for the keyer, with text in the send buffer that another
// interface is keying (the CW key line, keyboard CW): the opening's end neither sends that text
// to the keyer nor drops it, whether the keyer answers or not.
TEST(WinKeyKeyer, AnOpenPressLeavesTheSendBufferToTheInterfaceKeyingIt) {
    for (bool answers : {true, false}) {
        SCOPED_TRACE(answers ? "the keyer answers" : "no keyer");
        WinKeyFixture f;
        f.answer = answers;
        f.state.CWBuffer = "CQ TEST";
        f.open();
        EXPECT_EQ(f.state.WinKeyOpen, answers ? 23 : 0);
        EXPECT_EQ(f.state.CWBuffer, "CQ TEST");
        EXPECT_EQ(f.text, "");
        EXPECT_FALSE(f.wk.draining());
    }
}

TEST(WinKeyKeyer, UnloadOrTheEndOfTheRunUnderAWaitClosesTheLinkAndStopsTheSender) {
    for (bool endRun : {false, true}) {
        WinKeyFixture f;
        f.open();
        f.statusOnText = keying::winkey::kBusy | keying::winkey::kXoff;
        f.state.CWBuffer = "ABC";
        f.wk.WKTransmit(f.state.CWBuffer, nullptr);
        f.ts.fakes.scheduler.advance(20);
        if (endRun) f.ts->keyers.EndRun();
        else f.wk.Unload();
        EXPECT_EQ(f.state.WinKeyOpen, 0) << endRun;
        EXPECT_FALSE(f.dev.open) << endRun;
        // At the end of the run the keyer's buffer is cleared before host close: the keyer
        // would otherwise go on sending on its own.
        EXPECT_EQ(f.dev.written.substr(f.dev.written.size() - 2), B({0, 3})) << endRun;
        if (endRun) {
            EXPECT_EQ(f.dev.written.substr(f.dev.written.size() - 3, 1), B({0x0A}));
        }
        f.ts.fakes.scheduler.advance(20000);
        EXPECT_EQ(f.text, "A");
        EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
    }
}

// The keyer's adapter is pulled while a message waits for room: the sender stops, the rest of
// the message is dropped (it would hold up every later one), the window says so, and Open (or
// the next message) opens the keyer again once it is back. Pulled during the greeting, the
// opening fails with the reason.
TEST(WinKeyKeyer, APulledAdapterEndsTheLinkAndOpenOpensItAgainWhenBack) {
    WinKeyFixture f;
    f.open();
    f.statusOnText = keying::winkey::kBusy | keying::winkey::kXoff;
    f.state.CWBuffer = "CQ TEST";
    struct Ends : keying::HandOverListener {
        int ends = 0;
        void handedOver() override { ++ends; }
    } sender;
    f.wk.WKTransmit(f.state.CWBuffer, &sender);
    f.ts.fakes.scheduler.advance(10);
    ASSERT_TRUE(f.wk.draining());
    int changes = 0;
    f.wk.changed = [&] { ++changes; };

    f.dev.unplug("/dev/ttyUSB2: Input/output error");
    EXPECT_EQ(f.ts.fakes.serial.deliver(), 1);
    f.ts.fakes.scheduler.advance(0);  // the drain's next step drops what is left
    EXPECT_EQ(f.state.WinKeyOpen, 0);
    EXPECT_EQ(f.wk.lblOpenStatus, keying::WinKeyKeyer::kPortLostText);
    EXPECT_EQ(f.wk.lblVersion, "Version #");
    EXPECT_GE(changes, 1);
    EXPECT_FALSE(f.wk.draining());
    EXPECT_TRUE(f.state.CWBuffer.empty());
    EXPECT_EQ(sender.ends, 1);  // whoever handed the text over hears that it has ended
    EXPECT_EQ(f.ts.fakes.dialogs.beeps, 1);
    EXPECT_EQ(f.ts.fakes.scheduler.activeTimers(), 0);
    f.ts.fakes.scheduler.advance(20000);
    EXPECT_EQ(f.text, "C");
    EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());

    f.dev.plugIn();
    f.statusOnText = -1;
    f.state.CWBuffer = "TU";
    f.wk.WKTransmit(f.state.CWBuffer, nullptr);
    f.ts.fakes.scheduler.advance(1000);
    EXPECT_EQ(f.state.WinKeyOpen, 23);
    EXPECT_EQ(f.text, "CTU");

    // Pulled while the keyer is being greeted.
    f.wk.cmdCloseWinkey_Click();
    f.answer = false;
    f.wk.cmdOpenWinkey_Click();
    f.dev.unplug("/dev/ttyUSB2: Input/output error");
    EXPECT_EQ(f.ts.fakes.serial.deliver(), 1);
    EXPECT_EQ(f.wk.lblOpenStatus, "Com Open Failed");
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_NE(f.ts.fakes.dialogs.messages[0].prompt.find("/dev/ttyUSB2: Input/output error"), std::string::npos)
        << f.ts.fakes.dialogs.messages[0].prompt;
}

// The type-to-send box: letters become capitals, and every key above 13 (the blank included)
// is queued for the keyer as well as shown; Backspace, Tab and Enter act on the box only.
TEST(WinKeyKeyer, TheTypeToSendBoxQueuesWhatIsTypedInCapitals) {
    WinKeyFixture f;
    f.open();
    struct Case {
        int typed, shown;
        const char* keyed;
    };
    for (const Case& c : {Case{'a', 'A', "A"}, Case{'z', 'Z', "Z"}, Case{'Q', 'Q', "Q"}, Case{'{', '{', "{"},
                          Case{'`', '`', "`"}, Case{' ', ' ', " "}, Case{'/', '/', "/"}, Case{13, 13, ""},
                          Case{9, 9, ""}, Case{8, 8, ""}}) {
        const size_t before = f.text.size();
        EXPECT_EQ(f.wk.TypeToSend(c.typed), c.shown) << c.typed;
        f.ts.fakes.scheduler.advance(20);
        EXPECT_EQ(f.text.substr(before), c.keyed) << c.typed;
    }
}

TEST(WinKeyKeyer, LoadReadsWkTxtOfTheUserFolderAndTakesTheCwSpeed) {
    WinKeyFixture f;
    f.ts->keyers.cw.settings().speed = "13";
    // Written by hand in another letter case: still found.
    writeFileBytes(std::filesystem::path(f.ts->folders.UserFolder) / "wk.TXT",
                   "3\r\n\"25\"\r\n\"45\"\r\n\"1\"\r\n\"2\"\r\n\"55\"\r\n");
    f.wk.settings.WinKeyPinCfg = 8;
    f.wk.Load();
    EXPECT_EQ(f.wk.settings.WinKeyPort, 3);
    EXPECT_EQ(f.wk.settings.txtWKComPort, "3");
    EXPECT_EQ(f.wk.settings.txtWKWPM, "13");  // the stored 25 never takes effect
    EXPECT_EQ(f.wk.settings.txtWeight, "45");
    EXPECT_EQ(f.wk.settings.WinKeyPinCfg, 6);
    EXPECT_EQ(f.wk.settings.WinKeyMode, 0);

    // Done writes the same file back whole.
    f.wk.settings.txtRatio = "60";
    ASSERT_TRUE(f.wk.WriteSettings());
    EXPECT_EQ(readFileBytes(std::filesystem::path(f.ts->folders.UserFolder) / "wk.TXT"),
              "3\r\n\"13\"\r\n\"45\"\r\n\"1\"\r\n\"2\"\r\n\"60\"\r\n6\r\n0\r\n");
}

TEST(WinKeyKeyer, AWkTxtThatCannotBeWrittenIsReported) {
    WinKeyFixture f;
    f.ts.fakes.files.failWrite = true;
    EXPECT_FALSE(f.wk.WriteSettings());
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_NE(f.ts.fakes.dialogs.messages[0].prompt.find("WK.txt"), std::string::npos);
}

TEST(WinKeyKeyer, OpeningClosesTheOtherPortsAndTheVoicePortClosesTheLink) {
    WinKeyFixture f;
    int cwClosed = 0, voiceClosed = 0;
    f.ts->keyers.ports.setCloser(keying::TransmitPort::CwKeyLine, [&] { ++cwClosed; });
    f.ts->keyers.ports.setCloser(keying::TransmitPort::VoicePtt, [&] { ++voiceClosed; });
    f.open();
    EXPECT_EQ(cwClosed, 1);
    EXPECT_EQ(voiceClosed, 1);
    f.ts->keyers.ports.opening(keying::TransmitPort::VoicePtt);
    EXPECT_EQ(f.state.WinKeyOpen, 0);
    EXPECT_FALSE(f.dev.open);
}

TEST(WinKeyKeyer, TheKeyHandlersCallsReachTheKeyer) {
    WinKeyFixture f;
    f.open();
    f.dev.written.clear();
    f.ts->keyers.wk_clearbuf();
    f.ts->keyers.wk_backspace();
    f.wk.wk_wpm(30);
    EXPECT_EQ(f.dev.written, B({0x0A, 0x08, 0x02, 30}));
    f.dev.receive(std::string(1, static_cast<char>(keying::winkey::StatusByte(keying::winkey::kBusy))));
    EXPECT_EQ(f.ts->keyers.wk_getstatus(), keying::winkey::kBusy);
}

}  // namespace

namespace {

using keying::winkey::kBusy;
using keying::winkey::kXoff;

// With WinKey as the CW interface: the pump tells its observers of each character handed to the
// keyer and of the end of the hand-over, so a feeder that hands over one character at a time
// (code practice) sends its whole text.
TEST(WinKeyKeyer, ThePumpReportsEachCharacterHandedOverAndTheEnd) {
    WinKeyFixture f;
    f.open();
    auto& keyers = f.ts->keyers;
    keyers.SetCWInterface(5);
    struct Feeder : keying::CwKeyerObserver {
        keying::Keyers& keyers;
        std::string rest;
        int taken = 0, ends = 0;
        explicit Feeder(keying::Keyers& k) : keyers(k) {}
        void feed() {
            if (rest.empty() || !keyers.keyer.CWBuffer.empty()) return;
            keyers.keyer.CWBuffer.push_back(rest[0]);
            rest.erase(0, 1);
            keyers.LoopThroughCWBuffer();
        }
        void cwCharacterStarted() override {
            ++taken;
            feed();
        }
        void cwPumpIdle() override {
            ++ends;
            feed();
        }
    } feeder(keyers);
    keyers.cw.addObserver(&feeder);
    feeder.rest = "PARIS ";
    feeder.feed();
    EXPECT_EQ(feeder.taken, 0);  // never from inside the call that hands over
    f.ts.fakes.scheduler.advance(1000);
    EXPECT_EQ(f.text, "PARIS ");
    EXPECT_EQ(feeder.taken, 6);
    EXPECT_EQ(feeder.ends, 1);
    keyers.cw.removeObserver(&feeder);
}

// The link closing under a hand-over (Close, the voice keyer taking its port) drops the rest:
// the pump ends instead of waiting for ever, and F1 does not repeat into a closed link.
TEST(WinKeyKeyer, ClosingTheLinkEndsTheHandOverAndDropsTheRest) {
    WinKeyFixture f;
    f.open();
    auto& keyers = f.ts->keyers;
    keyers.SetCWInterface(5);
    struct Watcher : keying::CwKeyerObserver {
        int ends = 0;
        void cwPumpIdle() override { ++ends; }
    } watcher;
    keyers.cw.addObserver(&watcher);
    keyers.cw.settings().messages[1] = "CQ CQ CQ";
    keyers.FKeyCW(113);
    f.ts.fakes.scheduler.advance(10);
    f.wk.cmdCloseWinkey_Click();
    EXPECT_EQ(watcher.ends, 0);
    f.ts.fakes.scheduler.advance(1000);
    EXPECT_EQ(f.text, "CQ");
    EXPECT_EQ(watcher.ends, 1);
    EXPECT_TRUE(f.state.CWBuffer.empty());
    EXPECT_FALSE(f.wk.draining());
    keyers.cw.removeObserver(&watcher);
}

// The repeat interval runs from the end of the hand-over, however long the keyer takes to accept
// the message: a long F1 reaches the keyer whole, every time.
TEST(WinKeyKeyer, AnF1RepeatWaitsItsIntervalFromTheEndOfTheHandOver) {
    WinKeyFixture f;
    f.open();
    auto& keyers = f.ts->keyers;
    keyers.SetCWInterface(5);
    std::string message;
    while (message.size() < 132) message += "CQ FL W4XYZ ";
    keyers.cw.settings().messages[0] = message;
    keyers.cw.SetRepeatSeconds("1");
    // A keyer that takes the text slowly: after 40 characters it is full for two seconds.
    f.onText = [&](size_t count) {
        if (count == 40) f.report(kBusy | kXoff);
    };
    keyers.FKeyCW(112);
    f.ts.fakes.scheduler.advance(2000);
    f.report(kBusy);
    f.ts.fakes.scheduler.advance(1000);
    EXPECT_EQ(f.text, message);
    f.ts.fakes.scheduler.advance(3000);
    ASSERT_GE(f.text.size(), 2 * message.size());
    EXPECT_EQ(f.text.substr(0, 2 * message.size()), message + message);
    const int64_t pause = f.textAt[message.size()] - f.textAt[message.size() - 1];
    EXPECT_GE(pause, 1000);
    EXPECT_LE(pause, 1000 + 2 * keying::WinKeyKeyer::kCharacterGapMs);
}

// A keyer that takes no more text (it lost power behind a USB adapter still connected) is a
// failure, not the end of a message: the F1 repeat ends with the one message, instead of
// starting behind it and adding another message every ten seconds.
TEST(WinKeyKeyer, GivingUpOnAKeyerThatTakesNoMoreTextEndsTheF1Repeat) {
    WinKeyFixture f;
    f.open();
    auto& keyers = f.ts->keyers;
    keyers.SetCWInterface(5);
    keyers.cw.settings().messages[0] = "CQ FL";
    keyers.cw.SetRepeatSeconds("1");
    f.statusOnText = kBusy | kXoff;  // full after the first character, for good
    // The box runs the event loop while it is shown: nothing may be left to repeat behind it.
    bool repeatArmedBehindTheBox = true;
    f.ts.fakes.dialogs.onMessage = [&](const auto&) {
        repeatArmedBehindTheBox = f.state.CWRepeat != 0 || keyers.cw.repeatTimerActive();
    };
    keyers.FKeyCW(112);
    f.ts.fakes.scheduler.advance(keying::WinKeyKeyer::kStatusWaitMs + 20);
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_FALSE(repeatArmedBehindTheBox);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].prompt, keying::WinKeyKeyer::kGaveUpText);
    EXPECT_EQ(f.state.CWRepeat, 0);
    EXPECT_FALSE(keyers.cw.repeatTimerActive());
    EXPECT_FALSE(f.wk.draining());
    f.ts.fakes.scheduler.advance(4 * keying::WinKeyKeyer::kStatusWaitMs);
    EXPECT_EQ(f.text, "C");
    EXPECT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
}

// Open was pressed a moment before F1, and the keyer has not answered yet (the greeting runs
// on timers). F1 waits for that opening instead of taking it for a failed one: the message goes
// out and the repeat runs once the keyer answers. Only an opening that fails, with Open's
// message, fails the hand-over and ends the repeat. Open pressed again meanwhile is still
// "WK Already Open" and sends nothing.
TEST(WinKeyKeyer, F1DuringAnOpeningUnderWayWaitsForIt) {
    for (bool answers : {true, false}) {
        SCOPED_TRACE(answers ? "the keyer answers" : "no keyer");
        WinKeyFixture f;
        auto& keyers = f.ts->keyers;
        keyers.SetCWInterface(5);
        keyers.cw.settings().messages[0] = "CQ";
        keyers.cw.SetRepeatSeconds("1");
        struct Watcher : keying::CwKeyerObserver {
            int failed = 0, ends = 0;
            void cwPumpFailed() override { ++failed; }
            void cwPumpIdle() override { ++ends; }
        } watcher;
        keyers.cw.addObserver(&watcher);
        f.answer = false;  // not yet
        f.wk.cmdOpenWinkey_Click();
        ASSERT_TRUE(f.wk.link().opening());
        keyers.FKeyCW(112);
        f.ts.fakes.scheduler.advance(100);
        EXPECT_EQ(f.wk.lblOpenStatus, "Closed");  // F1 did not try to open it a second time
        const auto written = f.dev.written;
        f.wk.cmdOpenWinkey_Click();
        EXPECT_EQ(f.wk.lblOpenStatus, "WK Already Open");
        EXPECT_EQ(f.dev.written, written);
        f.ts.fakes.scheduler.advance(100);
        EXPECT_EQ(watcher.ends, 0);  // still waiting
        EXPECT_EQ(f.state.CWRepeat, 1);
        EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
        if (answers) {
            f.answer = true;
            f.dev.receive(B({0x55}));  // the echo; host open is answered at once
        }
        f.ts.fakes.scheduler.advance(5000);
        if (answers) {
            EXPECT_EQ(f.state.WinKeyOpen, 23);
            EXPECT_EQ(f.wk.lblOpenStatus, "WK Success!");
            EXPECT_EQ(f.text.substr(0, 8), "CQCQCQCQ");
            EXPECT_EQ(f.state.CWRepeat, 1);
            EXPECT_EQ(watcher.failed, 0);
            EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
        } else {
            EXPECT_EQ(f.text, "");
            EXPECT_TRUE(f.state.CWBuffer.empty());
            EXPECT_EQ(f.state.CWRepeat, 0);
            EXPECT_FALSE(keyers.cw.repeatTimerActive());
            EXPECT_EQ(watcher.failed, 1);
            EXPECT_EQ(watcher.ends, 1);
            ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
            EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "Unable to establish connection with Winkey.");
        }
        keyers.cw.removeObserver(&watcher);
    }
}

// The link is closed while a send waits for its opening (Close, or the voice keyer taking its
// port), whether the send or the Open button started that opening: the send ends at once, its
// text dropped and nothing failed, and nothing of it is left to run at a later opening's end.
// The next send opens the keyer again and goes out.
TEST(WinKeyKeyer, ClosingTheLinkWhileASendWaitsForItsOpeningEndsTheSend) {
    for (bool openPressed : {true, false}) {
        for (bool voicePort : {false, true}) {
            SCOPED_TRACE(std::string(openPressed ? "Open pressed" : "the send opens") +
                         (voicePort ? ", the voice port taken" : ", Close"));
            WinKeyFixture f;
            struct Sender : keying::HandOverListener {
                int ends = 0, failed = 0;
                void handedOver() override { ++ends; }
                void handOverFailed() override { ++failed; }
            } sender;
            f.answer = false;
            if (openPressed) f.wk.cmdOpenWinkey_Click();
            f.state.CWBuffer = "QRZ";
            f.wk.WKTransmit(f.state.CWBuffer, &sender);
            f.ts.fakes.scheduler.advance(100);
            ASSERT_TRUE(f.wk.link().opening());
            if (voicePort) f.ts->keyers.ports.opening(keying::TransmitPort::VoicePtt);
            else f.wk.cmdCloseWinkey_Click();
            EXPECT_FALSE(f.wk.link().opening());
            EXPECT_FALSE(f.dev.open);
            f.ts.fakes.scheduler.advance(0);
            EXPECT_EQ(sender.ends, 1);
            EXPECT_EQ(sender.failed, 0);
            EXPECT_TRUE(f.state.CWBuffer.empty());
            EXPECT_FALSE(f.wk.draining());

            f.answer = true;
            f.state.CWBuffer = "TU";
            f.wk.WKTransmit(f.state.CWBuffer, nullptr);
            f.ts.fakes.scheduler.advance(1000);
            EXPECT_EQ(f.state.WinKeyOpen, 23);
            EXPECT_EQ(f.text, "TU");
            EXPECT_EQ(sender.ends, 1);
            EXPECT_TRUE(f.ts.fakes.dialogs.messages.empty());
        }
    }
}

}  // namespace
