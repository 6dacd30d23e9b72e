#include "support/WinKeyEmulator.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <map>

namespace fakes {

namespace {
long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Dots and dashes of the characters the keyer knows; others take the time of a letter.
const std::map<char, const char*>& morse() {
    static const std::map<char, const char*> table = {
        {'A', ".-"},    {'B', "-..."},  {'C', "-.-."},  {'D', "-.."},   {'E', "."},     {'F', "..-."},
        {'G', "--."},   {'H', "...."},  {'I', ".."},    {'J', ".---"},  {'K', "-.-"},   {'L', ".-.."},
        {'M', "--"},    {'N', "-."},    {'O', "---"},   {'P', ".--."},  {'Q', "--.-"},  {'R', ".-."},
        {'S', "..."},   {'T', "-"},     {'U', "..-"},   {'V', "...-"},  {'W', ".--"},   {'X', "-..-"},
        {'Y', "-.--"},  {'Z', "--.."},  {'0', "-----"}, {'1', ".----"}, {'2', "..---"}, {'3', "...--"},
        {'4', "....-"}, {'5', "....."}, {'6', "-...."}, {'7', "--..."}, {'8', "---.."}, {'9', "----."},
        {'/', "-..-."}, {'?', "..--.."}, {'.', ".-.-.-"}, {',', "--..--"}, {'=', "-...-"},
    };
    return table;
}

// The number of bytes of arguments an immediate command takes.
int argumentCount(uint8_t cmd) {
    switch (cmd) {
        case 0x04: case 0x1B: return 2;
        case 0x05: return 3;
        case 0x0F: return 15;
        case 0x07: case 0x08: case 0x0A: case 0x13: case 0x15: case 0x1E: case 0x1F: return 0;
        default: return 1;
    }
}
// The same for admin commands, counted after the 0x00 and the sub-command.
int adminArgumentCount(uint8_t sub) { return (sub == 0x00 || sub == 0x04 || sub == 0x0E || sub == 0x0F) ? 1 : 0; }
}  // namespace

WinKeyEmulator::WinKeyEmulator(const std::string& ptyPath, Faults faults, int bufferSize, uint8_t version)
    : faults_(faults), bufferSize_(static_cast<size_t>(bufferSize)), version_(version) {
    fd_ = ::open(ptyPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    termios t{};
    if (tcgetattr(fd_, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd_, TCSANOW, &t);
    }
    thread_ = std::thread([this] { run(); });
}

WinKeyEmulator::~WinKeyEmulator() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (fd_ >= 0) ::close(fd_);
}

void WinKeyEmulator::send(uint8_t b) {
    if (faults_.silent) return;
    const char c = static_cast<char>(b);
    while (::write(fd_, &c, 1) < 0 && (errno == EAGAIN || errno == EINTR)) {
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, 10);
    }
}

uint8_t WinKeyEmulator::statusBits() const {
    int bits = 0;
    if (sending_ != 0 || !queue_.empty() || stuck_) bits |= 0x04;
    if (queue_.size() * 3 >= bufferSize_ * 2 || stuck_) bits |= 0x01;
    return static_cast<uint8_t>(bits);
}

void WinKeyEmulator::report() {
    if (!hostOpen_) return;
    const int bits = statusBits();
    if (bits == lastStatus_) return;
    lastStatus_ = bits;
    const uint8_t b = static_cast<uint8_t>(0xC0 | bits);
    statusSent_.push_back(b);
    send(b);
}

int WinKeyEmulator::charMs(char c) const {
    const double unit = 1200.0 / (speed_ > 0 ? speed_ : 20);
    if (c == ' ') return static_cast<int>(4 * unit);  // a word space beyond the letter space
    int units = 3;                                      // the space after the letter
    auto it = morse().find(c);
    const char* code = it == morse().end() ? ".-.-" : it->second;
    for (const char* p = code; *p; ++p) units += (*p == '.' ? 1 : 3) + 1;
    return static_cast<int>(units * unit);
}

void WinKeyEmulator::command(const std::vector<uint8_t>& cmd) {
    const uint8_t op = cmd[0];
    if (op == 0x00) {
        const uint8_t sub = cmd[1];
        if (sub == 0x04) {
            send(faults_.wrongEcho ? static_cast<uint8_t>(cmd[2] ^ 0xFF) : cmd[2]);
        } else if (sub == 0x02) {
            ++hostOpens_;
            if (faults_.noVersion) return;
            hostOpen_ = true;
            lastStatus_ = 0;
            send(version_);
        } else if (sub == 0x03) {
            // Back on its own: what it holds is still sent, as the keyer does.
            ++hostCloses_;
            hostOpen_ = false;
        }
        return;
    }
    if (!hostOpen_) return;
    switch (op) {
        case 0x02: speed_ = cmd[1]; break;
        case 0x03: weight_ = cmd[1]; break;
        case 0x04: leadIn_ = cmd[1]; tail_ = cmd[2]; break;
        case 0x07: send(static_cast<uint8_t>(0x80 | 0)); break;
        case 0x08: if (!queue_.empty()) queue_.pop_back(); break;
        case 0x09: pinConfig_ = cmd[1]; break;
        case 0x0A:
            ++clears_;
            queue_.clear();
            sending_ = 0;
            stuck_ = false;
            break;
        case 0x0E: mode_ = cmd[1]; break;
        case 0x15: {
            const uint8_t b = static_cast<uint8_t>(0xC0 | statusBits());
            statusSent_.push_back(b);
            send(b);
            lastStatus_ = statusBits();
            return;
        }
        case 0x17: ratio_ = cmd[1]; break;
        default: break;
    }
    report();
}

void WinKeyEmulator::take(uint8_t b) {
    received_.push_back(static_cast<char>(b));
    if (pending_.empty() && b >= 0x20) {
        if (!hostOpen_) return;
        handed_.push_back(static_cast<char>(b));
        if (queue_.size() < bufferSize_) queue_.push_back(static_cast<char>(b >= 'a' && b <= 'z' ? b - 32 : b));
        if (faults_.stuckXoff) stuck_ = true;
        report();
        return;
    }
    pending_.push_back(b);
    size_t need;
    if (pending_[0] == 0x00) need = pending_.size() < 2 ? 2 : 2 + adminArgumentCount(pending_[1]);
    else need = 1 + argumentCount(pending_[0]);
    if (pending_.size() < need) return;
    const std::vector<uint8_t> cmd = std::move(pending_);
    pending_.clear();
    command(cmd);
}

void WinKeyEmulator::run() {
    while (!stop_) {
        pollfd p{fd_, POLLIN, 0};
        ::poll(&p, 1, 2);
        uint8_t buf[256];
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        std::lock_guard lock(mutex_);
        if (n > 0 && !faults_.silent)
            for (ssize_t i = 0; i < n; ++i) take(buf[i]);
        else if (n > 0)
            received_.append(reinterpret_cast<const char*>(buf), static_cast<size_t>(n));
        // The keying: one character at a time at the set speed, with or without a host.
        if (stuck_) continue;
        const long long now = nowMs();
        if (sending_ != 0 && now >= sendingUntil_) {
            keyed_.push_back(sending_);
            if (mode_ & 0x04) send(static_cast<uint8_t>(sending_));  // serial echo
            sending_ = 0;
        }
        if (sending_ == 0 && !queue_.empty()) {
            sending_ = queue_.front();
            queue_.erase(0, 1);
            sendingUntil_ = now + charMs(sending_);
        }
        report();
    }
}

#define LOCKED(expr) \
    std::lock_guard lock(mutex_); \
    return expr;
std::string WinKeyEmulator::received() const { LOCKED(received_) }
std::string WinKeyEmulator::handed() const { LOCKED(handed_) }
std::string WinKeyEmulator::keyed() const { LOCKED(keyed_) }
std::string WinKeyEmulator::queued() const { LOCKED(queue_) }
bool WinKeyEmulator::hostOpen() const { LOCKED(hostOpen_) }
bool WinKeyEmulator::busy() const { LOCKED((statusBits() & 0x04) != 0) }
int WinKeyEmulator::speed() const { LOCKED(speed_) }
int WinKeyEmulator::weight() const { LOCKED(weight_) }
int WinKeyEmulator::leadIn() const { LOCKED(leadIn_) }
int WinKeyEmulator::tail() const { LOCKED(tail_) }
int WinKeyEmulator::ratio() const { LOCKED(ratio_) }
int WinKeyEmulator::pinConfig() const { LOCKED(pinConfig_) }
int WinKeyEmulator::mode() const { LOCKED(mode_) }
int WinKeyEmulator::clears() const { LOCKED(clears_) }
int WinKeyEmulator::hostOpens() const { LOCKED(hostOpens_) }
int WinKeyEmulator::hostCloses() const { LOCKED(hostCloses_) }
std::vector<uint8_t> WinKeyEmulator::statusSent() const { LOCKED(statusSent_) }
#undef LOCKED

}  // namespace fakes
