#pragma once
// Lines that key a transmitter: the CW key and the voice keyer's push-to-talk. A serial port
// keys with its DTR or RTS line (no data is ever sent on it); a parallel port with its control
// register, through Linux ppdev. The keying worker sets a line from its own thread while the
// program's thread may close it, so set() and close() are safe to call from either thread.

#include <memory>
#include <string>

namespace platform {

// Which line of the device keys: a serial port's RTS or DTR, or the parallel port's control
// register (key down writes 3, key up 2: the strobe line, with auto-feed held).
enum class KeyPin { Rts, Dtr, Control };

class KeyLine {
public:
    // Destroying a line closes it (keys up first).
    virtual ~KeyLine() = default;
    // Keys down (true) or up on the pin. false when the line is closed, cannot drive its lines
    // (see drivesLines) or the device refused (errorText() says why).
    virtual bool set(KeyPin pin, bool down) = 0;
    // Keys up every pin and releases the device; later set() calls return false.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // false when the device opened but its modem lines cannot be driven, as on a
    // pseudo-terminal: keying it would do nothing, and the user of the line must say so.
    virtual bool drivesLines() const = 0;
    // The device path, for messages.
    virtual std::string device() const = 0;
    virtual std::string errorText() const = 0;
};

// The result of an opening: a line, or the reason there is none.
struct KeyLineOpening {
    std::unique_ptr<KeyLine> line;
    std::string error;
};

// Where a parallel port is: its I/O base address (&H378 for LPT1) or its ppdev device.
struct ParallelPortRef {
    int baseAddress = 0;   // used when device is empty
    std::string device;    // "/dev/parport0"
};

class KeyLines {
public:
    virtual ~KeyLines() = default;
    // Serial port 1..10, the device comPortDevice() names. Both DTR and RTS are cleared right
    // after the device opens, so opening never leaves the transmitter keyed.
    virtual KeyLineOpening openSerial(int port) = 0;
    // A parallel port. A base address is looked up among the machine's parallel ports; an
    // address no port has is refused (never some other port). The control register is set to
    // key-up as soon as the port is claimed. Lines on the same port share one claim.
    virtual KeyLineOpening openParallel(const ParallelPortRef& where) = 0;
};

}  // namespace platform
