#pragma once
// The 67 multiplier codes of the in-state window: US states, Canadian provinces and
// territories, the three regions and DC, in the order of the state grid. Index 1..67.

#include <array>
#include <string_view>

namespace logging {

struct StateEntry {
    std::string_view Abbrev;
    std::string_view Name;
};

inline constexpr int StateCount = 67;

// Entry i (1..67) is StateTable[i - 1].
extern const std::array<StateEntry, StateCount> StateTable;

// The index 1..67 of the first code equal to text (ignoring case), 0 when none.
int StateIndex(std::string_view text);
// Code and name of index i (1..67); empty outside the range.
std::string_view StateAbbrev(int i);
std::string_view StateName(int i);

}  // namespace logging
