#pragma once
// A pseudo-terminal pair made by socat, for serial code tested against a real tty: the program
// opens one end as its port (PALMETAR_COM<n> names it), a test or an emulator holds the other.
// socat is started here and stopped by its process id when the pair goes.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace fakes {

class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return pid_ > 0 && std::filesystem::exists(a) && std::filesystem::exists(b); }
    std::string a, b;  // the two ends (symbolic links to /dev/pts/N)

    // Ends socat, as a pulled adapter: both ends hang up and their names go.
    void stop();
    // A new pair under the same two names (the adapter plugged in again); true when it is up.
    bool start();

private:
    std::filesystem::path dir_;
    pid_t pid_ = -1;
};

// One end of a tty opened raw and non-blocking.
class PtyEnd {
public:
    explicit PtyEnd(const std::string& path);
    ~PtyEnd();
    PtyEnd(const PtyEnd&) = delete;
    PtyEnd& operator=(const PtyEnd&) = delete;
    bool ok() const { return fd_ >= 0; }
    bool write(const std::string& bytes);
    // Reads until `want` bytes have come or the time is up; returns what came.
    std::string read(size_t want, std::chrono::milliseconds timeout);
    // Everything that arrives within the time.
    std::string drain(std::chrono::milliseconds timeout);

private:
    int fd_ = -1;
};

}  // namespace fakes
