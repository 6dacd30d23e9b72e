#pragma once
// Editing one stored contact: the field checks, the duplicate scan and the write-back of the
// edit dialogs. The in-state dialog edits ten fields, the out-of-state dialog eight.

#include <string>
#include <vector>

#include "station/ContactLog.h"
#include "station/Tables.h"

class Session;

namespace logtools {

enum class EditKind { InState, OutOfState };

// The dialog's texts, one per field.
struct ContactEditFields {
    std::string call, rstReceived, county, rstSent, spc, date, time, mode, band, countySent;
};

ContactEditFields EditFieldsOf(const station::ContactRecord& record);

// A call as the entry line takes one: three characters at least, blanks not counted.
bool IsEditCall(const std::string& call);
bool IsEditBand(const std::string& band);  // 160, 80, 40, 20, 15, 10 or 6
bool IsEditMode(const std::string& mode);  // CW, PH or DG, any case
// In-state the worked county may be empty; out-of-state it must be a county of the table.
bool IsEditCounty(EditKind kind, const std::string& county, const station::CountyTable& counties);
bool IsCountyName(const std::string& county, const station::CountyTable& counties);
// Stored dates are yyyy/mm/dd, times hh:mm:ss or hh:mm; nothing else is accepted.
bool IsEditDate(const std::string& date);
bool IsEditTime(const std::string& time);
// In-state SPC: a two-character text must be one of the 67 codes; any other non-empty text must
// name a country of the country table (a junk text would count as a DX multiplier). Empty passes.
bool IsEditSpc(const std::string& spc, const station::PrefixTable& countries);

// The values as they will be stored: without quotes or control characters, and out-of-state
// with call, reports and county trimmed.
ContactEditFields StoredForm(EditKind kind, ContactEditFields fields);

// Record numbers (1-based) of the other contacts equal to the edit in every field of the
// duplicate key, ignoring case, compared as the values will be stored. In-state key: call,
// band, mode, county, county sent; out-of-state: call, band, mode, county.
std::vector<int> FindEditDuplicates(EditKind kind, const ContactEditFields& fields, const station::ContactLog& log,
                                    int editIndex);

enum class EditCheck { Ok, BadCall, BadTime, BadDate, BadBand, BadMode, BadCounty, BadCountySent, Duplicate, BadSpc };

struct EditDoneResult {
    EditCheck check = EditCheck::Ok;
    std::vector<int> duplicates;
};

// Done: upper-cases a short in-state SPC in fields, then checks call, time, date, band, mode,
// county, county sent, duplicates and the SPC, stopping at the first failure (duplicates are
// all listed). Every check runs here, so a value confirmed with Enter is checked too.
EditDoneResult CheckEditDone(EditKind kind, ContactEditFields& fields, const station::ContactLog& log, int editIndex,
                             const station::CountyTable& counties, const station::PrefixTable& countries);

// Writes the edited fields into the record; the other fields stay.
void StoreEdit(EditKind kind, const ContactEditFields& fields, station::ContactRecord& record);

inline constexpr const char* kDeleteFailed = "Unable to write log.txt - contact NOT deleted.";

// The delete command as the windows run it: asks "Are you sure?" and deletes contact k on Yes
// (log.txt rewritten). True when it was deleted; a log.txt that cannot be rewritten is reported
// and the contact stays.
bool ConfirmAndDelete(Session& session, int k);

}  // namespace logtools
