#pragma once
// The reference tables read from the files shipped beside the program: call prefixes
// (arrlpre2.txt), state positions (states.txt) and the home state's counties (county2.txt).
// Rows keep file order. Vectors are 0-based; "row i" of the classic numbering is rows[i - 1].

#include <string>
#include <vector>

class Session;

namespace station {

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

}  // namespace station
