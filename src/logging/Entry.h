#pragma once
// The entry line as the rules see it: the texts of its five fields and names for the fields a
// decision moves the focus to.

#include <string>

namespace logging {

enum class EntryField { None, Call, RstReceived, Country, County, RstSent, PostConTime, PostConDate };

struct EntryFields {
    std::string Call;         // txtCall
    std::string RstReceived;  // txtRSTR
    std::string Country;      // txtCntry (St/Prv/Country; in-state only)
    std::string County;       // txtSec
    std::string RstSent;      // txtRSTS
    friend bool operator==(const EntryFields&, const EntryFields&) = default;
};

// A refusal written to the status line: each one beeps and moves the focus; when several are
// written for one Enter, the last one stays.
struct StatusMessage {
    std::string text;
    EntryField focus = EntryField::None;
    friend bool operator==(const StatusMessage&, const StatusMessage&) = default;
};

}  // namespace logging
