#include "logging/ContactList.h"

#include "logging/DateText.h"

namespace logging {

std::vector<ContactColumn> ContactListColumns(WindowKind kind, bool rover) {
    if (kind == WindowKind::InState) {
        std::vector<ContactColumn> cols = {{"Rec#", 530}, {"Call", 850},      {"Rec", 430}, {"SPC", 910},
                                           {"County", 1050}, {"Snt", 420}, {"Date/Time", 890}, {"Mo", 430},
                                           {"Bnd", 430}};
        if (rover) cols.push_back({"County Sent", 1050});
        return cols;
    }
    return {{"Rec#", 550}, {"Call", 1200}, {"Rec", 430}, {"County", 1420}, {"Snt", 420},
            {"Date/Time", 900}, {"Mo", 430}, {"Bnd", 430}};
}

ContactRow RowOf(const station::ContactRecord& r, int index, WindowKind kind, bool rover) {
    ContactRow row;
    row.record = index;
    row.cells = {std::to_string(index), r.Call, r.RstReceived};
    if (kind == WindowKind::InState) row.cells.push_back(r.Spc);
    const std::string when = MonthDay(r.QsoDate) + " " + HourMinute(r.QsoTime);
    for (const std::string* cell : {&r.County, &r.RstSent, &when, &r.Mode, &r.Band}) row.cells.push_back(*cell);
    if (kind == WindowKind::InState && rover) row.cells.push_back(r.CountySent);
    return row;
}

std::vector<ContactRow> FillContactList(const station::ContactLog& log, WindowKind kind, bool rover, bool listAll) {
    std::vector<ContactRow> rows;
    const int count = log.ContactCount();
    const int first = listAll || count < 20 ? 1 : count - 19;
    for (int k = count; k >= first; --k) rows.push_back(RowOf(log.at(k), k, kind, rover));
    return rows;
}

const char* ListButtonCaption(bool listAll) { return listAll ? "All" : "Last 20"; }

int SelectedRecord(const station::ContactLog& log, const std::string& text) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
    const int k = std::stoi(text);
    return k >= 1 && k <= log.ContactCount() ? k : 0;
}

}  // namespace logging
