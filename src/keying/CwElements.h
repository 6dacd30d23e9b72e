#pragma once
// Morse code as the CW keyer keys it: each character is a string of units, "1" key down and
// "0" key up for one unit; dits and dahs are 1 and 3 units down, the gap inside a character
// one unit, and every code ends in "000", so characters are 3 units apart. The blank is 8
// units up, adjusted by the word-space setting. One unit is 1200 / WPM ms.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keying {

// The element string of a character (upper-cased first); empty for a character the table does
// not have ("!" included): it keys nothing and takes no time. "-" and "=" both send BT; "[" AR,
// "]" SK, ";" KN, "\" CL.
std::string_view CWElementTable(char c);

// The elements of one character as keyed with word-space adjustment n: the blank is 8 + n
// units up (n above 0 adds units; -8 or below leaves nothing); every other character is its
// table string.
std::string CharacterElements(char c, int wordSpace);

// How the keyer times a unit. Timer: the exact unit. Sleep: the unit rounded to whole
// milliseconds (halves to even), as a millisecond sleep would wait. Loop: the unit a counting
// loop calibrated at loopsPer60ms turns per 60 ms gives on a machine that really turns
// machineLoopsPer60ms (the tuning buttons shorten or lengthen it by changing the count).
enum class TimingMethod { Timer, Sleep, Loop };

struct UnitRule {
    TimingMethod method = TimingMethod::Timer;
    double loopsPer60ms = 0;
    double machineLoopsPer60ms = 0;
};

// Speeds the keyer keys at; outside them (0, negative, a typing slip) nothing is keyed.
constexpr double kMinWpm = 5;
constexpr double kMaxWpm = 99;
bool KeyableSpeed(double wpm);

// One unit in ms at wpm; 0 when the speed is not keyable or the rule gives no length.
double UnitMs(double wpm, const UnitRule& rule = {});

// The word-space adjustment as a whole number of units, at least -8.
int WordSpaceUnits(double value);

// The time `units` whole units take, in ns: the keying worker and the schedule both count
// from the start of a run of one speed, so rounding never accumulates.
int64_t UnitsToNs(int64_t units, double unitMs);

// When each edge of a text falls, in ns from the start of its first character.
struct ScheduledEdge {
    int64_t atNs;
    bool down;
    friend bool operator==(const ScheduledEdge&, const ScheduledEdge&) = default;
};
struct CwSchedule {
    std::vector<ScheduledEdge> edges;  // level changes only; the line starts key-up
    int64_t lengthNs = 0;              // to the end of the last character's last unit
};
CwSchedule ScheduleText(std::string_view text, double unitMs, int wordSpace);

}  // namespace keying
