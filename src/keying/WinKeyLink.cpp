#include "keying/WinKeyLink.h"

#include "keying/WinKeyProtocol.h"

namespace keying {

WinKeyLink::WinKeyLink(platform::SerialPorts& ports, platform::Scheduler& scheduler, Timing timing)
    : ports_(ports), answerTimer_(scheduler.createTimer()), busyTimer_(scheduler.createTimer()), timing_(timing) {
    answerTimer_->setHandler([this] { answerTimedOut(); });
    // Text went out and the keyer has not said it is busy with it: ask.
    busyTimer_->setHandler([this] {
        if (isOpen() && textUnreported_) {
            textUnreported_ = false;
            requestStatus();
        }
    });
}

WinKeyLink::~WinKeyLink() {
    done_ = nullptr;
    statusHandler_ = nullptr;
    lostHandler_ = nullptr;
    close();
}

void WinKeyLink::open(int port, OpenDone done) {
    if (state_ != State::Closed) {
        if (done) done(kAlreadyOpen, version_);
        return;
    }
    error_.clear();
    if (!line_) {
        line_ = ports_.create();
        line_->setReadyReadHandler([this] { received(); });
        line_->setLostHandler([this] { lineLost(); });
    }
    if (!line_->open(port, winkey::kSerialSettings, platform::Handshake::None)) {
        error_ = line_->errorText();
        if (done) done(kComOpenFailed, 0);
        return;
    }
    line_->readAll();  // whatever an earlier session left in the buffer
    done_ = std::move(done);
    version_ = 0;
    status_ = 0;
    textUnreported_ = false;
    state_ = State::Echo;
    // The timer first: a fast keyer's answer may be handled before write() returns.
    answerTimer_->startSingleShot(timing_.answerMs);
    write(winkey::Resync() + winkey::EchoTest(probe_));
}

void WinKeyLink::finishOpening(int result) {
    answerTimer_->stop();
    if (result != kOpened) {
        state_ = State::Closed;
        if (line_) line_->close();
    } else {
        state_ = State::Open;
    }
    // The handler may close or reopen the link: take it first.
    OpenDone done = std::move(done_);
    done_ = nullptr;
    if (done) done(result, result == kOpened ? version_ : 0);
}

void WinKeyLink::lineLost() {
    error_ = line_->errorText();
    if (opening()) {
        finishOpening(kComOpenFailed);
        return;
    }
    if (state_ != State::Open) return;
    // Nothing can say goodbye to a keyer that has gone: the link just ends.
    answerTimer_->stop();
    busyTimer_->stop();
    state_ = State::Closed;
    version_ = 0;
    status_ = 0;
    textUnreported_ = false;
    line_->close();
    if (auto handler = lostHandler_) handler();
}

void WinKeyLink::answerTimedOut() {
    if (state_ == State::Echo) finishOpening(kNoEcho);
    else if (state_ == State::Version) finishOpening(kNoOpenResponse);
}

void WinKeyLink::received() {
    if (!line_) return;
    const std::string bytes = line_->readAll();
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        if (state_ == State::Echo) {
            if (b != probe_) {
                finishOpening(kEchoMismatch);
                return;
            }
            state_ = State::Version;
            answerTimer_->startSingleShot(timing_.answerMs);
            write(winkey::HostOpen());
            continue;
        }
        if (state_ == State::Version) {
            // A version byte of 0 would read as "closed": the keyer gave no usable answer.
            version_ = b;
            finishOpening(b != 0 ? kOpened : kNoOpenResponse);
            continue;
        }
        if (state_ != State::Open) return;
        if (winkey::Classify(b) == winkey::ByteKind::Status) {
            status_ = winkey::StatusBits(b);
            if (status_ & winkey::kBusy) textUnreported_ = false;
            if (statusHandler_) statusHandler_();
            if (state_ != State::Open) return;  // the handler closed the link
        }
        // Speed-pot values and echoed characters are not used.
    }
}

void WinKeyLink::close() {
    answerTimer_->stop();
    busyTimer_->stop();
    const bool wasOpen = state_ == State::Open;
    state_ = State::Closed;
    done_ = nullptr;
    version_ = 0;
    status_ = 0;
    textUnreported_ = false;
    if (line_ && line_->isOpen()) {
        if (wasOpen) line_->write(winkey::HostClose());
        line_->close();
    }
}

int32_t WinKeyLink::status() const {
    if (!isOpen()) return 0;
    return status_ | (textUnreported_ ? winkey::kBusy : 0);
}

void WinKeyLink::write(const std::string& bytes) {
    if (record_) written += bytes;
    if (line_) line_->write(bytes);
}

bool WinKeyLink::sendChar(int code) {
    if (!isOpen()) return false;
    const auto byte = winkey::TextByte(code);
    if (!byte) return false;
    write(std::string(1, *byte));
    textUnreported_ = true;
    busyTimer_->startSingleShot(timing_.busyReportMs);
    return true;
}

void WinKeyLink::clearBuffer() {
    if (!isOpen()) return;
    write(winkey::ClearBuffer());
    textUnreported_ = false;
}

void WinKeyLink::backspace() {
    if (isOpen()) write(winkey::Backspace());
}
void WinKeyLink::requestStatus() {
    if (isOpen()) write(winkey::StatusRequest());
}
void WinKeyLink::setSpeed(uint8_t wpm) {
    if (isOpen()) write(winkey::Speed(wpm));
}
void WinKeyLink::setWeight(uint8_t weight) {
    if (isOpen()) write(winkey::Weight(weight));
}
void WinKeyLink::setLeadTail(uint8_t leadIn, uint8_t tail) {
    if (isOpen()) write(winkey::LeadTail(leadIn, tail));
}
void WinKeyLink::setRatio(uint8_t ratio) {
    if (isOpen()) write(winkey::Ratio(ratio));
}
void WinKeyLink::setPinConfig(uint8_t config) {
    if (isOpen()) write(winkey::PinConfig(config));
}
void WinKeyLink::setMode(uint8_t mode) {
    if (isOpen()) write(winkey::Mode(mode));
}

}  // namespace keying
