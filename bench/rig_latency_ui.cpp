// From a frequency change on the emulated radio to the new band shown in the logging window,
// over a real pseudo-terminal (socat), the real QSerialPort and Qt timers, at each poll rate.
// Each iteration tunes the emulator to the other band at a random moment of the poll cycle and
// runs the event loop until the band label changes. Reported per rate: the median, 90th
// percentile and largest latency, next to the cycle of that rate (two timer ticks).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtSerialLine.h"
#include "platform/qt/Text.h"
#include "rig/RigSettings.h"
#include "rig/ui/RigWindows.h"
#include "support/EmulatorProcess.h"
#include "support/PtyPair.h"
#include "support/TestSession.h"
#include "window/ui/Outfrm.h"
#include "window/ui/ToolWindows.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

class HybridClock : public platform::Clock {
public:
    explicit HybridClock(const fakes::FakeClock& dates) : dates_(dates) {}
    platform::DateTime localNow() const override { return dates_.localNow(); }
    platform::DateTime utcNow() const override { return dates_.utcNow(); }
    int64_t monotonicMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now().time_since_epoch()).count();
    }

private:
    const fakes::FakeClock& dates_;
};

struct Setup {
    fakes::PtyPair pty;
    fakes::FakeEnvironment portNames;
    fakes::FakeClock dates;
    HybridClock clock{dates};
    platform::qt::QtScheduler scheduler;
    platform::qt::QtSerialPorts serial{portNames};
    TestSession ts{TestSession::Devices{scheduler, serial, clock}};
    std::unique_ptr<fakes::EmulatorProcess> emulator;
    std::unique_ptr<window::ui::LoggingWindow> window;

    explicit Setup(const char* pollRate) {
        portNames.values["PALMETAR_COM1"] = pty.b;
        auto& p = ts->profile;
        p.StationCall = "K1ABC";
        p.StationState = "MA";
        p.StationCountry = "USA";
        p.CurrentMode = "CW";
        p.CurrentBand = "40";
        p.HomeState = "FL";
        p.OutOfState = 1;
        p.FormSizePercent = 100;
        p.RigType = "Kenwood";
        ts.copyDataFile("county2.txt");
        rig::RigSettings s = rig::DesignSettings();
        rig::ApplyRigTypeRow(s, *rig::FindRigType("Kenwood"));
        s.PollRate = pollRate;
        s.CommSettings = rig::CommSettingsText(s);
        ts.writeProgramFile("RigCntrl.txt", rig::WriteRigCntrl(s, "Kenwood"));
        emulator = std::make_unique<fakes::EmulatorProcess>(
            std::vector<std::string>{"--family", "kenwood", "--device", pty.a, "--freq", "7.025"});
        rig::ui::RegisterRigWindows();  // the load starts polling through the hidden setup dialog
        window = std::make_unique<window::ui::Outfrm>(*ts);
        window->Form_Load();
        window->show();
    }
    ~Setup() {
        if (window) window->Form_Unload();
        window.reset();
        window::ui::ToolWindows::instance().unloadAll();
    }
    std::string band() const { return platform::qt::fromQ(window->Label24->text()); }
    // Runs the event loop until the band label reads `band`; false after `limitMs`.
    bool waitForBand(const std::string& target, int limitMs) {
        const auto end = SteadyClock::now() + std::chrono::milliseconds(limitMs);
        while (band() != target) {
            if (SteadyClock::now() > end) return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        return true;
    }
    void runFor(int ms) {
        const auto end = SteadyClock::now() + std::chrono::milliseconds(ms);
        while (SteadyClock::now() < end) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
};

void RigChangeToBandShown(benchmark::State& state, const char* pollRate, int cycleMs) {
    Setup s(pollRate);
    if (!s.pty.ok() || !s.emulator->ok() || !s.ts->rig.Polling() || !s.waitForBand("40", 4 * cycleMs)) {
        state.SkipWithError("the emulated rig is not polled");
        return;
    }
    std::mt19937 random(15);
    std::uniform_int_distribution<int> phase(0, cycleMs - 1);
    std::vector<double> latencies;
    bool onForty = true;
    for (auto _ : state) {
        s.runFor(phase(random));  // land the change anywhere in the cycle
        const char* target = onForty ? "20" : "40";
        const auto start = SteadyClock::now();
        s.emulator->command(onForty ? "freq 14.025" : "freq 7.025");
        const bool shown = s.waitForBand(target, 4 * cycleMs);
        const double ms = std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
        if (!shown) {
            state.SkipWithError("the band did not follow the radio");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
        latencies.push_back(ms);
        onForty = !onForty;
    }
    std::sort(latencies.begin(), latencies.end());
    auto at = [&](double q) { return latencies[std::min(latencies.size() - 1, static_cast<size_t>(q * latencies.size()))]; };
    state.counters["cycle_ms"] = cycleMs;
    state.counters["min_ms"] = latencies.front();
    state.counters["p50_ms"] = at(0.5);
    state.counters["p90_ms"] = at(0.9);
    state.counters["max_ms"] = latencies.back();
    state.counters["within_cycle_plus_5ms"] =
        static_cast<double>(std::count_if(latencies.begin(), latencies.end(), [&](double v) { return v <= cycleMs + 5; })) /
        static_cast<double>(latencies.size());
}

}  // namespace

BENCHMARK_CAPTURE(RigChangeToBandShown, Fast100ms, "F", 100)->Iterations(60)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RigChangeToBandShown, Medium500ms, "M", 500)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RigChangeToBandShown, Slow2s, "S", 2000)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RigChangeToBandShown, ReallySlow10s, "R", 10000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
