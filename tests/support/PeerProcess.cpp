#include "support/PeerProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <random>
#include <thread>

namespace fakes {

PeerProcess::PeerProcess(const std::vector<std::string>& argv, const std::string& logPath, bool outputToLog) {
    int toChild[2], fromChild[2];
    if (argv.empty() || pipe(toChild) != 0) return;
    if (pipe(fromChild) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, 2);
            if (outputToLog) dup2(log, 1);
        }
        for (int fd = 3; fd < 1024; ++fd) ::close(fd);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    in_ = toChild[1];
    out_ = fromChild[0];
    fcntl(out_, F_SETFL, O_NONBLOCK);
    signal(SIGPIPE, SIG_IGN);  // a peer that has ended must not end the test with it
}

PeerProcess::~PeerProcess() {
    stop();
    if (in_ >= 0) ::close(in_);
    if (out_ >= 0) ::close(out_);
}

bool PeerProcess::running() const {
    if (pid_ <= 0) return false;
    int status = 0;
    return waitpid(pid_, &status, WNOHANG) == 0;
}

bool PeerProcess::writeLine(const std::string& line) {
    if (in_ < 0) return false;
    const std::string bytes = line + "\n";
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(in_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::optional<std::string> PeerProcess::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (out_ < 0 || left.count() <= 0) return std::nullopt;
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char buf[512];
        const ssize_t n = ::read(out_, buf, sizeof buf);
        if (n == 0) return std::nullopt;  // the peer has ended
        if (n > 0) pending_.append(buf, static_cast<size_t>(n));
    }
}

void PeerProcess::stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid_, &status, WNOHANG) != 0) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

int FreeLoopbackPort() {
    // Below the system's ephemeral range, where direwolf takes its AGW port (it refuses ports
    // above 49151) and where no outgoing connection of this machine is given a port meanwhile.
    static std::mt19937 random(static_cast<unsigned>(getpid()) * 7919u + static_cast<unsigned>(time(nullptr)));
    std::uniform_int_distribution<int> pick(20000, 30000);
    for (int attempt = 0; attempt < 200; ++attempt) {
        const int port = pick(random);
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0) return 0;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(port));
        const bool free = bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        // direwolf listens on every address: the port must be free there as well.
        const int any = socket(AF_INET, SOCK_STREAM, 0);
        a.sin_addr.s_addr = htonl(INADDR_ANY);
        const bool freeEverywhere = free && bind(any, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(any);
        if (freeEverywhere) return port;
    }
    return 0;
}

bool WaitForListening(int port, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(port));
        const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        if (ok) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

}  // namespace fakes
