#include "platform/SteadyKeyingClock.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

#include <chrono>

namespace platform {

namespace {
using Steady = std::chrono::steady_clock;

// Set up once for the thread that sleeps to keying deadlines. The kernel may defer a sleeping
// thread's wake-up by its timer slack (50 us by default) to batch wake-ups: the keying thread
// asks for the least. And on a busy machine a woken thread waits its turn behind every other
// runnable one, for tens of milliseconds: where the system allows it (root, or a real-time
// limit granted to the user, as audio programs get), the keying thread takes a low real-time
// priority, so it runs the moment its deadline comes. It sleeps between edges, so it takes
// almost no time from anything else; where it is not allowed, it keys at normal priority.
void prepareKeyingThread() {
    thread_local bool done = false;
    if (done) return;
    done = true;
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 9;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}
}  // namespace

int64_t SteadyKeyingClock::nowNs() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Steady::now().time_since_epoch()).count();
}

bool SteadyKeyingClock::sleepUntil(int64_t deadlineNs, const std::atomic<bool>& stop) {
    prepareKeyingThread();
    const Steady::time_point deadline{std::chrono::duration_cast<Steady::duration>(std::chrono::nanoseconds(deadlineNs))};
    std::unique_lock lock(mutex_);
    ++sleepers_;
    // steady_clock waits on CLOCK_MONOTONIC with an absolute timeout.
    const bool stopped = cv_.wait_until(lock, deadline, [&] { return stop.load(); });
    --sleepers_;
    return !stopped;
}

bool SteadyKeyingClock::sleeping() const {
    std::lock_guard lock(mutex_);
    return sleepers_ > 0;
}

void SteadyKeyingClock::wake() {
    { std::lock_guard lock(mutex_); }
    cv_.notify_all();
}

}  // namespace platform
