#include "keying/VoiceKeyerSettings.h"

#include "keying/CwSettings.h"
#include "logging/Text.h"
#include "session/Session.h"
#include "station/WriteForm.h"

namespace keying {

void ParseWaveSettings(const std::string& bytes, VoiceKeyerSettings& s) {
    station::WriteFormReader in(bytes);
    for (auto& file : s.waveFiles) file = in.readText();
    s.pttPort = in.readText();
    double line = in.readDouble();
    if (line == 0 || line == 1 || line == 2) s.pttLine = static_cast<int>(line);
    // The repeat box's own rule, applied here once: what the window shows, what Done writes
    // back and what F1 repeats by agree (a stored 62 s is no repeat, as typed it would be).
    const RepeatBox repeat = RepeatFromText(in.readText());
    s.repeatSeconds = repeat.text;
    s.repeatIntervalMs = repeat.intervalMs;
    s.parallelAddress = in.readText();
}

void LoadWaveSettings(Session& session) {
    const std::string path = session.programFile("wave2.txt");
    auto bytes = session.platform.files.readAll(path);
    if (!bytes) throw station::FileError("wave2.txt");
    try {
        ParseWaveSettings(*bytes, session.voiceKeyer);
    } catch (const station::FileError&) {
        throw station::FileError("wave2.txt");
    }
}

std::string FormatWaveSettings(const VoiceKeyerSettings& s) {
    using station::WriteFormLine;
    std::string out;
    for (const auto& file : s.waveFiles) out += WriteFormLine().text(logging::Trim(file)).line();
    out += WriteFormLine().text(s.pttPort).line();
    out += WriteFormLine().integer(s.pttLine).line();
    out += WriteFormLine().text(s.repeatSeconds).line();
    out += WriteFormLine().text(s.parallelAddress).line();
    return out;
}

}  // namespace keying
