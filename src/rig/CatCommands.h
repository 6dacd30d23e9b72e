#pragma once
// What goes to the rig: the poll requests of each rig type, the bytes sent when the port opens
// and closes, and the frequency and mode commands, all as byte strings built by pure functions.

#include <optional>
#include <string>

#include "rig/RigTypeTable.h"

namespace rig {

// The read strings and hex option the poll requests are built from.
struct ReadStrings {
    std::string freq;  // "String to read frequency"
    std::string mode;  // "String to read mode"
    bool convertToHex = false;  // "Other" only: the strings are spaced hex pairs
};

// One send tick. The rig types asked alternately for frequency and mode take turns: on a
// frequency turn (`frequencyTurn`) only the frequency request is built, on a mode turn only the
// mode request; the turn passes whether or not its request was sent.
struct PollRequest {
    std::string bytes;   // empty: nothing to send this tick
    bool valid = true;   // false: a read string that should be hex pairs is not
    bool alternates = false;  // the type takes turns
};
PollRequest BuildPollRequest(RigKind kind, const ReadStrings& strings, bool frequencyTurn);
// Checks the read strings that go out as bytes; the name of the first bad one ("String to read
// frequency" or "String to read mode"), or nullopt when they can all be sent.
std::optional<std::string> BadReadString(RigKind kind, const ReadStrings& strings);

// Sent once when the port has opened: 00 00 00 00 00 to the Yaesus but the FTdx9000, "X" CR to
// the Orion; empty for the others.
std::string OpenBytes(const std::string& rigType);
// Sent when polling ends with the program: 00 00 00 00 80 to the Yaesus but the FTdx9000.
std::string CloseBytes(const std::string& rigType);

// A frequency command. `refusal` says why it cannot be sent: a frequency of 0 or below, one whose
// digits do not fit the rig's field, or a CI-V address that is not hexadecimal. `bytes` is empty
// for a rig type without a frequency command (Pegasus writes its file instead).
struct FrequencyCommand {
    std::string bytes;
    int delayMs = 0;  // waited before it is sent
    std::string refusal;
};
// `vfoFlag` is the VFO digit of the last Kenwood IF answer (1 tunes VFO B).
FrequencyCommand EncodeFrequencyCommand(RigKind kind, double mhz, const ReadStrings& strings, int vfoFlag);
// The mode command for a mode name ("CW", "LSB", "USB", "AM", "FM", "RTTY", "FSK", "CW-R",
// "RTTY-R", "DIG", "PKT"); empty when the rig type has no command for it.
std::string EncodeModeCommand(RigKind kind, const std::string& mode, const ReadStrings& strings);

// The Orion's frequency text: MHz with at most seven significant digits and no trailing zeros
// ("14.025", "7").
std::string OrionMhzText(double mhz);
// PEGASUS.IN: the frequency (at most seven significant digits) and the mode, one line each.
std::string PegasusInText(double mhz, const std::string& mode);

}  // namespace rig
