#pragma once
// The keyers of one run, as the session holds them: the shared keyer state, the CW keyer, the
// port exclusion of the transmit interfaces, and the places where the voice keyer and the
// WinKey link plug in. It is the KeyerPort the logging windows' keys and close request use.

#include <functional>

#include "keying/CwKeyer.h"
#include "keying/KeyerPort.h"
#include "keying/TransmitPorts.h"

class Session;

namespace keying {

class Keyers : public KeyerPort {
public:
    explicit Keyers(Session& session);

    // Declared in this order: the CW keyer uses the state and the ports.
    KeyerState keyer;
    TransmitPorts ports;
    CwKeyer cw;
    // Set by the voice keyer and the WinKey link when they are built; nullptr: not there (the
    // voice keys then play nothing, and the WinKey interface sends nothing).
    VoiceKeyerPort* voice = nullptr;
    WinKeyPort* winKey = nullptr;
    // Run when the WinKey interface is chosen (the option, or cw.txt at start): the WinKey
    // link's window loads hidden and the settings window shows "Configure Winkey".
    std::function<void()> onWinKeyChosen;

    // The keying option: 0 none, 1 RTS, 2 DTR, 3 parallel port, 5 WinKey. Opens and closes no
    // port; the keyer uses it from the next character on.
    void SetCWInterface(int value);
    // Ends all keying at once with the lines let up and no repeat left to fire (the logging
    // window's unload, program end).
    void EndRun();

    // KeyerPort
    KeyerState& state() override { return keyer; }
    void FKeyCW(int keyCode) override { cw.FKeyCW(keyCode); }
    void FKeyPhone(int keyCode) override;
    void SpeedUp() override { cw.UpDown1_UpClick(); }
    void SpeedDown() override { cw.UpDown1_DownClick(); }
    std::string SpeedText() const override { return cw.settings().speed; }
    void LoopThroughCWBuffer() override { cw.LoopThroughCWBuffer(); }
    void StopCWRepeatTimer() override { cw.StopRepeatTimer(); }
    void StopPhoneRepeatTimer() override;
    bool VoicePlaying() const override;
    void StopVoice() override;
    int32_t wk_getstatus() override;
    void wk_clearbuf() override;
    void wk_backspace() override;
};

}  // namespace keying
