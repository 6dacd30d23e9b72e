#include "logging/Scoring.h"

#include "logging/StateTable.h"
#include "logging/Text.h"
#include "station/LogStore.h"
#include "station/Session.h"

namespace logging {

namespace {
constexpr int kInCw = 1, kInPh = 2, kOutCw = 3, kOutPh = 4;

// The flag column of a contact's mode, 0 when the mode carries no multiplier.
int ColumnOf(WindowKind kind, std::string_view mode) {
    if (IEquals(mode, "CW")) return kind == WindowKind::InState ? kInCw : kOutCw;
    if (IEquals(mode, "PH")) return kind == WindowKind::InState ? kInPh : kOutPh;
    return 0;
}

bool ListHolds(const std::vector<std::string>& list, std::string_view text) {
    for (const auto& entry : list)
        if (IEquals(entry, text)) return true;
    return false;
}

void AddPoints(ScoreState& score, std::string_view mode) {
    score.QsoPoints += ContactPoints(mode);
    if (IEquals(mode, "PH")) score.PhContacts += 1;
    else if (IEquals(mode, "CW")) score.CwContacts += 1;
}
}  // namespace

int ContactPoints(std::string_view mode) { return IEquals(mode, "PH") ? 1 : 2; }

bool IsDxCountry(std::string_view spc) {
    if (spc.size() <= 2) return false;
    for (std::string_view name : {"Not Found", "USA", "Canada", "Alaska", "Hawaii"})
        if (IEquals(spc, name)) return false;
    return true;
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
                         const station::CountyTable& counties) {
    ScoreUpdate update;
    AddPoints(score, r.Mode);
    const int column = ColumnOf(kind, r.Mode);
    if (kind == WindowKind::InState) {
        if (r.Spc.size() == 2) {
            const int i = StateIndex(r.Spc);
            if (column && i && score.Worked.set(column, i)) {
                ++score.MultiplierCount;
                update.gridIndex = i;
            }
        } else if (IsDxCountry(r.Spc)) {
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
                  const station::CountyTable& counties) {
    score = ScoreState{};
    for (const auto& r : records) AddPoints(score, r.Mode);
    // Flags over the whole log, then the count of set flags.
    for (const auto& r : records) {
        const int column = ColumnOf(kind, r.Mode);
        if (!column) continue;
        const int i = kind == WindowKind::InState ? (r.Spc.size() == 2 ? StateIndex(r.Spc) : 0)
                                                  : CountyIndex(counties, r.County);
        if (i) score.Worked.set(column, i);
    }
    score.MultiplierCount = score.Worked.countSet();
    if (kind != WindowKind::InState) return;
    for (const auto& r : records) {
        if (!IsDxCountry(r.Spc)) continue;
        const int list = DxListOfMode(r.Mode);
        if (list < 0) continue;
        auto& entries = score.DxWorked.lists[static_cast<size_t>(list)];
        if (!ListHolds(entries, r.Spc)) entries.push_back(r.Spc);
    }
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

bool RefreshFromLog(Session& session, WindowKind kind, bool reloadFile) {
    if (reloadFile && !station::LoadLog(session)) return false;
    RecountScore(session.contest.score, kind, session.log.records(), session.counties);
    return true;
}

}  // namespace logging
