#include "spots/AgwLink.h"

namespace spots {

using platform::TcpError;

std::string DescribeTcpError(TcpError error) {
    switch (error) {
        case TcpError::ConnectionRefused: return "nothing listens on that port";
        case TcpError::HostNotFound: return "the host name is not known";
        case TcpError::Timeout: return "the connection timed out";
        case TcpError::NetworkUnreachable: return "the network cannot be reached";
        case TcpError::ConnectionReset: return "the connection was reset";
        case TcpError::AddressInUse: return "the address is in use";
        case TcpError::AddressNotAvailable: return "the address is not available";
        case TcpError::InvalidPort: return "the port number is not valid";
        case TcpError::Other: break;
    }
    return "the connection failed";
}

AgwLink::AgwLink(platform::TcpClients& tcp, platform::Scheduler& scheduler)
    : socket_(tcp.create()), registerTimer_(scheduler.createTimer()) {
    // One socket for the link's life: a start made from inside one of its events (a message box
    // of a failed start lets the operator press Open Port again) reuses it rather than
    // destroying it under its own event.
    socket_->setHandlers({[this] { onConnected(); }, [this] { onData(); }, [this] { onClosedByPeer(); },
                          [this](TcpError e, const std::string& text) { onFailed(e, text); }});
    registerTimer_->setHandler([this] {
        if (state_ == State::Starting) fail("the engine did not answer the registration of " + ownCall_);
    });
}

AgwLink::~AgwLink() = default;

void AgwLink::StartPoll(const AgwEngineAddress& address, const std::string& ownCall, const std::string&) {
    Close();
    address_ = address;
    ownCall_ = ownCall;
    reader_ = AgwFrameReader();
    incoming_.clear();
    overflow_ = 0;
    state_ = State::Starting;
    registerTimer_->startSingleShot(kRegisterTimeoutMs);
    socket_->connectToHost(address.host, address.port);
}

void AgwLink::onConnected() {
    AgwFrame x;
    x.kind = 'X';
    x.callFrom = ownCall_;
    send(x);
}

void AgwLink::send(const AgwFrame& frame) {
    socket_->send(EncodeAgwFrame(frame));
}

void AgwLink::onData() {
    reader_.feed(socket_->readAll());
    while (auto frame = reader_.next()) {
        handle(*frame);
        if (state_ == State::Stopped) return;  // a refused registration ends the link
    }
    const auto dropped = reader_.takeDropped();
    if (dropped.frames > 0 && events_.notice) {
        events_.notice("** " + std::to_string(dropped.frames) + " frame(s) from the AGW Packet Engine dropped: " +
                       std::to_string(dropped.largest) + " bytes is more than a frame may hold **");
    }
    if (reader_.corrupt()) {
        fail("the engine sent data that is not an AGW frame");
        return;
    }
    if (overflow_ > 0 && events_.notice) {
        const int n = overflow_;
        overflow_ = 0;
        events_.notice("** " + std::to_string(n) + " frame(s) from the AGW Packet Engine dropped: too many waiting **");
    }
}

void AgwLink::handle(const AgwFrame& frame) {
    if (state_ == State::Starting) {
        if (frame.kind != 'X') return;
        registerTimer_->stop();
        if (frame.data.empty() || frame.data[0] != 1) {
            fail("the engine refused to register the call " + ownCall_);
            return;
        }
        AgwFrame m;
        m.kind = 'm';
        send(m);
        state_ = State::Running;
        if (auto h = events_.started) h();
        return;
    }
    char kind = frame.kind;
    switch (kind) {
        case 'C': kind = 'c'; break;
        case 'D': case 'd': case 'U': case 'I': case 'S': case 'T': break;
        default: return;  // the engine's answers to requests this link does not make
    }
    AgwIncoming in{kind, frame.callFrom, frame.data};
    while (!in.data.empty() && in.data.back() == '\0') in.data.pop_back();
    if (incoming_.size() >= kMaxWaiting) {
        incoming_.pop_front();
        ++overflow_;
    }
    incoming_.push_back(std::move(in));
}

void AgwLink::onClosedByPeer() {
    if (state_ == State::Starting) fail("the engine closed the connection");
    else fail("the AGW Packet Engine closed the connection");
}

void AgwLink::onFailed(TcpError error, const std::string&) {
    fail("no AGW Packet Engine at " + address_.host + ":" + std::to_string(address_.port) + " (" +
         DescribeTcpError(error) + ")");
}

void AgwLink::fail(const std::string& why) {
    const State was = state_;
    registerTimer_->stop();
    socket_->close();
    state_ = State::Stopped;
    if (was == State::Starting) {
        if (auto h = events_.startFailed) h(why);
    } else if (was == State::Running) {
        if (auto h = events_.lost) h(why);
    }
}

std::optional<AgwIncoming> AgwLink::GetData() {
    if (incoming_.empty()) return std::nullopt;
    AgwIncoming in = std::move(incoming_.front());
    incoming_.pop_front();
    return in;
}

bool AgwLink::PutData(const std::string& toCall, const std::string& data, char kind) {
    if (state_ != State::Running) return false;
    AgwFrame f;
    f.callFrom = ownCall_;
    f.callTo = toCall;
    switch (kind) {
        case 'P': return true;
        case 'c': f.kind = 'C'; f.pid = 0xF0; break;
        case 'D': f.kind = 'D'; f.pid = 0xF0; f.data = data; break;
        default: f.kind = kind; f.data = data; break;
    }
    send(f);
    return true;
}

void AgwLink::Close() {
    registerTimer_->stop();
    if (state_ == State::Running) {
        AgwFrame x;
        x.kind = 'x';
        x.callFrom = ownCall_;
        send(x);
    }
    socket_->close();
    state_ = State::Stopped;
}

}  // namespace spots
