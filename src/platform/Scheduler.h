#pragma once
// Timers the core can use: the rig's poll cycle, the keyers' repeat and PTT timers, the spot
// source's tick. In the program they run on the event loop (QTimer); in tests a fake scheduler
// fires them as it advances the fake clock, so every interval is tested without sleeping.

#include <functional>
#include <memory>

namespace platform {

// One timer, as a window's timer control: an interval, an on/off state and a handler that runs
// on the program's thread. A stopped or destroyed timer never calls its handler again.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setHandler(std::function<void()> handler) = 0;
    // Fires every intervalMs until stopped; starting a running timer restarts its interval.
    virtual void start(int intervalMs) = 0;
    // Fires once, delayMs from now, then is stopped.
    virtual void startSingleShot(int delayMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;
};

class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
    // Runs fn on the program's thread soon, after the events already waiting. Safe to call from
    // any thread: this is how the keying worker reports back to the windows.
    virtual void post(std::function<void()> fn) = 0;
};

}  // namespace platform
