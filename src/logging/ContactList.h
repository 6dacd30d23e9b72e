#pragma once
// The rows of the recent-contacts list (ListView1): newest first, the last 20 or all. A row's
// first cell is its record number; edit and delete find the record through it.

#include <string>
#include <vector>

#include "logging/LoggingState.h"
#include "station/ContactLog.h"

namespace logging {

struct ContactColumn {
    const char* heading;
    int widthN;  // width = window width x N / 9600
};

// "Rec#", "Call", "Rec", "SPC" (in-state), "County", "Snt", "Date/Time", "Mo", "Bnd",
// "County Sent" (in-state rover).
std::vector<ContactColumn> ContactListColumns(WindowKind kind, bool rover);

struct ContactRow {
    int record = 0;
    std::vector<std::string> cells;  // one per column; cells[0] is the record number
};

// One row in the list's column order; "Date/Time" is "mm/dd hh:nn".
ContactRow RowOf(const station::ContactRecord& record, int index, WindowKind kind, bool rover);

// Newest first: every contact with listAll, else the newest 20.
std::vector<ContactRow> FillContactList(const station::ContactLog& log, WindowKind kind, bool rover, bool listAll);

// cmdList's caption: "Last 20" or "All".
const char* ListButtonCaption(bool listAll);

// The record an edit or delete acts on: the selected row's number, 0 when no row is selected
// or the number is no record (the command then does nothing).
int SelectedRecord(const station::ContactLog& log, const std::string& selectedRowText);

}  // namespace logging
