#include "window/StateTable.h"

#include <stdexcept>

namespace window {

namespace {
const StateEntry kStates[StateTable::Count] = {
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
    {"DC", "District of Columbia"}, {"NT", "Northern Territories"}, {"NU", "Nunavut"}, {"YT", "Yukon"},
};

const std::array<GridGroup, 12> kGroups = {{
    {"1", {1, 2, 3, 4, 5, 6}},
    {"2", {7, 8}},
    {"3", {9, 10, 11, 64}},
    {"4", {12, 13, 14, 15, 16, 17, 18, 19}},
    {"5", {20, 21, 22, 23, 24, 25}},
    {"6", {26, 27}},
    {"7", {28, 29, 30, 31, 32, 33, 34, 35, 36}},
    {"8", {37, 38, 39}},
    {"9", {40, 41, 42}},
    {"0", {43, 44, 45, 46, 47, 48, 49, 50}},
    {"Canada", {51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 65, 66, 67}},
    {"Region", {61, 62, 63}},
}};
}  // namespace

const StateEntry& StateAt(int index) {
    if (index < 1 || index > StateTable::Count) throw std::out_of_range("state index");
    return kStates[index - 1];
}

void FillStateTable(StateTable& table) {
    table.StateAbbrevs.fill(std::string());
    table.StateNames.fill(std::string());
    for (int i = 1; i <= StateTable::Count; ++i) {
        table.StateAbbrevs[i] = StateAt(i).abbrev;
        table.StateNames[i] = StateAt(i).name;
    }
}

int GridGroup::size() const {
    int n = 0;
    while (n < static_cast<int>(members.size()) && members[n] != 0) ++n;
    return n;
}

const std::array<GridGroup, 12>& GridGroups() { return kGroups; }

}  // namespace window
