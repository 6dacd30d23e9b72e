// A CW message from the settings window expanded with any call, report and county, then keyed:
// the expansion is one pass (a value is never expanded again), no double quote gets through,
// the report turns into 5NN only as "*" says, and the schedule of what is keyed alternates key
// down and key up, in time order, ending key-up, at every speed and word space the boxes allow.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "keying/CwElements.h"
#include "keying/CwMacros.h"
#include "keying/CwSettings.h"
#include "keying/Numbers.h"

namespace {
std::string trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    station::CountyTable counties;
    counties.rows = {{"Alachua", "ALA"}, {"Miami-Dade", "MDAD"}, {"Lee", ""}};
    keying::MacroSources s;
    s.CWCall = in.ConsumeRandomLengthString(16);
    s.CWRstSent = in.ConsumeRandomLengthString(8);
    s.CWCounty = in.ConsumeRandomLengthString(16);
    const std::string speed = in.ConsumeRandomLengthString(8);
    const std::string wordSpace = in.ConsumeRandomLengthString(8);
    const std::string message = in.ConsumeRemainingBytesAsString();
    const std::string rstBefore = s.CWRstSent;

    const std::string out = keying::ExpandCwMacros(message, s, counties);
    FUZZ_CHECK(out.find('"') == std::string::npos);
    const bool star = message.find('*') != std::string::npos;
    FUZZ_CHECK(s.CWRstSent == ((star && (rstBefore == "599" || rstBefore.empty())) ? std::string("5NN") : rstBefore));
    // What each macro character puts in, then the rest of the message as it is: one pass.
    std::string expected;
    for (char c : message) {
        if (c == '$') expected += trimmed(s.CWCall);
        else if (c == '*') expected += trimmed(s.CWRstSent);
        else if (c == '^') expected += trimmed(keying::CntyAbbCW(s.CWCounty, counties));
        else if (c != '#') expected.push_back(c);
    }
    std::erase(expected, '"');
    FUZZ_CHECK(out == expected);

    const double wpm = keying::IsNumber(speed) ? keying::LeadingNumber(speed) : 0;
    const double unit = keying::UnitMs(wpm);
    const int space = keying::WordSpaceUnits(keying::LeadingNumber(keying::WordSpaceHeld(wordSpace)));
    FUZZ_CHECK(space >= -8);
    if (unit <= 0) return 0;
    const auto schedule = keying::ScheduleText(out, unit, space);
    bool down = false;
    int64_t last = -1;
    for (const auto& e : schedule.edges) {
        FUZZ_CHECK(e.down != down);
        FUZZ_CHECK(e.atNs > last);
        down = e.down;
        last = e.atNs;
    }
    FUZZ_CHECK(!down);
    FUZZ_CHECK(schedule.lengthNs >= last);
    return 0;
}
