#pragma once
// Contest points and multipliers. A "PH" contact is worth 1 point, any other mode 2.
// Multipliers count per mode on CW and PH only (bands play no part): in-state a StateTable code
// (Spc of 2 characters) or a DX country (Spc longer than 2); out-of-state a county of the
// county table. Score = points x multipliers.

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "logging/LoggingState.h"
#include "station/ContactRecord.h"
#include "station/Tables.h"

namespace logging {

class LoggingRun;

int ContactPoints(std::string_view mode);

// True when text names a country of the prefix table's Country column (the names the
// type-ahead completes from), ignoring letter case and apostrophes (the logging windows drop
// the apostrophe key, so "Cote dIvoire" typed out is "Cote d'Ivoire").
bool IsCountryName(const station::PrefixTable& countries, std::string_view text);

// The one rule for what counts as a DX country multiplier, used by the per-contact update, the
// full recount, the DX list and the "New" marker: longer than 2 characters, none of "Not Found",
// "USA", "Canada", "Alaska", "Hawaii" (ignoring case), and a country of the country table. Junk
// such as "Xxpa" is no multiplier. Without a country table (no arrlpre2.txt anywhere) nothing
// can be checked, and every such name counts.
bool IsDxCountry(std::string_view spc, const station::PrefixTable& countries);

// The same rule for many records: each spelling met is looked up in the table once (the table
// is indexed once a log has named many countries).
class DxCountryRule {
public:
    explicit DxCountryRule(const station::PrefixTable& countries) : countries_(countries) {}
    bool operator()(std::string_view spc);

private:
    const station::PrefixTable& countries_;
    static constexpr size_t kScansBeforeIndex = 24;
    std::unordered_map<std::string, bool> answers_;
    std::unordered_set<std::string> folded_;
};

// DX list of a mode: 0 for "PH", 1 for "CW", -1 for any other mode.
int DxListOfMode(std::string_view mode);

// The index 1..CountyCount of the first county name equal to text, 0 when none.
int CountyIndex(const station::CountyTable& counties, std::string_view text);

// What a per-contact update changed, for the windows to colour and list.
struct ScoreUpdate {
    int gridIndex = 0;     // in-state: StateTable index newly worked (grid label to colour)
    bool dxAdded = false;  // in-state: Spc appended to the DX list of its mode
};

// The per-contact update after a contact is stored (points, counts, multiplier flags, DX lists).
ScoreUpdate CountContact(ScoreState& score, WindowKind kind, const station::ContactRecord& record,
                         const station::CountyTable& counties, const station::PrefixTable& countries);

// The full recount over the whole log, from zero.
void RecountScore(ScoreState& score, WindowKind kind, const std::vector<station::ContactRecord>& records,
                  const station::CountyTable& counties, const station::PrefixTable& countries);

// The number of multipliers: in-state flags + both DX lists, out-of-state flags.
int MultiplierTotal(const ScoreState& score, WindowKind kind);
double TotalScore(const ScoreState& score, WindowKind kind);

// The four score labels: PH contacts, CW contacts, multipliers, score; thousands grouped.
struct ScoreTexts {
    std::string PhContacts, CwContacts, Multipliers, Score;
};
ScoreTexts ShowScore(const ScoreState& score, WindowKind kind, char thousandsSeparator = ',');

// Recounts the score. With reloadFile, log.txt is read into memory first (after a new, opened,
// restored, edited or deleted log); otherwise memory is recounted (band, mode and view changes:
// memory equals the file once every append is checked). False when the file could not be read;
// LoadLog has then reported it.
bool RefreshFromLog(LoggingRun& run, WindowKind kind, bool reloadFile);

}  // namespace logging
