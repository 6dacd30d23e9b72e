#pragma once
// The entry line's key and focus rules on a model of its fields: upper-casing, the hop of a key
// that belongs to the next field, Space moving on, Enter logging, report presets by mode and
// the type-ahead of the location fields. The window copies its fields into an EntryLine, asks
// for the decision, writes the fields back and carries out the effects.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logging/Entry.h"
#include "logging/LoggingState.h"
#include "platform/Clock.h"
#include "station/Tables.h"

namespace logging {

// One text box: its text, the cursor (SelStart) and the selected length after it.
struct FieldState {
    std::string text;
    int selStart = 0;
    int selLength = 0;
    int maxLength = 0;  // 0: no limit
    friend bool operator==(const FieldState&, const FieldState&) = default;
};

struct EntryLine {
    FieldState call{"", 0, 0, 12};
    FieldState rstr{"", 0, 0, 3};
    FieldState cntry{"", 0, 0, 30};
    FieldState sec{"", 0, 0, 20};
    FieldState rsts{"", 0, 0, 3};
    FieldState postConTime{"", 0, 0, 5};
    FieldState postConDate{"", 0, 0, 10};
    FieldState& operator[](EntryField field);
    const FieldState& operator[](EntryField field) const { return const_cast<EntryLine&>(*this)[field]; }
    EntryFields texts() const { return {call.text, rstr.text, cntry.text, sec.text, rsts.text}; }
};

struct KeyContext {
    WindowKind kind = WindowKind::InState;
    bool loggedOn = false;
    std::string currentMode;
    std::string homeState;
    const station::PrefixTable* prefixes = nullptr;
    const station::CountyTable* counties = nullptr;
};

struct KeyEffects {
    std::vector<EntryField> focus;  // focus moves, in order; the last is where the focus ends
    bool runMains = false;          // Enter: log the line (after the key is dealt with)
    bool sendTab = false;           // report sent / post-contest Space: next control in tab order
    int beeps = 0;
    std::optional<std::string> dialog;  // new status text, nullopt = unchanged
    std::optional<int> partialKey;  // call field: run PartialDupCheck with this key code
    bool clearLocation = false;     // empty the continent, bearing and distance labels
    bool clearDupeFlag = false;     // in-state: a key after a refused duplicate
    int typeAheadRow = 0;           // country completed from this prefix row (1-based):
                                    // continent label and bearing/distance from it
    bool countryChanged = false;    // txtCntry's text was written (run its change decisions)
};

// A key typed into a field. The field's handler runs (hops call the next field's handler with
// the same key), then whatever key is left is typed into the field as a text box would
// (replacing the selection, Backspace deleting, MaxLength kept).
KeyEffects KeyPress(EntryLine& line, EntryField field, int16_t key, LoggingState& state, const KeyContext& ctx);

// Typing one key into a text box.
void TypeKey(FieldState& field, int16_t key);

// Leaving a non-empty call field (after the rover check): empty reports get "59" (PH) or
// "599", all selected.
void PresetReports(EntryLine& line, std::string_view currentMode);

// The report fields' MaxLength for a mode: 2 for PH, else 3.
int ReportMaxLength(std::string_view mode);

struct FocusEffects {
    std::vector<EntryField> focus;    // the focus goes on (in-state county field of another state)
    std::vector<std::string> prompts; // voice prompts to play, in order
    bool hideEditDelete = false;
    bool refillList = false;
    std::optional<bool> countyCaptionEnabled;
};

// Entering a field: the call field empties the reports when it is empty; the in-state
// St/Prv/Country field offers HomeState selected; the in-state county field sends the focus on
// for a station outside the home state. voiceNavMode: 0 off, 1 call only, 2 all fields.
FocusEffects GotFocus(EntryLine& line, EntryField field, const KeyContext& ctx, int voiceNavMode, int listRows,
                      int contactCount);

// The post-contest date field gets today's local date when entered empty.
void PostConDateGotFocus(FieldState& date, const platform::DateTime& localNow);

// Esc / Clear: five empty fields (the window also resets the status lines and labels).
void ClearEntries(EntryLine& line);

}  // namespace logging
