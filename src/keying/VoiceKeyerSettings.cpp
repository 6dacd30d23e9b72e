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
    // As stored: the box, Done and the timer agree. A repeat the timer cannot take fails the
    // file as a short one does.
    const std::optional<RepeatBox> repeat = RepeatFromFile(in.readText());
    if (!repeat) throw station::FileError("wave2.txt: a repeat the timer cannot take");
    s.repeatSeconds = repeat->text;
    s.repeatIntervalMs = repeat->intervalMs;
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
