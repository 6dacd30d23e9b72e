#include "platform/qt/QtScheduler.h"

#include <algorithm>

namespace platform::qt {

QtTimer::QtTimer() {
    // Precise: the rig's 50 ms poll and the keyers' timers would drift by 5 % on coarse timers.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_) handler_();
    });
}

void QtTimer::start(int intervalMs) {
    timer_.setSingleShot(false);
    timer_.start(std::max(0, intervalMs));
}

void QtTimer::startSingleShot(int delayMs) {
    timer_.setSingleShot(true);
    timer_.start(std::max(0, delayMs));
}

void QtScheduler::post(std::function<void()> fn) {
    QMetaObject::invokeMethod(&context_, std::move(fn), Qt::QueuedConnection);
}

}  // namespace platform::qt
