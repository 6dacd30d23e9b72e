#include "station/KeyerSettings.h"

#include "keying/CwSettings.h"
#include "session/Session.h"
#include "station/WriteForm.h"

namespace station {

void ParseWaveSettings(const std::string& bytes, VoiceKeyerSettings& s) {
    WriteFormReader in(bytes);
    for (auto& file : s.waveFiles) file = in.readText();
    s.pttPort = in.readText();
    double line = in.readDouble();
    if (line == 0 || line == 1 || line == 2) s.pttLine = static_cast<int>(line);
    // The repeat box's own rule, applied here once: what the window shows, what Done writes
    // back and what F1 repeats by agree (a stored 62 s is no repeat, as typed it would be).
    const keying::RepeatBox repeat = keying::RepeatFromText(in.readText());
    s.repeatSeconds = repeat.text;
    s.repeatIntervalMs = repeat.intervalMs;
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
