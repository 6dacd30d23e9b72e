#pragma once
// A DX cluster server on loopback for the spotting window's tests: it listens on a free port
// of 127.0.0.1, greets each client (by default with a welcome line and a login prompt), records
// what the client sends, and the test decides what goes out in each chunk and when the server
// closes the connection.

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <string>

class FakeCluster {
public:
    explicit FakeCluster(std::string greeting = "Welcome to the test cluster\r\nlogin: ");
    bool listening() const { return server_.isListening(); }
    int port() const { return server_.serverPort(); }
    bool hasClient() const { return client_ && client_->state() == QAbstractSocket::ConnectedState; }
    // One chunk, written and flushed on its own.
    void send(const std::string& bytes);
    void closeClient();
    std::string received;  // everything the client sent

private:
    std::string greeting_;
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
};
