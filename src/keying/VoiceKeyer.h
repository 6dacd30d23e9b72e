#pragma once
// The voice keyer: F1-F9 play the operator's recorded messages (wave2.txt) on the voice
// keyer's own wave player with the transmitter's PTT keyed while a message plays: on the RTS or
// DTR line of a serial port, on the parallel port, both, or not at all. F1 can repeat a set
// number of seconds after it ends until the operator presses a key in the logging window.
//
// The end of a message comes from the player's end event, and Esc, a newer message and the
// window's unload stop the player and let PTT up at once; nothing polls or waits. Every path
// that ends a message or fails to start one lets every PTT line up, so a failure on one line
// (the parallel port) never leaves another (the serial port) keyed.

#include <functional>
#include <memory>
#include <string>

#include "keying/KeyerPort.h"
#include "keying/VoiceKeyerSettings.h"
#include "platform/KeyLine.h"
#include "platform/Scheduler.h"

class Session;

namespace keying {

// What keying PTT for a message takes, from the settings: the serial port's pin when a port
// above 0 is set (RTS also for the parallel choice), and the parallel port when it is chosen.
struct PttPlan {
    bool serial = false;
    platform::KeyPin serialPin = platform::KeyPin::Rts;
    bool parallel = false;
    friend bool operator==(const PttPlan&, const PttPlan&) = default;
};
PttPlan PlanPtt(const VoiceKeyerSettings& settings);

class VoiceKeyer : public VoiceKeyerPort {
public:
    static constexpr const char* kInvalidPortText =
        "The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none.";

    explicit VoiceKeyer(Session& session);
    ~VoiceKeyer() override;
    VoiceKeyer(const VoiceKeyer&) = delete;
    VoiceKeyer& operator=(const VoiceKeyer&) = delete;

    VoiceKeyerSettings& settings();

    // VoiceKeyerPort: the logging window's keys.
    void FKeyPhone(int keyCode) override;
    void StopPhoneRepeatTimer() override;
    bool VoicePlaying() const override;
    // Esc: the message stops and PTT goes up now; the repeat is not started.
    void StopVoice() override;

    // The PTT port box left (and before keying when the port is closed): opens the serial PTT
    // port, closing the CW key line and the WinKey link first. A port that cannot be opened is
    // reported, and the settings window shown modally when it is hidden. true when the port is
    // open or none is set.
    bool OpenPttPort();
    // Lets PTT up and releases the serial PTT port (the CW keyer or WinKey takes its port).
    void ClosePttPort();
    // The repeat box left: its text and the repeat interval.
    void SetRepeatSeconds(const std::string& text);
    bool repeatTimerActive() const;
    // Done: rewrites wave2.txt in the program folder; a failure is reported.
    bool WriteSettings();
    // The window's unload and the program's end: the player stops, PTT goes up, ports close.
    void Unload();

    bool pttKeyed() const { return keyed_; }
    bool pttPortOpen() const { return comm_ && comm_->isOpen(); }

    // Set by the window: shows it modally unless it is visible (the invalid port).
    std::function<void()> showSettingsModal;

private:
    void ended();
    void releasePtt();
    bool keyParallel();
    void report(const std::string& text, const std::string& title);

    Session& session_;
    std::unique_ptr<platform::KeyLine> comm_;      // CommPhone
    std::unique_ptr<platform::KeyLine> parallel_;
    std::string parallelOpenedFor_;                // the address text the parallel line is for
    std::unique_ptr<platform::Timer> tmrRepeat_;
    bool keyed_ = false;                           // a PTT line is down
    platform::KeyPin keyedPin_ = platform::KeyPin::Rts;
    bool parallelKeyed_ = false;
};

}  // namespace keying
