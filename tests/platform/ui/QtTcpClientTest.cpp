// The Qt TCP client against a real loopback server in the same event loop.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/qt/QtTcpClient.h"

using platform::TcpError;
using platform::TcpState;

namespace {
struct Loopback : ::testing::Test {
    QTcpServer server;
    QTcpSocket* peer = nullptr;
    platform::qt::QtTcpClient client;
    int connects = 0, arrivals = 0, closes = 0, failures = 0;
    TcpError lastError = TcpError::Other;
    std::string received;

    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&server, &QTcpServer::newConnection, [this] { peer = server.nextPendingConnection(); });
        client.setHandlers({[this] { ++connects; },
                            [this] {
                                ++arrivals;
                                received += client.readAll();
                            },
                            [this] {
                                ++closes;
                                received += client.readAll();
                            },
                            [this](TcpError e, const std::string&) {
                                ++failures;
                                lastError = e;
                            }});
    }
    int port() const { return server.serverPort(); }
    std::string peerRead() {
        const QByteArray b = peer->readAll();
        return std::string(b.constData(), static_cast<size_t>(b.size()));
    }
};
}  // namespace

TEST_F(Loopback, CarriesDataBothWaysAndReportsTheServersClose) {
    client.connectToHost("127.0.0.1", port());
    // Events never run inside a call: the connect has only begun.
    EXPECT_EQ(connects + failures, 0);
    EXPECT_EQ(client.state(), TcpState::Connecting);
    ASSERT_TRUE(QTest::qWaitFor([&] { return connects == 1 && peer; }, 5000));
    EXPECT_EQ(client.state(), TcpState::Connected);
    EXPECT_EQ(client.remoteHost(), "127.0.0.1");
    EXPECT_EQ(client.remotePort(), port());

    ASSERT_TRUE(client.send(std::string("W1AW\r\n\0\xff", 8)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 8; }, 5000));
    EXPECT_EQ(peerRead(), std::string("W1AW\r\n\0\xff", 8));

    peer->write("login: ");
    EXPECT_TRUE(QTest::qWaitFor([&] { return received == "login: "; }, 5000));
    // The server's last words and its close: the words are still read after the close event.
    peer->write("bye\r\n");
    peer->flush();
    peer->disconnectFromHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return closes == 1; }, 5000));
    EXPECT_EQ(received, "login: bye\r\n");
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(client.state(), TcpState::Closed);
    EXPECT_FALSE(client.send("x"));
}

TEST_F(Loopback, RefusedAndInvalidConnectsFailAsEvents) {
    const int closedPort = port();
    server.close();
    client.connectToHost("127.0.0.1", closedPort);
    EXPECT_TRUE(QTest::qWaitFor([&] { return failures == 1; }, 5000));
    EXPECT_EQ(lastError, TcpError::ConnectionRefused);
    EXPECT_EQ(client.state(), TcpState::Closed);

    client.connectToHost("127.0.0.1", 70000);
    EXPECT_EQ(failures, 1);  // not inside the call
    EXPECT_TRUE(QTest::qWaitFor([&] { return failures == 2; }, 5000));
    EXPECT_EQ(lastError, TcpError::InvalidPort);
    EXPECT_EQ(connects, 0);
}

TEST_F(Loopback, CloseSendsWhatWasQueuedAndSilencesTheConnection) {
    client.connectToHost("127.0.0.1", port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return connects == 1 && peer; }, 5000));
    std::string atPeer;
    QObject::connect(peer, &QTcpSocket::readyRead, [&] { atPeer += peer->readAll().toStdString(); });
    // Data on its way in when the client closes raises no event afterwards.
    peer->write("DX de K1TTT:     14025.0  JA1ABC\r\n");
    peer->flush();
    ASSERT_TRUE(client.send("last words"));
    client.close();
    EXPECT_EQ(client.state(), TcpState::Closed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return atPeer.size() >= 10; }, 10000));
    EXPECT_EQ(atPeer, "last words");
    QTest::qWait(200);  // time for an event that should not come
    EXPECT_EQ(arrivals + closes + failures, 0);
    // The client connects again afterwards.
    client.connectToHost("127.0.0.1", port());
    EXPECT_TRUE(QTest::qWaitFor([&] { return connects == 2; }, 5000));
}

TEST_F(Loopback, AHandlerThatClosesDropsTheEventsAlreadyPosted) {
    client.connectToHost("127.0.0.1", port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return connects == 1 && peer; }, 5000));
    client.setHandlers({nullptr,
                        [this] {
                            ++arrivals;
                            client.close();
                        },
                        [this] { ++closes; }, [this](TcpError, const std::string&) { ++failures; }});
    // Data and the server's close reach the socket together; closing on the data silences the
    // close that was already on its way.
    peer->write("DX de K1TTT:     14025.0  JA1ABC\r\n");
    peer->flush();
    peer->disconnectFromHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return arrivals == 1; }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(closes + failures, 0);

    // Likewise a failure already posted when the caller closes.
    client.connectToHost("127.0.0.1", 0);
    client.close();
    QTest::qWait(100);
    EXPECT_EQ(failures, 0);
}
