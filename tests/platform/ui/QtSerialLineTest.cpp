// The Qt serial line against a real tty: a socat pseudo-terminal pair, the line on one end and
// the test on the other.
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/qt/QtSerialLine.h"
#include "support/Fakes.h"
#include "support/PtyPair.h"

using namespace std::chrono_literals;

namespace {
struct PtyLine : ::testing::Test {
    fakes::PtyPair pty;
    fakes::FakeEnvironment env;
    void SetUp() override {
        ASSERT_TRUE(pty.ok()) << "socat did not make a pty pair";
        env.values["PALMETAR_COM4"] = pty.a;
    }
};
}  // namespace

TEST_F(PtyLine, CarriesBytesBothWaysAndDrains) {
    platform::qt::QtSerialLine line(env);
    fakes::PtyEnd peer(pty.b);
    ASSERT_TRUE(peer.ok());
    ASSERT_TRUE(line.open(4, {4800, platform::Parity::None, 8, 2}, platform::Handshake::None)) << line.errorText();
    EXPECT_TRUE(line.isOpen());
    EXPECT_EQ(line.port(), 4);

    // Every byte value goes through unchanged, in both directions.
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    ASSERT_TRUE(line.write(all));
    EXPECT_TRUE(QTest::qWaitFor([&] { return line.bytesToWrite() == 0; }, 5000));
    EXPECT_EQ(peer.read(all.size(), 5000ms), all);

    int readyReads = 0;
    line.setReadyReadHandler([&] { ++readyReads; });
    ASSERT_TRUE(peer.write("FA00007025000;"));
    std::string got;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        got += line.readAll();
        return got.size() >= 14;
    }, 5000));
    EXPECT_EQ(got, "FA00007025000;");
    EXPECT_GE(readyReads, 1);

    // A pseudo-terminal has no modem lines: driving one is reported as failed, not ignored.
    EXPECT_FALSE(line.setDtr(true));
    EXPECT_FALSE(line.setRts(true));
    line.close();
    EXPECT_FALSE(line.isOpen());
    EXPECT_FALSE(line.write("x"));
    EXPECT_EQ(line.readAll(), "");
}

TEST_F(PtyLine, RefusesAMissingDeviceAndAPortOutsideTheRange) {
    env.values["PALMETAR_COM5"] = "/nonexistent/tty";
    platform::qt::QtSerialLine line(env);
    EXPECT_FALSE(line.open(5, {}, platform::Handshake::None));
    EXPECT_NE(line.errorText().find("/nonexistent/tty"), std::string::npos) << line.errorText();
    EXPECT_FALSE(line.isOpen());
    EXPECT_FALSE(line.open(11, {}, platform::Handshake::None));
    EXPECT_FALSE(line.errorText().empty());
}
