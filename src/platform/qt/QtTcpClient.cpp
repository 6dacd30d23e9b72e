#include "platform/qt/QtTcpClient.h"

#include "platform/qt/Text.h"

namespace platform::qt {

namespace {
TcpError fromQt(QAbstractSocket::SocketError e) {
    switch (e) {
        case QAbstractSocket::ConnectionRefusedError: return TcpError::ConnectionRefused;
        case QAbstractSocket::HostNotFoundError: return TcpError::HostNotFound;
        case QAbstractSocket::SocketTimeoutError: return TcpError::Timeout;
        case QAbstractSocket::NetworkError: return TcpError::NetworkUnreachable;
        case QAbstractSocket::AddressInUseError: return TcpError::AddressInUse;
        case QAbstractSocket::SocketAddressNotAvailableError: return TcpError::AddressNotAvailable;
        default: return TcpError::Other;
    }
}
}  // namespace

QtTcpClient::QtTcpClient() {
    connectTimer_.setSingleShot(true);
    QObject::connect(&connectTimer_, &QTimer::timeout, &context_, [this] {
        if (state_ != TcpState::Connecting) return;
        socket_.abort();
        post(Event::Failed, TcpError::Timeout, "The connection attempt timed out.");
        state_ = TcpState::Closed;
    });
    QObject::connect(&socket_, &QTcpSocket::connected, &context_, [this] {
        if (state_ != TcpState::Connecting) return;
        connectTimer_.stop();
        state_ = TcpState::Connected;
        post(Event::Connected);
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead, &context_, [this] {
        const QByteArray data = socket_.readAll();
        if (data.isEmpty() || state_ != TcpState::Connected) return;  // closed by us meanwhile
        pending_.append(data.constData(), static_cast<size_t>(data.size()));
        post(Event::Data);
    });
    QObject::connect(&socket_, &QTcpSocket::disconnected, &context_, [this] {
        if (state_ != TcpState::Connected) return;  // closed by us, or after a failure
        const QByteArray rest = socket_.readAll();
        pending_.append(rest.constData(), static_cast<size_t>(rest.size()));
        state_ = TcpState::Closed;
        post(Event::ClosedByPeer);
    });
    QObject::connect(&socket_, &QAbstractSocket::errorOccurred, &context_,
                     [this](QAbstractSocket::SocketError e) { onError(e); });
}

QtTcpClient::~QtTcpClient() {
    ++generation_;
    // What was sent last (a disconnect frame at unload) is handed to the system before the
    // socket goes; the system sends it after the close.
    if (socket_.state() == QAbstractSocket::ConnectedState) socket_.flush();
    socket_.abort();
}

void QtTcpClient::onError(QAbstractSocket::SocketError e) {
    // The peer's close comes as the disconnected signal as well; it is reported there.
    if (e == QAbstractSocket::RemoteHostClosedError || state_ == TcpState::Closed) return;
    connectTimer_.stop();
    const std::string text = fromQ(socket_.errorString());
    state_ = TcpState::Closed;
    post(Event::Failed, fromQt(e), text);
    socket_.abort();
}

void QtTcpClient::post(Event event, TcpError error, const std::string& text) {
    const uint64_t generation = generation_;
    QMetaObject::invokeMethod(
        &context_,
        [this, generation, event, error, text] {
            if (generation == generation_) dispatch(event, error, text);
        },
        Qt::QueuedConnection);
}

void QtTcpClient::dispatch(Event event, TcpError error, const std::string& text) {
    // A copy: the handler may replace the handlers or destroy this client.
    switch (event) {
        case Event::Connected:
            if (auto h = handlers_.connected) h();
            break;
        case Event::Data:
            if (pending_.empty()) return;  // already taken by an earlier readAll()
            if (auto h = handlers_.dataArrived) h();
            break;
        case Event::ClosedByPeer:
            if (auto h = handlers_.closedByPeer) h();
            break;
        case Event::Failed:
            if (auto h = handlers_.failed) h(error, text);
            break;
    }
}

void QtTcpClient::connectToHost(const std::string& host, int port) {
    close();
    socket_.abort();  // a graceful close still in progress ends now
    host_ = host;
    port_ = port;
    state_ = TcpState::Connecting;
    if (port < 1 || port > 65535) {
        state_ = TcpState::Closed;
        post(Event::Failed, TcpError::InvalidPort, "The port number is outside 1 to 65535.");
        return;
    }
    connectTimer_.start(kConnectTimeoutMs);
    socket_.connectToHost(toQ(host), static_cast<quint16>(port));
}

void QtTcpClient::close() {
    ++generation_;
    connectTimer_.stop();
    pending_.clear();
    if (state_ == TcpState::Connected && socket_.state() == QAbstractSocket::ConnectedState) {
        // A graceful close: what was sent just before (a disconnect frame) still goes out.
        state_ = TcpState::Closed;
        socket_.flush();
        socket_.disconnectFromHost();
        return;
    }
    state_ = TcpState::Closed;
    socket_.abort();
}

bool QtTcpClient::send(const std::string& bytes) {
    if (state_ != TcpState::Connected) return false;
    if (bytes.empty()) return true;
    return socket_.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

std::string QtTcpClient::readAll() {
    // After a close by the peer the socket is no longer open: what came last is in pending_.
    if (socket_.isOpen()) {
        const QByteArray data = socket_.readAll();
        pending_.append(data.constData(), static_cast<size_t>(data.size()));
    }
    std::string out;
    out.swap(pending_);
    return out;
}

}  // namespace platform::qt
