#pragma once
// The in-state window's copy of the 67 state, province and region codes and names (the grid's
// captions and tips), and the call-area groups the grid shows them in.

#include <array>
#include <string>

namespace window {

struct StateTable {
    static constexpr int Capacity = 100;  // entries 0..100; 1..67 are used
    static constexpr int Count = 67;
    std::array<std::string, Capacity + 1> StateAbbrevs;
    std::array<std::string, Capacity + 1> StateNames;
};

// Fills entries 1..67 and leaves 0 and 68..100 empty.
void FillStateTable(StateTable& table);

// The static headings of the grid and the table indexes under each, in the grid's order.
struct GridGroup {
    const char* heading;
    int column;                   // 1..4, the column of groups it stands in
    std::array<int, 13> members;  // 0 ends the list
    int size() const;
};
const std::array<GridGroup, 12>& GridGroups();

}  // namespace window
