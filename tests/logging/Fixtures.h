#pragma once
// Small tables and contacts for the logging rule tests.

#include <string>

#include "station/ContactLog.h"
#include "station/Tables.h"

namespace fixtures {

inline station::CountyTable Counties() {
    station::CountyTable t;
    t.rows = {{"Alachua", "ALA"}, {"Lee", "LEE"}, {"Palm Beach", "PBC"}, {"Dade", "DAD"}, {"Leon", "LEO"}};
    return t;
}

// A few rows of the country table (one prefix each; a country may stand on several rows).
inline station::PrefixTable Countries() {
    station::PrefixTable t;
    t.rows = {{"DL", "Germany", "EU", -10.0f, 51.0f},  {"G", "England", "EU", 2.0f, 52.0f},
              {"JA", "Japan", "AS", -139.0f, 36.0f}, {"K", "USA", "NA", 98.0f, 38.0f},
              {"KP4", "Puerto Rico", "NA", 66.0f, 18.0f}, {"TU", "Cote d'Ivoire", "AF", 5.0f, 7.0f},
              {"VE", "Canada", "NA", 100.0f, 55.0f},  {"ZP", "Paraguay", "SA", 58.0f, -23.0f}};
    return t;
}

struct Rec {
    station::ContactRecord r;
    explicit Rec(std::string call) { r.Call = std::move(call); r.QsoDate = "2016/04/23"; r.QsoTime = "14:22:05"; r.Mode = "CW"; r.Band = "40"; }
    Rec& spc(std::string v) { r.Spc = std::move(v); return *this; }
    Rec& county(std::string v) { r.County = std::move(v); return *this; }
    Rec& sent(std::string v) { r.CountySent = std::move(v); return *this; }
    Rec& mode(std::string v) { r.Mode = std::move(v); return *this; }
    Rec& band(std::string v) { r.Band = std::move(v); return *this; }
    Rec& at(std::string date, std::string time) { r.QsoDate = std::move(date); r.QsoTime = std::move(time); return *this; }
    operator station::ContactRecord() const { return r; }
};

inline station::ContactLog Log(std::initializer_list<station::ContactRecord> records) {
    station::ContactLog log;
    log.records().assign(records.begin(), records.end());
    return log;
}

}  // namespace fixtures
