// log.txt on any bytes. The shortcut for lines laid out as the program writes them must read
// exactly what the general reader reads, and refuse the same line; a log that loads is written
// back one record per line, and that file loads as the same records and writes back the same.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "station/LogStore.h"

using namespace station;

namespace {
// The outcome of one parse: the records, or the line refused (-1 for a refusal not by line).
struct Outcome {
    std::vector<ContactRecord> records;
    int refusedLine = 0;
};

template <typename Parse>
Outcome parse(const std::string& bytes, std::vector<ContactRecord>& reused, Parse how) {
    Outcome out;
    try {
        how(bytes, reused);
        out.records = reused;
    } catch (const LogLineError& e) {
        out.refusedLine = e.line;
        FUZZ_CHECK(e.line > 0);
    } catch (const FileError&) {
        out.refusedLine = -1;
    }
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // A reload reuses the strings of the load before it: start from some records.
    static std::vector<ContactRecord> reused;
    const Outcome fast = parse(bytes, reused, [](const std::string& b, auto& r) { ParseLog(b, r); });
    std::vector<ContactRecord> fresh;
    const Outcome general = parse(bytes, fresh, [](const std::string& b, auto& r) { ParseLogGeneral(b, r); });
    FUZZ_CHECK(fast.refusedLine == general.refusedLine);
    FUZZ_CHECK(fast.records == general.records);
    if (fast.refusedLine != 0) return 0;

    std::string written;
    for (const auto& r : fast.records) AppendContactLine(written, r);
    std::vector<ContactRecord> again;
    ParseLog(written, again);  // throws (and the run stops) if a written line is refused
    FUZZ_CHECK(again.size() == fast.records.size());
    for (size_t i = 0; i < again.size(); ++i) {
        ContactRecord expected = fast.records[i];
        expected.SpareNumber = again[i].SpareNumber;  // written in at most 15 digits
        FUZZ_CHECK(again[i] == expected);
    }
    std::string rewritten;
    for (const auto& r : again) AppendContactLine(rewritten, r);
    FUZZ_CHECK(rewritten == written);
    return 0;
}
