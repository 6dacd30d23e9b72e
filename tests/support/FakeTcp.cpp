#include "support/FakeTcp.h"

#include <algorithm>

namespace fakes {

using platform::TcpError;
using platform::TcpState;

void FakeTcpPeer::send(const std::string& bytes) {
    if (client_) owner_->post(client_, FakeTcpClients::Kind::Data, TcpError::Other, {}, bytes);
}

void FakeTcpPeer::closeFromServer() {
    if (!client_) return;
    owner_->post(client_, FakeTcpClients::Kind::ClosedByPeer);
    client_->peer_ = nullptr;
    client_ = nullptr;
}

void FakeTcpPeer::fail(TcpError error, const std::string& description) {
    if (!client_) return;
    owner_->post(client_, FakeTcpClients::Kind::Failed, error, description);
    client_->peer_ = nullptr;
    client_ = nullptr;
}

bool FakeTcpPeer::connected() const { return client_ && client_->state_ == TcpState::Connected; }

FakeTcpClient::~FakeTcpClient() {
    detachPeer();
    owner_.forget(this);
}

void FakeTcpClient::detachPeer() {
    if (peer_ && peer_->client_ == this) peer_->client_ = nullptr;
    peer_ = nullptr;
}

void FakeTcpClient::connectToHost(const std::string& host, int port) {
    close();
    host_ = host;
    port_ = port;
    state_ = TcpState::Connecting;
    if (port < 1 || port > 65535) {
        owner_.post(this, FakeTcpClients::Kind::Failed, TcpError::InvalidPort, "bad port");
        return;
    }
    FakeTcpPeer& p = owner_.peer(host, port);
    ++p.connects;
    if (p.refuse) {
        owner_.post(this, FakeTcpClients::Kind::Failed, p.refuseWith, "refused");
        return;
    }
    if (p.client_) p.client_->detachPeer();  // one connection per peer: the newest wins
    p.client_ = this;
    peer_ = &p;
    owner_.post(this, FakeTcpClients::Kind::Connected);
}

void FakeTcpClient::close() {
    ++generation_;
    detachPeer();
    state_ = TcpState::Closed;
    inbox_.clear();
}

bool FakeTcpClient::send(const std::string& bytes) {
    if (state_ != TcpState::Connected || !peer_) return false;
    peer_->received += bytes;
    return true;
}

std::string FakeTcpClient::readAll() {
    std::string out;
    out.swap(inbox_);
    return out;
}

std::unique_ptr<platform::TcpClient> FakeTcpClients::create() {
    ++clientsCreated;
    return std::make_unique<FakeTcpClient>(*this);
}

FakeTcpPeer& FakeTcpClients::peer(const std::string& host, int port) {
    auto& p = peers_[host + ":" + std::to_string(port)];
    if (!p) {
        p = std::make_unique<FakeTcpPeer>();
        p->owner_ = this;
    }
    return *p;
}

void FakeTcpClients::post(FakeTcpClient* client, Kind kind, TcpError error, std::string text, std::string bytes) {
    events_.push_back({client, client->generation_, kind, error, std::move(text), std::move(bytes)});
}

void FakeTcpClients::forget(FakeTcpClient* client) {
    events_.erase(std::remove_if(events_.begin(), events_.end(), [client](const Event& e) { return e.client == client; }),
                  events_.end());
}

int FakeTcpClients::deliver() {
    int ran = 0;
    while (!events_.empty()) {
        Event e = std::move(events_.front());
        events_.pop_front();
        FakeTcpClient* c = e.client;
        if (e.generation != c->generation_) continue;
        ++ran;
        switch (e.kind) {
            case Kind::Connected:
                if (c->state_ != TcpState::Connecting) break;
                c->state_ = TcpState::Connected;
                if (auto h = c->handlers_.connected) h();
                break;
            case Kind::Data:
                c->inbox_ += e.bytes;
                if (auto h = c->handlers_.dataArrived) h();
                break;
            case Kind::ClosedByPeer:
                c->state_ = TcpState::Closed;
                if (auto h = c->handlers_.closedByPeer) h();
                break;
            case Kind::Failed:
                c->state_ = TcpState::Closed;
                c->detachPeer();
                if (auto h = c->handlers_.failed) h(e.error, e.text);
                break;
        }
    }
    return ran;
}

}  // namespace fakes
