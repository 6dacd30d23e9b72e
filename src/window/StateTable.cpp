#include "window/StateTable.h"

#include "logging/StateTable.h"

namespace window {

namespace {
// Four columns of groups: 1, 2, 3 and the regions; 4 to 6; 7 to 9; 0 and Canada.
const std::array<GridGroup, 12> kGroups = {{
    {"1", 1, {1, 2, 3, 4, 5, 6}},
    {"2", 1, {7, 8}},
    {"3", 1, {9, 10, 11, 64}},
    {"Region", 1, {61, 62, 63}},
    {"4", 2, {12, 13, 14, 15, 16, 17, 18, 19}},
    {"5", 2, {20, 21, 22, 23, 24, 25}},
    {"6", 2, {26, 27}},
    {"7", 3, {28, 29, 30, 31, 32, 33, 34, 35, 36}},
    {"8", 3, {37, 38, 39}},
    {"9", 3, {40, 41, 42}},
    {"0", 4, {43, 44, 45, 46, 47, 48, 49, 50}},
    {"Canada", 4, {51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 65, 66, 67}},
}};
}  // namespace

void FillStateTable(StateTable& table) {
    table.StateAbbrevs.fill(std::string());
    table.StateNames.fill(std::string());
    for (int i = 1; i <= StateTable::Count; ++i) {
        table.StateAbbrevs[i] = std::string(logging::StateAbbrev(i));
        table.StateNames[i] = std::string(logging::StateName(i));
    }
}

int GridGroup::size() const {
    int n = 0;
    while (n < static_cast<int>(members.size()) && members[n] != 0) ++n;
    return n;
}

const std::array<GridGroup, 12>& GridGroups() { return kGroups; }

}  // namespace window
