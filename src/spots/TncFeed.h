#pragma once
// The TNC feed: a terminal node controller on a serial port. Opening it sets the port up as the
// spotting window's serial options say; each tick reads what has arrived. A device that goes
// away while open (a pulled adapter) closes the feed, and the display says why; Open Port opens
// it again once the device is back.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "spots/SpotFeed.h"

namespace spots {

// The serial options of the window as the TNC's port takes them.
struct TncLineSettings {
    uint8_t port = 0;  // 1..10
    std::string baud, parity, dataBits, stopBits;
    std::string power;      // "N", "R" (RTS) or "D" (DTR)
    uint8_t handshake = 0;  // 1..4: None, XON/XOFF, RTS/CTS, both
};

class TncFeed : public SpotFeed {
public:
    TncFeed(SpotFeedHost& host, platform::Services& services);

    void OpenTNCPort(const TncLineSettings& settings);
    bool isOpen() const;
    // Writes to the TNC as it is; nothing when the port is closed.
    void write(const std::string& bytes);

    void close() override;
    void poll() override { PollTNC(); }
    void send(const std::string& line) override;

private:
    void PollTNC();
    void tncFailed();
    void tncLost();

    SpotFeedHost& host_;
    platform::Dialogs& dialogs_;
    std::unique_ptr<platform::SerialLine> comComm1_;
};

}  // namespace spots
