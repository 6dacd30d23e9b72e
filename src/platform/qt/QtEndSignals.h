#pragma once
// The signals that ask a program to end (SIGTERM from a shutdown or kill, SIGINT from Ctrl+C in
// the terminal it was started from, SIGHUP when that terminal goes) turned into a call on the
// program's thread, so the run ends in order (the rig's closing bytes, the port closed, the key
// line let up) instead of the process vanishing in the middle of a poll. The signal handler only
// writes a byte to a pipe; a socket notifier on the other end makes the call from the event
// loop. One instance at a time; its destructor gives the signals back their default action.

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace platform::qt {

class QtEndSignals {
public:
    explicit QtEndSignals(std::function<void()> onEnd);
    ~QtEndSignals();
    QtEndSignals(const QtEndSignals&) = delete;
    QtEndSignals& operator=(const QtEndSignals&) = delete;

    // Whether the handlers are in place (false when the pipe could not be made).
    bool installed() const { return notifier_ != nullptr; }

private:
    void arrived();

    std::function<void()> onEnd_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    bool ending_ = false;
};

}  // namespace platform::qt
