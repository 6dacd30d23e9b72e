// rig_emulator: a rig on one end of a serial line (a socat pseudo-terminal in the tests).
//
//   rig_emulator --family kenwood --device /dev/pts/7 [--freq 14.025] [--mode CW]
//                [--address 64] [--echo] [--junk "00 13"] [--split 4 --split-ms 30]
//
// It answers the CAT commands of the chosen family from its frequency and mode. Lines on
// standard input change it while it runs; it reports on standard output, one line each:
//   in:  freq <MHz> | mode <CW|USB|LSB|AM|FM|RTTY|CW-R> | split <bytes> <ms> | junk <hex> |
//        echo on|off | state | quit
//   out: ready | ok | state <Hz> <mode> | rx <hex of bytes received> | set freq <Hz> | set mode <name>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "rig/CatText.h"
#include "support/RigEmulator.h"

namespace {

int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string packedHex(const std::string& spaced) {
    std::string packed;
    for (char c : spaced) {
        if (c != ' ') packed += c;
    }
    return rig::HexPairsToBytes(packed).value_or("");
}

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                ::usleep(1000);
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    fakes::RigEmulator::Options options;
    std::string device;
    double mhz = 14.025;
    std::string mode = "CW";
    size_t splitAt = 0;
    int splitMs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--family") options.family = next();
        else if (a == "--device") device = next();
        else if (a == "--freq") mhz = std::strtod(next().c_str(), nullptr);
        else if (a == "--mode") mode = next();
        else if (a == "--address") options.civAddress = static_cast<int>(std::strtol(next().c_str(), nullptr, 16));
        else if (a == "--echo") options.echo = true;
        else if (a == "--junk") options.junk = packedHex(next());
        else if (a == "--split") splitAt = std::strtoul(next().c_str(), nullptr, 10);
        else if (a == "--split-ms") splitMs = std::atoi(next().c_str());
        else {
            std::fprintf(stderr, "rig_emulator: unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    if (device.empty() || !fakes::RigEmulator::knownFamily(options.family)) {
        std::fprintf(stderr, "rig_emulator: --device and a known --family are needed\n");
        return 2;
    }
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        std::perror(device.c_str());
        return 1;
    }
    termios t{};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    fakes::RigEmulator rig(options);
    rig.setFrequencyHz(static_cast<uint64_t>(mhz * 1e6 + 0.5));
    rig.setMode(mode);
    say("ready");

    std::string later;   // the second half of a split reply
    int64_t laterAt = 0;
    std::string input;
    bool running = true;
    while (running) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {0, POLLIN, 0}};
        int timeout = -1;
        if (!later.empty()) timeout = static_cast<int>(std::max<int64_t>(0, laterAt - nowMs()));
        ::poll(fds, 2, timeout);
        if (!later.empty() && nowMs() >= laterAt) {
            writeAll(fd, later);
            later.clear();
        }
        if (fds[0].revents & POLLIN) {
            char buf[512];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                const std::string bytes(buf, static_cast<size_t>(n));
                say("rx " + rig::ReplyToHex(bytes));
                const size_t changesBefore = rig.changes.size();
                std::string reply = rig.receive(bytes);
                for (size_t i = changesBefore; i < rig.changes.size(); ++i) say("set " + rig.changes[i]);
                if (!reply.empty()) {
                    if (!later.empty()) {  // the rest of the last reply goes first
                        writeAll(fd, later);
                        later.clear();
                    }
                    if (splitAt > 0 && reply.size() > splitAt) {
                        later = reply.substr(splitAt);
                        laterAt = nowMs() + splitMs;
                        reply.resize(splitAt);
                    }
                    writeAll(fd, reply);
                }
            }
        }
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            char buf[256];
            const ssize_t n = ::read(0, buf, sizeof buf);
            if (n <= 0) break;  // the test went away
            input.append(buf, static_cast<size_t>(n));
            size_t nl;
            while ((nl = input.find('\n')) != std::string::npos) {
                std::istringstream line(input.substr(0, nl));
                input.erase(0, nl + 1);
                std::string word;
                line >> word;
                if (word == "freq") {
                    double value = 0;
                    line >> value;
                    rig.setFrequencyHz(static_cast<uint64_t>(value * 1e6 + 0.5));
                    say("ok");
                } else if (word == "mode") {
                    std::string m;
                    line >> m;
                    rig.setMode(m);
                    say("ok");
                } else if (word == "split") {
                    line >> splitAt >> splitMs;
                    say("ok");
                } else if (word == "junk") {
                    std::string rest;
                    std::getline(line, rest);
                    rig.setJunk(packedHex(rest));
                    say("ok");
                } else if (word == "echo") {
                    std::string onOff;
                    line >> onOff;
                    rig.setEcho(onOff == "on");
                    say("ok");
                } else if (word == "state") {
                    say("state " + std::to_string(rig.frequencyHz()) + " " + rig.mode());
                } else if (word == "quit") {
                    running = false;
                }
            }
        }
    }
    ::close(fd);
    return 0;
}
