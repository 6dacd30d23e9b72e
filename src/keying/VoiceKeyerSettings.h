#pragma once
// The voice keyer's settings file: wave2.txt in the program folder, in the write form, read
// when station setup loads and written back by the voice keyer's Done.

#include <cstdint>
#include <string>

class Session;

namespace keying {

struct VoiceKeyerSettings {
    std::string waveFiles[9];          // F1..F9, empty = the key plays nothing
    std::string pttPort = "0";         // serial port number, "0" = none
    int pttLine = 0;                   // 0 RTS, 1 DTR, 2 parallel port
    std::string repeatSeconds = "0";   // F1 repeat in seconds as stored or as the box left it
    int repeatIntervalMs = 0;          // repeatSeconds x 1000; 0 no repeat
    std::string parallelAddress = "&H378";
};

// Reads the 13 values of wave2.txt into settings, in order. FileError (naming the file) when the
// file is missing or short, or its repeat is one the timer cannot take (RepeatFromFile); the
// values read before the failure stay. A PTT line other than 0, 1, 2 leaves the current choice;
// the repeat reads as stored (a stored 62 repeats every 62 s).
void ParseWaveSettings(const std::string& bytes, VoiceKeyerSettings& settings);
void LoadWaveSettings(Session& session);

// wave2.txt in the write form: 13 lines.
std::string FormatWaveSettings(const VoiceKeyerSettings& settings);

}  // namespace keying
