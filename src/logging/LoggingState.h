#pragma once
// What the logging windows keep between events besides the contact log: the score, the
// operating-time clock, the entry-check flags and the entry line's carried key. One copy lives
// in the run (LoggingRun::contest); the rules in this folder read and update it, the windows
// show it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace logging {

enum class WindowKind { InState, OutOfState };

// Which contacts the multiplier lists and the grid show: every mode, or the current one.
enum class ModeView { AllModes, CurrentMode };

// Multiplier flags: column 1/2 = in-state code worked on CW/PH, 3/4 = out-of-state county
// worked on CW/PH; row = StateTable index (1..67) or county row (1..CountyCount). Rows grow
// with the county table, so no county is ever out of reach.
class WorkedTable {
public:
    static constexpr int Columns = 9;
    static constexpr int MinRows = 100;

    bool isSet(int column, int row) const;
    // Sets the flag; true when it was not set before. Rows below 1 are ignored.
    bool set(int column, int row);
    void clear();
    int countSet() const;
    int countSet(int column) const;
    int rowCount() const { return static_cast<int>(rows_.size()) - 1; }

private:
    std::vector<std::array<uint8_t, Columns>> rows_;
};

// DX countries worked, in the order first logged: list 0 on PH, list 1 on CW.
struct DxWorkedLists {
    std::array<std::vector<std::string>, 2> lists;
    int count(int list) const { return static_cast<int>(lists.at(static_cast<size_t>(list)).size()); }
    void clear() { lists[0].clear(); lists[1].clear(); }
};

struct ScoreState {
    double QsoPoints = 0;
    double PhContacts = 0;
    double CwContacts = 0;
    int MultiplierCount = 0;  // flags set in WorkedTable
    WorkedTable Worked;
    DxWorkedLists DxWorked;
};

struct ClockState {
    bool LoggedOn = false;
    platform::DateTime LogOnTime;
};

struct LoggingState {
    ScoreState score;
    ClockState clock;

    // Flags of the current logging attempt; a contact is stored only when all are false.
    bool MissingField = false;
    bool BadSection = false;
    bool BadEntry = false;
    bool DupeFlag = false;
    platform::DateTime DupeTime;

    bool PartialDupesOn = true;     // the partial-call list (cmdDup "On"/"Off")
    ModeView View = ModeView::AllModes;
    bool ListAllContacts = false;   // recent-contacts list: "All" instead of "Last 20"
    std::string PendingFrequency;   // latest rig frequency, stored with the next contact
    // The band of the band table that reading lies in: a contact of another band stores no
    // frequency, so a stored frequency always lies in its contact's band.
    std::string PendingFrequencyBand;

    // The entry line's key hop under way (0 none) and the carried key as decimal text.
    uint8_t HopCode = 0;
    std::string CarriedKeyText;
    // The CW keyer's macro sources, kept equal to the call and report-sent fields.
    std::string CWCall;
    std::string CWRstSent;
    // The in-state station's own county in upper case (the county macro); empty out of state.
    std::string CWCounty;

    // A rover's county line: entry 0 is the current county, the others are relogged.
    std::vector<std::string> RoverCounties;
    int RoverRelogIndex = 0;

    double EditIndex = 0;           // record opened in the edit dialog
};

}  // namespace logging
