#include "platform/SteadyKeyingClock.h"

#include <sys/prctl.h>

#include <chrono>

namespace platform {

namespace {
using Steady = std::chrono::steady_clock;

// The kernel may defer a sleeping thread's wake-up by its timer slack (50 us by default) to
// batch wake-ups; a keying thread wants its deadline, so it asks for the least slack.
void tightenTimerSlack() {
    thread_local bool done = false;
    if (done) return;
    done = true;
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}
}  // namespace

int64_t SteadyKeyingClock::nowNs() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Steady::now().time_since_epoch()).count();
}

bool SteadyKeyingClock::sleepUntil(int64_t deadlineNs, const std::atomic<bool>& stop) {
    tightenTimerSlack();
    const Steady::time_point deadline{std::chrono::duration_cast<Steady::duration>(std::chrono::nanoseconds(deadlineNs))};
    std::unique_lock lock(mutex_);
    // steady_clock waits on CLOCK_MONOTONIC with an absolute timeout.
    const bool stopped = cv_.wait_until(lock, deadline, [&] { return stop.load(); });
    return !stopped;
}

void SteadyKeyingClock::wake() {
    { std::lock_guard lock(mutex_); }
    cv_.notify_all();
}

}  // namespace platform
