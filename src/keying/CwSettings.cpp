#include "keying/CwSettings.h"

#include <algorithm>
#include <cmath>

#include "keying/Numbers.h"
#include "logging/Text.h"
#include "platform/Platform.h"
#include "session/Session.h"
#include "station/WriteForm.h"

namespace keying {

int MessageIndexOfKey(int keyCode) {
    if (keyCode >= 112 && keyCode <= 120) return keyCode - 112;
    if (keyCode == 124) return 9;
    if (keyCode == 122) return 10;
    return -1;
}

CwFileRead ParseCwFile(const std::string& bytes, CwSettings& s) {
    CwFileRead r;
    station::WriteFormReader in(bytes);
    // A file edited by hand may hold an unquoted item with a double quote or a control character
    // in it. Neither can be written back, nor belongs in a box or a message: they are dropped
    // as the text is read, so what is shown and keyed is what the next save writes.
    auto text = [&in] { return station::CleanText(in.readText()); };
    try {
        for (int i = 0; i < 8; ++i) s.messages[i] = text();
        std::string f9 = text();
        s.messages[8] = f9.empty() ? "VVV DE " : f9;
        s.comPort = text();
        s.speed = text();
        s.messages[9] = text();
        s.messages[10] = text();
        s.wordSpace = WordSpaceHeld(text());
        r.CWInterface = in.readByte();
        r.interfaceRead = true;
        s.parallelAddress = text();
        s.echo = in.readInt16();
        // As stored: the box, Done and the timer agree. A repeat the timer cannot take stops
        // the load here like any failing item, so the box keeps "0" and the timer no interval
        // rather than showing a repeat that never runs.
        const std::optional<RepeatBox> repeat = RepeatFromFile(text());
        if (!repeat) return r;
        s.repeatSeconds = repeat->text;
        s.repeatIntervalMs = repeat->intervalMs;
    } catch (const station::FileError&) {
        return r;
    }
    r.complete = true;
    return r;
}

std::string FormatCwFile(const CwSettings& s, int CWInterface) {
    using station::WriteFormLine;
    std::string out;
    for (int i = 0; i < 9; ++i) out += WriteFormLine().text(s.messages[i]).line();
    out += WriteFormLine().text(s.comPort).line();
    out += WriteFormLine().text(s.speed).line();
    out += WriteFormLine().text(s.messages[9]).line();
    out += WriteFormLine().text(s.messages[10]).line();
    out += WriteFormLine().text(s.wordSpace).line();
    out += WriteFormLine().integer(std::clamp(CWInterface, 0, 255)).line();
    out += WriteFormLine().text(s.parallelAddress).line();
    out += WriteFormLine().integer(s.echo).line();
    out += WriteFormLine().text(s.repeatSeconds).line();
    return out;
}

std::string TimingMethodName(TimingMethod method) {
    switch (method) {
    case TimingMethod::Sleep: return "Sleep";
    case TimingMethod::Loop: return "Loop";
    case TimingMethod::Timer: break;
    }
    return "Timer";
}

std::optional<TimingMethod> TimingMethodFromName(const std::string& name) {
    if (name == "Timer") return TimingMethod::Timer;
    if (name == "Sleep") return TimingMethod::Sleep;
    if (name == "Loop") return TimingMethod::Loop;
    return std::nullopt;
}

bool LoadCwSettings(Session& session) {
    auto& keyer = session.keyers.cw;
    keyer.ReadSettingsStore();
    const std::string path = session.programFile("cw.txt");
    auto bytes = session.platform.files.readAll(path);
    if (!bytes) return false;
    CwSettings& s = keyer.settings();
    const size_t slash = path.find_last_of('/');
    s.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    const CwFileRead r = ParseCwFile(*bytes, s);
    // The interface is used as soon as it is read, so its option is chosen then too, even
    // when a later item stops the load (the window would otherwise show "None" while keying).
    if (r.interfaceRead) session.keyers.SetCWInterface(r.CWInterface);
    keyer.settingsChanged();
    return r.complete;
}

bool SaveCwSettings(Session& session) {
    auto& keyer = session.keyers.cw;
    const CwSettings& s = keyer.settings();
    const std::string name = s.fileName.empty() ? "cw.txt" : s.fileName;
    const std::string path = platform::joinPath(session.folders.ProgramFolder, name);
    if (!session.platform.files.writeAtomic(path, FormatCwFile(s, session.keyers.state().CWInterface))) return false;
    auto& store = session.platform.settings;
    store.save(kSettingsApp, kSettingsSection, "UserCWSelection", TimingMethodName(s.timing));
    store.save(kSettingsApp, kSettingsSection, "UserCWLoopOffset", NumberText(s.LoopsPer60ms));
    return true;
}

std::string SpeedStep(const std::string& speed, int delta) {
    const double v = std::clamp(LeadingNumber(speed) + delta, kMinWpm, kMaxWpm);
    return NumberText(v);
}

std::string NumberOrZero(const std::string& text) { return IsNumber(text) ? text : "0"; }

std::string WordSpaceHeld(const std::string& text) {
    return IsNumber(text) && LeadingNumber(text) < -8 ? "-8" : text;
}

std::string WordSpaceStep(const std::string& text, int delta) {
    const double v = IsNumber(text) ? LeadingNumber(text) : 0;
    return WordSpaceHeld(NumberText(v + delta));
}

RepeatBox RepeatFromText(const std::string& text) {
    if (!IsNumber(text)) return {"0", 0};
    const double s = LeadingNumber(text);
    if (!(s >= 0 && s < 60)) return {"0", 0};
    return {text, static_cast<int>(std::nearbyint(s * 1000))};
}

std::optional<RepeatBox> RepeatFromFile(const std::string& text) {
    if (!IsNumber(text)) return std::nullopt;
    const double ms = std::nearbyint(LeadingNumber(text) * 1000);
    if (!(ms >= 0 && ms <= kLongestRepeatMs)) return std::nullopt;
    return RepeatBox{text, static_cast<int>(ms)};
}

std::optional<std::string> LoopTuned(const std::string& text, double factor) {
    if (!IsNumber(text)) return std::nullopt;
    return NumberText(std::nearbyint(LeadingNumber(text) * factor));
}

std::optional<platform::ParallelPortRef> ParseParallelAddress(const std::string& text) {
    const std::string t = logging::Trim(text);
    platform::ParallelPortRef ref;
    if (t.rfind("/dev/parport", 0) == 0 && t.size() > 12 &&
        std::all_of(t.begin() + 12, t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        ref.device = t;
        return ref;
    }
    if (!IsNumber(t)) return std::nullopt;
    const double v = LeadingNumber(t);
    // Parallel ports sit at I/O addresses from &H100 up; the control register is at base + 2
    // and must still be an I/O address.
    if (!(v >= 0x100 && v <= 0xFFFD) || v != std::floor(v)) return std::nullopt;
    ref.baseAddress = static_cast<int>(v);
    return ref;
}

std::optional<int> ComPortNumber(const std::string& text) {
    const double v = std::nearbyint(LeadingNumber(text));
    if (v > 32767 || v < -32768) return std::nullopt;
    return static_cast<int>(v);
}

}  // namespace keying
