// The keyers' settings files wave2.txt and cw.txt on any bytes: each read fills the settings or
// stops cleanly, and the repeat times a timer will be given stay within a timer's range.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "station/KeyerSettings.h"
#include "station/WriteForm.h"

using namespace station;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    VoiceKeyerSettings voice;
    try {
        ParseWaveSettings(bytes, voice);
    } catch (const FileError&) {
    }
    FUZZ_CHECK(voice.repeatIntervalMs >= 0 && voice.repeatIntervalMs <= 65535);
    FUZZ_CHECK(voice.pttLine >= 0 && voice.pttLine <= 2);
    CwKeyerSettings cw;
    const bool whole = ParseCwSettings(bytes, cw);
    FUZZ_CHECK(whole == cw.interfaceSelected);
    FUZZ_CHECK(cw.repeatIntervalMs >= 0 && cw.repeatIntervalMs <= 65535);
    return 0;
}
