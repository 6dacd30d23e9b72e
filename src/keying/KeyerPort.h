#pragma once
// What the logging windows use of the CW and voice keyers: their shared state and the few
// operations the window keys and the close request drive. Keyers (Session::keyers) implements
// it for the running program; IdleKeyer stands in where no keyer is wanted (no interface
// chosen, nothing playing), and tests use recording fakes.

#include <cstdint>
#include <string>

#include "keying/KeyerState.h"

namespace keying {

class KeyerPort {
public:
    virtual ~KeyerPort() = default;
    virtual KeyerState& state() = 0;

    virtual void FKeyCW(int keyCode) = 0;     // 112..120 F1-F9, 124 F10, 122 F11
    virtual void FKeyPhone(int keyCode) = 0;  // 112..120
    virtual void SpeedUp() = 0;
    virtual void SpeedDown() = 0;
    virtual std::string SpeedText() const = 0;  // the speed field, words per minute
    virtual void LoopThroughCWBuffer() = 0;
    virtual void StopCWRepeatTimer() = 0;
    virtual void StopPhoneRepeatTimer() = 0;
    virtual bool VoicePlaying() const = 0;
    virtual void StopVoice() = 0;
    virtual int32_t wk_getstatus() = 0;
    virtual void wk_clearbuf() = 0;
    virtual void wk_backspace() = 0;
};

// No keyer: every operation does nothing and the state says no interface is chosen.
class IdleKeyer : public KeyerPort {
public:
    KeyerState& state() override { return state_; }
    void FKeyCW(int) override {}
    void FKeyPhone(int) override {}
    void SpeedUp() override {}
    void SpeedDown() override {}
    std::string SpeedText() const override { return {}; }
    void LoopThroughCWBuffer() override {}
    void StopCWRepeatTimer() override {}
    void StopPhoneRepeatTimer() override {}
    bool VoicePlaying() const override { return false; }
    void StopVoice() override {}
    int32_t wk_getstatus() override { return 0; }
    void wk_clearbuf() override {}
    void wk_backspace() override {}

private:
    KeyerState state_;
};

// The voice keyer as Keyers reaches it (set by the voice keyer when it is built).
class VoiceKeyerPort {
public:
    virtual ~VoiceKeyerPort() = default;
    virtual void FKeyPhone(int keyCode) = 0;
    virtual void StopPhoneRepeatTimer() = 0;
    virtual bool VoicePlaying() const = 0;
    virtual void StopVoice() = 0;
};

// The WinKey keyer link as Keyers and the CW keyer reach it (set by the link when it is built).
class WinKeyPort {
public:
    virtual ~WinKeyPort() = default;
    // Hands the whole send buffer to the keyer, character by character, and empties it.
    virtual void WKTransmit(SendBuffer& buffer) = 0;
    virtual int32_t wk_getstatus() = 0;
    virtual void wk_clearbuf() = 0;
    virtual void wk_backspace() = 0;
    virtual void wk_wpm(uint8_t wpm) = 0;
    // The end of the run: sending stops and the link is closed.
    virtual void EndRun() {}
};

}  // namespace keying
