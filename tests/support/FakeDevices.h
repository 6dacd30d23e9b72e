#pragma once
// Fakes of the timer and serial-port services. The scheduler fires timers as a test advances
// the fake clock; the serial ports keep one fake device per port number that records what was
// written and how the modem lines moved, and can be scripted to answer or to fail.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/KeyLine.h"
#include "platform/KeyingClock.h"
#include "platform/Scheduler.h"
#include "platform/SerialLine.h"

namespace fakes {

class FakeClock;
class FakeSerialLine;
class FakeSerialPorts;
class FakeScheduler;

class FakeTimer : public platform::Timer {
public:
    explicit FakeTimer(FakeScheduler& scheduler);
    ~FakeTimer() override;
    void setHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
    void start(int intervalMs) override;
    void startSingleShot(int delayMs) override;
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    int interval() const override { return interval_; }

private:
    friend class FakeScheduler;
    FakeScheduler& scheduler_;
    std::function<void()> handler_;
    int interval_ = 0;
    bool singleShot_ = false;
    bool active_ = false;
    int64_t due_ = 0;
    uint64_t order_ = 0;  // breaks ties between timers due at the same moment: first started first
};

class FakeScheduler : public platform::Scheduler {
public:
    explicit FakeScheduler(FakeClock& clock) : clock_(clock) {}
    std::unique_ptr<platform::Timer> createTimer() override { return std::make_unique<FakeTimer>(*this); }
    // Moves the clock forward by ms, firing every timer that comes due on the way, in time
    // order, with the clock standing at each timer's due time while its handler runs.
    void advance(int64_t ms);
    // Advances to the next due timer and fires it; false when no timer is running.
    bool fireNext();
    int activeTimers() const;
    int64_t now() const;

    // Posted work waits until the test runs it, on the test's thread, as the program's event
    // loop would run it on the program's thread.
    void post(std::function<void()> fn) override;
    // Runs what has been posted so far, in order (and what that posts in turn); how many ran.
    int runPosted();
    // Runs posted work as it arrives until done() holds; false when it still does not after
    // timeoutMs of real time (a worker that never reports).
    bool runPostedUntil(const std::function<bool()>& done, int timeoutMs = 10000);
    // How many posts were made since the start (run or not), and a real-time wait for a count.
    int postedCount();
    bool waitForPostedCount(int count, int timeoutMs = 10000);

private:
    friend class FakeTimer;
    FakeTimer* nextDue(int64_t limit) const;
    void fire(FakeTimer* timer);

    FakeClock& clock_;
    std::vector<FakeTimer*> timers_;
    uint64_t starts_ = 0;
    std::mutex postMutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> postQueue_;
    int postedCount_ = 0;
};

// What happened on one modem line: the time (monotonic ms) and the new level.
struct LineEdge {
    int64_t atMs;
    char line;  // 'D' (DTR) or 'R' (RTS)
    bool on;
    friend bool operator==(const LineEdge&, const LineEdge&) = default;
};

// One port's device end.
struct FakeSerialDevice {
    // Switches a test sets.
    bool failOpen = false;
    bool modemLinesWork = true;  // false: like a pseudo-terminal, DTR/RTS cannot be driven
    bool failWrite = false;
    int64_t outputQueue = 0;     // what bytesToWrite() reports
    // Called with each write; a scripted peer answers by appending to `incoming`.
    std::function<void(const std::string&)> onWrite;

    // What the line did.
    bool open = false;
    int opens = 0;
    platform::SerialSettings settings;
    platform::Handshake handshake = platform::Handshake::None;
    bool dtr = false, rts = false;
    std::vector<LineEdge> edges;
    std::string written;   // every byte written since the test began
    std::string incoming;  // bytes waiting to be read

    // Bytes arrive from the peer: queued for readAll() and the ready-read handler runs.
    void receive(const std::string& bytes);

    // The device goes away (a USB adapter pulled): the line on it is closed at once, writes to
    // it fail, and its lost event waits for FakeSerialPorts::deliver(), as the event loop would
    // run it later. Opening fails until plugIn().
    void unplug(const std::string& why = "Input/output error");
    void plugIn() { present = true; }
    bool present = true;

private:
    friend class FakeSerialLine;
    friend class FakeSerialPorts;
    std::function<void()> readyRead_;
    FakeSerialLine* line_ = nullptr;  // the line that has it open
    FakeSerialPorts* ports_ = nullptr;
};

class FakeSerialPorts;

class FakeSerialLine : public platform::SerialLine {
public:
    explicit FakeSerialLine(FakeSerialPorts& ports) : ports_(ports) {}
    ~FakeSerialLine() override;
    bool open(int port, const platform::SerialSettings& settings, platform::Handshake handshake) override;
    void close() override;
    bool isOpen() const override { return device_ && device_->open; }
    int port() const override { return port_; }
    bool setDtr(bool on) override { return setLine('D', on); }
    bool setRts(bool on) override { return setLine('R', on); }
    bool write(const std::string& bytes) override;
    std::string readAll() override;
    int64_t bytesToWrite() const override { return isOpen() ? device_->outputQueue : 0; }
    std::string errorText() const override { return error_; }
    void setReadyReadHandler(std::function<void()> handler) override;
    void setLostHandler(std::function<void()> handler) override { lostHandler_ = std::move(handler); }

private:
    friend struct FakeSerialDevice;
    friend class FakeSerialPorts;
    bool setLine(char line, bool on);
    void detach();

    FakeSerialPorts& ports_;
    std::shared_ptr<FakeSerialDevice> device_;
    int port_ = 0;
    std::string error_;
    std::function<void()> readyRead_;
    std::function<void()> lostHandler_;
    uint64_t generation_ = 0;  // counts opens and closes: a lost event of an older one is dropped
};

class FakeSerialPorts : public platform::SerialPorts {
public:
    explicit FakeSerialPorts(const FakeClock& clock) : clock_(clock) {}
    std::unique_ptr<platform::SerialLine> create() override;
    // The device on port n, made on first use (before or after a line opens it).
    FakeSerialDevice& device(int port);
    // Runs the lost events waiting (and those their handlers cause); returns how many ran.
    int deliver();
    int linesCreated = 0;

private:
    friend class FakeSerialLine;
    friend struct FakeSerialDevice;
    struct Lost {
        FakeSerialLine* line;
        uint64_t generation;
        std::string why;
    };
    void forget(FakeSerialLine* line);

    const FakeClock& clock_;
    std::map<int, std::shared_ptr<FakeSerialDevice>> devices_;
    std::deque<Lost> lost_;
};

// The keying clock of tests. Automatic: a sleep returns at once with the clock moved to its
// deadline, so a message keys in no real time and every edge falls exactly on its schedule.
// Manual: a sleep waits until the test moves the clock past its deadline (or it is stopped and
// woken), so a test can act while a character is being keyed.
class FakeKeyingClock : public platform::KeyingClock {
public:
    int64_t nowNs() const override { return now_.load(); }
    bool sleepUntil(int64_t deadlineNs, const std::atomic<bool>& stop) override;
    void wake() override;

    void setManual(bool manual);
    // Moves the clock on (both modes); a manual sleep whose deadline is reached returns.
    void advanceNs(int64_t ns);
    // Real-time wait until the worker sleeps in a manual clock; false after timeoutMs.
    bool waitForSleeper(int timeoutMs = 10000);
    // A manual sleep is under way that nothing has ended yet (time, a woken stop, letting go).
    bool asleep();
    int sleeps() const { return sleeps_.load(); }
    // Automatic mode: the n-th sleep (counted from 1) wakes up lateNs after its deadline, as a
    // stalled machine would.
    void wakeLate(int sleep, int64_t lateNs);
    // A watch on manual sleeps: one that nothing ends within limitMs of real time (the test
    // neither moves the clock nor lets it go, or the keyer is stopped without being woken, when
    // a real clock would sleep on to the deadline with the key down) is a keyer left asleep. The
    // clock then turns automatic, so the worker runs on and whoever waits for it goes on, and
    // counts it; the test fails on the count instead of hanging. 0, as made: no limit.
    void releaseSleepsAfter(int limitMs);
    int sleepsReleased();

private:
    bool held() const;  // asleep(), with the mutex held

    std::atomic<int64_t> now_{0};
    std::atomic<int> sleeps_{0};
    std::mutex mutex_;
    std::condition_variable cv_;
    bool manual_ = false;
    bool sleeping_ = false;
    int wakes_ = 0;
    // The sleep under way.
    int64_t sleepDeadlineNs_ = 0;
    const std::atomic<bool>* sleepStop_ = nullptr;
    int sleepWakes_ = 0;
    int releaseAfterMs_ = 0;
    int released_ = 0;
    std::map<int, int64_t> late_;
};

// One edge on a key line: when (keying clock ns), which pin ('R' RTS, 'D' DTR, 'C' the parallel
// control register) and the new level.
struct KeyEdge {
    int64_t atNs;
    char pin;
    bool down;
    friend bool operator==(const KeyEdge&, const KeyEdge&) = default;
};

// A key-line device: switches a test sets, and what happened to it.
struct FakeKeyDevice {
    bool failOpen = false;
    bool drivesLines = true;  // false: like a pseudo-terminal
    int failSetAfter = -1;    // >= 0: sets after that many succeed fail (a device unplugged)
    bool open = false;
    int opens = 0;
    int sets = 0;
    bool rts = false, dtr = false, control = false;
    std::vector<KeyEdge> edges;
    // True when any pin is keyed down.
    bool keyed() const { return rts || dtr || control; }
};

// Key lines that record every edge with the time from `now`. Serial port n is the device
// "COM<n>"; a parallel port is its device path, or "LPT&H<hex base>" for an address.
class FakeKeyLines : public platform::KeyLines {
public:
    explicit FakeKeyLines(std::function<int64_t()> now) : now_(std::move(now)) {}
    platform::KeyLineOpening openSerial(int port) override;
    platform::KeyLineOpening openParallel(const platform::ParallelPortRef& where) override;

    // The device of that name, made on first use; set its switches before keying starts.
    FakeKeyDevice& device(const std::string& name);
    // A copy of a device's state, safe while a worker keys it.
    FakeKeyDevice snapshot(const std::string& name);
    std::vector<std::string> openings() const;

private:
    friend class FakeKeyLine;
    platform::KeyLineOpening open(const std::string& name);
    std::function<int64_t()> now_;
    mutable std::mutex mutex_;
    std::map<std::string, FakeKeyDevice> devices_;
    std::vector<std::string> openings_;
};

}  // namespace fakes
