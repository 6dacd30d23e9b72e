#include "spots/TelnetFeed.h"

#include "spots/TelnetErrors.h"

namespace spots {

TelnetFeed::TelnetFeed(SpotFeedHost& host, platform::Services& services)
    : host_(host), dialogs_(services.dialogs), winsock1_(services.tcp.create()) {
    winsock1_->setHandlers({nullptr, [this] { Winsock1_DataArrival(); }, [this] { telnetClosedByServer(); },
                            [this](platform::TcpError error, const std::string&) {
                                Winsock1_Error(TelnetErrorNumber(error));
                            }});
}

void TelnetFeed::close() { winsock1_->close(); }

void TelnetFeed::ConnectTelnet(const std::string& host, const std::string& portText) {
    winsock1_->close();
    telnetFilter_.Reset();
    const auto port = TelnetPortNumber(portText);
    if (!port) {
        // Nothing can be opened: say why and end "Listening".
        host_.note(TelnetBadPortNote(portText));
        host_.closePort();
        return;
    }
    winsock1_->connectToHost(host, *port);
    host_.restartDisplay("Attempting connection to: " + winsock1_->remoteHost() + ":" +
                         std::to_string(winsock1_->remotePort()) + "\r\n\r\n");
    host_.startTick();
}

void TelnetFeed::SendTelnet(const std::string& text) {
    if (winsock1_->state() == platform::TcpState::Connected) {
        winsock1_->send(text + "\r\n");
        return;
    }
    host_.note("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n");
}

void TelnetFeed::Winsock1_DataArrival() {
    // Every chunk goes through the line splitter: a chunk may hold several spots or half of one.
    // The telnet protocol's own bytes (option negotiation) are no text of the cluster's.
    const std::string chunk = telnetFilter_.Strip(winsock1_->readAll());
    if (!chunk.empty()) host_.received(chunk);
}

void TelnetFeed::Winsock1_Error(int number) {
    const std::string text = TelnetErrorText(number);
    winsock1_->close();
    host_.note(text);
    host_.closePort();
    dialogs_.beep();
}

void TelnetFeed::telnetClosedByServer() {
    Winsock1_DataArrival();
    host_.note(std::string("\r\n") + kTelnetClosedByServer);
    host_.closePort();
    dialogs_.beep();
}

}  // namespace spots
