#pragma once
// The country of a call by its longest matching prefix, the St/Prv/Country change decisions,
// and the great-circle bearing and distance from the own station. Longitudes are positive to
// the west, as the profile and the table files hold them.

#include <optional>
#include <string>
#include <string_view>

#include "logging/LoggingState.h"
#include "station/Tables.h"

namespace logging {

// A call with a suffix of 2 characters or more after its first "/", shorter than half the
// call, is looked up by that suffix alone; any other call whole.
std::string SlashRule(std::string_view call);

// The best row (1-based) of the prefix table for the working call w, 0 for none: the longest
// prefix that w begins with, the first met on equal length. The search starts near the first
// letter's share of the table and scans up or down; the start row is clamped to the table.
struct PrefixMatch {
    int row = 0;
    std::string country;
};
PrefixMatch SearchPrefix(const station::PrefixTable& table, std::string_view w, bool caseSensitive);

// The country of a spotted call: the matched row's country, "USA" for a "KG4" call longer
// than 5 characters, empty when nothing matches. Letter case counts.
std::string LookupCountry(const station::PrefixTable& table, std::string_view call);

// Bearing (degrees clockwise from true north) and distance (statute miles); nullopt where the
// formula has no answer: the own point, its antipode, or rounding that leaves no angle.
struct BearingDistance {
    double bearing = 0;
    double miles = 0;
};
std::optional<BearingDistance> ComputeBearingDistance(double stationLat, double stationLon, double lat, double lon);

// The texts of the bearing and miles labels ("###" and "##,###", each followed by a blank;
// a value below 0.5 shows no digits). Both empty when there is no answer.
struct GeoTexts {
    std::string bearing;
    std::string miles;
    friend bool operator==(const GeoTexts&, const GeoTexts&) = default;
};
GeoTexts ShowBearingDistance(double stationLat, double stationLon, double lat, double lon);

struct StationPosition {
    double latitude = 0;
    double longitude = 0;
};

// What the in-state call-field lookup writes. countryText nullopt = the field is left as it
// is (a USA or Canada call, or an empty call); the labels are written afterwards, after the
// field's own change handling has run.
struct PrefixLookup {
    std::optional<std::string> countryText;
    std::string continent;  // Label19
    GeoTexts geo;           // Label22, Label23
    // The lookup writes the labels (false only for an empty call that left no "Not Found").
    bool writeLabels = true;
};
// call: the text of txtCall; currentCountry: the text of txtCntry before the lookup.
PrefixLookup LookupPrefix(const station::PrefixTable& table, std::string_view call,
                          std::string_view currentCountry, const StationPosition& station);

// What a change of the St/Prv/Country text decides.
struct CountryChange {
    bool countyCaptionEnabled = false;  // in-state: the text is HomeState
    // A state position row matched a 2-character code: continent "NA" and its bearing/miles.
    std::optional<GeoTexts> geo;
    bool newVisible = false;            // the "New" marker
};
CountryChange CountryChanged(WindowKind kind, std::string_view text, std::string_view homeState,
                             const station::StateCoordTable& coords, const DxWorkedLists& dx,
                             std::string_view currentMode, const StationPosition& station,
                             const station::PrefixTable& countries);

// "New": a DX country not yet in the worked list of the current mode (in-state; any other
// mode than PH/CW, and out-of-state, show it for every DX country).
bool IsNewCountry(WindowKind kind, std::string_view text, const DxWorkedLists& dx, std::string_view currentMode,
                  const station::PrefixTable& countries);

}  // namespace logging
