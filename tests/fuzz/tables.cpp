// The reference tables on any bytes (the first byte chooses arrlpre2.txt, states.txt,
// county2.txt or ADIFCnt.txt): a parse stops cleanly, never holds more rows than the table's
// capacity, and keeps positions on the globe; a prefix table, however ordered, can be searched.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "logging/Prefix.h"
#include "station/AdifExport.h"
#include "station/Tables.h"

using namespace station;

namespace {
bool onGlobe(float lat, float lon) { return lat >= -90 && lat <= 90 && lon >= -180 && lon <= 180; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
    case 0: {
        PrefixTable table;
        try {
            ParsePrefixTable(bytes, table);
        } catch (const FileError&) {
        }
        FUZZ_CHECK(table.PrefixCount() <= PrefixTable::Capacity);
        for (const auto& row : table.rows) FUZZ_CHECK(onGlobe(row.Latitude, row.Longitude));
        // The calls a lookup meets: the table's own prefixes, longer and shorter.
        for (const auto& row : table.rows) {
            for (const std::string& call : {row.Prefix, row.Prefix + "1ABC", row.Prefix.substr(0, 1), std::string("K1ABC")}) {
                const auto match = logging::SearchPrefix(table, call, false);
                FUZZ_CHECK(match.row >= 0 && match.row <= table.PrefixCount());
                logging::SearchPrefix(table, call, true);
                logging::LookupCountry(table, call);
            }
        }
        break;
    }
    case 1: {
        StateCoordTable table;
        try {
            ParseStateCoordTable(bytes, table);
            FUZZ_CHECK(table.rows.size() == StateCoordTable::Rows);
        } catch (const FileError&) {
        }
        for (const auto& row : table.rows) FUZZ_CHECK(onGlobe(row.Latitude, row.Longitude));
        break;
    }
    case 2: {
        CountyTable table;
        try {
            ParseCountyTable(bytes, "FL", table);
        } catch (const FileError&) {
        }
        FUZZ_CHECK(table.CountyCount() <= CountyTable::Capacity);
        for (const auto& row : table.rows) {
            std::string abbrev = row.Abbrev;
            CountyNameFromAbbrev(table, abbrev);
        }
        break;
    }
    case 3: {
        try {
            const DxccTable table = ParseDxccTable(bytes);
            FUZZ_CHECK(table.rows.size() <= static_cast<size_t>(DxccTable::Capacity));
            for (const auto& row : table.rows) table.Find(row.first);
        } catch (const FileError&) {
        }
        break;
    }
    }
    return 0;
}
