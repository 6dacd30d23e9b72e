#pragma once
// A session whose CW keyer keys RTS of COM1 at 13 WPM, with a live window that records what the
// keyer asks of it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keying/CwElements.h"
#include "support/TestSession.h"
#include "window/LiveWindowFacade.h"

// The live logging window as the keyer reaches it through Form1. Mains logs the call like the
// window does: the entry line is cleared.
struct LiveWindowRecorder : window::LiveWindowApi {
    std::string call;
    std::vector<std::string> captions;
    int mains = 0;
    std::function<void()> onMains;
    void BandFreqConversion(double) override {}
    void ModeSelection(const std::string&) override {}
    void PacketResize(const std::string&, bool) override {}
    void DisplayBandMapLabels() override {}
    void BandMapSpots(const std::string&, const std::string&, const std::string&) override {}
    void Mains() override {
        ++mains;
        if (onMains) onMains();
        call.clear();
    }
    std::string CallText() const override { return call; }
    void SetCallText(const std::string& c) override { call = c; }
    void SetDialogCaption(const std::string& c) override { captions.push_back(c); }
    void SetDupeCaption(const std::string&) override {}
    void SpotCallToCallField(const std::string&) override {}
    void FocusCallField() override {}
};

// A test that holds the keying clock lets it go within a few calls; a worker asleep for this long
// on a held clock was left asleep (a stop that never woke it), and the clock lets it go.
inline constexpr int kLeftAsleepMs = 5000;

struct KeyerFixture {
    LiveWindowRecorder live;
    TestSession ts;
    keying::Keyers& keyers = ts->keyers;
    keying::CwKeyer& cw = ts->keyers.cw;
    keying::KeyerState& state = ts->keyers.keyer;

    explicit KeyerFixture(int interface = 1) {
        ts.fakes.keyingClock.releaseSleepsAfter(kLeftAsleepMs);
        ts->Form1.attach(window::WindowKind::InState, &live);
        cw.settings().comPort = "1";
        keyers.SetCWInterface(interface);
    }
    // Every test ends with the worker awake: one still asleep, or one the clock had to let go,
    // fails the test here instead of hanging it. The clock is let go so the session can end.
    ~KeyerFixture() {
        auto& clock = ts.fakes.keyingClock;
        EXPECT_FALSE(clock.asleep()) << "the keyer is left asleep at the end of the test";
        EXPECT_EQ(clock.sleepsReleased(), 0) << "the keyer was left asleep for " << kLeftAsleepMs << " ms";
        clock.setManual(false);
        ts->Form1.detach(&live);
    }

    // Lets the worker finish and runs its reports until the pump has ended.
    bool drain() { return ts.fakes.scheduler.runPostedUntil([&] { return state.CWSending == 0; }); }
    fakes::FakeKeyDevice device(const std::string& name = "COM1") { return ts.fakes.keyLines.snapshot(name); }
    // Sends a message on F2 and waits for the end.
    bool send(const std::string& message) {
        cw.settings().messages[1] = message;
        cw.FKeyCW(113);
        return drain();
    }
};

// The edges `text` gives on one pin from `startNs` at `wpm`.
inline std::vector<fakes::KeyEdge> Expected(const std::string& text, double wpm = 13, char pin = 'R',
                                            int64_t startNs = 0, int wordSpace = 0) {
    std::vector<fakes::KeyEdge> edges;
    for (const auto& e : keying::ScheduleText(text, 1200.0 / wpm, wordSpace).edges)
        edges.push_back({startNs + e.atNs, pin, e.down});
    return edges;
}

namespace fakes {
inline void PrintTo(const KeyEdge& e, std::ostream* out) { *out << e.pin << (e.down ? " down@" : " up@") << e.atNs; }
}  // namespace fakes
