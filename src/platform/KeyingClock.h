#pragma once
// The clock the keying worker times Morse elements by: monotonic nanoseconds, and a sleep to an
// absolute deadline that another thread can cut short. Sleeping to deadlines, not for
// durations, keeps a late wake-up from shifting every later element.

#include <atomic>
#include <cstdint>

namespace platform {

class KeyingClock {
public:
    virtual ~KeyingClock() = default;
    // Monotonic time in nanoseconds from an arbitrary start.
    virtual int64_t nowNs() const = 0;
    // Sleeps until nowNs() reaches deadlineNs, or until stop is true and wake() has been
    // called. Returns true when the deadline was reached, false when stopped.
    virtual bool sleepUntil(int64_t deadlineNs, const std::atomic<bool>& stop) = 0;
    // Makes a sleep in progress look at its stop flag again (call after setting it).
    virtual void wake() = 0;
};

}  // namespace platform
