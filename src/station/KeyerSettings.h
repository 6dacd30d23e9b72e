#pragma once
// The keyers' settings files read by station setup at start: wave2.txt (voice keyer) and cw.txt
// (CW keyer), both in the program folder, in the write form. The keyer windows show and use
// these values; setup only loads them.

#include <cstdint>
#include <string>

class Session;

namespace station {

struct VoiceKeyerSettings {
    std::string waveFiles[9];          // F1..F9, empty = the key plays nothing
    std::string pttPort = "0";         // serial port number, "0" = none
    int pttLine = 0;                   // 0 RTS, 1 DTR, 2 parallel port
    std::string repeatSeconds;         // F1 repeat, as typed
    int repeatIntervalMs = 0;          // repeatSeconds x 1000
    std::string parallelAddress = "&H378";
};

struct CwKeyerSettings {
    std::string messages[11];          // F1..F11
    std::string comPort = "0";
    std::string speed = "13";          // words per minute
    std::string wordSpace = "0";
    uint8_t CWInterface = 0;           // 0 none, 1 RTS, 2 DTR, 3 parallel, 5 WinKey
    std::string parallelAddress = "&H378";
    int16_t echo = 1;
    std::string repeatSeconds = "0";
    int repeatIntervalMs = 0;
    bool interfaceSelected = false;    // false when the load stopped before choosing the interface
};

// Reads the 13 values of wave2.txt into settings, in order. FileError (naming the file) when the
// file is missing or short, or when the repeat time in milliseconds is outside a timer's
// 0..65535; the values read before the failure stay. A PTT line other than 0, 1, 2 leaves the
// current choice.
void ParseWaveSettings(const std::string& bytes, VoiceKeyerSettings& settings);
void LoadWaveSettings(Session& session);

// Reads the 18 values of cw.txt; an empty F9 message becomes "VVV DE ". Any failure ends the
// load silently, keeping the values read so far (and leaving interfaceSelected false).
// Returns false then.
bool ParseCwSettings(const std::string& bytes, CwKeyerSettings& settings);
bool LoadCwSettings(Session& session);

}  // namespace station
