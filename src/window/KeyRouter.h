#pragma once
// The logging window's own handling of every key before the focused field sees it: the Ctrl
// hotkeys, the keyer function keys, the CW speed arrows, keyboard CW, Esc, and the quote
// characters that must never reach a field. One call handles one key event: its key code and
// modifiers first, then the character the same event types.

#include <cstdint>
#include <string>

#include "keying/KeyerPort.h"
#include "window/MenuTable.h"
#include "window/WindowKind.h"

namespace window {

using keying::KeyerPort;
using keying::KeyerState;

// Key codes as Windows virtual-key codes number them; the Qt window maps its keys to these.
namespace vk {
constexpr int Back = 8, Tab = 9, Enter = 13, Control = 17, Escape = 27, Up = 38, Down = 40;
constexpr int F1 = 112, F9 = 120, F10 = 121, F11 = 122, F12 = 123, F10ForKeyer = 124;
}  // namespace vk
constexpr int kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;

enum class StatusLook { Teal, KeyboardCw };

// What the router asks of the window.
class KeyRouterHost {
public:
    virtual ~KeyRouterHost() = default;
    virtual std::string CurrentMode() const = 0;
    // `normal`: the window is restored to its normal state after it opens.
    virtual void OpenTool(ToolWindow window, OpenWay way, bool normal) = 0;
    virtual void ClearEntries() = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetStatusLook(StatusLook look) = 0;
};

struct KeyEvent {
    int keyCode = 0;   // virtual key
    int shift = 0;     // kShiftBit | kCtrlBit | kAltBit
    int keyAscii = 0;  // the character the event types, 0 when none
};

struct KeyOutcome {
    bool keyConsumed = false;  // the key-down handling took the key
    bool charDropped = false;  // the event typed a character and the key-press handling dropped it
    int keyAscii = 0;          // the character that reaches the field (CapitalizeKey may change it)
    // Whether the focused field gets the event at all.
    bool passToControl() const { return !keyConsumed && !charDropped; }
};

class KeyRouter {
public:
    KeyRouter(KeyRouterHost& host, KeyerPort& keyer, const WindowProfile& profile)
        : host_(host), keyer_(keyer), profile_(profile) {}

    KeyOutcome route(const KeyEvent& event);

    // The two halves, as the window's key-down and key-press handlers. `suppressChar` is set by
    // a Ctrl combination and drops the character of that same event only.
    void Form_KeyDown(int& keyCode, int shift, bool& suppressChar);
    void Form_KeyPress(int16_t& keyAscii, bool suppressChar);

private:
    KeyRouterHost& host_;
    KeyerPort& keyer_;
    const WindowProfile& profile_;
};

}  // namespace window
