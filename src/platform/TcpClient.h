#pragma once
// One outgoing TCP connection, as the telnet DX cluster and the AGW packet engine use it: connect
// to host:port, send, read what has arrived, close, and events for "connected", "data arrived",
// "closed by the peer" and "failed". Nothing here blocks; the events run on the program's thread
// and never inside a call of this interface, so a handler may close, reconnect or destroy the
// client it belongs to.

#include <functional>
#include <memory>
#include <string>

namespace platform {

enum class TcpState { Closed, Connecting, Connected };

// Why a connection failed or ended. A close by the peer is not an error: it comes as the
// closed event.
enum class TcpError {
    ConnectionRefused,     // nothing listens on the port
    HostNotFound,          // the name does not resolve
    Timeout,               // the connect or the connection timed out
    NetworkUnreachable,    // no route to the host or its network
    ConnectionReset,       // the peer reset the connection
    AddressInUse,
    AddressNotAvailable,
    InvalidPort,           // a port number outside 1..65535
    Other,
};

struct TcpHandlers {
    std::function<void()> connected;
    std::function<void()> dataArrived;           // readAll() has something
    std::function<void()> closedByPeer;          // after it, readAll() still gives what came last
    std::function<void(TcpError, const std::string& description)> failed;
};

class TcpClient {
public:
    virtual ~TcpClient() = default;
    virtual void setHandlers(TcpHandlers handlers) = 0;
    // Closes any connection first, then starts connecting and returns at once: success comes as
    // the connected event, failure as the failed event.
    virtual void connectToHost(const std::string& host, int port) = 0;
    // Closes the connection or the attempt; harmless when nothing is open. No event follows.
    virtual void close() = 0;
    virtual TcpState state() const = 0;
    // The host and port of the last connect.
    virtual std::string remoteHost() const = 0;
    virtual int remotePort() const = 0;
    // Queues bytes for sending; false when not connected.
    virtual bool send(const std::string& bytes) = 0;
    // Everything received and not yet read.
    virtual std::string readAll() = 0;
};

// Makes TCP clients; each user (the telnet source, the AGW link) owns its own.
class TcpClients {
public:
    virtual ~TcpClients() = default;
    virtual std::unique_ptr<TcpClient> create() = 0;
};

}  // namespace platform
