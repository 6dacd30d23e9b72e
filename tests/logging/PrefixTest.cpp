#include "logging/Prefix.h"

#include <gtest/gtest.h>

#include <cmath>

#include "logging/LoggingState.h"

using namespace logging;

namespace {

station::PrefixTable Table() {
    station::PrefixTable t;
    t.rows = {{"3A", "Monaco", "EU", -7.4f, 43.7f},      {"4X", "Israel", "AS", -35.0f, 31.5f},
              {"DL", "Germany", "EU", -10.0f, 51.0f},    {"G", "England", "EU", 0.1f, 51.5f},
              {"JA", "Japan", "AS", -139.7f, 35.7f},     {"K", "USA", "NA", 98.0f, 38.0f},
              {"KG4", "Guantanamo Bay", "NA", 75.2f, 19.9f}, {"KH6", "Hawaii", "OC", 157.8f, 21.3f},
              {"KL7", "Alaska", "NA", 150.0f, 61.2f},    {"VE", "Canada", "NA", 75.7f, 45.4f},
              {"W", "USA", "NA", 98.0f, 38.0f},          {"ZS", "South Africa", "AF", -28.0f, -26.0f}};
    return t;
}

// A table whose start row for "B" lands past the B rows, so the scan runs downwards.
station::PrefixTable TableScannedDown() {
    station::PrefixTable t;
    t.rows = {{"A2", "Botswana", "AF", -25.9f, -24.6f}, {"BV", "Taiwan", "AS", -121.5f, 25.0f},
              {"C3", "Andorra", "EU", -1.5f, 42.5f}};
    for (char a = 'A'; a <= 'Z'; ++a)
        for (char b = '0'; b <= '9' && t.rows.size() < 39; ++b) t.rows.push_back({std::string("Z") + a + b, "Filler", "XX", 0, 0});
    return t;
}

struct SearchCase {
    const char* name;
    std::string call;
    std::string country;
};

void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class Search : public testing::TestWithParam<SearchCase> {};

TEST_P(Search, LongestMatchWins) {
    EXPECT_EQ(SearchPrefix(Table(), GetParam().call, false).country, GetParam().country);
}

INSTANTIATE_TEST_SUITE_P(Fixture, Search,
                         testing::Values(SearchCase{"TwoLetters", "DL1ABC", "Germany"},
                                         SearchCase{"LongerThanK", "KH6XYZ", "Hawaii"},
                                         SearchCase{"OneLetter", "K1ABC", "USA"},
                                         SearchCase{"DigitFirst", "3A2XX", "Monaco"},
                                         SearchCase{"LastRow", "ZS6AB", "South Africa"},
                                         SearchCase{"NoRowForLetter", "AA1AB", ""},
                                         SearchCase{"CaseIgnored", "dl1abc", "Germany"},
                                         SearchCase{"PastZ", "[1AB", ""}),
                         [](const testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

TEST(PrefixSearch, ScansDownWhenTheStartRowIsPastTheLetter) {
    const auto t = TableScannedDown();
    EXPECT_EQ(SearchPrefix(t, "BV2A", false).country, "Taiwan");
    EXPECT_EQ(SearchPrefix(t, "BV2A", false).row, 2);
    EXPECT_EQ(SearchPrefix(t, "A22", false).country, "Botswana");
}

TEST(PrefixSearch, OfEqualPrefixesTheFirstMetInScanOrderStays) {
    // Scanning up meets the upper of two equal rows first, scanning down the lower one.
    auto up = Table();
    up.rows.insert(up.rows.begin() + 3, {"DL", "Second DL", "EU", 0, 0});
    EXPECT_EQ(SearchPrefix(up, "DL1ABC", false).country, "Germany");
    // 52 rows: "B" starts at row 4, past both BV rows.
    station::PrefixTable down;
    down.rows = {{"A2", "Botswana", "AF", 0, 0}, {"BV", "Taiwan", "AS", 0, 0}, {"BV", "Second BV", "AS", 0, 0},
                 {"C3", "Andorra", "EU", 0, 0}};
    while (down.rows.size() < 52) down.rows.push_back({"Z" + std::to_string(down.rows.size()), "Filler", "XX", 0, 0});
    EXPECT_EQ(SearchPrefix(down, "BV2A", false).row, 3);
}

TEST(PrefixSearch, EmptyTableAndStartPastTheEnd) {
    EXPECT_EQ(SearchPrefix({}, "DL1ABC", false).row, 0);
    // Lower-case letters start past the last row when case counts; the start is clamped.
    EXPECT_EQ(LookupCountry(Table(), "zs6ab"), "");
    EXPECT_EQ(LookupCountry(Table(), "~"), "");
}

TEST(SlashRule, ShortSuffixIsLookedUpAlone) {
    EXPECT_EQ(SlashRule("W1ABC/KH6"), "KH6");  // 3 after "/" of 9
    EXPECT_EQ(SlashRule("KH6/W1ABC"), "KH6/W1ABC");  // 5 is not below 4.5
    EXPECT_EQ(SlashRule("W1ABC/P"), "W1ABC/P");
    EXPECT_EQ(SlashRule("W1ABC"), "W1ABC");
}

TEST(LookupCountry, SpotsGetCountryOrNothing) {
    const auto t = Table();
    EXPECT_EQ(LookupCountry(t, "DL1ABC"), "Germany");
    EXPECT_EQ(LookupCountry(t, "W1AW"), "USA");
    EXPECT_EQ(LookupCountry(t, "KL7AB"), "Alaska");
    EXPECT_EQ(LookupCountry(t, "dl1abc"), "");  // letter case counts here
    EXPECT_EQ(LookupCountry(t, "Q1AB"), "");
    EXPECT_EQ(LookupCountry(t, "W1ABC/KH6"), "Hawaii");
    EXPECT_EQ(LookupCountry(t, "KG4A"), "Guantanamo Bay");
    EXPECT_EQ(LookupCountry(t, "KG4AB"), "Guantanamo Bay");
    EXPECT_EQ(LookupCountry(t, "KG4ABC"), "USA");
    EXPECT_EQ(LookupCountry({}, "DL1ABC"), "");
}

const StationPosition kTampa{27.95, 82.46};

TEST(LookupPrefix, CountryContinentAndPosition) {
    const auto t = Table();
    auto dl = LookupPrefix(t, "DL1ABC", "", kTampa);
    EXPECT_EQ(dl.countryText, "Germany");
    EXPECT_EQ(dl.continent, "EU");
    EXPECT_EQ(dl.geo, ShowBearingDistance(27.95, 82.46, 51.0, -10.0));
    EXPECT_FALSE(dl.geo.bearing.empty());

    EXPECT_EQ(LookupPrefix(t, "KL7AB", "", kTampa).countryText, "AK");
    EXPECT_EQ(LookupPrefix(t, "KH6AB", "", kTampa).countryText, "HI");

    auto usa = LookupPrefix(t, "W1AW", "GA", kTampa);
    EXPECT_FALSE(usa.countryText.has_value());  // the operator types the state
    EXPECT_EQ(usa.continent, "NA");
    EXPECT_EQ(usa.geo, GeoTexts{});

    auto none = LookupPrefix(t, "Q1AB", "", kTampa);
    EXPECT_EQ(none.countryText, "Not Found");
    EXPECT_EQ(none.continent, "");

    EXPECT_EQ(LookupPrefix({}, "DL1ABC", "", kTampa).countryText, "Not Found");
}

TEST(LookupPrefix, KG4RuleByLength) {
    const auto t = Table();
    auto five = LookupPrefix(t, "KG4AB", "", kTampa);
    EXPECT_EQ(five.countryText, "Guantanamo Bay");
    for (const char* call : {"KG4A", "KG4ABC"}) {
        auto other = LookupPrefix(t, call, "", kTampa);
        EXPECT_EQ(other.countryText, "") << call;
        EXPECT_EQ(other.continent, "NA") << call;  // the first "USA" row
        EXPECT_EQ(other.geo, ShowBearingDistance(27.95, 82.46, 38.0, 98.0)) << call;
    }
}

TEST(LookupPrefix, NotFoundGoesStaleNeverAndClearsTheLabels) {
    const auto t = Table();
    // "V" alone matches nothing; "VE" then is Canada: the stale "Not Found" is emptied.
    EXPECT_EQ(LookupPrefix(t, "V", "", kTampa).countryText, "Not Found");
    auto ve = LookupPrefix(t, "VE3", "Not Found", kTampa);
    EXPECT_EQ(ve.countryText, "");
    EXPECT_EQ(ve.continent, "NA");
    // An emptied call leaves the field; a "Not Found" there empties the labels.
    EXPECT_TRUE(LookupPrefix(t, "", "Not Found", kTampa).writeLabels);
    EXPECT_FALSE(LookupPrefix(t, "", "GA", kTampa).writeLabels);
}

// Independent reference: the haversine distance and the atan2 initial bearing.
BearingDistance Reference(double lat1, double lon1W, double lat2, double lon2W) {
    const double r = M_PI / 180, l1 = -lon1W * r, l2 = -lon2W * r, p1 = lat1 * r, p2 = lat2 * r;
    const double h = std::pow(std::sin((p2 - p1) / 2), 2) + std::cos(p1) * std::cos(p2) * std::pow(std::sin((l2 - l1) / 2), 2);
    const double angle = 2 * std::asin(std::sqrt(h));
    double b = std::atan2(std::sin(l2 - l1) * std::cos(p2), std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(l2 - l1)) / r;
    if (b < 0) b += 360;
    return {b, angle * 3955.75791314991};
}

TEST(BearingDistance, MatchesReferencePairs) {
    struct Pair { double lat1, lon1, lat2, lon2; };
    for (const Pair& p : {Pair{27.95, 82.46, 51.5, 0.12},    // Tampa - London
                          Pair{27.95, 82.46, 35.7, -139.7},  // Tampa - Tokyo
                          Pair{27.95, 82.46, -33.9, 151.2},  // Tampa - Sydney (west)
                          Pair{27.95, 82.46, 33.7, 84.4},    // Tampa - Atlanta
                          Pair{0, 0, 0, -90},                // a quarter of the equator, east
                          Pair{0, 0, 0, 90}}) {
        const auto got = ComputeBearingDistance(p.lat1, p.lon1, p.lat2, p.lon2);
        ASSERT_TRUE(got.has_value());
        const auto want = Reference(p.lat1, p.lon1, p.lat2, p.lon2);
        EXPECT_NEAR(got->bearing, want.bearing, 0.01) << p.lat2 << "," << p.lon2;
        EXPECT_NEAR(got->miles, want.miles, 0.5) << p.lat2 << "," << p.lon2;
    }
    const auto east = ComputeBearingDistance(0, 0, 0, -90);
    EXPECT_NEAR(east->bearing, 90, 1e-6);
    EXPECT_NEAR(east->miles, 6213.69, 0.01);
}

// Worked by hand from Tampa (27.95 N, 82.46 W; longitudes west positive) with the spherical
// law of cosines and the initial-course formula, 69.041 miles per degree.
TEST(BearingDistance, HandComputedPairsFromTampa) {
    struct Pair {
        const char* place;
        double lat, lon;
        double bearing, miles;
        const char* bearingText;
        const char* milesText;
    };
    for (const Pair& p : {Pair{"Hartford", 41.76, 72.68, 27.46, 1100.99, "27 ", "1,101 "},
                          Pair{"Anchorage", 61.2, 149.9, 327.09, 3795.25, "327 ", "3,795 "},
                          Pair{"Honolulu", 21.3, 157.8, 283.14, 4677.96, "283 ", "4,678 "},
                          Pair{"Berlin", 52.52, -13.40, 39.66, 4937.43, "40 ", "4,937 "},
                          Pair{"Tokyo", 35.68, -139.69, 325.65, 7248.42, "326 ", "7,248 "},
                          Pair{"Sydney", -33.87, -151.21, 248.63, 9257.43, "249 ", "9,257 "},
                          Pair{"Rio", -22.9, 43.2, 139.31, 4377.56, "139 ", "4,378 "},
                          Pair{"Cape Town", -33.92, -18.42, 117.24, 7841.17, "117 ", "7,841 "}}) {
        const auto got = ComputeBearingDistance(27.95, 82.46, p.lat, p.lon);
        ASSERT_TRUE(got.has_value()) << p.place;
        EXPECT_NEAR(got->bearing, p.bearing, 0.01) << p.place;
        EXPECT_NEAR(got->miles, p.miles, 0.05) << p.place;
        EXPECT_EQ(ShowBearingDistance(27.95, 82.46, p.lat, p.lon), (GeoTexts{p.bearingText, p.milesText})) << p.place;
    }
}

TEST(BearingDistance, NoAnswerShowsEmptyLabels) {
    // The own point and its antipode have no bearing. Near the poles the cosine of the own
    // point rounds just short of 1, and the formula alone would report a bearing there.
    struct Point { double lat, lon; };
    for (const Point& own : {Point{27.95, 82.46}, Point{-80, -170}, Point{-80, -162.87}, Point{63.59, 154.49},
                             Point{0, 0}, Point{89.9, 10}}) {
        EXPECT_FALSE(ComputeBearingDistance(own.lat, own.lon, own.lat, own.lon).has_value()) << own.lat << "," << own.lon;
        const double antiLon = own.lon > 0 ? own.lon - 180 : own.lon + 180;
        EXPECT_FALSE(ComputeBearingDistance(own.lat, own.lon, -own.lat, antiLon).has_value()) << own.lat << "," << own.lon;
        EXPECT_EQ(ShowBearingDistance(own.lat, own.lon, own.lat, own.lon), GeoTexts{});
    }
    // The 180th meridian written either way is one point.
    EXPECT_FALSE(ComputeBearingDistance(10, 180, 10, -180).has_value());
    // A neighbour a tenth of a mile to the east still has its answer.
    const double east = 0.1 / (69.041 * std::cos(27.95 * M_PI / 180));
    const auto near = ComputeBearingDistance(27.95, 82.46, 27.95, 82.46 - east);
    ASSERT_TRUE(near.has_value());
    EXPECT_NEAR(near->miles, 0.1, 0.001);
    EXPECT_NEAR(near->bearing, 90, 0.1);
    // On the own meridian: 360 - A for due north (180 due south), or no answer when rounding
    // leaves no angle; never a number that is not one.
    for (double lat : {40.0, 10.0}) {
        const auto g = ShowBearingDistance(27.95, 82.46, lat, 82.46);
        EXPECT_TRUE(g == GeoTexts{} || g.bearing == (lat > 27.95 ? "360 " : "180 ")) << g.bearing;
    }
}

TEST(BearingDistance, LabelFormats) {
    const auto g = ShowBearingDistance(0, 0, 0, -90);
    EXPECT_EQ(g.bearing, "90 ");
    EXPECT_EQ(g.miles, "6,214 ");
    // Below 0.5 no digits show, only the blank: a hair east of due north, and a tenth of a mile.
    EXPECT_EQ(ShowBearingDistance(0, 0, 10, -0.01).bearing, " ");
    EXPECT_EQ(ShowBearingDistance(0, 0, 10, 0.01).bearing, "360 ");
    EXPECT_EQ(ShowBearingDistance(0, 0, 0, -0.1 / 69.041).miles, " ");
}

TEST(CountryChange, CaptionStatePositionAndNewMarker) {
    station::StateCoordTable coords;
    coords.rows = {{"FL", 28.0f, 82.0f}, {"GA", 33.0f, 83.5f}};
    DxWorkedLists dx;
    dx.lists[0] = {"Japan"};
    const auto in = WindowKind::InState;
    const auto fl = CountryChanged(in, "fl", "FL", coords, dx, "PH", kTampa, {});
    EXPECT_TRUE(fl.countyCaptionEnabled);
    const auto ga = CountryChanged(in, "GA", "FL", coords, dx, "PH", kTampa, {});
    EXPECT_FALSE(ga.countyCaptionEnabled);
    ASSERT_TRUE(ga.geo.has_value());
    EXPECT_EQ(*ga.geo, ShowBearingDistance(27.95, 82.46, 33.0, 83.5));
    EXPECT_FALSE(CountryChanged(in, "ON", "FL", coords, dx, "PH", kTampa, {}).geo.has_value());
    EXPECT_FALSE(CountryChanged(WindowKind::OutOfState, "FL", "FL", coords, dx, "PH", kTampa, {}).countyCaptionEnabled);
}

TEST(CountryChange, NewMarkerPerModeAndExcludedNames) {
    DxWorkedLists dx;
    dx.lists[0] = {"Japan"};
    const auto in = WindowKind::InState;
    EXPECT_FALSE(IsNewCountry(in, "japan", dx, "PH", {}));
    EXPECT_TRUE(IsNewCountry(in, "Japan", dx, "CW", {}));
    EXPECT_TRUE(IsNewCountry(in, "Japan", dx, "DG", {}));
    EXPECT_TRUE(IsNewCountry(in, "Germany", dx, "PH", {}));
    for (const char* name : {"Not Found", "HAWAII", "Alaska", "Canada", "usa", "GA", "D"})
        EXPECT_FALSE(IsNewCountry(in, name, dx, "CW", {})) << name;
    EXPECT_TRUE(IsNewCountry(WindowKind::OutOfState, "Japan", dx, "PH", {}));
    // With a country table only its countries are new; a half-typed or made-up name is not.
    const auto countries = Table();
    EXPECT_TRUE(IsNewCountry(in, "Germany", dx, "PH", countries));
    EXPECT_FALSE(IsNewCountry(in, "Germ", dx, "PH", countries));
    EXPECT_FALSE(IsNewCountry(in, "Xxpa", dx, "PH", countries));
}

}  // namespace
