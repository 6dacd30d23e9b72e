#include "station/Tables.h"

#include <algorithm>
#include <cctype>

#include "station/Station.h"

namespace station {

namespace {
std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// A position outside the globe (a damaged row) reads as 0, as a row that gives none.
float longitude(float v) { return v >= -180 && v <= 180 ? v : 0; }
float latitude(float v) { return v >= -90 && v <= 90 ? v : 0; }

std::string readTable(const Station& station, const std::string& path, const std::string& name) {
    auto& files = station.platform.files;
    if (path.empty() || !files.exists(path) || files.isDirectory(path)) throw FileError("File not found: " + name);
    auto bytes = files.readAll(path);
    if (!bytes) throw FileError("Cannot read " + name);
    return *bytes;
}
}  // namespace

std::string FindTableFile(const Station& station, const std::string& name) {
    auto& files = station.platform.files;
    for (const std::string* folder :
         {&station.folders.SharedFolder, &station.folders.UserFolder, &station.folders.ProgramFolder}) {
        if (folder->empty()) continue;
        std::string path = platform::resolveInFolder(files, *folder, name);
        if (files.exists(path) && !files.isDirectory(path)) return path;
    }
    return {};
}

void ParsePrefixTable(const std::string& bytes, PrefixTable& table) {
    table.rows.clear();
    WriteFormReader in(bytes);
    in.skipEmptyLines();
    while (!in.eof()) {
        if (table.PrefixCount() >= PrefixTable::Capacity) throw FileError("More than 10000 prefix rows");
        PrefixRow row;
        row.Prefix = in.readText();
        row.Country = in.readText();
        row.Continent = in.readText();
        row.Longitude = longitude(in.readSingle());
        row.Latitude = latitude(in.readSingle());
        for (int i = 0; i < 3; ++i) in.readText();
        table.rows.push_back(std::move(row));
        in.skipEmptyLines();
    }
}

void ParseStateCoordTable(const std::string& bytes, StateCoordTable& table) {
    table.rows.clear();
    WriteFormReader in(bytes);
    for (int i = 0; i < StateCoordTable::Rows; ++i) {
        StateCoordRow row;
        row.Abbrev = in.readText();
        row.Latitude = latitude(in.readSingle());
        row.Longitude = longitude(in.readSingle());
        table.rows.push_back(std::move(row));
    }
}

void ParseCountyTable(const std::string& bytes, const std::string& homeState, CountyTable& table) {
    table.rows.clear();
    WriteFormReader in(bytes);
    in.skipEmptyLines();
    while (!in.eof()) {
        std::string item1 = in.readText();
        std::string item2 = in.readText();
        in.skipEmptyLines();
        if (item1.size() < 2 || item1.compare(0, 2, homeState) != 0 || homeState.size() != 2) continue;
        if (table.CountyCount() >= CountyTable::Capacity) throw FileError("More than 1000 county rows");
        table.rows.push_back({item1.substr(2), item2});
    }
}

void LoadPrefixTable(Station& station) {
    station.prefixes.rows.clear();
    const std::string path = FindTableFile(station, "arrlpre2.txt");
    if (path.empty()) return;
    ParsePrefixTable(readTable(station, path, "arrlpre2.txt"), station.prefixes);
}

void LoadStateCoordTable(Station& station) {
    station.stateCoords.rows.clear();
    ParseStateCoordTable(readTable(station, station.programFile("states.txt"), "states.txt"), station.stateCoords);
}

void LoadPrefixAndStateTables(Station& station) {
    LoadPrefixTable(station);
    LoadStateCoordTable(station);
}

void LoadCountyTable(Station& station) {
    station.counties.rows.clear();
    ParseCountyTable(readTable(station, station.programFile("county2.txt"), "county2.txt"),
                     station.profile.HomeState, station.counties);
}

std::string CountyNameFromAbbrev(const CountyTable& table, std::string& abbrev) {
    abbrev = upper(abbrev);
    for (const auto& row : table.rows) {
        if (row.Abbrev == abbrev) return row.Name;
    }
    return {};
}

void CountyNameFromAbbrev(const CountyTable& table, std::string& name, std::string& abbrev) {
    name = CountyNameFromAbbrev(table, abbrev);
}

}  // namespace station
