#include "logging/StateTable.h"

#include <cstdint>

#include "logging/Text.h"

namespace logging {

const std::array<StateEntry, StateCount> StateTable = {{
    {"CT", "Connecticut"}, {"MA", "Massachusetts"}, {"ME", "Maine"}, {"NH", "New Hampshire"},
    {"RI", "Rhode Island"}, {"VT", "Vermont"}, {"NY", "New York"}, {"NJ", "New Jersey"},
    {"DE", "Delaware"}, {"PA", "Pennsylvania"}, {"MD", "Maryland"}, {"AL", "Alabama"},
    {"GA", "Georgia"}, {"KY", "Kentucky"}, {"NC", "North Carolina"}, {"FL", "Florida"},
    {"SC", "South Carolina"}, {"TN", "Tennessee"}, {"VA", "Virginia"}, {"AR", "Arkansas"},
    {"LA", "Louisiana"}, {"MS", "Mississippi"}, {"NM", "New Mexico"}, {"TX", "Texas"},
    {"OK", "Oklahoma"}, {"CA", "California"}, {"HI", "Hawaii"}, {"AZ", "Arizona"},
    {"WA", "Washington"}, {"ID", "Idaho"}, {"MT", "Montana"}, {"NV", "Nevada"},
    {"OR", "Oregon"}, {"UT", "Utah"}, {"WY", "Wyoming"}, {"AK", "Alaska"},
    {"MI", "Michigan"}, {"OH", "Ohio"}, {"WV", "West Virginia"}, {"IL", "Illinois"},
    {"IN", "Indiana"}, {"WI", "Wisconsin"}, {"CO", "Colorado"}, {"IA", "Iowa"},
    {"KS", "Kansas"}, {"MN", "Minnesota"}, {"MO", "Missouri"}, {"NE", "Nebraska"},
    {"ND", "North Dakota"}, {"SD", "South Dakota"}, {"NS", "Nova Scotia"}, {"NB", "New Brunswick"},
    {"NL", "Newfoundland / Labrador"}, {"PE", "Prince Edward Island"}, {"QC", "Quebec"},
    {"ON", "Ontario"}, {"MB", "Manitoba"}, {"SK", "Saskatchewan"}, {"AB", "Alberta"},
    {"BC", "British Columbia"}, {"R1", "Region 1"}, {"R2", "Region 2"}, {"R3", "Region 3"},
    {"DC", "District of Columbia"}, {"NT", "Northern Territories"}, {"NU", "Nunavut"},
    {"YT", "Yukon"},
}};

int StateIndex(std::string_view text) {
    // Every code has two characters: one table lookup by the case-folded pair (the recount
    // asks this for every contact).
    static const std::array<uint8_t, 65536> byPair = [] {
        std::array<uint8_t, 65536> t{};
        for (int i = StateCount; i >= 1; --i) {
            const auto code = StateTable[static_cast<size_t>(i - 1)].Abbrev;
            t[static_cast<unsigned char>(FoldCase(code[0])) * 256u + static_cast<unsigned char>(FoldCase(code[1]))] =
                static_cast<uint8_t>(i);
        }
        return t;
    }();
    if (text.size() != 2) return 0;
    return byPair[static_cast<unsigned char>(FoldCase(text[0])) * 256u + static_cast<unsigned char>(FoldCase(text[1]))];
}

std::string_view StateAbbrev(int i) {
    return i >= 1 && i <= StateCount ? StateTable[static_cast<size_t>(i - 1)].Abbrev : std::string_view();
}

std::string_view StateName(int i) {
    return i >= 1 && i <= StateCount ? StateTable[static_cast<size_t>(i - 1)].Name : std::string_view();
}

}  // namespace logging
