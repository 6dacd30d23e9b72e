#pragma once
// Key lines on Linux devices: a serial port's DTR or RTS set with TIOCMBIS/TIOCMBIC on a file
// descriptor of the line's own (QSerialPort belongs to the program's thread and cannot be
// driven from the keying worker), and a parallel port's control register through ppdev
// (/dev/parport<n>, PPCLAIM and PPWCONTROL) in place of writing to a raw I/O address.

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/KeyLine.h"

namespace platform {

class Environment;

class PosixKeyLines : public KeyLines {
public:
    // procParport: where the kernel lists the parallel ports with their base addresses.
    explicit PosixKeyLines(const Environment& environment, std::string procParport = "/proc/sys/dev/parport");
    ~PosixKeyLines() override;
    KeyLineOpening openSerial(int port) override;
    KeyLineOpening openParallel(const ParallelPortRef& where) override;

    // The ppdev device of the port at a base address; empty when the machine has none there.
    std::string parallelDeviceAt(int baseAddress) const;

    class ClaimedPort;  // one claimed parallel port, shared by the lines on it

private:
    const Environment& environment_;
    std::string procParport_;
    std::mutex mutex_;
    std::map<std::string, std::weak_ptr<ClaimedPort>> claimed_;
};

// Opens one serial device as a key line (the device path itself; openSerial maps a port number).
KeyLineOpening OpenSerialKeyLine(const std::string& device);

}  // namespace platform
