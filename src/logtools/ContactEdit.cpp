#include "logtools/ContactEdit.h"

#include "logging/Scoring.h"
#include "logging/StateTable.h"
#include "logging/Text.h"
#include "logtools/ContactTime.h"
#include "platform/Platform.h"
#include "session/Session.h"
#include "station/LogStore.h"

namespace logtools {

ContactEditFields EditFieldsOf(const station::ContactRecord& r) {
    return {r.Call, r.RstReceived, r.County, r.RstSent, r.Spc, r.QsoDate, r.QsoTime, r.Mode, r.Band, r.CountySent};
}

bool IsEditCall(const std::string& call) { return logging::Trim(call).size() >= 3; }

bool IsEditBand(const std::string& band) {
    for (const char* b : {"160", "80", "40", "20", "15", "10", "6"}) {
        if (band == b) return true;
    }
    return false;
}

bool IsEditMode(const std::string& mode) {
    return logging::SameText(mode, "CW") || logging::SameText(mode, "PH") || logging::SameText(mode, "DG");
}

bool IsCountyName(const std::string& county, const station::CountyTable& counties) {
    for (const auto& row : counties.rows) {
        if (logging::SameText(row.Name, county)) return true;
    }
    return false;
}

bool IsEditCounty(EditKind kind, const std::string& county, const station::CountyTable& counties) {
    if (kind == EditKind::InState && county.empty()) return true;
    return IsCountyName(county, counties);
}

bool IsEditDate(const std::string& date) { return ParseQsoDate(date).has_value(); }
bool IsEditTime(const std::string& time) { return ParseQsoTime(time).has_value(); }

bool IsEditSpc(const std::string& spc, const station::PrefixTable& countries) {
    if (spc.size() == 2) return logging::StateIndex(spc) != 0;
    return spc.empty() || countries.rows.empty() || logging::IsCountryName(countries, spc);
}

ContactEditFields StoredForm(EditKind kind, ContactEditFields f) {
    // What a paste or a stray key left in a field (a TAB, a DEL, a line break) is never stored.
    for (std::string* v : {&f.call, &f.rstReceived, &f.county, &f.rstSent, &f.spc, &f.date, &f.time, &f.mode, &f.band,
                           &f.countySent})
        *v = station::CleanText(*v);
    if (kind == EditKind::OutOfState) {
        f.call = logging::Trim(f.call);
        f.rstSent = logging::Trim(f.rstSent);
        f.county = logging::Trim(f.county);
        f.rstReceived = logging::Trim(f.rstReceived);
    }
    return f;
}

std::vector<int> FindEditDuplicates(EditKind kind, const ContactEditFields& fields, const station::ContactLog& log,
                                    int editIndex) {
    const ContactEditFields f = StoredForm(kind, fields);
    std::vector<int> found;
    for (int k = 1; k <= log.ContactCount(); ++k) {
        if (k == editIndex) continue;
        const auto& r = log.at(k);
        bool same = logging::SameText(f.call, r.Call) && logging::SameText(f.band, r.Band) &&
                    logging::SameText(f.mode, r.Mode) && logging::SameText(f.county, r.County);
        if (kind == EditKind::InState) same = same && logging::SameText(f.countySent, r.CountySent);
        if (same) found.push_back(k);
    }
    return found;
}

EditDoneResult CheckEditDone(EditKind kind, ContactEditFields& f, const station::ContactLog& log, int editIndex,
                             const station::CountyTable& counties, const station::PrefixTable& countries) {
    EditDoneResult result;
    if (kind == EditKind::InState && f.spc.size() < 3) f.spc = logging::UpperCase(f.spc);
    auto fail = [&](EditCheck c) {
        result.check = c;
        return result;
    };
    // The checks look at the values as they will be stored.
    const ContactEditFields s = StoredForm(kind, f);
    // An empty call would still score (a contact and maybe a multiplier) and only the
    // submission file would notice, long after.
    if (!IsEditCall(s.call)) return fail(EditCheck::BadCall);
    if (!IsEditTime(s.time)) return fail(EditCheck::BadTime);
    if (!IsEditDate(s.date)) return fail(EditCheck::BadDate);
    if (!IsEditBand(s.band)) return fail(EditCheck::BadBand);
    if (!IsEditMode(s.mode)) return fail(EditCheck::BadMode);
    if (!IsEditCounty(kind, s.county, counties)) return fail(EditCheck::BadCounty);
    if (kind == EditKind::InState && !IsCountyName(s.countySent, counties)) return fail(EditCheck::BadCountySent);
    result.duplicates = FindEditDuplicates(kind, f, log, editIndex);
    if (!result.duplicates.empty()) return fail(EditCheck::Duplicate);
    if (kind == EditKind::InState && !IsEditSpc(s.spc, countries)) return fail(EditCheck::BadSpc);
    return result;
}

void StoreEdit(EditKind kind, const ContactEditFields& fields, station::ContactRecord& r) {
    const ContactEditFields f = StoredForm(kind, fields);
    r.Call = f.call;
    r.RstReceived = f.rstReceived;
    r.County = f.county;
    r.RstSent = f.rstSent;
    r.QsoDate = f.date;
    r.QsoTime = f.time;
    r.Mode = f.mode;
    r.Band = f.band;
    if (kind == EditKind::InState) {
        r.Spc = f.spc;
        r.CountySent = f.countySent;
    }
}

bool ConfirmAndDelete(Session& session, int k) {
    auto& dialogs = session.platform.dialogs;
    const auto answer =
        dialogs.messageBox("Are you sure?", platform::MsgButtons::YesNo, platform::MsgIcon::None, "Are you sure?");
    if (answer != platform::MsgResult::Yes) return false;
    if (station::DeleteQso(session, k)) return true;
    // The file could not be rewritten: memory still holds the contact, as log.txt does.
    dialogs.messageBox(kDeleteFailed, platform::MsgButtons::OK, platform::MsgIcon::Critical, "File Error");
    return false;
}

}  // namespace logtools
