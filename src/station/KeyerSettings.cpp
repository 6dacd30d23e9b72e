#include "station/KeyerSettings.h"

#include <cmath>

#include "station/Session.h"
#include "station/WriteForm.h"

namespace station {

namespace {
// Seconds as typed, times 1000 to the nearest millisecond; a non-number, or a time a timer
// cannot hold (0..65535 ms), counts as 0.
int secondsToMs(const std::string& text) {
    double seconds = 0;
    if (!text.empty() && !parseNumber(text, seconds)) seconds = 0;
    const double ms = std::round(seconds * 1000);
    return ms >= 0 && ms <= 65535 ? static_cast<int>(ms) : 0;
}
}  // namespace

void ParseWaveSettings(const std::string& bytes, VoiceKeyerSettings& s) {
    WriteFormReader in(bytes);
    for (auto& file : s.waveFiles) file = in.readText();
    s.pttPort = in.readText();
    double line = in.readDouble();
    if (line == 0 || line == 1 || line == 2) s.pttLine = static_cast<int>(line);
    s.repeatSeconds = in.readText();
    double seconds = 0;
    if (!s.repeatSeconds.empty() && !parseNumber(s.repeatSeconds, seconds)) seconds = 0;
    const double ms = std::round(seconds * 1000);
    if (ms < 0 || ms > 65535) throw FileError("wave2.txt: repeat time out of range");
    s.repeatIntervalMs = static_cast<int>(ms);
    s.parallelAddress = in.readText();
}

void LoadWaveSettings(Session& session) {
    const std::string path = session.programFile("wave2.txt");
    auto bytes = session.platform.files.readAll(path);
    if (!bytes) throw FileError("wave2.txt");
    try {
        ParseWaveSettings(*bytes, session.voiceKeyer);
    } catch (const FileError&) {
        throw FileError("wave2.txt");
    }
}

bool ParseCwSettings(const std::string& bytes, CwKeyerSettings& s) {
    WriteFormReader in(bytes);
    try {
        for (int i = 0; i < 8; ++i) s.messages[i] = in.readText();
        s.messages[8] = in.readText();
        if (s.messages[8].empty()) s.messages[8] = "VVV DE ";
        s.comPort = in.readText();
        s.speed = in.readText();
        s.messages[9] = in.readText();
        s.messages[10] = in.readText();
        s.wordSpace = in.readText();
        double space = 0;
        if (parseNumber(s.wordSpace, space) && space < -8) s.wordSpace = "-8";
        s.CWInterface = in.readByte();
        s.parallelAddress = in.readText();
        s.echo = in.readInt16();
        s.repeatSeconds = in.readText();
        s.repeatIntervalMs = secondsToMs(s.repeatSeconds);
    } catch (const FileError&) {
        return false;
    }
    s.interfaceSelected = true;
    return true;
}

bool LoadCwSettings(Session& session) {
    auto bytes = session.platform.files.readAll(session.programFile("cw.txt"));
    if (!bytes) return false;
    return ParseCwSettings(*bytes, session.cwKeyer);
}

}  // namespace station
