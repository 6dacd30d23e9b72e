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

// What a keyer tells the one who handed it the send buffer. Neither comes from inside the call
// that started the hand-over (both come from the program's event loop), so a listener may add
// to the buffer and hand it over again at once.
class HandOverListener {
public:
    virtual ~HandOverListener() = default;
    // A character was taken from the front of the buffer and has gone to the keyer.
    virtual void characterHandedOver() {}
    // The keyer found the buffer empty: everything in it was handed over, or dropped (the
    // keyer could not be reached, the link closed, a stop emptied the buffer).
    virtual void handedOver() {}
    // Just before handedOver: the hand-over failed and the operator has been told why (the
    // keyer could not be opened, or took no more text). Whoever feeds the buffer stops, and no
    // repeat starts: each attempt would only fail again with the same message.
    virtual void handOverFailed() {}
};

// The WinKey keyer link as Keyers and the CW keyer reach it (set by the link when it is built).
class WinKeyPort {
public:
    virtual ~WinKeyPort() = default;
    // Starts handing the send buffer to the keyer and returns at once: the keyer takes the
    // characters from the front of the buffer one at a time, as it has room for them, until it
    // finds the buffer empty; text added meanwhile goes out with the rest (there is never a
    // second sender). `listener` (may be null) is told of each character and of the end; a
    // listener given while a hand-over runs is told of that hand-over's end.
    virtual void WKTransmit(SendBuffer& buffer, HandOverListener* listener) = 0;
    virtual int32_t wk_getstatus() = 0;
    virtual void wk_clearbuf() = 0;
    virtual void wk_backspace() = 0;
    virtual void wk_wpm(uint8_t wpm) = 0;
    // The end of the run: sending stops and the link is closed.
    virtual void EndRun() {}
};

}  // namespace keying
