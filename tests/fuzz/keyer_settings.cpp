// The keyers' settings files wave2.txt and cw.txt on any bytes: each read fills the settings or
// stops cleanly, the repeat times a timer will be given are those the repeat box allows (under
// 60 s) and agree with the repeat text the window shows and Done writes, and a cw.txt that reads
// whole is written back as a file that reads as the same settings.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "keying/CwSettings.h"
#include "keying/VoiceKeyerSettings.h"
#include "station/WriteForm.h"

namespace {
// The repeat text as read is one the repeat box keeps as it is, and the interval is the one the
// box gives it: leaving the box changes nothing.
bool repeatAgrees(const std::string& text, int intervalMs) {
    const keying::RepeatBox box = keying::RepeatFromText(text);
    return box.text == text && box.intervalMs == intervalMs;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    keying::VoiceKeyerSettings voice;
    try {
        keying::ParseWaveSettings(bytes, voice);
    } catch (const station::FileError&) {
    }
    FUZZ_CHECK(voice.repeatIntervalMs >= 0 && voice.repeatIntervalMs < 60000);
    FUZZ_CHECK(repeatAgrees(voice.repeatSeconds, voice.repeatIntervalMs));
    FUZZ_CHECK(voice.pttLine >= 0 && voice.pttLine <= 2);

    keying::CwSettings cw;
    const keying::CwFileRead read = keying::ParseCwFile(bytes, cw);
    FUZZ_CHECK(!read.complete || read.interfaceRead);
    FUZZ_CHECK(read.CWInterface >= 0 && read.CWInterface <= 255);
    FUZZ_CHECK(cw.repeatIntervalMs >= 0 && cw.repeatIntervalMs < 60000);
    FUZZ_CHECK(repeatAgrees(cw.repeatSeconds, cw.repeatIntervalMs));
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
