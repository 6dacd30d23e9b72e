#pragma once
// A TCP client on QTcpSocket. Every event is posted to the event loop, and one posted by a
// connection that has since been closed is dropped, so handlers never run inside a call and
// never run for a connection the caller has already let go.

#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <cstdint>

#include "platform/TcpClient.h"

namespace platform::qt {

class QtTcpClient : public TcpClient {
public:
    QtTcpClient();
    ~QtTcpClient() override;
    void setHandlers(TcpHandlers handlers) override { handlers_ = std::move(handlers); }
    void connectToHost(const std::string& host, int port) override;
    void close() override;
    TcpState state() const override { return state_; }
    std::string remoteHost() const override { return host_; }
    int remotePort() const override { return port_; }
    bool send(const std::string& bytes) override;
    std::string readAll() override;

    // How long a connect may take before it fails as timed out.
    static constexpr int kConnectTimeoutMs = 30000;

private:
    enum class Event { Connected, Data, ClosedByPeer, Failed };
    void post(Event event, TcpError error = TcpError::Other, const std::string& text = {});
    void dispatch(Event event, TcpError error, const std::string& text);
    void onError(QAbstractSocket::SocketError error);

    QObject context_;  // owns the posted events; they die with the client
    QTcpSocket socket_;
    QTimer connectTimer_;
    TcpHandlers handlers_;
    TcpState state_ = TcpState::Closed;
    std::string host_;
    int port_ = 0;
    uint64_t generation_ = 0;  // one per connect or close; older posted events are dropped
    std::string pending_;      // bytes read from the socket and not yet taken by readAll()
};

class QtTcpClients : public TcpClients {
public:
    std::unique_ptr<TcpClient> create() override { return std::make_unique<QtTcpClient>(); }
};

}  // namespace platform::qt
