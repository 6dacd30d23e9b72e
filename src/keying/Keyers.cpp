#include "keying/Keyers.h"

namespace keying {

Keyers::Keyers(Session& session) : cw(session, keyer, ports) {}

void Keyers::SetCWInterface(int value) {
    keyer.CWInterface = value;
    cw.settingsChanged();
    if (value == 5 && onWinKeyChosen) onWinKeyChosen();
}

void Keyers::EndRun() {
    cw.Stop();
    if (voice) {
        voice->StopVoice();
        voice->StopPhoneRepeatTimer();
    }
    keyer.PhoneRepeat = 0;
    if (winKey) winKey->EndRun();
}

void Keyers::FKeyPhone(int keyCode) {
    if (voice) voice->FKeyPhone(keyCode);
}

void Keyers::StopPhoneRepeatTimer() {
    if (voice) voice->StopPhoneRepeatTimer();
}

bool Keyers::VoicePlaying() const { return voice && voice->VoicePlaying(); }

void Keyers::StopVoice() {
    if (voice) voice->StopVoice();
}

int32_t Keyers::wk_getstatus() { return winKey ? winKey->wk_getstatus() : 0; }

void Keyers::wk_clearbuf() {
    if (winKey) winKey->wk_clearbuf();
}

void Keyers::wk_backspace() {
    if (winKey) winKey->wk_backspace();
}

}  // namespace keying
