#pragma once
// QSOpref.txt: the station profile, 25 values one per line in the write form.

#include <string>

#include "station/StationProfile.h"

namespace station {

class Station;

std::string PreferencesText(const StationProfile& profile);

// Reads the values in file order into the profile; stops at the first value that is missing or
// does not fit its type, keeping the values read before it. Returns false on such a stop (and
// when the file is missing). A missing file gives the first-run defaults.
bool ReadPreferences(Station& station);
// True when the program folder holds a QSOpref.txt (in any letter case), readable or not.
bool PreferencesFileExists(const Station& station);
bool ReadPreferencesText(const std::string& bytes, StationProfile& profile);

// Makes values that cannot be used visible and usable: a form size outside 30..100 reads as
// 100 and an empty rig type as "None".
void NormalizeProfile(StationProfile& profile);
// First run: the multiplier colours start visible instead of black on black.
void ApplyFirstRunDefaults(StationProfile& profile);

// Rewrites QSOpref.txt through a temporary file. Silent on failure (the values in memory stay);
// returns false then.
bool SavePreferences(Station& station);

}  // namespace station
