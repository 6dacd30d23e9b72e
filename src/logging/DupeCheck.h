#pragma once
// Duplicate contacts. The hard key refuses a contact: call, band, mode, county received and
// (in-state) own county. The rover warning only warns: call, band, mode and (in-state) own
// county, since a mobile station may be worked again from a new county. The partial list shows
// the calls logged on this band and mode (in-state: from this own county) that begin with the
// call being typed. All comparisons ignore case and never trim.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logging/Entry.h"
#include "logging/LoggingState.h"
#include "station/ContactLog.h"

namespace logging {

// The window's current values the keys compare against.
struct DupeContext {
    WindowKind kind = WindowKind::InState;
    std::string Band;       // CurrentBand
    std::string Mode;       // CurrentMode
    std::string OwnCounty;  // CurrentCounty (in-state key)
    std::string HomeState;  // "FL"
};

// Earlier contacts of the call fill empty fields (the first record that has a value wins):
// the county always out-of-state, in-state only while St/Prv equals HomeState (the St/Prv is
// filled first, so a home-state station gets both).
struct FilledFields {
    EntryFields fields;
    bool countyFilled = false;   // select the whole text of txtSec
    bool countryFilled = false;  // select the whole text of txtCntry
};

struct HardDupe : FilledFields {
    int record = 0;       // the first duplicate in log order, 0 for none
    std::string message;  // "Duplicate ..." for the status line (red), empty for none
};

// The hard check run when a contact is logged.
HardDupe DupCheck(const DupeContext& ctx, const station::ContactLog& log, EntryFields fields);
bool IsHardDupe(const DupeContext& ctx, const station::ContactLog& log, const EntryFields& fields);

std::string DuplicateMessage(WindowKind kind, const station::ContactRecord& record, int index);
std::string RoverWarningMessage(WindowKind kind, const station::ContactRecord& record, int index);

// The check on leaving the call field.
struct RoverCheck : FilledFields {
    // With List Previous Contacts on: every earlier record of the call, in log order, for the
    // recent-contacts list (which is emptied first).
    std::vector<int> previous;
    // In-state: an earlier contact outside the home state on this band, mode and own county
    // sent the entry to the hard check, which refused it (the entry line is then emptied).
    std::optional<HardDupe> hardDupe;
    // Records that raised the rover warning, each with a beep; the last one's message stays.
    std::vector<int> warnings;
    std::string message;  // the warning left in the status line (red), empty for none
};
RoverCheck DupCheck2(const DupeContext& ctx, const station::ContactLog& log, EntryFields fields,
                     bool listPrevious);

// The calls of the partial list for typed text: newest match first, each followed by a blank;
// the scan stops once the list passes 100 characters.
std::string PartialDupes(const DupeContext& ctx, const station::ContactLog& log, std::string_view typed);

// What one key in the call field does to the partial list and the status line. The key is the
// code after upper-casing (0 when the key was consumed); callText is the field before the key.
struct PartialCheck {
    std::string list;                   // lblDupe; its background is the list colour when not empty
    std::optional<std::string> dialog;  // new status text, nullopt = unchanged
    bool beep = false;
};
PartialCheck PartialDupCheck(const DupeContext& ctx, const station::ContactLog& log, std::string_view callText,
                             int key, bool partialOn, bool loggedOn);

}  // namespace logging
