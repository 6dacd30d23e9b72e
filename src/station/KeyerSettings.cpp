#include "station/KeyerSettings.h"

#include <cmath>

#include "station/Session.h"
#include "station/WriteForm.h"

namespace station {

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

}  // namespace station
