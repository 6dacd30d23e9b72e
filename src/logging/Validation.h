#pragma once
// The field checks before a contact is stored: required fields, the in-state St/Prv code and
// the county name. All checks run; each failure is one message (beep, status line, focus).

#include <optional>
#include <string_view>
#include <vector>

#include "logging/Entry.h"
#include "logging/LoggingState.h"
#include "station/Tables.h"

namespace logging {

// Required fields, in order: county, report received, call (3 characters at least), in-state
// St/Prv/Country (empty or "Not Found"), report sent.
std::vector<StatusMessage> CheckRequiredFields(WindowKind kind, const EntryFields& fields,
                                               std::string_view homeState);

// In-state St/Prv/Country: an entry of exactly two characters must be a StateTable code
// ("Invald Section!"); any other entry must name a country of the country table
// (text + " is not a valid country!"), so junk never becomes a DX multiplier. An empty entry or
// "Not Found" is left to CheckRequiredFields. Focus: the St/Prv/Country field.
std::optional<StatusMessage> ValidateSection(std::string_view country, const station::PrefixTable& countries);

// nullopt when county equals a county name of the table (ignoring case, never trimmed).
std::optional<StatusMessage> ValidateCounty(std::string_view county, const station::CountyTable& counties);

struct Validation {
    bool MissingField = false;
    bool BadSection = false;
    bool BadEntry = false;
    // A valid code was found: the continent label shows "NA" when it is empty.
    bool continentNA = false;
    std::vector<StatusMessage> messages;  // in the order written; the last one stays
    bool passed() const { return !MissingField && !BadSection && !BadEntry; }
    const StatusMessage* last() const { return messages.empty() ? nullptr : &messages.back(); }
};

// The three checks of one logging attempt without the duplicate check, in the window's order.
// The county is taken as it stands (Mains expands an abbreviation first). In-state: the county
// is checked only when not empty; out-of-state the county is always checked.
Validation ValidateEntry(WindowKind kind, const EntryFields& fields, std::string_view homeState,
                         const station::CountyTable& counties, const station::PrefixTable& countries);

}  // namespace logging
