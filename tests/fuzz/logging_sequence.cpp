// A run of operator actions on one log, chosen by the input: log a contact from an entry line
// (Mains), delete one, edit one, reload the log, switch band or mode, start a new log; before
// any step the file system may be told to fail its next appends, rewrites or copies. After
// every step log.txt holds exactly the contacts in memory, and the running score equals a full
// recount of them.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzSession.h"
#include "logging/Mains.h"
#include "logging/Scoring.h"
#include "station/LogStore.h"
#include "station/Profile.h"
#include "station/Tables.h"

using namespace station;

namespace {
const char* const kCalls[] = {"K1ABC", "W4XYZ", "N2AA", "VE3BB", "DL1ZZ", "K1ABC/M", ""};
const char* const kCountries[] = {"FL", "GA", "NY", "ON", "Germany", "Japan", "Xxpa", "fl", ""};
const char* const kCounties[] = {"Alachua", "ALA", "Dade", "DAD", "Leon", "Nowhere", ""};
const char* const kBands[] = {"160", "80", "40", "20", "15", "10", "6"};
const char* const kModes[] = {"CW", "PH", "DG"};

template <size_t N>
std::string pick(FuzzedDataProvider& in, const char* const (&list)[N]) {
    // Mostly a known value (so contacts are stored, duplicated and deleted), sometimes any text.
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) return in.ConsumeRandomLengthString(12);
    return list[in.ConsumeIntegralInRange<size_t>(0, N - 1)];
}

void checkFileEqualsMemory(TestSession& ts, logging::WindowKind kind) {
    const std::string path = ts.programPath("log.txt");
    const std::string bytes = std::filesystem::exists(path) ? ts.readProgramFile("log.txt") : std::string();
    std::vector<ContactRecord> file;
    ParseLog(bytes, file);  // a line the program wrote that it cannot read stops the run
    FUZZ_CHECK(file == ts->log.records());
    logging::ScoreState recount;
    logging::RecountScore(recount, kind, ts->log.records(), ts->counties, ts->prefixes);
    const auto running = logging::ShowScore(ts->contest.score, kind);
    const auto full = logging::ShowScore(recount, kind);
    FUZZ_CHECK(running.PhContacts == full.PhContacts && running.CwContacts == full.CwContacts &&
               running.Multipliers == full.Multipliers && running.Score == full.Score);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TestSession& ts = FuzzSession();
    static const bool tablesLoaded = [&] {
        ts.copyDataFile("county2.txt");
        ts.copyDataFile("arrlpre2.txt");
        ts->profile.HomeState = "FL";
        LoadCountyTable(*ts);
        LoadPrefixTable(*ts);
        return true;
    }();
    (void)tablesLoaded;
    FuzzedDataProvider in(data, size);
    const auto kind = in.ConsumeBool() ? logging::WindowKind::InState : logging::WindowKind::OutOfState;

    // A fresh log and window state for each input.
    std::filesystem::remove(ts.programPath("log.txt"));
    std::filesystem::remove_all(ts->folders.BackupFolder());
    ts->log.records().clear();
    ts->log.LoadedContactCount = 0;
    ts->log.ChangedSinceLoad = false;
    ts->contest = logging::LoggingState{};
    auto& files = ts.fakes.files;
    files.failAppend = files.failWrite = files.failCopy = false;
    ts.fakes.dialogs.messages.clear();
    ts.fakes.dialogs.inputs.clear();
    ts.fakes.dialogs.inputAnswers.clear();
    ts.fakes.exit.codes.clear();
    auto& p = ts->profile;
    p.OutOfState = kind == logging::WindowKind::OutOfState;
    p.CurrentBand = "40";
    p.CurrentMode = "CW";
    p.CurrentCounty = "Alachua";
    p.HomeState = "FL";
    FUZZ_CHECK(logging::RefreshFromLog(*ts, kind, true));

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        const int failures = in.ConsumeIntegralInRange<int>(0, 15);
        files.failAppend = failures == 1;
        files.failWrite = failures == 2;
        files.failCopy = failures == 3;
        const int count = ts->log.ContactCount();
        switch (in.ConsumeIntegralInRange<int>(0, 9)) {
        case 0:
        case 1:
        case 2:
        case 3: {  // Enter on the entry line
            logging::MainsInput input;
            input.fields.Call = pick(in, kCalls);
            input.fields.RstReceived = in.ConsumeBool() ? "599" : "59";
            input.fields.RstSent = "599";
            if (kind == logging::WindowKind::InState) input.fields.Country = pick(in, kCountries);
            input.fields.County = pick(in, kCounties);
            logging::Mains(*ts, kind, input);
            break;
        }
        case 4:  // delete (the window reloads after it)
            station::DeleteQso(*ts, in.ConsumeIntegralInRange<int>(0, count + 1));
            logging::RefreshFromLog(*ts, kind, true);
            break;
        case 5:
            if (count > 0) {  // an edit written back, then reloaded as the window does
                auto& r = ts->log.at(in.ConsumeIntegralInRange<int>(1, count));
                const ContactRecord before = r;
                r.Call = logging::SanitizeField(pick(in, kCalls));
                r.Band = kBands[in.ConsumeIntegralInRange<size_t>(0, std::size(kBands) - 1)];
                r.Mode = kModes[in.ConsumeIntegralInRange<size_t>(0, std::size(kModes) - 1)];
                r.County = logging::SanitizeField(pick(in, kCounties));
                if (!station::RewriteLog(*ts)) r = before;
                logging::RefreshFromLog(*ts, kind, true);
            }
            break;
        case 6:  // reload
            logging::RefreshFromLog(*ts, kind, true);
            break;
        case 7:  // band or mode from the menus: a recount from memory
            p.CurrentBand = kBands[in.ConsumeIntegralInRange<size_t>(0, std::size(kBands) - 1)];
            p.CurrentMode = kModes[in.ConsumeIntegralInRange<size_t>(0, std::size(kModes) - 1)];
            logging::RefreshFromLog(*ts, kind, false);
            break;
        case 8:  // New, confirmed or not
            ts.fakes.dialogs.inputAnswers.push_back(in.ConsumeBool() ? "YES" : "no");
            station::NewLog(*ts);
            logging::RefreshFromLog(*ts, kind, true);
            break;
        case 9:  // the closing backup
            station::BackupLog(*ts);
            break;
        }
        files.failAppend = files.failWrite = files.failCopy = false;
        FUZZ_CHECK(!ts.fakes.exit.ended());  // nothing the program wrote is refused at a reload
        checkFileEqualsMemory(ts, kind);
    }
    return 0;
}
