// CW keying timing on the real keying worker: the real monotonic clock and its deadline sleeps,
// a fake key line that records each edge with the monotonic time it was set, and the program's
// thread kept busy (sorting strings in 40 ms slices, running the worker's reports between them,
// as a window busy with its own work would). Each edge's error is its time less its ideal time
// (the first edge plus the schedule of the message); reported as p50 / p99 / max in
// microseconds. With the "loaded" variants three more threads spin on other cores as well (on
// top of whatever else the machine runs; three, so a shared build machine keeps its other cores).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>

#include "keying/CwElements.h"
#include "keying/Keyers.h"
#include "platform/SteadyKeyingClock.h"
#include "session/Session.h"
#include "support/TestSession.h"

namespace {

unsigned loadThreads() { return std::min(3u, std::max(1u, std::thread::hardware_concurrency()) - 1); }

constexpr const char* kMessage = "CQ FL DE W4XYZ W4XYZ TEST 5NN ALA TU 73";

// Half a second of CPU work in 40 ms slices; between slices the window's events run.
void busyWindow(fakes::FakeScheduler& scheduler, const std::function<bool()>& done) {
    std::mt19937 rng(17);
    std::vector<std::string> words(20000);
    while (!done()) {
        const auto sliceEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(40);
        while (std::chrono::steady_clock::now() < sliceEnd) {
            for (auto& w : words) w = std::to_string(rng());
            std::sort(words.begin(), words.end());
            benchmark::DoNotOptimize(words.data());
        }
        scheduler.runPosted();
    }
}

void BM_KeyingEdgeError(benchmark::State& state) {
    const double wpm = static_cast<double>(state.range(0));
    const bool loaded = state.range(1) != 0;
    std::vector<double> errorsUs;
    for (auto _ : state) {
        TestSession ts;
        platform::SteadyKeyingClock clock;
        fakes::FakeKeyLines lines([&clock] { return clock.nowNs(); });
        auto& f = ts.fakes;
        platform::Services services{f.dialogs, f.clock,  f.environment, f.files,     f.screen, f.clipboard, f.settings,
                                    f.random,  f.exit,   f.wave,        f.scheduler, f.serial, lines,       clock,
                                    f.phoneWave, f.tcp};
        Session session(services, ts->folders.ProgramFolder);
        auto& cw = session.keyers.cw;
        cw.settings().comPort = "1";
        cw.settings().speed = std::to_string(static_cast<int>(wpm));
        cw.settings().messages[0] = kMessage;
        session.keyers.SetCWInterface(1);

        std::atomic<bool> stop{false};
        std::vector<std::thread> load;
        if (loaded) {
            const unsigned others = loadThreads();
            for (unsigned i = 0; i < others; ++i)
                load.emplace_back([&stop] {
                    volatile uint64_t x = 0;
                    while (!stop) x = x + 1;
                });
        }
        cw.FKeyCW(112);
        busyWindow(f.scheduler, [&] { return session.keyers.keyer.CWSending == 0; });
        stop = true;
        for (auto& t : load) t.join();

        const auto edges = lines.snapshot("COM1").edges;
        const auto ideal = keying::ScheduleText(kMessage, 1200.0 / wpm, 0).edges;
        if (edges.size() != ideal.size()) {
            state.SkipWithError("the line did not get the message's edges");
            return;
        }
        const int64_t t0 = edges[0].atNs;
        for (size_t i = 0; i < ideal.size(); ++i)
            errorsUs.push_back(std::abs(static_cast<double>(edges[i].atNs - t0 - ideal[i].atNs)) / 1000.0);
    }
    std::sort(errorsUs.begin(), errorsUs.end());
    auto pct = [&](double p) { return errorsUs[static_cast<size_t>(p * static_cast<double>(errorsUs.size() - 1))]; };
    state.counters["edges"] = static_cast<double>(errorsUs.size());
    state.counters["p50_us"] = pct(0.50);
    state.counters["p99_us"] = pct(0.99);
    state.counters["max_us"] = errorsUs.back();
}

// The machine's own floor: a thread doing nothing but sleeping to 10 ms deadlines on the same
// keying clock (same slack and priority), measured the same way, with the same load.
void BM_WakeLatencyFloor(benchmark::State& state) {
    const bool loaded = state.range(0) != 0;
    std::vector<double> lateUs;
    for (auto _ : state) {
        std::atomic<bool> stop{false};
        std::vector<std::thread> load;
        if (loaded) {
            const unsigned others = loadThreads();
            for (unsigned i = 0; i < others; ++i)
                load.emplace_back([&stop] {
                    volatile uint64_t x = 0;
                    while (!stop) x = x + 1;
                });
        }
        std::thread sleeper([&] {
            platform::SteadyKeyingClock clock;
            std::atomic<bool> never{false};
            int64_t deadline = clock.nowNs();
            for (int i = 0; i < 400; ++i) {
                deadline += 10'000'000;
                clock.sleepUntil(deadline, never);
                lateUs.push_back(static_cast<double>(clock.nowNs() - deadline) / 1000.0);
            }
        });
        sleeper.join();
        stop = true;
        for (auto& t : load) t.join();
    }
    std::sort(lateUs.begin(), lateUs.end());
    auto pct = [&](double p) { return lateUs[static_cast<size_t>(p * static_cast<double>(lateUs.size() - 1))]; };
    state.counters["p50_us"] = pct(0.50);
    state.counters["p99_us"] = pct(0.99);
    state.counters["max_us"] = lateUs.back();
}

}  // namespace

BENCHMARK(BM_WakeLatencyFloor)->Arg(0)->Arg(1)->ArgNames({"loaded"})->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

BENCHMARK(BM_KeyingEdgeError)
    ->ArgsProduct({{20, 40}, {0, 1}})
    ->ArgNames({"wpm", "loaded"})
    ->Iterations(2)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

BENCHMARK_MAIN();
