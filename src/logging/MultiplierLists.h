#pragma once
// The worked / still-to-go county lists, the in-state DX list and the 67-label grid, per mode
// view ("All Modes" or "Crnt Mode"). Lists are sorted alphabetically (ignoring case).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logging/LoggingState.h"
#include "station/ContactLog.h"
#include "station/Tables.h"

namespace logging {

struct CountyLists {
    std::vector<std::string> worked;     // List2
    std::vector<std::string> remaining;  // in-state List3, out-of-state List1
    std::string workedHeading;           // "Cnty Wkd - n" / "Counties Worked - n"
    std::string remainingHeading;        // "Cnty Rem - n" / "Counties To Go - n"
};

// From the log: every county of a contact in the view (a county not in the table is still
// listed as worked), the table's counties less those.
CountyLists BuildCountyLists(WindowKind kind, const station::ContactLog& log, const station::CountyTable& counties,
                             ModeView view, std::string_view currentMode);
// After a stored contact with a non-empty county (the newest contact always has the current mode).
void UpdateCountyLists(CountyLists& lists, WindowKind kind, std::string_view county);

struct DxList {
    std::vector<std::string> entries;    // List1 (in-state)
    std::optional<std::string> heading;  // "DX All - n" / "DX PH - n"; nullopt = unchanged
};
DxList ShowDXList(const station::ContactLog& log, const DxWorkedLists& dx, ModeView view, std::string_view currentMode,
                  const station::PrefixTable& countries);
// After AddDXMult took spc into the worked list of the current mode.
void AddDxEntry(DxList& list, const DxWorkedLists& dx, ModeView view, std::string_view currentMode, std::string_view spc);

// Grid label i (1..67) shows WorkedColor when worked[i] (index 0 unused).
std::array<bool, 68> ShowSectionsWorked(const WorkedTable& worked, ModeView view, std::string_view currentMode);

// The hover text of grid label i: "  " + name + "    Total = " + contacts carrying the code.
std::string GridHoverText(const station::ContactLog& log, int index);

// Command1's caption for a view and the view after a click.
const char* ViewCaption(ModeView view);
ModeView ToggleView(ModeView view);

}  // namespace logging
