// The keyers' settings files wave2.txt and cw.txt on any bytes: each read fills the settings or
// stops cleanly; the repeat is read as stored, with the interval its seconds give the timer
// (within the timer's range), or, when the timer cannot take it, the read fails there and the
// repeat stays "0"; and a cw.txt that reads whole is written back as a file that reads as the
// same settings.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "keying/CwSettings.h"
#include "keying/Numbers.h"
#include "keying/VoiceKeyerSettings.h"
#include "station/WriteForm.h"

namespace {
// The n-th item of a write-form file as text (as the readers clean it); nullopt when the file
// ends before it.
std::optional<std::string> item(const std::string& bytes, int n, bool clean) {
    station::WriteFormReader in(bytes);
    try {
        for (int i = 1; i < n; ++i) in.readText();
        const std::string text = in.readText();
        return clean ? station::CleanText(text) : text;
    } catch (const station::FileError&) {
        return std::nullopt;
    }
}

// The interval a stored repeat gives the timer: its seconds x 1000 to the nearest ms; nullopt
// when the timer cannot take it.
std::optional<int> timerMs(const std::string& stored) {
    if (!keying::IsNumber(stored)) return std::nullopt;
    const double ms = std::nearbyint(keying::LeadingNumber(stored) * 1000);
    if (!(ms >= 0 && ms <= 65535)) return std::nullopt;
    return static_cast<int>(ms);
}

// A repeat the timer can take is held as stored, with its interval, by a read that got through
// the file; one it cannot take fails the read there and the repeat stays "0", no interval.
bool repeatAsStored(bool readWhole, const std::optional<std::string>& stored, const std::string& seconds,
                    int intervalMs) {
    const std::optional<int> ms = stored ? timerMs(*stored) : std::nullopt;
    if (!ms) return !readWhole && seconds == "0" && intervalMs == 0;
    return !readWhole || (seconds == *stored && intervalMs == *ms);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    keying::VoiceKeyerSettings voice;
    bool voiceWhole = true;
    try {
        keying::ParseWaveSettings(bytes, voice);
    } catch (const station::FileError&) {
        voiceWhole = false;
    }
    FUZZ_CHECK(repeatAsStored(voiceWhole, item(bytes, 12, false), voice.repeatSeconds, voice.repeatIntervalMs));
    FUZZ_CHECK(voice.pttLine >= 0 && voice.pttLine <= 2);

    keying::CwSettings cw;
    const keying::CwFileRead read = keying::ParseCwFile(bytes, cw);
    FUZZ_CHECK(!read.complete || read.interfaceRead);
    FUZZ_CHECK(read.CWInterface >= 0 && read.CWInterface <= 255);
    FUZZ_CHECK(repeatAsStored(read.complete, item(bytes, 18, true), cw.repeatSeconds, cw.repeatIntervalMs));
    FUZZ_CHECK(read.complete || (cw.repeatSeconds == "0" && cw.repeatIntervalMs == 0));  // the last item
    FUZZ_CHECK(!cw.messages[8].empty() || !read.interfaceRead);  // F9 "VVV DE " when left empty
    if (read.complete) {
        keying::CwSettings again;
        const keying::CwFileRead back = keying::ParseCwFile(keying::FormatCwFile(cw, read.CWInterface), again);
        FUZZ_CHECK(back.complete && back.CWInterface == read.CWInterface);
        FUZZ_CHECK(again.messages == cw.messages);
        FUZZ_CHECK(again.comPort == cw.comPort && again.speed == cw.speed && again.wordSpace == cw.wordSpace);
        FUZZ_CHECK(again.parallelAddress == cw.parallelAddress && again.echo == cw.echo);
        FUZZ_CHECK(again.repeatSeconds == cw.repeatSeconds && again.repeatIntervalMs == cw.repeatIntervalMs);
    }
    return 0;
}
