#pragma once
// The reference tables read from the files shipped beside the program: call prefixes
// (arrlpre2.txt), state positions (states.txt) and the home state's counties (county2.txt).
// Rows keep file order. Vectors are 0-based; "row i", counted from 1 as a file's lines are,
// is rows[i - 1].

#include <string>
#include <vector>

#include "station/WriteForm.h"

namespace station {

class Station;

struct PrefixRow {
    std::string Prefix;
    std::string Country;
    std::string Continent;
    float Longitude = 0;  // degrees, west positive
    float Latitude = 0;
};

struct PrefixTable {
    static constexpr int Capacity = 10000;
    std::vector<PrefixRow> rows;  // ascending order of prefix, as the file lists them
    int PrefixCount() const { return static_cast<int>(rows.size()); }
};

struct StateCoordRow {
    std::string Abbrev;
    float Latitude = 0;
    float Longitude = 0;  // west positive
};

struct StateCoordTable {
    static constexpr int Rows = 50;
    std::vector<StateCoordRow> rows;
};

struct CountyRow {
    std::string Name;    // as logged, validated and listed
    std::string Abbrev;  // the contest abbreviation, upper case
};

struct CountyTable {
    static constexpr int Capacity = 1000;
    std::vector<CountyRow> rows;
    int CountyCount() const { return static_cast<int>(rows.size()); }
};

// Finds a shipped table that the operator may override: the shared folder's copy first, then
// the user folder's, then the program folder's. Empty when none of the three is a file.
std::string FindTableFile(const Station& station, const std::string& name);

// Parsers of the table files (write form, one row per line). Each stops with FileError at a
// row cut short or at a row beyond the capacity; the rows read before it stay in the table and
// the count never exceeds the capacity. Blank lines at the end are ignored.
void ParsePrefixTable(const std::string& bytes, PrefixTable& table);
void ParseStateCoordTable(const std::string& bytes, StateCoordTable& table);  // exactly 50 rows
void ParseCountyTable(const std::string& bytes, const std::string& homeState, CountyTable& table);

// arrlpre2.txt from the shared, user or program folder into station.prefixes. No file anywhere
// leaves the table empty and is not an error. FileError on a bad row or a 10001st row.
void LoadPrefixTable(Station& station);
// states.txt of the program folder into station.stateCoords: its first 50 rows. FileError
// when the file is missing or has fewer rows.
void LoadStateCoordTable(Station& station);
// Both, in that order (a failure in the prefix table leaves the state table unloaded).
void LoadPrefixAndStateTables(Station& station);

// county2.txt of the program folder into station.counties: the rows of the home state, in file
// order. FileError (naming the file) when it is missing or unreadable, or at a 1001st kept row;
// the rows kept before a failure stay.
void LoadCountyTable(Station& station);

// Upper-cases abbrev in place and returns the name of the first county row holding exactly
// that abbreviation, or empty text.
std::string CountyNameFromAbbrev(const CountyTable& table, std::string& abbrev);
void CountyNameFromAbbrev(const CountyTable& table, std::string& name, std::string& abbrev);

}  // namespace station
