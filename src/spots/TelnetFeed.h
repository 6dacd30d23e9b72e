#pragma once
// The telnet feed: a DX cluster reached over TCP. Every chunk that arrives goes through the
// line splitter of the window, without the telnet protocol's own bytes; a refused or lost
// connection, or one the server ends, is said in the display and ends "Listening".

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "spots/SpotFeed.h"
#include "spots/TelnetFilter.h"

namespace spots {

class TelnetFeed : public SpotFeed {
public:
    TelnetFeed(SpotFeedHost& host, platform::Services& services);

    // Connects to the host and port as typed in the window.
    void ConnectTelnet(const std::string& host, const std::string& portText);

    void close() override;
    void send(const std::string& line) override { SendTelnet(line); }

private:
    void SendTelnet(const std::string& text);
    void Winsock1_DataArrival();
    void Winsock1_Error(int number);
    void telnetClosedByServer();

    SpotFeedHost& host_;
    platform::Dialogs& dialogs_;
    std::unique_ptr<platform::TcpClient> winsock1_;
    TelnetFilter telnetFilter_;
};

}  // namespace spots
