#pragma once
// Logging one contact from the entry line: the checks in each window's order, the record, the
// append to log.txt, the score, and a rover's relog on a county line. It never waits and never
// lets other events run, so the window runs it to the end for each Enter (a second Enter while
// it runs is taken after it).

#include <optional>
#include <string>
#include <vector>

#include "logging/Entry.h"
#include "logging/LoggingState.h"
#include "logging/Scoring.h"
#include "station/ContactRecord.h"

namespace logging {

class LoggingRun;

struct MainsInput {
    EntryFields fields;
    // Post-contest mode: the typed date and time instead of the clock.
    bool postContest = false;
    std::string postConDate;
    std::string postConTime;
};

struct MainsResult {
    // Every message written to the status line, in order; each one beeps and moves the focus
    // to its field. The last one stays.
    std::vector<StatusMessage> messages;
    bool dialogRed = false;           // a duplicate was refused: the status line is red
    bool duplicate = false;           // the duplicate check refused the entry ("Dupe" prompt)
    bool clockStarted = false;        // Time On ran (caption "&Log "Time Off"")
    bool stored = false;              // a contact was appended and counted
    bool lineCleared = false;         // the entry line was emptied (stored or duplicate)
    EntryFields fields;               // the entry line after Mains (fills, expanded county)
    bool countyFilled = false;        // select the text of txtSec
    bool countryFilled = false;       // select the text of txtCntry
    std::optional<std::string> postConDate;  // rewritten post-contest fields
    std::optional<std::string> postConTime;
    std::vector<int> storedRecords;   // record numbers appended: the contact, then relog copies
    std::vector<ScoreUpdate> updates; // one per stored record
    bool relogged = false;            // a county-line relog ran (Label25 back to entry 0)
    bool continentNA = false;         // in-state code accepted: Label19 shows "NA" when empty
    // The status text when nothing was refused ("" after a stored contact).
    std::string finalDialog() const { return messages.empty() ? std::string() : messages.back().text; }
    EntryField finalFocus() const {
        if (lineCleared) return EntryField::Call;
        return messages.empty() ? EntryField::None : messages.back().focus;
    }
};

// The windows' first status texts; Mains repeats its window's text while no band or no mode is
// chosen.
inline constexpr const char* kInStatePrompt = "Select a band, mode and Click Log \"Time On\"!";
inline constexpr const char* kOutOfStatePrompt = "Select a band and mode. Click Log \"Time On\" below!";
const char* BandModePrompt(WindowKind kind);
// A band of the Band menu ("160" to "6") and a mode of the Mode menu ("CW", "PH", "DG", any
// case): a contact is logged only with both.
bool IsLoggingBand(std::string_view band);
bool IsLoggingMode(std::string_view mode);

inline constexpr const char* kAppendFailed = "Unable to write log.txt - contact NOT logged.";
inline constexpr const char* kLogFull = "The log is full (11000 contacts) - contact NOT logged.";

// Drops double quotes and control characters: log.txt cannot hold them in a field.
std::string SanitizeField(std::string_view text);

// The post-contest date ("yyyy/m/d" -> "yyyy/mm/dd") and time ("930" -> "09:30", "14:05");
// nullopt with its message when it does not parse.
struct PostContestValues {
    std::string date, time;
};
std::optional<PostContestValues> NormalizePostContest(const std::string& date, const std::string& time,
                                                      StatusMessage& failure, std::optional<std::string>& dateSoFar);

// The record the entry line gives, stamped from one clock reading (UTC = local + offset).
station::ContactRecord RecordFromEntry(const LoggingRun& run, WindowKind kind, const EntryFields& fields,
                                       const std::optional<PostContestValues>& post);

MainsResult Mains(LoggingRun& run, WindowKind kind, const MainsInput& input);

}  // namespace logging
