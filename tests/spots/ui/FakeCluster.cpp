#include "FakeCluster.h"

FakeCluster::FakeCluster(std::string greeting) : greeting_(std::move(greeting)) {
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        client_ = server_.nextPendingConnection();
        QObject::connect(client_, &QTcpSocket::readyRead, [this] {
            const QByteArray b = client_->readAll();
            received.append(b.constData(), static_cast<size_t>(b.size()));
        });
        send(greeting_);
    });
    server_.listen(QHostAddress::LocalHost, 0);
}

void FakeCluster::send(const std::string& bytes) {
    if (!client_) return;
    client_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    client_->flush();
}

void FakeCluster::closeClient() {
    if (client_) client_->disconnectFromHost();
}
