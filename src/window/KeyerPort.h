#pragma once
// What the logging windows use of the CW and voice keyers: their shared state and the few
// operations the window keys and the close request drive. The keyers implement it; until they
// exist, IdleKeyer stands in (no interface chosen, nothing playing).

#include <cstdint>
#include <string>

namespace window {

struct KeyerState {
    std::string CWBuffer;     // characters still to be sent
    int CWSending = 0;        // 1 while the sender works through CWBuffer (never with WinKey)
    int KeyboardCW = 0;       // 1 while typed keys go to the CW keyer
    int CWInterface = 0;      // 0 none, 1 RTS, 2 DTR, 3 parallel port, 5 WinKey
    int CWRepeat = 0;         // 1 while an F1 repeat is armed in the CW keyer
    int PhoneRepeat = 0;      // 1 while an F1 repeat is armed in the voice keyer
    int WinKeyOpen = 0;       // the keyer's version byte; 0 while the link is closed
    int32_t WinKeyStatus = 0; // the keyer status last read
};

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

}  // namespace window
