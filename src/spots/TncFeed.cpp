#include "spots/TncFeed.h"

#include "logging/Text.h"
#include "spots/SpotSetupRules.h"

namespace spots {

TncFeed::TncFeed(SpotFeedHost& host, platform::Services& services)
    : host_(host), dialogs_(services.dialogs), comComm1_(services.serial.create()) {
    comComm1_->setLostHandler([this] { tncLost(); });
}

bool TncFeed::isOpen() const { return comComm1_->isOpen(); }

void TncFeed::write(const std::string& bytes) {
    if (comComm1_->isOpen()) comComm1_->write(bytes);
}

void TncFeed::close() {
    if (comComm1_->isOpen()) comComm1_->close();
}

void TncFeed::send(const std::string& line) { write(line + "\r"); }

void TncFeed::OpenTNCPort(const TncLineSettings& s) {
    if (comComm1_->isOpen()) comComm1_->close();
    const auto serial = platform::parseSerialSettings(TncSettingsText(s.baud, s.parity, s.dataBits, s.stopBits));
    const auto plan = TncHandshakeFor(s.handshake);
    if (!serial || !comComm1_->open(s.port, *serial, plan ? plan->handshake : platform::Handshake::None)) {
        tncFailed();
        return;
    }
    if (plan && plan->rtsEnabled) comComm1_->setRts(true);
    if (logging::SameText(s.power, "R")) comComm1_->setRts(true);
    if (logging::SameText(s.power, "D")) comComm1_->setDtr(true);
    host_.startTick();
    host_.note("** TNC Serial Port Open **\r\n\r\n");
}

void TncFeed::tncFailed() {
    dialogs_.beep();
    std::string why = comComm1_->errorText();
    host_.note("** Unable to open TNC Serial Port **\r\n\r\n" + (why.empty() ? std::string() : why + "\r\n\r\n"));
    dialogs_.messageBox(
        "The comm port that you selected for DX Spotting is either in use, invalid or the settings that you have "
        "selected are invalid.  Please select another combination or choose None for your DX Spot selection.",
        platform::MsgButtons::OK, platform::MsgIcon::None, "Invalid Comm Settings.");
    // Opened by the load while hidden: the window comes into view so the settings can be changed.
    host_.comeIntoView();
    host_.closePort();
    host_.stopTick();
}

void TncFeed::tncLost() {
    // The feed closes as Close Port closes it, and the display says why; Open Port opens the
    // device again once it is back.
    host_.note("\r\n** TNC Serial Port lost: " + comComm1_->errorText() + " **\r\n");
    host_.closePort();
    host_.stopTick();
    dialogs_.beep();
}

void TncFeed::PollTNC() {
    if (!comComm1_->isOpen()) return;
    const std::string text = comComm1_->readAll();
    if (!text.empty()) host_.received(text);
}

}  // namespace spots
