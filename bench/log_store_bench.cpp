// Load and rewrite of an 11,000-contact log.txt, beside the raw cost of reading the same bytes
// and splitting them into lines, and of writing the same bytes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "platform/StdFileSystem.h"
#include "station/LogStore.h"
#include "support/TestSession.h"

namespace {

std::vector<std::string> masterCalls() {
    std::vector<std::string> calls;
    std::ifstream in("/usr/share/hamradio-files/MASTER.SCP");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        calls.push_back(line);
    }
    if (calls.empty()) calls.push_back("K1ABC");
    return calls;
}

struct Fixture {
    TestSession t;
    std::string bytes;
    Fixture() {
        const char* bands[] = {"160", "80", "40", "20", "15", "10", "6"};
        const char* modes[] = {"CW", "PH", "DG"};
        auto calls = masterCalls();
        for (int i = 0; i < station::ContactLog::MaxContacts; ++i) {
            station::ContactRecord r;
            r.Call = calls[static_cast<size_t>(i * 7) % calls.size()];
            r.RstSent = "599";
            r.RstReceived = "599";
            r.County = "Alachua";
            r.QsoDate = "2026/04/25";
            r.QsoTime = "16:05:12";
            r.Mode = modes[i % 3];
            r.Band = bands[i % 7];
            r.Frequency = "14.025";
            bytes += station::ContactLine(r);
        }
        t.writeProgramFile("log.txt", bytes);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_RawReadAndSplitLines(benchmark::State& state) {
    auto& f = fixture();
    platform::StdFileSystem fs;
    for (auto _ : state) {
        auto bytes = fs.readAll(f.t.programPath("log.txt"));
        std::vector<std::string> lines;
        std::string_view rest(*bytes);
        for (size_t p; (p = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(p + 1)) {
            lines.emplace_back(rest.substr(0, p));
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_RawReadAndSplitLines)->Unit(benchmark::kMillisecond);

void BM_LoadLog(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        station::LoadLog(*f.t);
        benchmark::DoNotOptimize(f.t->log.ContactCount());
    }
}
BENCHMARK(BM_LoadLog)->Unit(benchmark::kMillisecond);

// The first load of a run: no records of an earlier load to reuse.
void BM_LoadLogFirst(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.t->log.records() = {};
        f.t->log.spare() = {};
        state.ResumeTiming();
        station::LoadLog(*f.t);
        benchmark::DoNotOptimize(f.t->log.ContactCount());
    }
}
BENCHMARK(BM_LoadLogFirst)->Unit(benchmark::kMillisecond);

void BM_RawWriteSameBytes(benchmark::State& state) {
    auto& f = fixture();
    platform::StdFileSystem fs;
    for (auto _ : state) fs.writeAtomic(f.t.programPath("raw.txt"), f.bytes);
}
BENCHMARK(BM_RawWriteSameBytes)->Unit(benchmark::kMillisecond);

void BM_RewriteLog(benchmark::State& state) {
    auto& f = fixture();
    station::LoadLog(*f.t);
    for (auto _ : state) station::RewriteLog(*f.t);
}
BENCHMARK(BM_RewriteLog)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
