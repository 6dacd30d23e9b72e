#include "keying/WinKeyKeyer.h"

#include "keying/WinKeyProtocol.h"
#include "platform/FileSystem.h"
#include "session/Session.h"

namespace keying {

int Capital(int keyAscii) { return (keyAscii >= 'a' && keyAscii <= 'z') ? keyAscii - 32 : keyAscii; }

bool SettingBoxKeyPasses(int keyAscii) { return keyAscii == 8 || (keyAscii >= '0' && keyAscii <= '9'); }

WinKeyKeyer::WinKeyKeyer(Session& session, WinKeyLink::Timing timing)
    : session_(session),
      link_(session.platform.serial, session.platform.scheduler, timing),
      drainTimer_(session.platform.scheduler.createTimer()) {
    drainTimer_->setHandler([this] { drainStep(); });
    // A status report from the keyer may end a wait for room at once.
    link_.setStatusHandler([this] {
        if (draining_ && waitStartedMs_ >= 0) drainTimer_->startSingleShot(0);
    });
    link_.setLostHandler([this] { linkLost(); });
    session.keyers.winKey = this;
    session.keyers.ports.setCloser(TransmitPort::WinKey, [this] {
        if (session_.keyers.keyer.WinKeyOpen != 0 || link_.isOpen() || link_.opening()) cmdCloseWinkey_Click();
    });
}

WinKeyKeyer::~WinKeyKeyer() {
    if (session_.keyers.winKey == this) session_.keyers.winKey = nullptr;
    session_.keyers.ports.setCloser(TransmitPort::WinKey, nullptr);
    drainTimer_->stop();
    link_.setStatusHandler(nullptr);
    link_.setLostHandler(nullptr);
}

void WinKeyKeyer::linkLost() {
    // Text not yet handed to the keyer has nowhere to go: the drain's next step drops it and
    // ends the hand-over, as a close does.
    endDrainSoon();
    session_.keyers.keyer.WinKeyOpen = 0;
    session_.keyers.keyer.WinKeyStatus = 0;
    lblOpenStatus = kPortLostText;
    lblVersion = "Version #";
    session_.platform.dialogs.beep();
    notify();
}

void WinKeyKeyer::notify() {
    if (changed) changed();
}

void WinKeyKeyer::Load() {
    settings.WinKeyPinCfg = 6;
    settings.WinKeyMode = 0;
    const auto& folder = session_.folders.UserFolder;
    const std::string path = platform::resolveInFolder(session_.platform.files, folder, kWinKeySettingsFile);
    if (session_.platform.files.exists(path)) {
        if (auto bytes = session_.platform.files.readAll(path)) {
            // A damaged item stops the load there: the speed and port boxes are then not set.
            if (!ParseWinKeySettings(*bytes, settings)) {
                notify();
                return;
            }
        }
    }
    settings.txtWKWPM = session_.keyers.cw.settings().speed;
    settings.txtWKComPort = std::to_string(settings.WinKeyPort);
    notify();
}

bool WinKeyKeyer::WriteSettings() {
    const auto& folder = session_.folders.UserFolder;
    const std::string path = platform::resolveInFolder(session_.platform.files, folder, kWinKeySettingsFile);
    if (session_.platform.files.writeAtomic(path, FormatWinKeySettings(settings))) return true;
    session_.platform.dialogs.messageBox("The WinKey settings could not be saved to " + platform::PathText(path) + ".",
                                         platform::MsgButtons::OK, platform::MsgIcon::Exclamation, "WinKey Setup");
    return false;
}

void WinKeyKeyer::Unload() {
    endDrainSoon();
    link_.close();
    session_.keyers.keyer.WinKeyOpen = 0;
    session_.keyers.keyer.WinKeyStatus = 0;
}

void WinKeyKeyer::EndRun() {
    link_.clearBuffer();
    Unload();
}

void WinKeyKeyer::cmdOpenWinkey_Click() {
    session_.keyers.ports.opening(TransmitPort::WinKey);
    const uint8_t port = settings.WinKeyPort;
    link_.open(port, [this, port](int result, uint8_t version) {
        auto& keyer = session_.keyers.keyer;
        if (result != WinKeyLink::kAlreadyOpen && version == 0) {
            std::string text = "Unable to establish connection with WinKey on com port " + std::to_string(port) +
                               ".  Please check to make sure that you have specified the correct port and that the "
                               "Winkey device is properly connected.";
            if (result == WinKeyLink::kComOpenFailed && !link_.errorText().empty())
                text += "\n\n" + link_.errorText();
            session_.platform.dialogs.messageBox(text, platform::MsgButtons::OK, platform::MsgIcon::None,
                                                 "Unable to establish connection with Winkey.");
        }
        if (auto t = OpenResultText(result)) lblOpenStatus = *t;
        if (result != WinKeyLink::kAlreadyOpen) {
            ApplyWinKeySettings();
            if (version != 0) {
                keyer.WinKeyOpen = version;
                lblVersion = "Version # " + std::to_string(version);
            }
        }
        notify();
        // "Already open" leaves the focus where the operator has it: nothing was done.
        if (result != WinKeyLink::kAlreadyOpen && focusDone) focusDone();
        // "Already open" answers this press only: the opening under way goes on, and its own
        // end tells a waiting send.
        if (result != WinKeyLink::kAlreadyOpen) openingEnded();
    });
}

void WinKeyKeyer::cmdCloseWinkey_Click() {
    endDrainSoon();
    link_.close();
    lblOpenStatus = "Closed";
    lblVersion = "Version #";
    session_.keyers.keyer.WinKeyOpen = 0;
    session_.keyers.keyer.WinKeyStatus = 0;
    notify();
    if (focusDone) focusDone();
}

void WinKeyKeyer::cmdStop_Click() {
    link_.clearBuffer();
    session_.keyers.keyer.CWBuffer.clear();
    if (focusDone) focusDone();
}

void WinKeyKeyer::appendAndSend(const std::string& text) {
    auto& buffer = session_.keyers.keyer.CWBuffer;
    const bool wasEmpty = buffer.empty();
    buffer.append(text);
    if (wasEmpty) WKTransmit(buffer, nullptr);
}

void WinKeyKeyer::Test() {
    appendAndSend("VVV TEST DE " + session_.profile.StationCall);
    if (focusDone) focusDone();
}

void WinKeyKeyer::BufferTest() {
    std::string text;
    for (int i = 0; i < 3; ++i) {
        for (char c = 'A'; c <= 'Z'; ++c) text.push_back(c);
        text.push_back(' ');
    }
    appendAndSend(text);
}

int WinKeyKeyer::TypeToSend(int keyAscii) {
    keyAscii = Capital(keyAscii);
    if (keyAscii > 13) appendAndSend(std::string(1, static_cast<char>(keyAscii)));
    return keyAscii;
}

void WinKeyKeyer::LeaveWpm() {
    const BoxCheck c = CheckWpm(settings.txtWKWPM);
    if (c.text) settings.txtWKWPM = *c.text;
    if (c.send) link_.setSpeed(*c.send);
    notify();
}

void WinKeyKeyer::LeaveWeight() {
    const BoxCheck c = CheckWeight(settings.txtWeight);
    if (c.text) settings.txtWeight = *c.text;
    if (c.send) link_.setWeight(*c.send);
    notify();
}

void WinKeyKeyer::LeaveRatio() {
    const BoxCheck c = CheckRatio(settings.txtRatio);
    if (c.text) settings.txtRatio = *c.text;
    if (c.send) link_.setRatio(*c.send);
    notify();
}

void WinKeyKeyer::LeaveLeadTail(bool leavingTail) {
    const LeadTailCheck c = CheckLeadTail(settings.txtLeadIn, settings.txtTail);
    if (c.leftBoxText) (leavingTail ? settings.txtTail : settings.txtLeadIn) = *c.leftBoxText;
    if (c.send) link_.setLeadTail(c.send->first, c.send->second);
    notify();
}

void WinKeyKeyer::LeavePort() {
    const PortCheck c = CheckPort(settings.txtWKComPort);
    if (c.text) settings.txtWKComPort = *c.text;
    settings.WinKeyPort = c.port;
    notify();
}

void WinKeyKeyer::ApplyWinKeySettings() {
    LeaveWpm();
    LeaveWeight();
    LeaveLeadTail(false);
    LeaveRatio();
    link_.setPinConfig(settings.WinKeyPinCfg);
    link_.setMode(settings.WinKeyMode);
}

void WinKeyKeyer::ChooseMode(uint8_t mode) {
    settings.WinKeyMode = mode;
    if (session_.keyers.keyer.WinKeyOpen != 0) ApplyWinKeySettings();
}

void WinKeyKeyer::ChoosePin(uint8_t config) {
    settings.WinKeyPinCfg = config;
    if (session_.keyers.keyer.WinKeyOpen != 0) ApplyWinKeySettings();
}

// ---- the send buffer

void WinKeyKeyer::WKTransmit(SendBuffer& buffer, HandOverListener* listener) {
    (void)buffer;  // always the session's CWBuffer
    if (listener) listener_ = listener;
    if (draining_ || waitingForOpen_) return;  // the sender already running takes the new text
    if (session_.keyers.keyer.WinKeyOpen == 0) {
        // The drain starts at the opening's end (openingEnded). An opening already under way
        // (Open pressed a moment before: the greeting runs on timers) is waited for, not
        // opened again: a second opening would only be told "already open".
        waitingForOpen_ = true;
        if (!link_.opening()) cmdOpenWinkey_Click();
        return;
    }
    startDrain();
}

void WinKeyKeyer::openingEnded() {
    if (!waitingForOpen_) return;
    waitingForOpen_ = false;
    // A keyer that is not there drops the text at the drain's first step (Open has said why)
    // and fails the hand-over: the pump's F1 repeat and code practice would otherwise open it
    // again at once, with the same message each time.
    startDrain(session_.keyers.keyer.WinKeyOpen == 0);
}

void WinKeyKeyer::startDrain(bool failed) {
    draining_ = true;
    openFailed_ = failed;
    waitStartedMs_ = -1;
    drainTimer_->startSingleShot(0);
}

void WinKeyKeyer::endDrainSoon() {
    // The link is closing under a hand-over: what is left cannot go out. The next step drops
    // it and ends the hand-over, so whoever handed it over hears of the end.
    if (!draining_ && !waitingForOpen_) return;
    waitingForOpen_ = false;
    draining_ = true;
    waitStartedMs_ = -1;
    drainTimer_->startSingleShot(0);
}

void WinKeyKeyer::endHandOver(bool failed) {
    draining_ = false;
    openFailed_ = false;
    waitStartedMs_ = -1;
    HandOverListener* listener = listener_;
    listener_ = nullptr;
    if (!listener) return;
    if (failed) listener->handOverFailed();
    listener->handedOver();
}

void WinKeyKeyer::drainStep() {
    auto& keyer = session_.keyers.keyer;
    if (!draining_) return;
    if (!link_.isOpen()) keyer.CWBuffer.clear();
    if (keyer.CWBuffer.empty()) {
        endHandOver(openFailed_);
        return;
    }
    keyer.WinKeyStatus = link_.status();
    if (keyer.WinKeyStatus >= 5) {
        const int64_t now = session_.platform.clock.monotonicMs();
        if (waitStartedMs_ < 0) {
            waitStartedMs_ = now;
            link_.requestStatus();
        }
        if (now - waitStartedMs_ >= kStatusWaitMs) {
            giveUp();
            return;
        }
        drainTimer_->startSingleShot(kCharacterGapMs);
        return;
    }
    waitStartedMs_ = -1;
    drainTimer_->startSingleShot(kCharacterGapMs);
    if (auto c = keyer.CWBuffer.takeFirst()) {
        const int code = static_cast<unsigned char>(*c);
        if (code > 0) link_.sendChar(code);
        if (listener_) listener_->characterHandedOver();
    }
}

void WinKeyKeyer::giveUp() {
    // A failure, not the end of a message: the hand-over ends as failed before the message
    // box (which runs the event loop while it is shown), so no F1 repeat starts behind it to
    // wait another 10 seconds and pile up a second box, and code practice stops.
    session_.keyers.keyer.CWBuffer.clear();
    link_.clearBuffer();
    endHandOver(true);
    session_.platform.dialogs.messageBox(kGaveUpText, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                                         "WinKey");
}

int32_t WinKeyKeyer::wk_getstatus() { return link_.status(); }

void WinKeyKeyer::wk_clearbuf() { link_.clearBuffer(); }

void WinKeyKeyer::wk_backspace() { link_.backspace(); }

void WinKeyKeyer::wk_wpm(uint8_t wpm) { link_.setSpeed(wpm); }

}  // namespace keying
