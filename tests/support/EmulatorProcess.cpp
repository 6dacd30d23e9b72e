#include "support/EmulatorProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace fakes {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> argv(std::vector<std::string>& args) {
    std::vector<char*> v;
    for (auto& a : args) v.push_back(a.data());
    v.push_back(nullptr);
    return v;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

}  // namespace

EmulatorProcess::EmulatorProcess(const std::vector<std::string>& arguments) {
    int in[2], out[2];
    if (pipe(in) != 0) return;
    if (pipe(out) != 0) {
        close(in[0]);
        close(in[1]);
        return;
    }
    std::vector<std::string> args = {PALMETAR_RIG_EMULATOR};
    args.insert(args.end(), arguments.begin(), arguments.end());
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[1]);
        close(out[0]);
        auto v = argv(args);
        execv(v[0], v.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toChild_ = in[1];
    fromChild_ = out[0];
    fcntl(fromChild_, F_SETFL, O_NONBLOCK);
    ready_ = !waitFor("ready", std::chrono::seconds(5)).empty();
}

EmulatorProcess::~EmulatorProcess() {
    if (toChild_ >= 0) {
        const char quit[] = "quit\n";
        (void)!write(toChild_, quit, sizeof quit - 1);
        close(toChild_);
    }
    stop(pid_);
    if (fromChild_ >= 0) close(fromChild_);
}

bool EmulatorProcess::readLine(std::string& line, std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    for (;;) {
        const size_t nl = buffer_.find('\n');
        if (nl != std::string::npos) {
            line = buffer_.substr(0, nl);
            buffer_.erase(0, nl + 1);
            lines_.push_back(line);
            return true;
        }
        if (fromChild_ < 0) return false;
        char buf[4096];
        const ssize_t n = read(fromChild_, buf, sizeof buf);
        if (n > 0) {
            buffer_.append(buf, static_cast<size_t>(n));
            continue;
        }
        if (n == 0) return false;  // the emulator has ended
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{fromChild_, POLLIN, 0};
        poll(&p, 1, static_cast<int>(left));
    }
}

std::string EmulatorProcess::waitFor(const std::string& prefix, std::chrono::milliseconds timeout) {
    // Lines already read and not yet looked at come first.
    while (consumed_ < lines_.size()) {
        const std::string& l = lines_[consumed_++];
        if (l.rfind(prefix, 0) == 0) return l;
    }
    const auto end = Clock::now() + timeout;
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (!readLine(line, std::max(left, std::chrono::milliseconds(0)))) return {};
        consumed_ = lines_.size();
        if (line.rfind(prefix, 0) == 0) return line;
    }
}

bool EmulatorProcess::command(const std::string& line) {
    if (toChild_ < 0) return false;
    const std::string text = line + "\n";
    if (write(toChild_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return false;
    return !waitFor("ok", std::chrono::seconds(5)).empty();
}

const std::vector<std::string>& EmulatorProcess::lines() {
    std::string line;
    while (readLine(line, std::chrono::milliseconds(0))) {
    }
    return lines_;
}

ProgramRun RunProgram(const std::vector<std::string>& command, std::chrono::milliseconds timeout) {
    ProgramRun run;
    int out[2];
    if (pipe(out) != 0) return run;
    std::vector<std::string> args = command;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) dup2(devNull, 2);
        close(out[0]);
        auto v = argv(args);
        execvp(v[0], v.data());
        _exit(127);
    }
    close(out[1]);
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    const auto end = Clock::now() + timeout;
    bool ended = false;
    for (;;) {
        char buf[4096];
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n > 0) {
            run.out.append(buf, static_cast<size_t>(n));
            continue;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            ended = true;
            while (read(out[0], buf, sizeof buf) > 0) {
            }
            run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (Clock::now() >= end) break;
        pollfd p{out[0], POLLIN, 0};
        poll(&p, 1, 20);
    }
    if (!ended) stop(pid);
    close(out[0]);
    return run;
}

bool ProgramAvailable(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string p = path;
    size_t start = 0;
    while (start <= p.size()) {
        const size_t colon = p.find(':', start);
        const std::string dir = p.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return true;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return false;
}

}  // namespace fakes
