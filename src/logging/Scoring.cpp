#include "logging/Scoring.h"

#include <array>
#include <unordered_map>
#include <unordered_set>

#include "logging/LoggingRun.h"
#include "logging/StateTable.h"
#include "logging/Text.h"
#include "station/LogStore.h"

namespace logging {

namespace {
constexpr int kInCw = 1, kInPh = 2, kOutCw = 3, kOutPh = 4;

enum class ModeKind { Ph, Cw, Other };

ModeKind Classify(std::string_view mode) {
    if (IEquals(mode, "PH")) return ModeKind::Ph;
    if (IEquals(mode, "CW")) return ModeKind::Cw;
    return ModeKind::Other;
}

// The flag column of a contact's mode, 0 when the mode carries no multiplier.
int ColumnOf(WindowKind kind, ModeKind mode) {
    const bool in = kind == WindowKind::InState;
    if (mode == ModeKind::Cw) return in ? kInCw : kOutCw;
    if (mode == ModeKind::Ph) return in ? kInPh : kOutPh;
    return 0;
}

int ColumnOf(WindowKind kind, std::string_view mode) { return ColumnOf(kind, Classify(mode)); }

bool ListHolds(const std::vector<std::string>& list, std::string_view text) {
    for (const auto& entry : list)
        if (IEquals(entry, text)) return true;
    return false;
}

void AddPoints(ScoreState& score, ModeKind mode) {
    score.QsoPoints += mode == ModeKind::Ph ? 1 : 2;
    if (mode == ModeKind::Ph) score.PhContacts += 1;
    else if (mode == ModeKind::Cw) score.CwContacts += 1;
}
}  // namespace

int ContactPoints(std::string_view mode) { return IEquals(mode, "PH") ? 1 : 2; }

namespace {
// Country names compare ignoring letter case and apostrophes.
std::string FoldCountry(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\'') out += FoldCase(c);
    return out;
}

bool SameCountry(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && a[i] == '\'') ++i;
        while (j < b.size() && b[j] == '\'') ++j;
        if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
        if (FoldCase(a[i]) != FoldCase(b[j])) return false;
        ++i;
        ++j;
    }
}

// Longer than 2 characters and no name that stands for a non-DX station.
bool DxShaped(std::string_view spc) {
    if (spc.size() <= 2) return false;
    for (std::string_view name : {"Not Found", "USA", "Canada", "Alaska", "Hawaii"})
        if (IEquals(spc, name)) return false;
    return true;
}
}  // namespace

bool IsCountryName(const station::PrefixTable& countries, std::string_view text) {
    for (const auto& row : countries.rows)
        if (SameCountry(row.Country, text)) return true;
    return false;
}

bool IsDxCountry(std::string_view spc, const station::PrefixTable& countries) {
    return DxShaped(spc) && (countries.rows.empty() || IsCountryName(countries, spc));
}

bool DxCountryRule::operator()(std::string_view spc) {
    if (!DxShaped(spc)) return false;
    if (countries_.rows.empty()) return true;
    // A log names a few dozen countries, each many times: each spelling is looked up once. A
    // log of very many countries gets the table's names indexed instead of scanned each time.
    std::string key(spc);
    const auto known = answers_.find(key);
    if (known != answers_.end()) return known->second;
    bool found = false;
    if (answers_.size() < kScansBeforeIndex) {
        found = IsCountryName(countries_, spc);
    } else {
        if (folded_.empty()) {
            const std::string* previous = nullptr;  // neighbouring rows mostly share a country
            for (const auto& row : countries_.rows) {
                if (previous && row.Country == *previous) continue;
                previous = &row.Country;
                folded_.insert(FoldCountry(row.Country));
            }
        }
        found = folded_.count(FoldCountry(spc)) > 0;
    }
    answers_.emplace(std::move(key), found);
    return found;
}

int DxListOfMode(std::string_view mode) {
    if (IEquals(mode, "PH")) return 0;
    if (IEquals(mode, "CW")) return 1;
    return -1;
}

int CountyIndex(const station::CountyTable& counties, std::string_view text) {
    for (size_t i = 0; i < counties.rows.size(); ++i)
        if (IEquals(counties.rows[i].Name, text)) return static_cast<int>(i) + 1;
    return 0;
}

ScoreUpdate CountContact(ScoreState& score, WindowKind kind, const station::ContactRecord& r,
                         const station::CountyTable& counties, const station::PrefixTable& countries) {
    ScoreUpdate update;
    AddPoints(score, Classify(r.Mode));
    const int column = ColumnOf(kind, r.Mode);
    if (kind == WindowKind::InState) {
        if (r.Spc.size() == 2) {
            const int i = StateIndex(r.Spc);
            if (column && i && score.Worked.set(column, i)) {
                ++score.MultiplierCount;
                update.gridIndex = i;
            }
        } else if (IsDxCountry(r.Spc, countries)) {
            const int list = DxListOfMode(r.Mode);
            if (list >= 0 && !ListHolds(score.DxWorked.lists[static_cast<size_t>(list)], r.Spc)) {
                score.DxWorked.lists[static_cast<size_t>(list)].push_back(r.Spc);
                update.dxAdded = true;
            }
        }
    } else {
        const int i = CountyIndex(counties, r.County);
        if (column && i && score.Worked.set(column, i)) ++score.MultiplierCount;
    }
    return update;
}

void RecountScore(ScoreState& score, WindowKind kind, const std::vector<station::ContactRecord>& records,
                  const station::CountyTable& counties, const station::PrefixTable& countries) {
    // One pass over the log: points and counts, the flags (counted at the end), and the DX
    // lists, each country once per mode. Lookups go through case-folded indexes built here,
    // so the recount stays linear in the log.
    score = ScoreState{};
    const bool in = kind == WindowKind::InState;
    std::unordered_map<std::string, int> countyRow;
    if (!in)
        for (int i = counties.CountyCount(); i >= 1; --i) countyRow[ToUpper(counties.rows[static_cast<size_t>(i - 1)].Name)] = i;
    std::array<std::unordered_set<std::string>, 2> dxSeen;
    DxCountryRule isDx(countries);
    for (const auto& r : records) {
        const ModeKind mode = Classify(r.Mode);
        AddPoints(score, mode);
        const int column = ColumnOf(kind, mode);
        if (!column) continue;
        if (in) {
            if (r.Spc.size() == 2) {
                if (const int i = StateIndex(r.Spc)) score.Worked.set(column, i);
            } else if (isDx(r.Spc)) {
                const int list = mode == ModeKind::Ph ? 0 : 1;
                if (dxSeen[static_cast<size_t>(list)].insert(ToUpper(r.Spc)).second)
                    score.DxWorked.lists[static_cast<size_t>(list)].push_back(r.Spc);
            }
        } else if (!r.County.empty()) {
            const auto it = countyRow.find(ToUpper(r.County));
            if (it != countyRow.end()) score.Worked.set(column, it->second);
        }
    }
    score.MultiplierCount = score.Worked.countSet();
}

int MultiplierTotal(const ScoreState& score, WindowKind kind) {
    if (kind == WindowKind::OutOfState) return score.MultiplierCount;
    return score.MultiplierCount + score.DxWorked.count(0) + score.DxWorked.count(1);
}

double TotalScore(const ScoreState& score, WindowKind kind) {
    return score.QsoPoints * static_cast<double>(MultiplierTotal(score, kind));
}

ScoreTexts ShowScore(const ScoreState& score, WindowKind kind, char sep) {
    return {FormatGrouped(score.PhContacts, sep), FormatGrouped(score.CwContacts, sep),
            FormatGrouped(MultiplierTotal(score, kind), sep), FormatGrouped(TotalScore(score, kind), sep)};
}

bool RefreshFromLog(LoggingRun& run, WindowKind kind, bool reloadFile) {
    if (reloadFile && !station::LoadLog(run)) return false;
    RecountScore(run.contest.score, kind, run.log.records(), run.counties, run.prefixes);
    return true;
}

}  // namespace logging
