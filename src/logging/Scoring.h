#pragma once
// Contest points and multipliers. A "PH" contact is worth 1 point, any other mode 2.
// Multipliers count per mode on CW and PH only (bands play no part): in-state a StateTable code
// (Spc of 2 characters) or a DX country (Spc longer than 2); out-of-state a county of the
// county table. Score = points x multipliers.

#include <string>
#include <string_view>
#include <vector>

#include "logging/LoggingState.h"
#include "station/ContactRecord.h"
#include "station/Tables.h"

class Session;

namespace logging {

int ContactPoints(std::string_view mode);

// The one rule for what counts as a DX country multiplier, used by the per-contact update, the
// full recount and the "New" marker: longer than 2 characters and none of "Not Found", "USA",
// "Canada", "Alaska", "Hawaii" (ignoring case).
bool IsDxCountry(std::string_view spc);

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
                         const station::CountyTable& counties);

// The full recount over the whole log, from zero.
void RecountScore(ScoreState& score, WindowKind kind, const std::vector<station::ContactRecord>& records,
                  const station::CountyTable& counties);

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
bool RefreshFromLog(Session& session, WindowKind kind, bool reloadFile);

}  // namespace logging
