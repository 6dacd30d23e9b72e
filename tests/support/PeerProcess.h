#pragma once
// A peer program a test starts and stops by its process id: the fake DX cluster, direwolf. The
// test writes to its standard input and reads its standard output line by line; its error
// output goes to a log file the test can show when something fails.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace fakes {

class PeerProcess {
public:
    // Starts argv[0] (looked up on PATH) with the rest of argv as its arguments. With
    // outputToLog its standard output goes to the log file too (a program that only talks).
    explicit PeerProcess(const std::vector<std::string>& argv, const std::string& logPath = "/dev/null",
                         bool outputToLog = false);
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    bool running() const;
    pid_t pid() const { return pid_; }
    bool writeLine(const std::string& line);
    // The next line of its output, without the line end; nullopt when none came in time.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL if it has not ended within two seconds.
    void stop();

private:
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    std::string pending_;
};

// A TCP port (20000 to 30000) that nothing uses at the moment of asking.
int FreeLoopbackPort();
// True once something accepts connections on 127.0.0.1:port.
bool WaitForListening(int port, std::chrono::milliseconds timeout);

}  // namespace fakes
