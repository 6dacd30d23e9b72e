#include "platform/PosixKeyLines.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/Platform.h"

namespace platform {

namespace {

std::string errnoText(const std::string& device) { return device + ": " + std::strerror(errno); }

constexpr unsigned char kControlUp = 2;    // auto-feed held, strobe released
constexpr unsigned char kControlDown = 3;  // strobe as well

class SerialKeyLine : public KeyLine {
public:
    SerialKeyLine(int fd, std::string device, bool drives) : fd_(fd), device_(std::move(device)), drives_(drives) {}
    ~SerialKeyLine() override { close(); }

    bool set(KeyPin pin, bool down) override {
        std::lock_guard lock(mutex_);
        if (fd_ < 0) {
            error_ = device_ + " is closed.";
            return false;
        }
        if (!drives_ || pin == KeyPin::Control) {
            error_ = device_ + " cannot drive that line.";
            return false;
        }
        int bits = pin == KeyPin::Rts ? TIOCM_RTS : TIOCM_DTR;
        if (::ioctl(fd_, down ? TIOCMBIS : TIOCMBIC, &bits) != 0) {
            error_ = errnoText(device_);
            return false;
        }
        return true;
    }
    void close() override {
        std::lock_guard lock(mutex_);
        if (fd_ < 0) return;
        int bits = TIOCM_DTR | TIOCM_RTS;
        if (drives_) ::ioctl(fd_, TIOCMBIC, &bits);
        ::close(fd_);
        fd_ = -1;
    }
    bool isOpen() const override {
        std::lock_guard lock(mutex_);
        return fd_ >= 0;
    }
    bool drivesLines() const override { return drives_; }
    std::string device() const override { return device_; }
    std::string errorText() const override {
        std::lock_guard lock(mutex_);
        return error_;
    }

private:
    mutable std::mutex mutex_;
    int fd_;
    std::string device_;
    bool drives_;
    std::string error_;
};

}  // namespace

KeyLineOpening OpenSerialKeyLine(const std::string& device) {
    KeyLineOpening result;
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error = errnoText(device);
        return result;
    }
    // The driver raises DTR and RTS as the device opens: drop both at once so nothing is keyed.
    int bits = TIOCM_DTR | TIOCM_RTS;
    const bool drives = ::ioctl(fd, TIOCMBIC, &bits) == 0;
    if (!drives && errno != ENOTTY && errno != EINVAL) {
        result.error = errnoText(device);
        ::close(fd);
        return result;
    }
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        result.error = device + " is not a serial port.";
        ::close(fd);
        return result;
    }
    // Hang up on close: should the program die with the key down, the kernel drops both
    // lines as it closes the device. CLOCAL: no modem carrier is waited for.
    t.c_cflag |= HUPCL | CLOCAL;
    ::tcsetattr(fd, TCSANOW, &t);
    result.line = std::make_unique<SerialKeyLine>(fd, device, drives);
    return result;
}

// A parallel port claimed through ppdev. Key lines on the same port (the CW key, the voice
// keyer's PTT) share it: the kernel's claim is per port, and a second claim would wait.
class PosixKeyLines::ClaimedPort {
public:
    ClaimedPort(int fd, std::string device) : fd_(fd), device_(std::move(device)) {}
    ~ClaimedPort() {
        write(kControlUp);
        ::ioctl(fd_, PPRELEASE);
        ::close(fd_);
    }
    bool write(unsigned char value) {
        std::lock_guard lock(mutex_);
        return ::ioctl(fd_, PPWCONTROL, &value) == 0;
    }
    const std::string& device() const { return device_; }

private:
    std::mutex mutex_;
    int fd_;
    std::string device_;
};

namespace {

class ParallelKeyLine : public KeyLine {
public:
    explicit ParallelKeyLine(std::shared_ptr<PosixKeyLines::ClaimedPort> port) : port_(std::move(port)) {}
    ~ParallelKeyLine() override { close(); }
    bool set(KeyPin, bool down) override {
        std::lock_guard lock(mutex_);
        if (!port_) {
            error_ = "The parallel port is closed.";
            return false;
        }
        if (!port_->write(down ? kControlDown : kControlUp)) {
            error_ = errnoText(port_->device());
            return false;
        }
        return true;
    }
    void close() override {
        std::lock_guard lock(mutex_);
        if (!port_) return;
        port_->write(kControlUp);
        port_.reset();
    }
    bool isOpen() const override {
        std::lock_guard lock(mutex_);
        return port_ != nullptr;
    }
    bool drivesLines() const override { return true; }
    std::string device() const override {
        std::lock_guard lock(mutex_);
        return port_ ? port_->device() : std::string();
    }
    std::string errorText() const override {
        std::lock_guard lock(mutex_);
        return error_;
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<PosixKeyLines::ClaimedPort> port_;
    std::string error_;
};

}  // namespace

PosixKeyLines::PosixKeyLines(const Environment& environment, std::string procParport)
    : environment_(environment), procParport_(std::move(procParport)) {}

PosixKeyLines::~PosixKeyLines() = default;

KeyLineOpening PosixKeyLines::openSerial(int port) {
    const std::string device = comPortDevice(environment_, port);
    if (device.empty()) return {nullptr, "There is no port " + std::to_string(port) + "."};
    return OpenSerialKeyLine(device);
}

std::string PosixKeyLines::parallelDeviceAt(int baseAddress) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(procParport_, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("parport", 0) != 0) continue;
        std::ifstream in(entry.path() / "base-addr");
        long base = 0;
        // The file lists the base address and, after it, the extended register's address.
        if (in >> base && base == baseAddress) return "/dev/" + name;
    }
    return {};
}

KeyLineOpening PosixKeyLines::openParallel(const ParallelPortRef& where) {
    std::string device = where.device;
    if (device.empty()) {
        device = parallelDeviceAt(where.baseAddress);
        if (device.empty()) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(where.baseAddress));
            return {nullptr, "This computer has no parallel port at address &H" + std::string(hex) + "."};
        }
    }
    std::lock_guard lock(mutex_);
    std::shared_ptr<ClaimedPort> port = claimed_[device].lock();
    if (!port) {
        const int fd = ::open(device.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) return {nullptr, errnoText(device)};
        if (::ioctl(fd, PPCLAIM) != 0) {
            KeyLineOpening failed{nullptr, errnoText(device)};
            ::close(fd);
            return failed;
        }
        port = std::make_shared<ClaimedPort>(fd, device);
        if (!port->write(kControlUp)) return {nullptr, errnoText(device)};
        claimed_[device] = port;
    }
    return {std::make_unique<ParallelKeyLine>(port), {}};
}

}  // namespace platform
