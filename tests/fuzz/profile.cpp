// QSOpref.txt on any bytes: the read fills the profile or stops cleanly; every number it keeps
// can be used the way the program uses it (the operating-time text, the UTC minutes, bearings);
// a profile read whole is written back so that it reads the same.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "logging/Prefix.h"
#include "logging/Rates.h"
#include "station/Profile.h"

using namespace station;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StationProfile p;
    const bool whole = ReadPreferencesText(std::string(reinterpret_cast<const char*>(data), size), p);
    NormalizeProfile(p);
    FUZZ_CHECK(p.FormSizePercent >= 30 && p.FormSizePercent <= 100);
    logging::OperatingTimeText(p.OperatingSeconds);
    logging::UtcFromLocal(platform::DateTime{2026, 4, 25, 12, 0, 0, 0}, p.HoursOffset);
    logging::ShowBearingDistance(p.StationLatitude, p.StationLongitude, 29.65, 82.3);
    if (whole) {
        // Written, the profile reads back whole; from then on (control characters and quotes
        // are not written, an empty rig type reads as "None") it stays the same.
        StationProfile again;
        FUZZ_CHECK(ReadPreferencesText(PreferencesText(p), again));
        NormalizeProfile(again);
        const std::string written = PreferencesText(again);
        StationProfile third;
        FUZZ_CHECK(ReadPreferencesText(written, third));
        NormalizeProfile(third);
        FUZZ_CHECK(PreferencesText(third) == written);
    }
    return 0;
}
