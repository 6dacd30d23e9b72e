#pragma once
// A fake of the TCP client service. Each host:port is a scripted peer: it can refuse or accept
// connections, send data, close from its side or fail, and records what clients sent. Events
// wait in a queue until the test calls deliver(), as the event loop would run them later, so
// a test decides exactly what arrives in one chunk and in which order.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "platform/TcpClient.h"

namespace fakes {

class FakeTcpClient;
class FakeTcpClients;

struct FakeTcpPeer {
    // Switches a test sets before the client connects.
    bool refuse = false;
    platform::TcpError refuseWith = platform::TcpError::ConnectionRefused;

    // What the clients did.
    int connects = 0;
    std::string received;  // every byte sent to this peer since the test began

    // The peer's side of the current connection. Each call is one chunk as the client reads it.
    void send(const std::string& bytes);
    void closeFromServer();
    void fail(platform::TcpError error, const std::string& description = "fake failure");
    bool connected() const;

private:
    friend class FakeTcpClient;
    friend class FakeTcpClients;
    FakeTcpClients* owner_ = nullptr;
    FakeTcpClient* client_ = nullptr;  // the connected client, if any
};

class FakeTcpClient : public platform::TcpClient {
public:
    explicit FakeTcpClient(FakeTcpClients& owner) : owner_(owner) {}
    ~FakeTcpClient() override;
    void setHandlers(platform::TcpHandlers handlers) override { handlers_ = std::move(handlers); }
    void connectToHost(const std::string& host, int port) override;
    void close() override;
    platform::TcpState state() const override { return state_; }
    std::string remoteHost() const override { return host_; }
    int remotePort() const override { return port_; }
    bool send(const std::string& bytes) override;
    std::string readAll() override;

private:
    friend struct FakeTcpPeer;
    friend class FakeTcpClients;
    void detachPeer();

    FakeTcpClients& owner_;
    platform::TcpHandlers handlers_;
    platform::TcpState state_ = platform::TcpState::Closed;
    std::string host_;
    int port_ = 0;
    FakeTcpPeer* peer_ = nullptr;
    std::string inbox_;
    uint64_t generation_ = 0;
};

class FakeTcpClients : public platform::TcpClients {
public:
    std::unique_ptr<platform::TcpClient> create() override;
    // The peer at host:port, made on first use.
    FakeTcpPeer& peer(const std::string& host, int port);
    // Runs the events waiting (connect outcomes, data, closes, failures), including those the
    // handlers cause; returns how many ran.
    int deliver();
    int clientsCreated = 0;

private:
    friend class FakeTcpClient;
    friend struct FakeTcpPeer;
    enum class Kind { Connected, Data, ClosedByPeer, Failed };
    struct Event {
        FakeTcpClient* client;
        uint64_t generation;
        Kind kind;
        platform::TcpError error = platform::TcpError::Other;
        std::string text;
        std::string bytes;  // Data: the chunk
    };
    void post(FakeTcpClient* client, Kind kind, platform::TcpError error = platform::TcpError::Other,
              std::string text = {}, std::string bytes = {});
    void forget(FakeTcpClient* client);

    std::map<std::string, std::unique_ptr<FakeTcpPeer>> peers_;
    std::deque<Event> events_;
};

}  // namespace fakes
