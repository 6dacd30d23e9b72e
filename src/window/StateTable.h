#pragma once
// The 67 states, provinces and regions of the in-state exchange, in the order of the call areas
// of the in-state window's grid. Index 1..67 as the scoring tables number them.

#include <array>
#include <string>

namespace window {

struct StateEntry {
    const char* abbrev;
    const char* name;
};

struct StateTable {
    static constexpr int Capacity = 100;  // entries 0..100; 1..67 are used
    static constexpr int Count = 67;
    std::array<std::string, Capacity + 1> StateAbbrevs;
    std::array<std::string, Capacity + 1> StateNames;
};

// Entry i (1..67) of the table; index 0 and beyond 67 are not entries.
const StateEntry& StateAt(int index);
// Fills entries 1..67 and leaves 0 and 68..100 empty.
void FillStateTable(StateTable& table);

// The static headings of the grid and the table indexes under each, in the grid's order.
struct GridGroup {
    const char* heading;
    std::array<int, 13> members;  // 0 ends the list
    int size() const;
};
const std::array<GridGroup, 12>& GridGroups();

}  // namespace window
