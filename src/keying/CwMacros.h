#pragma once
// The macros of the CW messages: "$" the call being worked, "#" the serial number (nothing
// sets it, so it is always empty), "*" the report sent, "^" the own county in its short form.
// Each value is used with its blanks at both ends removed.

#include <string>
#include <string_view>

#include "station/Tables.h"

namespace keying {

struct MacroSources {
    std::string CWCall;
    std::string CWNum;
    std::string CWRstSent;  // "*" turns "599" or empty into "5NN", here and for the caller
    std::string CWCounty;   // the own county, in capitals (empty out of state)
};

// Expands a message in one left-to-right pass: a value put in is never looked at again, so a
// call field holding "$" or "*" cannot make the message grow or change the report. The double
// quote, which no settings file could hold, is dropped. "!" stays: it logs the contact when
// the keyer reaches it.
std::string ExpandCwMacros(std::string_view message, MacroSources& sources, const station::CountyTable& counties);

// The county's abbreviation from the county table when it has a shorter, non-empty one (first
// name that matches, ignoring case); else the county as given.
std::string CntyAbbCW(const std::string& county, const station::CountyTable& counties);

}  // namespace keying
