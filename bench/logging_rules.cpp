// The rule checks that run on every keystroke or contact, on an 11,000-contact log built from
// the calls of MASTER.SCP, each beside a bare scan over the same calls.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "logging/DupeCheck.h"
#include "logging/Scoring.h"
#include "logging/StateTable.h"
#include "station/ContactLog.h"
#include "station/Tables.h"
#include "support/TestSession.h"

namespace {

const char* kMasterScp = "/usr/share/hamradio-files/MASTER.SCP";

std::vector<std::string> Calls(size_t count) {
    std::vector<std::string> all;
    std::ifstream in(kMasterScp);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        all.push_back(line);
    }
    // Spread over the whole file so every first letter is represented.
    std::vector<std::string> out;
    if (all.empty()) return out;
    for (size_t i = 0; i < count; ++i) out.push_back(all[i * all.size() / count]);
    return out;
}

struct Fixture {
    station::ContactLog log;
    station::CountyTable counties;
    station::PrefixTable countries;  // the shipped country table: DX names are checked against it
    std::vector<std::string> calls;
    Fixture() {
        station::ParsePrefixTable(readFileBytes(std::string(PALMETAR_DATA_DIR) + "/arrlpre2.txt"), countries);
        calls = Calls(station::ContactLog::MaxContacts);
        const char* modes[] = {"CW", "PH", "DG"};
        const char* bands[] = {"80", "40", "20", "15"};
        const char* dx[] = {"Germany", "Japan", "England", "Italy", "Not Found"};
        const char* owns[] = {"Lee", "Dade"};
        for (int i = 0; i < 67; ++i) counties.rows.push_back({"County " + std::to_string(i), "C" + std::to_string(i)});
        for (size_t i = 0; i < calls.size(); ++i) {
            station::ContactRecord r;
            r.Call = calls[i];
            r.Mode = modes[i % 3];
            r.Band = bands[i / 3 % 4];
            r.CountySent = owns[i / 12 % 2];
            r.Spc = i % 7 == 0 ? dx[i / 7 % 5] : std::string(logging::StateAbbrev(static_cast<int>(i % 67) + 1));
            if (r.Spc == "FL") r.County = counties.rows[i % 67].Name;
            r.QsoDate = "2026/04/25";
            r.QsoTime = "16:00:00";
            log.records().push_back(std::move(r));
        }
    }
};

const Fixture& Data() {
    static const Fixture f;
    return f;
}

const logging::DupeContext kContext{logging::WindowKind::InState, "40", "CW", "Lee", "FL"};

// The partial list for one keystroke: "K4" + key "Z" typed over a log where few calls match,
// so the whole log is scanned.
void BM_PartialListOneKey(benchmark::State& state) {
    const auto& d = Data();
    for (auto _ : state)
        benchmark::DoNotOptimize(logging::PartialDupCheck(kContext, d.log, "K4Z", 'Q', true, true));
}
BENCHMARK(BM_PartialListOneKey)->Unit(benchmark::kMicrosecond);

void BM_BarePrefixScan(benchmark::State& state) {
    const auto& d = Data();
    const std::string typed = "K4ZQ";
    for (auto _ : state) {
        std::string list;
        for (const auto& call : d.calls)
            if (call.compare(0, typed.size(), typed) == 0) list = call + " " + list;
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_BarePrefixScan)->Unit(benchmark::kMicrosecond);

// The hard check for a call that is not in the log (the whole log is scanned).
void BM_HardDupeCheck(benchmark::State& state) {
    const auto& d = Data();
    const logging::EntryFields entry{"K4ZZZZ", "599", "GA", "", "599"};
    for (auto _ : state) benchmark::DoNotOptimize(logging::DupCheck(kContext, d.log, entry));
}
BENCHMARK(BM_HardDupeCheck)->Unit(benchmark::kMicrosecond);

void BM_BareEqualityScan(benchmark::State& state) {
    const auto& d = Data();
    const std::string call = "K4ZZZZ";
    for (auto _ : state) {
        int found = 0;
        for (const auto& c : d.calls)
            if (c == call) ++found;
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_BareEqualityScan)->Unit(benchmark::kMicrosecond);

void BM_FullRecount(benchmark::State& state) {
    const auto& d = Data();
    for (auto _ : state) {
        logging::ScoreState score;
        logging::RecountScore(score, logging::WindowKind::InState, d.log.records(), d.counties, d.countries);
        benchmark::DoNotOptimize(score.QsoPoints);
    }
}
BENCHMARK(BM_FullRecount)->Unit(benchmark::kMicrosecond);

// The same log with every seventh contact naming one of all the table's countries in turn, so
// each of them is looked up in the country table once per recount.
void BM_FullRecountEveryCountry(benchmark::State& state) {
    const auto& d = Data();
    std::vector<std::string> names;
    for (const auto& row : d.countries.rows)
        if (std::find(names.begin(), names.end(), row.Country) == names.end()) names.push_back(row.Country);
    auto records = d.log.records();
    for (size_t i = 0; i < records.size(); i += 7) records[i].Spc = names[i / 7 % names.size()];
    for (auto _ : state) {
        logging::ScoreState score;
        logging::RecountScore(score, logging::WindowKind::InState, records, d.counties, d.countries);
        benchmark::DoNotOptimize(score.QsoPoints);
    }
}
BENCHMARK(BM_FullRecountEveryCountry)->Unit(benchmark::kMicrosecond);

// One pass over the same records reading the fields a recount reads, with no rules applied.
void BM_BareRecordScan(benchmark::State& state) {
    const auto& d = Data();
    for (auto _ : state) {
        double points = 0;
        size_t spcChars = 0;
        for (const auto& r : d.log.records()) {
            points += r.Mode == "PH" ? 1 : 2;
            spcChars += r.Spc.size() + r.County.size();
        }
        benchmark::DoNotOptimize(points);
        benchmark::DoNotOptimize(spcChars);
    }
}
BENCHMARK(BM_BareRecordScan)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
