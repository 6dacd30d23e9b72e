#pragma once
// The WinKey keyer as the program uses it: the settings of the WinKey window (WK.txt), opening
// and closing the link with the keyer, sending the settings, and handing the CW send buffer to
// the keyer when WinKey is the CW interface.
//
// Nothing here waits on the program's thread. Opening is the link's short exchange; the send
// buffer drains on a 10 ms timer, one character a tick (the first on the next turn of the
// event loop), and while the keyer says its buffer is nearly full (status 5 or more) the drain
// waits for the keyer's next status report or tick. A keyer that stays full for kStatusWaitMs
// is given up on: the rest of the text is dropped and the operator is told, instead of the
// program waiting for ever. The one who handed the buffer over hears of each character and of
// the end (HandOverListener): the CW keyer's pump ends, and its F1 repeat starts, there. A
// keyer that could not be opened or was given up on ends the hand-over as a failure: the F1
// repeat ends and code practice stops, so the one message is not shown again and again. A
// send that finds the link closed opens it; one that finds it opening waits for that opening.
//
// It lives in the session (the window over it may come and go): Keyers::winKey points at it,
// and the transmit ports close the link when the voice keyer takes its port.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "keying/KeyerPort.h"
#include "keying/WinKeyLink.h"
#include "keying/WinKeySettings.h"

class Session;

namespace keying {

class WinKeyKeyer : public WinKeyPort {
public:
    static constexpr int kCharacterGapMs = 10;  // at most one character per 10 ms to the keyer
    static constexpr int kStatusWaitMs = 10000;
    static constexpr const char* kGaveUpText =
        "The WinKey keyer took no more text for 10 seconds.  The rest of the message was dropped.";
    // The open-status label after the keyer's serial device went away; Open opens it again.
    static constexpr const char* kPortLostText = "Com Port Lost";

    explicit WinKeyKeyer(Session& session, WinKeyLink::Timing timing = {});
    ~WinKeyKeyer() override;
    WinKeyKeyer(const WinKeyKeyer&) = delete;
    WinKeyKeyer& operator=(const WinKeyKeyer&) = delete;

    // The window's boxes and options (texts as typed) and its two status labels.
    WinKeySettings settings;
    std::string lblOpenStatus = "Closed";
    std::string lblVersion = "Version #";
    // Runs after anything the window shows has changed (labels, box texts after a check).
    std::function<void()> changed;
    // Runs at the end of Open and Close; the window moves the focus to Done when it is visible.
    std::function<void()> focusDone;

    // The window's load: defaults, WK.txt of the user folder, the CW keyer's speed.
    void Load();
    // Done: writes WK.txt. false (and the operator is told) when it cannot be written.
    bool WriteSettings();
    // The window's unload: closes the link.
    void Unload();

    // Open. A send waiting for the link (WKTransmit) starts once the outcome is known, after
    // the messages; a failed opening drops its text and fails its hand-over.
    void cmdOpenWinkey_Click();
    void cmdCloseWinkey_Click();
    void cmdStop_Click();
    void Test();        // "VVV TEST DE " and the own call
    void BufferTest();  // the alphabet three times
    // The type-to-send box: the key after the capital filter (the box shows that key).
    int TypeToSend(int keyAscii);
    void ApplyWinKeySettings();

    // Leaving a box: runs its check and applies it (text and what is sent).
    void LeaveWpm();
    void LeaveWeight();
    void LeaveRatio();
    void LeaveLeadTail(bool leavingTail);
    void LeavePort();
    // An option was chosen: sets the mode or pin configuration, and sends every setting when
    // the link is open.
    void ChooseMode(uint8_t mode);
    void ChoosePin(uint8_t config);

    // WinKeyPort: the send buffer, the key handler's status, clear and backspace, the speed box.
    void WKTransmit(SendBuffer& buffer, HandOverListener* listener) override;
    int32_t wk_getstatus() override;
    void wk_clearbuf() override;
    void wk_backspace() override;
    void wk_wpm(uint8_t wpm) override;
    // The end of the run: the keyer's buffer is cleared first (as Esc clears it), so the keyer
    // does not go on sending a message on its own once the program is gone; then host close.
    void EndRun() override;

    bool draining() const { return draining_; }
    WinKeyLink& link() { return link_; }

private:
    // The keyer's device went away while open: the sender stops and the window says so.
    void linkLost();
    // The opening ended (opened or failed): a send waiting for it goes on.
    void openingEnded();
    // `failed`: the keyer could not be opened (Open has said so): the first step drops the
    // text and ends the hand-over as a failure.
    void startDrain(bool failed = false);
    void drainStep();
    void endHandOver(bool failed = false);
    void endDrainSoon();
    void giveUp();
    void notify();
    void appendAndSend(const std::string& text);

    Session& session_;
    WinKeyLink link_;
    std::unique_ptr<platform::Timer> drainTimer_;
    bool draining_ = false;
    bool waitingForOpen_ = false;  // a send waits for the opening under way (its end, or a close)
    bool openFailed_ = false;      // the running drain's keyer could not be opened
    int64_t waitStartedMs_ = -1;   // when the keyer first said it was full; -1 not waiting
    HandOverListener* listener_ = nullptr;  // told of the running hand-over
};

// Capital: "a".."z" become capitals; every other key passes unchanged.
int Capital(int keyAscii);
// The setting boxes take only Backspace and the digits.
bool SettingBoxKeyPasses(int keyAscii);

}  // namespace keying
