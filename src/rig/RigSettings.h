#pragma once
// The rig setup's settings as the dialog keeps them, and their file RigCntrl.txt: 14 write-form
// items, one per line.

#include <optional>
#include <string>

#include "rig/CatCommands.h"
#include "rig/RigTypeTable.h"

namespace rig {

// Where the logging window's mode comes from ("Mode by:"): the rig's reply, the fixed
// frequency table, or nowhere. The numbers are those of the file.
enum class ModeBy { Rig = 1, Frequency = 2, DontUse = 3 };

struct RigSettings {
    std::string BaudText = "56000";  // "1200" .. "56000"; the file pads it to 5 characters
    std::string ParityLetter = "N";  // "N", "O", "E"
    std::string DataBitsText = "8";
    std::string StopBitsText = "1";
    std::string ModeReadString;      // "String to read mode"
    std::string FreqReadString;      // "String to read frequency"
    std::string CommSettings;        // "4800,N,8,2", recomputed by Test
    int RigPort = 1;                 // 1..10
    std::string PowerLine = "N";     // "N" none, "R" raise RTS, "D" raise DTR
    std::string PollRate = "M";      // "F" 100 ms, "M" 500 ms, "S" 2 s, "R" 10 s (a full cycle)
    bool ConvertToHex = false;       // "Other": the read strings are spaced hex pairs
    bool ConvertFromHex = false;     // the raw reply is shown as hex digits
    bool UseFrequency = true;        // readings go to the logging window's band and frequency
    ModeBy modeBy = ModeBy::Rig;
    friend bool operator==(const RigSettings&, const RigSettings&) = default;

    ReadStrings readStrings() const { return {FreqReadString, ModeReadString, ConvertToHex}; }
};

// The dialog's state before any file is read: 56000, None, 8, 1, port 1, power none, 500 ms,
// mode by rig, "Use Frequency" ticked, empty read strings.
RigSettings DesignSettings();

// Trimmed speed, parity, data bits and stop bits joined by commas ("4800,N,8,2").
std::string CommSettingsText(const RigSettings& s);
// The poll timer's interval for a poll-rate letter (half of a full cycle); nullopt for any other
// letter, which keeps the interval the timer has.
std::optional<int> PollIntervalMs(const std::string& pollRate);

// What choosing a name in the rig list sets: the row's serial options (the ones it names), both
// read strings, "Convert to Hex" (and "Convert from Hex" with it). Port, power line, poll rate
// and "Mode by:" stay. "None" and "Ten Tec Pegasus" only empty the read strings.
void ApplyRigTypeRow(RigSettings& s, const RigTypeRow& row);

// RigCntrl.txt. Reading fills items 1-11 in order as they are read (item 11 is the rig type) and
// applies 12-14 only when all 14 were read; it stops at the first item that cannot be read and
// returns how many were read. A port number outside 1..10 is read as it stands (the caller
// decides what to do with it).
struct RigCntrlRead {
    int itemsRead = 0;
    std::optional<std::string> rigType;
    int portInFile = 0;
};
RigCntrlRead ReadRigCntrl(const std::string& bytes, RigSettings& into);
std::string WriteRigCntrl(const RigSettings& s, const std::string& rigType);

inline constexpr const char* kRigCntrlFile = "RigCntrl.txt";

}  // namespace rig
