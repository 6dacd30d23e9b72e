#pragma once
// The keying clock of the running program: CLOCK_MONOTONIC, and sleeps on a condition variable
// with an absolute deadline on that clock, so a stop request wakes the sleeper at once.

#include <condition_variable>
#include <mutex>

#include "platform/KeyingClock.h"

namespace platform {

class SteadyKeyingClock : public KeyingClock {
public:
    int64_t nowNs() const override;
    bool sleepUntil(int64_t deadlineNs, const std::atomic<bool>& stop) override;
    void wake() override;
    // Whether a sleep is waiting now (for a test that must wake a sleeper that really sleeps).
    bool sleeping() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    int sleepers_ = 0;  // under mutex_, which a sleeper gives up only while it waits
};

}  // namespace platform
