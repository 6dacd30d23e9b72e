#pragma once
// Timers on Qt's event loop.

#include <QTimer>

#include "platform/Scheduler.h"

namespace platform::qt {

class QtTimer : public Timer {
public:
    QtTimer();
    void setHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
    void start(int intervalMs) override;
    void startSingleShot(int delayMs) override;
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

private:
    QTimer timer_;
    std::function<void()> handler_;
};

class QtScheduler : public Scheduler {
public:
    std::unique_ptr<Timer> createTimer() override { return std::make_unique<QtTimer>(); }
    // A queued call to an object of the program's thread (the scheduler is made there).
    void post(std::function<void()> fn) override;

private:
    QObject context_;
};

}  // namespace platform::qt
