#pragma once
// The link to a WinKey keyer on a serial port, speaking its host protocol. Opening is a short
// exchange (an echo test, then host open, which the keyer answers with its version byte); it
// runs on timers and reports its result when the keyer has answered or the wait is over, so
// nothing waits on the program's thread. While open, the keyer reports its status by itself
// whenever it changes; the link keeps the last status and asks for one when a report is due.
//
// Results of an opening; the WinKey window chooses its message by them:
//   0 the keyer answered (version > 0), -1 no echo, -2 echo mismatch, -3 no answer to host
//   open, -4 the port could not be opened, -8 already open (or an opening is under way).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Scheduler.h"
#include "platform/SerialLine.h"

namespace keying {

class WinKeyLink {
public:
    struct Timing {
        int answerMs = 1000;      // how long the echo test and host open may take
        int busyReportMs = 500;   // after text is written, how long until a status is asked for
    };
    static constexpr int kOpened = 0, kNoEcho = -1, kEchoMismatch = -2, kNoOpenResponse = -3,
                         kComOpenFailed = -4, kAlreadyOpen = -8, kNotOpen = -9;

    using OpenDone = std::function<void(int result, uint8_t version)>;

    WinKeyLink(platform::SerialPorts& ports, platform::Scheduler& scheduler, Timing timing);
    WinKeyLink(platform::SerialPorts& ports, platform::Scheduler& scheduler)
        : WinKeyLink(ports, scheduler, Timing{}) {}
    ~WinKeyLink();
    WinKeyLink(const WinKeyLink&) = delete;
    WinKeyLink& operator=(const WinKeyLink&) = delete;

    // Opens port 1..10 and greets the keyer; `done` runs once with the result, never from
    // inside open() except for -4 and -8.
    void open(int port, OpenDone done);
    // Says goodbye to the keyer (host close) and releases the port. An opening under way is
    // abandoned: its `done` never runs.
    void close();
    bool isOpen() const { return state_ == State::Open; }
    bool opening() const { return state_ == State::Echo || state_ == State::Version; }
    uint8_t version() const { return version_; }
    // Why the port could not be opened (result -4), or why it was lost.
    const std::string& errorText() const { return error_; }

    // The keyer's status bits (see winkey::kBusy and the others); 0 while closed. Text written
    // counts as busy until the keyer reports on it, so text on its way is never taken for idle.
    int32_t status() const;
    // Runs whenever a status byte arrives.
    void setStatusHandler(std::function<void()> handler) { statusHandler_ = std::move(handler); }
    // Runs when the keyer's serial device goes away while the link is open (a pulled adapter):
    // the link is closed by then, its timers stopped, and errorText() says why. During an
    // opening the loss ends it instead, as -4 (the port could not be used).
    void setLostHandler(std::function<void()> handler) { lostHandler_ = std::move(handler); }

    // The commands; each does nothing on a closed link. sendChar drops codes that are not
    // printable characters and returns whether a byte went out.
    bool sendChar(int ansiCode);
    void clearBuffer();
    void backspace();
    void requestStatus();
    void setSpeed(uint8_t wpm);
    void setWeight(uint8_t weight);
    void setLeadTail(uint8_t leadIn, uint8_t tail);
    void setRatio(uint8_t ratio);
    void setPinConfig(uint8_t config);
    void setMode(uint8_t mode);

    // What went out to the keyer, for the tests of the command bytes (kept only when asked).
    void recordWrites(bool on) { record_ = on; }
    std::string written;

private:
    enum class State { Closed, Echo, Version, Open };
    void write(const std::string& bytes);
    void received();
    void answerTimedOut();
    void finishOpening(int result);
    void lineLost();

    platform::SerialPorts& ports_;
    std::unique_ptr<platform::SerialLine> line_;
    std::unique_ptr<platform::Timer> answerTimer_;
    std::unique_ptr<platform::Timer> busyTimer_;
    Timing timing_;
    State state_ = State::Closed;
    OpenDone done_;
    uint8_t probe_ = 0x55;
    uint8_t version_ = 0;
    int status_ = 0;
    bool textUnreported_ = false;  // text written and no busy status since
    std::string error_;
    std::function<void()> statusHandler_;
    std::function<void()> lostHandler_;
    bool record_ = false;
};

}  // namespace keying
