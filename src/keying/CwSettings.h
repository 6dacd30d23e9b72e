#pragma once
// The CW keyer's settings: the values of the settings window CWFrm (messages, ports, speed,
// spacing, echo, repeat, timing method), the file cw.txt that keeps most of them and the two
// settings-store keys that keep the timing method, and the rules of the window's boxes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "keying/CwElements.h"
#include "platform/KeyLine.h"

class Session;

namespace keying {

struct CwSettings {
    // F1..F9, then F10 and F11 (the window's Text1..Text9, Text12, Text13).
    std::array<std::string, 11> messages;
    std::string comPort = "0";               // Text10: the serial keying port, "0" none
    std::string speed = "13";                // Text11: words per minute
    std::string wordSpace = "0";             // txtSpace: units added to the blank, -8 or more
    std::string parallelAddress = "&H378";   // Text14: base address or ppdev device
    int16_t echo = 1;                        // Check1: show what is left to send in the status line
    std::string repeatSeconds = "0";         // txtCWLoop: F1 repeat interval as stored or typed
    int repeatIntervalMs = 0;                // the repeat timer's interval
    TimingMethod timing = TimingMethod::Timer;
    double LoopsPer60ms = 0;                 // the Loop method's calibration, 0 = not calibrated
    // The name cw.txt was found under in the program folder (any letter case); Done writes
    // back to it. Empty: no file was found, Done writes "cw.txt".
    std::string fileName;
};

// The message of a function key as the windows pass it (112..120 F1-F9, 124 F10, 122 F11);
// -1 for any other code.
int MessageIndexOfKey(int keyCode);

// Reading cw.txt: 18 items in the write form. An empty F9 message reads as "VVV DE "; the repeat
// reads as stored (RepeatFromFile). The load stops at the first item that fails, a repeat the
// timer cannot take included; items read before it stay.
struct CwFileRead {
    bool complete = false;
    bool interfaceRead = false;  // item 15 was read: the interface option is chosen from it
    int CWInterface = 0;
};
CwFileRead ParseCwFile(const std::string& bytes, CwSettings& settings);
std::string FormatCwFile(const CwSettings& settings, int CWInterface);

// Station setup's LoadCwSettings: the settings-store keys, then cw.txt from the program folder
// into session.keyers (settings and CWInterface). false when the file is missing or stopped.
bool LoadCwSettings(Session& session);
// Done: writes cw.txt (under the name it was read from) and the two settings-store keys.
// false when the file could not be written; the keys are then not saved.
bool SaveCwSettings(Session& session);

// The settings-store keys (application "Tervak_Software", section "Settings").
constexpr const char* kSettingsApp = "Tervak_Software";
constexpr const char* kSettingsSection = "Settings";
std::string TimingMethodName(TimingMethod method);  // "Timer", "Sleep", "Loop"
// Exactly "Timer", "Sleep" or "Loop" (letter case counts); anything else leaves the choice.
std::optional<TimingMethod> TimingMethodFromName(const std::string& name);

// ---- the rules of the window's boxes

// The speed one step up or down, held within the speeds the keyer keys at (a speed outside
// them moves to the nearest bound).
std::string SpeedStep(const std::string& speed, int delta);
// A box left with text that is not a number becomes "0" (com port, speed, word space).
std::string NumberOrZero(const std::string& text);
// The word space as typed: a number below -8 becomes "-8".
std::string WordSpaceHeld(const std::string& text);
// "Less" / "More": a text that is not a number counts as 0; the result is held at -8 or more.
std::string WordSpaceStep(const std::string& text, int delta);
// Leaving the repeat box: 0 <= s < 60 seconds sets the interval to s x 1000 ms; anything else
// turns the box to "0" and the interval to 0.
struct RepeatBox {
    std::string text;
    int intervalMs = 0;
};
RepeatBox RepeatFromText(const std::string& text);
// The repeat as a settings file holds it (cw.txt, wave2.txt): the text as stored, which the box
// shows and Done writes back, and its seconds x 1000 ms to the nearest whole number; the box's
// rule applies only when the box is left, so a stored 62 repeats every 62 s. nullopt when the
// timer cannot take it (not a number, an interval below 0 or above kLongestRepeatMs): the file
// fails there.
constexpr int kLongestRepeatMs = 65535;  // the longest interval the files' repeat timer takes
std::optional<RepeatBox> RepeatFromFile(const std::string& text);
// The Loop method's tuning buttons: x 0.9 ("F", shorter units) or x 1.111111111111 ("S"),
// to the nearest whole number (halves to even); nothing for a text that is not a number.
std::optional<std::string> LoopTuned(const std::string& text, double factor);

// The parallel port box: a port's I/O base address ("&H378", "888") or a ppdev device path
// ("/dev/parport0"). Anything else, or an address that no parallel port could have, is
// refused, so garbage never keys some other port.
std::optional<platform::ParallelPortRef> ParseParallelAddress(const std::string& text);
// The com-port box as a port number: its leading number to the nearest whole number; 0 or
// below means no port, and nullopt a number no port could have (it does not fit 16 bits).
std::optional<int> ComPortNumber(const std::string& text);

}  // namespace keying
