#include "support/PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

namespace fakes {

PtyPair::PtyPair() {
    char pattern[] = "/tmp/palmetar-pty-XXXXXX";
    if (!mkdtemp(pattern)) return;
    dir_ = pattern;
    a = (dir_ / "a").string();
    b = (dir_ / "b").string();
    start();
}

PtyPair::~PtyPair() {
    stop();
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
}

bool PtyPair::start() {
    if (dir_.empty()) return false;
    stop();
    const std::string endA = "pty,raw,echo=0,link=" + a;
    const std::string endB = "pty,raw,echo=0,link=" + b;
    pid_ = fork();
    if (pid_ == 0) {
        execlp("socat", "socat", endA.c_str(), endB.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // Until socat has made both links or has ended. A busy machine can take seconds to start
    // it, so the bound is generous: it only decides how long a socat that never gets there
    // keeps the test waiting.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (pid_ > 0 && !ok()) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;  // socat is missing or refused the links
            break;
        }
        if (std::chrono::steady_clock::now() > giveUp) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ok();
}

void PtyPair::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    // socat removes its links as it ends; a killed one may leave them behind.
    std::error_code ec;
    std::filesystem::remove(a, ec);
    std::filesystem::remove(b, ec);
}

PtyEnd::PtyEnd(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    termios t{};
    if (tcgetattr(fd_, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd_, TCSANOW, &t);
    }
}

PtyEnd::~PtyEnd() {
    if (fd_ >= 0) ::close(fd_);
}

bool PtyEnd::write(const std::string& bytes) {
    size_t done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
    return done == bytes.size();
}

std::string PtyEnd::read(size_t want, std::chrono::milliseconds timeout) {
    std::string out;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (fd_ >= 0 && out.size() < want) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char buf[4096];
        ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) out.append(buf, static_cast<size_t>(n));
    }
    return out;
}

std::string PtyEnd::drain(std::chrono::milliseconds timeout) { return read(SIZE_MAX, timeout); }

}  // namespace fakes
