#pragma once
// A serial port as the rig's CAT link, the TNC, the CW key line, the voice keyer's PTT and the
// WinKey keyer use it: port number, settings text, handshaking, the DTR and RTS lines, writes,
// reads of what has arrived, the count of bytes still to go out, and an event when the device
// goes away. Nothing here blocks.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

class Environment;

enum class Parity { None, Even, Odd, Mark, Space };
enum class Handshake { None, XonXoff, RtsCts, RtsCtsXonXoff };

struct SerialSettings {
    int baud = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;  // 5 to 8
    int stopBits = 1;  // 1 or 2
    friend bool operator==(const SerialSettings&, const SerialSettings&) = default;
};

// Reads a settings text such as "4800,N,8,2" (baud, parity letter N/E/O/M/S, data bits, stop
// bits; blanks around items allowed, letters in either case). std::nullopt when any item is
// missing or is not a value a serial port takes, so a bad text is refused before a port opens.
std::optional<SerialSettings> parseSerialSettings(const std::string& text);
std::string formatSerialSettings(const SerialSettings& settings);  // "4800,N,8,2"

// Port numbers are 1 to 10, as the settings files keep them. On Linux port n is the device
// named by the environment variable PALMETAR_COM<n> when it is set (a USB adapter:
// PALMETAR_COM3=/dev/ttyUSB0), else /dev/ttyS<n-1>. Empty for a number outside 1..10.
constexpr int kFirstComPort = 1;
constexpr int kLastComPort = 10;
std::string comPortDevice(const Environment& environment, int port);

class SerialLine {
public:
    virtual ~SerialLine() = default;
    // Opens port 1..10. Right after opening both DTR and RTS are cleared (where the handshake
    // leaves RTS to the driver, only DTR), so opening a port never keys a transmitter or powers
    // an interface the caller did not ask for. false on failure, with errorText() saying why.
    virtual bool open(int port, const SerialSettings& settings, Handshake handshake) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual int port() const = 0;  // the port last opened; 0 before any
    // Each reports whether the line was really driven: false when closed, when the handshake
    // owns RTS, or when the device has no modem lines (a pseudo-terminal).
    virtual bool setDtr(bool on) = 0;
    virtual bool setRts(bool on) = 0;
    // Queues bytes to go out (each char one byte 0..255); false when closed or refused.
    virtual bool write(const std::string& bytes) = 0;
    // Everything received so far; the receive buffer is then empty.
    virtual std::string readAll() = 0;
    // Bytes written but not yet gone out.
    virtual int64_t bytesToWrite() const = 0;
    virtual std::string errorText() const = 0;
    // Runs on the program's thread when bytes have arrived; for readers that do not poll.
    virtual void setReadyReadHandler(std::function<void()> handler) = 0;
    // Runs on the program's thread when the device has gone away while the line was open (a
    // USB adapter pulled, the far end of a pseudo-terminal closed). By then the line has closed
    // itself, so nothing goes on retrying a dead device, and errorText() says what happened.
    // It never runs inside a call of this interface, nor for a line closed or opened again
    // since, so the handler may close, reopen or destroy the line.
    virtual void setLostHandler(std::function<void()> handler) = 0;
};

// Makes serial lines; each user (rig, TNC, keyers) owns its own.
class SerialPorts {
public:
    virtual ~SerialPorts() = default;
    virtual std::unique_ptr<SerialLine> create() = 0;
};

}  // namespace platform
