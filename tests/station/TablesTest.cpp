#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "station/Tables.h"
#include "support/TestSession.h"

using namespace station;

namespace {
std::string prefixRow(const std::string& prefix, const std::string& country) {
    return "\"" + prefix + "\",\"" + country + "\",\"NA\",80.5,40.25,5,8,\"5.0\"\r\n";
}

std::string stateRows(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += "\"S" + std::to_string(i) + "\"," + std::to_string(i) + ".5,-" + std::to_string(i) + "\r\n";
    return out;
}

std::string countyRow(const std::string& item1, const std::string& abbrev) {
    return "\"" + item1 + "\",\"" + abbrev + "\"\r\n";
}

std::string dataFile(const std::string& name) { return readFileBytes(std::filesystem::path(PALMETAR_DATA_DIR) / name); }
}  // namespace

TEST(PrefixTable, SharedCopyWinsOverUserAndProgramFolders) {
    TestSession t;
    t.writeProgramFile("arrlpre2.txt", prefixRow("K", "Program"));
    writeFileBytes(std::filesystem::path(t->folders.UserFolder) / "arrlpre2.txt", prefixRow("K", "User"));
    writeFileBytes(std::filesystem::path(t->folders.SharedFolder) / "arrlpre2.txt", prefixRow("K", "Shared"));
    LoadPrefixTable(*t);
    ASSERT_EQ(t->prefixes.PrefixCount(), 1);
    EXPECT_EQ(t->prefixes.rows[0].Country, "Shared");

    std::filesystem::remove(std::filesystem::path(t->folders.SharedFolder) / "arrlpre2.txt");
    LoadPrefixTable(*t);
    EXPECT_EQ(t->prefixes.rows[0].Country, "User");

    std::filesystem::remove(std::filesystem::path(t->folders.UserFolder) / "arrlpre2.txt");
    LoadPrefixTable(*t);
    EXPECT_EQ(t->prefixes.rows[0].Country, "Program");
    EXPECT_FLOAT_EQ(t->prefixes.rows[0].Longitude, 80.5f);
    EXPECT_FLOAT_EQ(t->prefixes.rows[0].Latitude, 40.25f);
    EXPECT_EQ(t->prefixes.rows[0].Continent, "NA");
}

TEST(PrefixTable, NoFileAnywhereLeavesTableEmptyWithoutMessage) {
    TestSession t;
    t->prefixes.rows.push_back({"X", "Stale", "EU", 0, 0});
    EXPECT_NO_THROW(LoadPrefixTable(*t));
    EXPECT_EQ(t->prefixes.PrefixCount(), 0);
    EXPECT_TRUE(t.fakes.dialogs.messages.empty());
}

TEST(PrefixTable, CapacityAndCutRowsStopTheLoadKeepingEarlierRows) {
    std::string full;
    for (int i = 0; i < PrefixTable::Capacity + 1; ++i) full += prefixRow("P" + std::to_string(i), "C");
    PrefixTable table;
    EXPECT_THROW(ParsePrefixTable(full, table), FileError);
    EXPECT_EQ(table.PrefixCount(), PrefixTable::Capacity);

    EXPECT_NO_THROW(ParsePrefixTable(full.substr(0, full.size() - prefixRow("P10000", "C").size()) + "\r\n\r\n", table));
    EXPECT_EQ(table.PrefixCount(), PrefixTable::Capacity);

    EXPECT_THROW(ParsePrefixTable(prefixRow("A", "One") + "\"B\",\"Two\",\"NA\",1", table), FileError);
    EXPECT_EQ(table.PrefixCount(), 1);
}

TEST(StateCoordTable, ReadsExactlyTheFirstFiftyRows) {
    StateCoordTable table;
    ParseStateCoordTable(stateRows(60), table);
    ASSERT_EQ(table.rows.size(), 50u);
    EXPECT_EQ(table.rows[49].Abbrev, "S49");
    EXPECT_FLOAT_EQ(table.rows[49].Latitude, 49.5f);  // latitude comes first
    EXPECT_FLOAT_EQ(table.rows[49].Longitude, -49.0f);

    EXPECT_THROW(ParseStateCoordTable(stateRows(49), table), FileError);

    TestSession t;
    EXPECT_THROW(LoadStateCoordTable(*t), FileError);  // no states.txt
}

TEST(Tables, APositionOutsideTheGlobeReadsAsZeroAndTheLoadGoesOn) {
    PrefixTable prefixes;
    ParsePrefixTable("\"K\",\"USA\",\"NA\",1E+30,-91,5,8,\"\"\r\n" + prefixRow("VE", "Canada"), prefixes);
    ASSERT_EQ(prefixes.PrefixCount(), 2);
    EXPECT_EQ(prefixes.rows[0].Longitude, 0);
    EXPECT_EQ(prefixes.rows[0].Latitude, 0);
    EXPECT_FLOAT_EQ(prefixes.rows[1].Longitude, 80.5f);

    StateCoordTable states;
    std::string rows = stateRows(50);
    rows.replace(0, rows.find("\r\n"), "\"S0\",95,-181");
    ParseStateCoordTable(rows, states);
    EXPECT_EQ(states.rows[0].Latitude, 0);
    EXPECT_EQ(states.rows[0].Longitude, 0);
    EXPECT_FLOAT_EQ(states.rows[1].Latitude, 1.5f);
}

TEST(CountyTable, KeepsOnlyHomeStateRowsInFileOrder) {
    TestSession t;
    t->profile.HomeState = "FL";
    t.writeProgramFile("county2.txt", countyRow("FLAlachua", "ALC") + countyRow("GAFulton", "FUL") +
                                          countyRow("flBaker", "BAK") + countyRow("F", "X") +
                                          countyRow("FLSt. Johns", "STJ"));
    LoadCountyTable(*t);
    ASSERT_EQ(t->counties.CountyCount(), 2);
    EXPECT_EQ(t->counties.rows[0].Name, "Alachua");
    EXPECT_EQ(t->counties.rows[1].Name, "St. Johns");
    EXPECT_EQ(t->counties.rows[1].Abbrev, "STJ");

    t.writeProgramFile("county2.txt", "");
    LoadCountyTable(*t);
    EXPECT_EQ(t->counties.CountyCount(), 0);
}

TEST(CountyTable, MissingFileNamesItAndCapacityCapsTheCount) {
    TestSession t;
    t->profile.HomeState = "FL";
    try {
        LoadCountyTable(*t);
        FAIL() << "a missing county2.txt must be reported";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("county2.txt"), std::string::npos);
    }
    std::string many;
    for (int i = 0; i < CountyTable::Capacity + 5; ++i) many += countyRow("FLC" + std::to_string(i), "A");
    CountyTable table;
    EXPECT_THROW(ParseCountyTable(many, "FL", table), FileError);
    EXPECT_EQ(table.CountyCount(), CountyTable::Capacity);
}

TEST(CountyTable, NameFromAbbreviation) {
    CountyTable table;
    table.rows = {{"Alachua", "ALC"}, {"Baker", "BAK"}, {"Second Baker", "BAK"}};
    struct Case {
        std::string abbrev, name, upper;
    } cases[] = {
        {"ALC", "Alachua", "ALC"},
        {"alc", "Alachua", "ALC"},   // typed in lower case, left upper-cased
        {"bAk", "Baker", "BAK"},     // duplicate: the first row wins
        {"XYZ", "", "XYZ"},          // no match
        {"", "", ""},
        {"AL", "", "AL"},            // whole abbreviation only
    };
    for (auto c : cases) {
        std::string name = "stale";
        CountyNameFromAbbrev(table, name, c.abbrev);
        EXPECT_EQ(name, c.name) << c.upper;
        EXPECT_EQ(c.abbrev, c.upper);
    }
    std::string a = "alc";
    EXPECT_EQ(CountyNameFromAbbrev(CountyTable{}, a), "");
}

// The shipped files: the county names must match the county map's hot spots, the prefix table
// must be sorted for the prefix search, and every country must have its DXCC number.
TEST(ShippedTables, CountyFileHoldsTheSixtySevenCountiesWithUniqueAbbreviations) {
    CountyTable table;
    ParseCountyTable(dataFile("county2.txt"), "FL", table);
    const std::set<std::string> mapNames = {
        "Escambia", "Santa Rosa", "Okaloosa", "Walton", "Holmes", "Washington", "Jackson", "Bay", "Gulf",
        "Calhoun", "Liberty", "Gadsden", "Franklin", "Leon", "Wakulla", "Jefferson", "Taylor", "Madison",
        "Hamilton", "Suwannee", "Lafayette", "Dixie", "Gilchrist", "Columbia", "Baker", "Nassau", "Duval",
        "Union", "Bradford", "Clay", "St. Johns", "Alachua", "Levy", "Putnam", "Flagler", "Marion", "Citrus",
        "Sumter", "Hernando", "Volusia", "Lake", "Seminole", "Orange", "Pasco", "Pinellas", "Polk",
        "Hillsborough", "Osceola", "Brevard", "Manatee", "Hardee", "Indian River", "Sarasota", "Highlands",
        "Okeechobee", "St. Lucie", "DeSoto", "Charlotte", "Glades", "Martin", "Palm Beach", "Collier",
        "Monroe", "Hendry", "Broward", "Dade", "Lee"};
    ASSERT_EQ(mapNames.size(), 67u);
    std::set<std::string> names, abbrevs;
    for (const auto& row : table.rows) {
        names.insert(row.Name);
        abbrevs.insert(row.Abbrev);
        EXPECT_LE(row.Name.size(), 20u) << row.Name;
        EXPECT_EQ(row.Abbrev.size(), 3u) << row.Abbrev;
        EXPECT_TRUE(std::all_of(row.Abbrev.begin(), row.Abbrev.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
    }
    EXPECT_EQ(table.CountyCount(), 67);
    EXPECT_EQ(names, mapNames);
    EXPECT_EQ(abbrevs.size(), 67u);
    std::string dade = "dad";
    EXPECT_EQ(CountyNameFromAbbrev(table, dade), "Dade");
}

TEST(ShippedTables, PrefixTableIsSortedAndEveryCountryHasItsDxccNumber) {
    PrefixTable prefixes;
    ParsePrefixTable(dataFile("arrlpre2.txt"), prefixes);
    ASSERT_GT(prefixes.PrefixCount(), 1000);
    std::map<std::string, int> dxcc;
    WriteFormReader in(dataFile("ADIFCnt.txt"));
    while (!in.eof()) {
        std::string name = in.readText();
        dxcc.emplace(name, in.readInt16());
    }
    EXPECT_LE(dxcc.size(), 1000u);
    const std::set<std::string> continents = {"NA", "SA", "EU", "AF", "AS", "OC", "AN"};
    for (int i = 0; i < prefixes.PrefixCount(); ++i) {
        const auto& row = prefixes.rows[static_cast<size_t>(i)];
        if (i > 0) {
            EXPECT_LE(prefixes.rows[static_cast<size_t>(i) - 1].Prefix, row.Prefix) << row.Prefix;
        }
        EXPECT_TRUE(dxcc.count(row.Country)) << row.Country;
        EXPECT_GE(row.Country.size(), 3u);
        EXPECT_LE(row.Country.size(), 30u);
        EXPECT_TRUE(continents.count(row.Continent)) << row.Prefix;
        EXPECT_FALSE(row.Prefix.empty());
    }
    EXPECT_EQ(dxcc["USA"], 291);
    EXPECT_EQ(dxcc["Canada"], 1);
    EXPECT_EQ(dxcc["Alaska"], 6);
    EXPECT_EQ(dxcc["Hawaii"], 110);
    auto find = [&](const std::string& prefix) {
        for (const auto& r : prefixes.rows) {
            if (r.Prefix == prefix) return r;
        }
        return PrefixRow{};
    };
    EXPECT_EQ(find("K").Country, "USA");
    EXPECT_GT(find("K").Longitude, 60.0f);  // west positive
    EXPECT_EQ(find("VE").Country, "Canada");
    EXPECT_EQ(find("KL").Country, "Alaska");
    EXPECT_EQ(find("KH6").Country, "Hawaii");
    EXPECT_LT(find("DL").Longitude, 0.0f);  // Germany lies east
}

TEST(ShippedTables, StatesFileHasFiftyStatesWithWestPositiveLongitudes) {
    StateCoordTable table;
    ParseStateCoordTable(dataFile("states.txt"), table);
    std::set<std::string> codes;
    for (const auto& row : table.rows) {
        codes.insert(row.Abbrev);
        EXPECT_GT(row.Longitude, 65.0f) << row.Abbrev;
        EXPECT_LT(row.Longitude, 170.0f) << row.Abbrev;
        EXPECT_GT(row.Latitude, 18.0f) << row.Abbrev;
        EXPECT_LT(row.Latitude, 72.0f) << row.Abbrev;
    }
    EXPECT_EQ(codes.size(), 50u);
    EXPECT_TRUE(codes.count("FL") && codes.count("AK") && codes.count("HI"));
    EXPECT_FALSE(codes.count("DC"));
}
