#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/KeyRouter.h"

using namespace window;

namespace {
// Records every call of the router into one log, in order.
struct Recorder : KeyRouterHost, KeyerPort {
    std::string mode = "CW";
    KeyerState keyer;
    bool playing = false;
    int32_t wkStatus = 0;
    int speed = 25;
    std::vector<std::string> log;
    std::string status = "unchanged";

    std::string CurrentMode() const override { return mode; }
    void OpenTool(ToolWindow w, OpenWay way, bool normal) override {
        log.push_back(std::string("open ") + ToolWindowName(w) + (way == OpenWay::NotModal ? " beside" : " modal") +
                      (normal ? " normal" : ""));
    }
    void ClearEntries() override { log.push_back("ClearEntries"); }
    void SetStatusText(const std::string& text) override { status = text; }
    void SetStatusLook(StatusLook look) override {
        log.push_back(look == StatusLook::Teal ? "teal" : "pale yellow");
    }

    KeyerState& state() override { return keyer; }
    void FKeyCW(int code) override { log.push_back("FKeyCW " + std::to_string(code)); }
    void FKeyPhone(int code) override { log.push_back("FKeyPhone " + std::to_string(code)); }
    void SpeedUp() override { ++speed; }
    void SpeedDown() override { --speed; }
    std::string SpeedText() const override { return std::to_string(speed); }
    void LoopThroughCWBuffer() override { log.push_back("send " + keyer.CWBuffer.str()); }
    void StopCWRepeatTimer() override { log.push_back("stop CW repeat"); }
    void StopPhoneRepeatTimer() override { log.push_back("stop voice repeat"); }
    bool VoicePlaying() const override { return playing; }
    void StopVoice() override { log.push_back("Stop"); }
    int32_t wk_getstatus() override { return wkStatus; }
    void wk_clearbuf() override { log.push_back("wk_clearbuf"); }
    void wk_backspace() override { log.push_back("wk_backspace"); }
};

std::string joined(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& x : v) s += (s.empty() ? "" : "; ") + x;
    return s;
}

constexpr int Ctrl = kCtrlBit, CtrlShift = kCtrlBit | kShiftBit;

struct Case {
    const char* what;
    const char* mode;
    int interface;
    int sending, keyboardCw, winKeyOpen, wkStatus;
    bool playing;
    const char* buffer;
    KeyEvent key;
    // expected
    bool passes;
    int ascii;               // character reaching the field when it passes
    const char* calls;
    const char* bufferAfter;
    const char* statusAfter;
};

const Case kCases[] = {
    // Hotkeys: Ctrl alone only; the control character of that event is dropped with it.
    {"Ctrl+C opens the CW keyer", "CW", 1, 0, 0, 0, 0, false, "", {'C', Ctrl, 3}, false, 0,
     "open CWFrm beside normal", "", "unchanged"},
    {"Ctrl+P", "PH", 0, 0, 0, 0, 0, false, "", {'P', Ctrl, 16}, false, 0, "open PhoneFrm beside normal", "", "unchanged"},
    {"Ctrl+D", "CW", 0, 0, 0, 0, 0, false, "", {'D', Ctrl, 4}, false, 0, "open PacketSpotfrm beside normal", "", "unchanged"},
    {"Ctrl+B", "CW", 0, 0, 0, 0, 0, false, "", {'B', Ctrl, 2}, false, 0, "open SpectrumMap modal", "", "unchanged"},
    {"Ctrl+F", "DG", 0, 0, 0, 0, 0, false, "", {'F', Ctrl, 6}, false, 0, "open frmBandPlan modal", "", "unchanged"},
    {"Ctrl+R", "CW", 0, 0, 0, 0, 0, false, "", {'R', Ctrl, 18}, false, 0, "open RigControlfrm beside", "", "unchanged"},
    {"Ctrl+G", "CW", 0, 0, 0, 0, 0, false, "", {'G', Ctrl, 7}, false, 0, "open frmRigTune modal", "", "unchanged"},
    {"Ctrl+S", "CW", 0, 0, 0, 0, 0, false, "", {'S', Ctrl, 19}, false, 0, "open CWFrm beside normal", "", "unchanged"},
    {"Ctrl+Shift+C is no hotkey", "CW", 0, 0, 0, 0, 0, false, "", {'C', CtrlShift, 3}, true, 3, "", "", "unchanged"},
    {"Ctrl+A is no hotkey; its character is dropped", "CW", 0, 0, 0, 0, 0, false, "", {'A', Ctrl, 1}, false, 0, "",
     "", "unchanged"},
    {"Ctrl pressed alone drops nothing later", "CW", 0, 0, 0, 0, 0, false, "", {vk::Control, Ctrl, 0}, true, 0, "", "",
     "unchanged"},
    {"Ctrl+F1 acts as F1", "CW", 1, 0, 0, 0, 0, false, "", {vk::F1, Ctrl, 0}, false, 0, "FKeyCW 112", "", "unchanged"},
    // Quotes never reach a field.
    {"apostrophe", "CW", 0, 0, 0, 0, 0, false, "", {222, 0, '\''}, false, 0, "", "", "unchanged"},
    {"double quote", "PH", 0, 0, 0, 0, 0, false, "", {222, kShiftBit, '"'}, false, 0, "", "", "unchanged"},
    {"a letter passes", "CW", 1, 0, 0, 0, 0, false, "", {'W', 0, 'w'}, true, 'w', "", "", "unchanged"},
    // Esc.
    {"PH, voice playing: stop, entry kept", "PH", 0, 0, 0, 0, 0, true, "", {vk::Escape, 0, 27}, false, 0, "Stop", "",
     "unchanged"},
    {"PH, nothing playing: clear", "PH", 0, 0, 0, 0, 0, false, "", {vk::Escape, 0, 27}, false, 0, "ClearEntries", "",
     "unchanged"},
    {"WinKey busy: clear its buffer, entry kept", "CW", 5, 0, 0, 1, 3, false, "CQ", {vk::Escape, 0, 27}, false, 0,
     "wk_clearbuf", "", "unchanged"},
    {"WinKey idle: clear", "CW", 5, 0, 0, 1, 0, false, "", {vk::Escape, 0, 27}, false, 0, "ClearEntries", "", "unchanged"},
    {"serial keying while sending: empty the buffer, entry kept", "CW", 1, 1, 0, 0, 0, false, "TEST", {vk::Escape, 0, 27},
     false, 0, "", "", "unchanged"},
    {"keyboard CW idle: clear, keyboard CW stays", "CW", 1, 0, 1, 0, 0, false, "", {vk::Escape, 0, 27}, false, 0,
     "ClearEntries", "", "unchanged"},
    // Function keys and arrows.
    {"PH F10 consumed", "PH", 0, 0, 0, 0, 0, false, "", {vk::F10, 0, 0}, false, 0, "", "", "unchanged"},
    {"PH F3 plays", "PH", 0, 0, 0, 0, 0, false, "", {114, 0, 0}, true, 0, "FKeyPhone 114", "", "unchanged"},
    {"CW F10 goes as 124", "CW", 2, 0, 0, 0, 0, false, "", {vk::F10, 0, 0}, false, 0, "FKeyCW 124", "", "unchanged"},
    {"CW F11", "CW", 3, 0, 0, 0, 0, false, "", {vk::F11, 0, 0}, false, 0, "FKeyCW 122", "", "unchanged"},
    {"CW Up raises the speed", "CW", 1, 0, 0, 0, 0, false, "", {vk::Up, 0, 0}, false, 0, "", "", "26 WPM"},
    {"CW Down lowers the speed", "cw", 5, 0, 0, 1, 0, false, "", {vk::Down, 0, 0}, false, 0, "", "", "24 WPM"},
    {"CW F12 on", "CW", 1, 0, 0, 0, 0, false, "", {vk::F12, 0, 0}, false, 0, "pale yellow", "",
     "Press F12 to exit keyboard CW mode."},
    {"CW F12 off", "CW", 1, 0, 1, 0, 0, false, "", {vk::F12, 0, 0}, false, 0, "teal", "", ""},
    {"CW without interface: F-keys and arrows are ordinary", "CW", 0, 0, 0, 0, 0, false, "", {vk::F1, 0, 0}, true, 0,
     "", "", "unchanged"},
    {"CW without interface: Up moves in the field", "CW", 0, 0, 0, 0, 0, false, "", {vk::Up, 0, 0}, true, 0, "", "",
     "unchanged"},
    {"DG: F-keys do nothing", "DG", 1, 0, 0, 0, 0, false, "", {113, 0, 0}, true, 0, "", "", "unchanged"},
    // Keyboard CW typing.
    {"keyboard CW idle: a letter is sent capitalised", "CW", 1, 0, 1, 0, 0, false, "", {'C', 0, 'c'}, false, 0,
     "send C", "C", "unchanged"},
    {"keyboard CW sending: a letter is queued", "CW", 1, 1, 1, 0, 0, false, "CQ", {'Q', 0, 'q'}, false, 0, "", "CQQ",
     "unchanged"},
    {"keyboard CW sending: Backspace takes the last one back", "CW", 1, 1, 1, 0, 0, false, "CQ", {vk::Back, 0, 8},
     false, 0, "", "C", "unchanged"},
    {"keyboard CW with WinKey busy: Backspace goes to the keyer", "CW", 5, 0, 1, 1, 2, false, "", {vk::Back, 0, 8},
     false, 0, "wk_backspace", "", "unchanged"},
    {"keyboard CW, link closed after a busy status: no keyer backspace", "CW", 5, 0, 1, 0, 2, false, "",
     {vk::Back, 0, 8}, false, 0, "send \b", "\b", "unchanged"},
    {"keyboard CW in PH: typing reaches the field", "PH", 1, 0, 1, 0, 0, false, "", {'A', 0, 'a'}, true, 'a', "", "",
     "unchanged"},
};
}  // namespace

TEST(KeyRouter, TableOfModesInterfacesAndKeyerStates) {
    for (const auto& c : kCases) {
        Recorder r;
        r.mode = c.mode;
        r.keyer.CWInterface = c.interface;
        r.keyer.CWSending = c.sending;
        r.keyer.KeyboardCW = c.keyboardCw;
        r.keyer.WinKeyOpen = c.winKeyOpen;
        r.keyer.WinKeyStatus = c.wkStatus;
        r.wkStatus = c.winKeyOpen ? c.wkStatus : 0;
        r.playing = c.playing;
        r.keyer.CWBuffer = c.buffer;
        KeyRouter router(r, r, ProfileFor(WindowKind::InState));
        const KeyOutcome out = router.route(c.key);
        EXPECT_EQ(out.passToControl(), c.passes) << c.what;
        if (c.passes) {
            EXPECT_EQ(out.keyAscii, c.ascii) << c.what;
        }
        EXPECT_EQ(joined(r.log), c.calls) << c.what;
        EXPECT_EQ(r.keyer.CWBuffer, c.bufferAfter) << c.what;
        EXPECT_EQ(r.status, c.statusAfter) << c.what;
    }
}

TEST(KeyRouter, AHotkeyNeverEatsTheNextTypedKey) {
    Recorder r;
    KeyRouter router(r, r, ProfileFor(WindowKind::OutOfState));
    EXPECT_FALSE(router.route({'C', kCtrlBit, 3}).passToControl());
    // The next key, W of "W1AW", reaches the field.
    const auto next = router.route({'W', kShiftBit, 'W'});
    EXPECT_TRUE(next.passToControl());
    EXPECT_EQ(next.keyAscii, 'W');
    // Ctrl pressed and released alone leaves nothing armed either.
    router.route({vk::Control, kCtrlBit, 0});
    EXPECT_TRUE(router.route({'1', 0, '1'}).passToControl());
}

TEST(KeyRouter, AnyKeyCancelsAnArmedRepeatAndTheOutOfStateWindowHasItsOwnKeyboardCwText) {
    Recorder r;
    r.keyer.CWRepeat = 1;
    r.keyer.PhoneRepeat = 1;
    r.keyer.WinKeyOpen = 1;
    r.keyer.CWBuffer = "CQ FL";
    KeyRouter router(r, r, ProfileFor(WindowKind::OutOfState));
    router.route({vk::Control, kCtrlBit, 0});  // Ctrl itself is such a key
    EXPECT_EQ(joined(r.log), "wk_clearbuf; stop CW repeat; stop voice repeat");
    EXPECT_EQ(r.keyer.CWRepeat, 0);
    EXPECT_EQ(r.keyer.PhoneRepeat, 0);
    EXPECT_EQ(r.keyer.CWBuffer, "");

    r.log.clear();
    r.keyer.CWRepeat = 1;
    router.route({'C', kCtrlBit, 3});  // a hotkey does not reach the cancel
    EXPECT_EQ(r.keyer.CWRepeat, 1);

    r.keyer.CWInterface = 1;
    router.route({vk::F12, 0, 0});
    EXPECT_EQ(r.status, "Keyboard CW mode is ON!  Press F12 to exit.");
}
