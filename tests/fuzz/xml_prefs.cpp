// SharedUserPreferences.xml as another program may have left it (any bytes), then one of the
// program's keys stored with any value: the value stands escaped in its element, the file holds
// exactly the text in memory, and reopening and storing the same value again change nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzSession.h"
#include "station/XmlPrefs.h"

using namespace station;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kKeys[] = {"OWN_CALL", "OWN_STATE", "OWN_ARRL_SECTION", "OWN_ADDRESS_NAME",
                                        "OWN_EMAIL", "OWN_CLUB_NAME"};
    FuzzedDataProvider input(data, size);
    std::string key = kKeys[input.ConsumeIntegralInRange<size_t>(0, std::size(kKeys) - 1)];
    const std::string value = input.ConsumeRandomLengthString(64);
    const std::string file = input.ConsumeRemainingBytesAsString();

    TestSession& ts = FuzzSession();
    const std::string path = ts.programPath("SharedUserPreferences.xml");
    writeFileBytes(path, file);
    FUZZ_CHECK(OpenXmlPrefs(*ts, path));
    FUZZ_CHECK(SetXmlValue(*ts, key, value, 1));
    const std::string text = ts->xmlPrefs.XmlPrefsText;
    FUZZ_CHECK(text.find("<" + key + ">" + XmlEscapeUtf8(value) + "</" + key + ">") != std::string::npos);
    FUZZ_CHECK(readFileBytes(path) == text + "\r\n");

    FUZZ_CHECK(OpenXmlPrefs(*ts, path));
    FUZZ_CHECK(ts->xmlPrefs.XmlPrefsText == text);
    FUZZ_CHECK(SetXmlValue(*ts, key, value, 0));
    FUZZ_CHECK(ts->xmlPrefs.XmlPrefsText == text);
    return 0;
}
