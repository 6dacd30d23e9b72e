#pragma once
// The decisions of the start-up and of the station setup dialog, kept apart from the widgets:
// the user folders at start, the UTC offset check, the key filters of the setup fields, the
// country type-ahead and what Done stores.

#include <cstdint>
#include <string>

#include "station/Tables.h"

namespace station {

class Station;

// Start-up after the logo: finds or makes <documents>/Tervak Software/{Florida,Shared}, sets
// UserFolder and SharedFolder, loads SharedUserPreferences.xml and makes UserFolder/BACKUP.
// A preferences file that cannot be read is reported once; the start-up goes on.
void PrepareUserFolders(Station& station);

// The "Error opening file" box of setup's load, naming the file on a second line.
void ReportSetupLoadFailure(Station& station, const std::string& fileName);

// Offers the UTC offset computed from the clocks when it differs from the stored one. A number
// from -24 to 24 is stored and saved; Cancel or anything else keeps the stored offset.
void CheckUtcOffset(Station& station);
// The offset the clocks give: UTC minus local time in hours, rounded to 2 decimals; seconds are
// ignored and whole date-times compared, so a difference across midnight comes out right.
float RecommendedUtcOffset(Station& station);

// Key filters of the setup fields; the key code is changed in place, 0 drops the key.
void Cap3(int16_t& keyAscii);    // a..z become A..Z
void NumBerr(int16_t& keyAscii); // only "-", ".", "/" and digits pass

// The county field: capitals at the start of the field and after a blank. caretPosition is the
// caret's position; text the whole field.
void CountyKey(int16_t& keyAscii, const std::string& text, int caretPosition);

// The last prefix-table row (0-based) whose country begins with typed, ignoring letter case;
// -1 when none does.
int CountryTypeAhead(const PrefixTable& table, const std::string& typed);

// Numbers shown in the setup fields: the shortest general form ("4", "-5.5").
std::string SetupNumberText(float value);
// True when text holds a number the fields accept (an empty field does not).
bool IsSetupNumber(const std::string& text);

// The setup dialog's fields (index 1..12 as Text1..Text12; 0 unused) and its two answers.
struct SetupFields {
    std::string Text[13];
    bool inFlorida = false;  // Option1 chosen
    bool rover = false;      // Option4 chosen
};

enum class SetupDoneResult { Stored, NoCall, BadUtcOffset, XmlNotSaved };

// Done: refuses an empty call sign (blanks only count as empty) and a non-empty UTC offset that
// is not a number, in that order, with nothing stored; otherwise turns
// non-numbers in longitude and latitude into "0" (in the fields too), stores the profile, saves
// it and writes the nine OWN_* keys to the shared preferences, saving them once.
SetupDoneResult ApplySetupDone(Station& station, SetupFields& fields);

}  // namespace station
