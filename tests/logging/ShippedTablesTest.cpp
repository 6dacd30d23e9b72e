// The lookups on the tables shipped in data/, loaded the way the program loads them: typical
// calls must land on their countries, and the start-row search must reach every row.

#include <gtest/gtest.h>

#include "logging/Prefix.h"
#include "logging/Validation.h"
#include "station/Tables.h"
#include "support/TestSession.h"

using namespace logging;

namespace {

const StationPosition kTampa{27.95, 82.46};

class ShippedTables : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"arrlpre2.txt", "states.txt", "county2.txt"}) ts.copyDataFile(name);
        ts->profile.HomeState = "FL";
        station::LoadPrefixAndStateTables(*ts);
        station::LoadCountyTable(*ts);
        ASSERT_GT(ts->prefixes.PrefixCount(), 7000);
        ASSERT_EQ(ts->stateCoords.rows.size(), 50u);
    }
    const station::PrefixTable& prefixes() { return ts->prefixes; }
    TestSession ts;
};

TEST_F(ShippedTables, SpottedCallsGetTheirCountries) {
    struct Case { const char* call; const char* country; };
    for (const Case& c : {Case{"W1AW", "USA"}, Case{"K1ABC", "USA"}, Case{"N4XX", "USA"}, Case{"AA1A", "USA"},
                          Case{"VE3ABC", "Canada"}, Case{"DL1ABC", "Fed. Rep. of Germany"}, Case{"KH6XX", "Hawaii"},
                          Case{"KL7XX", "Alaska"}, Case{"JA1XX", "Japan"}, Case{"G3ABC", "England"},
                          Case{"ZL1AB", "New Zealand"}, Case{"1A0KM", "Sov Mil Order of Malta"},
                          Case{"KG4XX", "Guantanamo Bay"}, Case{"KG4XXX", "USA"}, Case{"W1ABC/KH6", "Hawaii"},
                          Case{"dl1abc", ""}}) {
        EXPECT_EQ(LookupCountry(prefixes(), c.call), c.country) << c.call;
    }
}

TEST_F(ShippedTables, CallFieldLookupFillsCountryContinentAndPosition) {
    struct Case {
        const char* call;
        std::optional<std::string> country;  // nullopt: the field is left for the state or province
        const char* continent;
        GeoTexts geo;
    };
    for (const Case& c : {Case{"W1AW", std::nullopt, "NA", {}},
                          Case{"VE3ABC", std::nullopt, "NA", {}},
                          Case{"DL1ABC", "Fed. Rep. of Germany", "EU", {"42 ", "4,840 "}},
                          Case{"dl1abc", "Fed. Rep. of Germany", "EU", {"42 ", "4,840 "}},
                          Case{"JA1XX", "Japan", "AS", {"327 ", "7,253 "}},
                          Case{"KH6XX", "HI", "OC", {"283 ", "4,664 "}},
                          Case{"KL7XX", "AK", "NA", {"327 ", "3,763 "}},
                          Case{"KG4XX", "Guantanamo Bay", "NA", {"138 ", "723 "}},
                          // A 6-character KG4 call is stateside: no country, the first USA row's position.
                          Case{"KG4ABC", "", "NA", {"323 ", "861 "}}}) {
        const auto got = LookupPrefix(prefixes(), c.call, "", kTampa);
        EXPECT_EQ(got.countryText, c.country) << c.call;
        EXPECT_EQ(got.continent, c.continent) << c.call;
        EXPECT_EQ(got.geo, c.geo) << c.call;
    }
}

TEST_F(ShippedTables, EveryPrefixIsReachedFromItsStartRow) {
    // The search starts at the first letter's share of the table and scans one way; a prefix
    // it never reached would leave its country unreachable.
    for (const auto& row : prefixes().rows) {
        for (bool caseSensitive : {true, false}) {
            const auto m = SearchPrefix(prefixes(), row.Prefix, caseSensitive);
            ASSERT_NE(m.row, 0) << row.Prefix;
            EXPECT_EQ(prefixes().rows[static_cast<size_t>(m.row - 1)].Prefix.size(), row.Prefix.size()) << row.Prefix;
        }
    }
}

TEST_F(ShippedTables, StatePositionsAndCounties) {
    const DxWorkedLists dx;
    const auto ga = CountryChanged(WindowKind::InState, "ga", "FL", ts->stateCoords, dx, "PH", kTampa, ts->prefixes);
    ASSERT_TRUE(ga.geo.has_value());
    EXPECT_EQ(*ga.geo, (GeoTexts{"350 ", "329 "}));
    EXPECT_FALSE(ga.countyCaptionEnabled);
    EXPECT_TRUE(CountryChanged(WindowKind::InState, "FL", "FL", ts->stateCoords, dx, "PH", kTampa, ts->prefixes).countyCaptionEnabled);
    // Provinces have no position row.
    EXPECT_FALSE(CountryChanged(WindowKind::InState, "ON", "FL", ts->stateCoords, dx, "PH", kTampa, ts->prefixes).geo.has_value());

    ASSERT_EQ(ts->counties.CountyCount(), 67);
    std::string abbrev = "alc";
    EXPECT_EQ(station::CountyNameFromAbbrev(ts->counties, abbrev), "Alachua");
    EXPECT_FALSE(ValidateCounty("palm beach", ts->counties).has_value());
    EXPECT_FALSE(ValidateCounty("St. Johns", ts->counties).has_value());
    EXPECT_TRUE(ValidateCounty("Miami", ts->counties).has_value());
}

}  // namespace
