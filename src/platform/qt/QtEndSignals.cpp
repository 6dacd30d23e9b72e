#include "platform/qt/QtEndSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace platform::qt {

namespace {
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe, for the signal handler; -1 when no instance is installed.
volatile sig_atomic_t gWriteEnd = -1;

extern "C" void onEndSignal(int) {
    // Only async-signal-safe work here: one byte into the pipe, errno left as it was.
    const int saved = errno;
    const int fd = gWriteEnd;
    if (fd >= 0) {
        const char byte = 1;
        (void)!::write(fd, &byte, 1);
    }
    errno = saved;
}
}  // namespace

QtEndSignals::QtEndSignals(std::function<void()> onEnd) : onEnd_(std::move(onEnd)) {
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0) {
        pipe_[0] = pipe_[1] = -1;
        return;
    }
    gWriteEnd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { arrived(); });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals) ::sigaction(s, &action, nullptr);
}

QtEndSignals::~QtEndSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int s : kSignals) ::sigaction(s, &action, nullptr);
    gWriteEnd = -1;
    notifier_.reset();
    for (int fd : pipe_)
        if (fd >= 0) ::close(fd);
}

void QtEndSignals::arrived() {
    char bytes[64];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    // A second signal while the end is under way (inside a message box it opened) is the same
    // request: the end runs once.
    if (ending_ || !onEnd_) return;
    ending_ = true;
    onEnd_();
    ending_ = false;
}

}  // namespace platform::qt
