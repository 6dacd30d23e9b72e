#include "window/KeyRouter.h"

#include "logging/Text.h"
#include "station/KeyFilters.h"

namespace window {

using logging::SameText;

namespace {
struct Hotkey {
    char key;
    ToolWindow window;
    OpenWay way;
    bool normal;
};
// In the order they are tested.
constexpr Hotkey kHotkeys[] = {
    {'C', ToolWindow::CWFrm, OpenWay::NotModal, true},
    {'P', ToolWindow::PhoneFrm, OpenWay::NotModal, true},
    {'D', ToolWindow::PacketSpotfrm, OpenWay::NotModal, true},
    {'B', ToolWindow::SpectrumMap, OpenWay::ModalThenUnload, false},
    {'F', ToolWindow::frmBandPlan, OpenWay::ModalThenUnload, false},
    {'R', ToolWindow::RigControlfrm, OpenWay::NotModal, false},
    {'G', ToolWindow::frmRigTune, OpenWay::ModalThenUnload, false},
    {'S', ToolWindow::CWFrm, OpenWay::NotModal, true},
};
}  // namespace

void KeyRouter::Form_KeyDown(int& keyCode, int shift, bool& suppressChar) {
    auto& k = keyer_.state();
    if (shift == kCtrlBit) {
        suppressChar = true;
        for (const auto& h : kHotkeys) {
            if (keyCode == h.key) {
                keyCode = 0;
                host_.OpenTool(h.window, h.way, h.normal);
                return;
            }
        }
    }
    // Any key that gets this far cancels an armed F1 repeat.
    if (k.CWRepeat != 0) {
        if (k.WinKeyOpen != 0) keyer_.wk_clearbuf();
        k.CWBuffer.clear();
        k.CWRepeat = 0;
        keyer_.StopCWRepeatTimer();
    }
    if (k.PhoneRepeat != 0) {
        k.PhoneRepeat = 0;
        keyer_.StopPhoneRepeatTimer();
    }
    const std::string mode = host_.CurrentMode();
    if (SameText(mode, "PH")) {
        if (keyCode == vk::F10) keyCode = 0;
        else if (keyCode >= vk::F1 && keyCode <= vk::F9) keyer_.FKeyPhone(keyCode);
        return;
    }
    if (!SameText(mode, "CW") || k.CWInterface == 0) return;
    if (keyCode == vk::Down) {
        keyer_.SpeedDown();
        host_.SetStatusText(keyer_.SpeedText() + " WPM");
        keyCode = 0;
    }
    if (keyCode == vk::Up) {
        keyer_.SpeedUp();
        host_.SetStatusText(keyer_.SpeedText() + " WPM");
        keyCode = 0;
    }
    if (keyCode >= vk::F1 && keyCode <= vk::F12) {
        if (keyCode == vk::F10) keyCode = vk::F10ForKeyer;
        if (keyCode == vk::F12) {
            if (k.KeyboardCW != 0) {
                k.KeyboardCW = 0;
                host_.SetStatusText("");
                host_.SetStatusLook(StatusLook::Teal);
            } else {
                k.KeyboardCW = 1;
                host_.SetStatusText(profile_.keyboardCwText);
                host_.SetStatusLook(StatusLook::KeyboardCw);
            }
        } else {
            keyer_.FKeyCW(keyCode);
        }
        // The keyer has the key; the field does not also act on it.
        keyCode = 0;
    }
}

void KeyRouter::Form_KeyPress(int16_t& keyAscii, bool suppressChar) {
    auto& k = keyer_.state();
    if (keyAscii == 0) return;
    if (suppressChar) {
        keyAscii = 0;
        return;
    }
    const std::string mode = host_.CurrentMode();
    if (SameText(mode, "PH") && keyAscii == vk::Escape && keyer_.VoicePlaying()) {
        keyer_.StopVoice();
        keyAscii = 0;
        return;
    }
    if (keyAscii == '\'' || keyAscii == '"') keyAscii = 0;
    if (keyAscii == vk::Escape && k.CWInterface == 5 && k.WinKeyOpen != 0) {
        k.WinKeyStatus = keyer_.wk_getstatus();
        if (k.WinKeyStatus > 0) {
            keyer_.wk_clearbuf();
            k.CWBuffer.clear();
            keyAscii = 0;
            return;
        }
    }
    if (keyAscii == vk::Escape && k.CWSending == 0) {
        host_.ClearEntries();
        keyAscii = 0;
    } else if (keyAscii == vk::Escape && k.CWSending == 1) {
        k.CWBuffer.clear();
        keyAscii = 0;
    }
    // A status read while the link was open means nothing once it is closed.
    k.WinKeyStatus = k.WinKeyOpen != 0 ? keyer_.wk_getstatus() : 0;
    if (k.KeyboardCW == 1 && keyAscii == vk::Back && k.WinKeyStatus > 0) {
        keyer_.wk_backspace();
        keyAscii = 0;
        return;
    }
    if (keyAscii == vk::Back && k.CWSending == 1 && !k.CWBuffer.empty() && k.KeyboardCW == 1) {
        k.CWBuffer.pop_back();
        keyAscii = 0;
    } else if (SameText(mode, "CW") && k.KeyboardCW == 1 && keyAscii != 0) {
        station::CapitalizeKey(keyAscii);
        k.CWBuffer.push_back(static_cast<char>(keyAscii));
        if (k.CWSending == 0) keyer_.LoopThroughCWBuffer();
        keyAscii = 0;
    }
}

KeyOutcome KeyRouter::route(const KeyEvent& event) {
    KeyOutcome out;
    int keyCode = event.keyCode;
    bool suppress = false;
    Form_KeyDown(keyCode, event.shift, suppress);
    out.keyConsumed = keyCode == 0 && event.keyCode != 0;
    int16_t ascii = static_cast<int16_t>(event.keyAscii);
    if (!out.keyConsumed) Form_KeyPress(ascii, suppress);
    out.keyAscii = out.keyConsumed ? 0 : ascii;
    out.charDropped = event.keyAscii != 0 && out.keyAscii == 0;
    return out;
}

}  // namespace window
