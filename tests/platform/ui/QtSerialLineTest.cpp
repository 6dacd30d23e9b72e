// The Qt serial line against a real tty: a socat pseudo-terminal pair, the line on one end and
// the test on the other.
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/qt/QtSerialLine.h"
#include "support/Fakes.h"
#include "support/PtyPair.h"

using namespace std::chrono_literals;

namespace platform::qt {
struct QtSerialLineErrors {
    static void raise(QtSerialLine& line, QSerialPort::SerialPortError error) { emit line.port_.errorOccurred(error); }
};
}  // namespace platform::qt

namespace {
// Whether this process still has the device open: a file descriptor of /proc/self/fd on it
// (named "/dev/pts/7 (deleted)" once the pseudo-terminal is gone).
bool holdsDevice(const std::filesystem::path& device) {
    std::error_code ec;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        std::error_code rc;
        const std::string target = std::filesystem::read_symlink(fd.path(), rc).string();
        if (target == device.string() || target.rfind(device.string() + " ", 0) == 0) return true;
    }
    return false;
}

// What the line has read once it holds `count` bytes (or what it holds after five seconds).
std::string readAtLeast(platform::qt::QtSerialLine& line, size_t count) {
    std::string got;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        got += line.readAll();
        return got.size() >= count;
    }, 5000));
    return got;
}

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
    EXPECT_EQ(readAtLeast(line, 14), "FA00007025000;");
    EXPECT_GE(readyReads, 1);

    // A pseudo-terminal has no modem lines: driving one is reported as failed, not ignored.
    EXPECT_FALSE(line.setDtr(true));
    EXPECT_FALSE(line.setRts(true));
    line.close();
    EXPECT_FALSE(line.isOpen());
    EXPECT_FALSE(line.write("x"));
    EXPECT_EQ(line.readAll(), "");
}

// Needs no pseudo-terminal, so it waits for no socat.
TEST(SerialLine, RefusesAMissingDeviceAndAPortOutsideTheRange) {
    fakes::FakeEnvironment env;
    env.values["PALMETAR_COM5"] = "/nonexistent/tty";
    platform::qt::QtSerialLine line(env);
    EXPECT_FALSE(line.open(5, {}, platform::Handshake::None));
    EXPECT_NE(line.errorText().find("/nonexistent/tty"), std::string::npos) << line.errorText();
    EXPECT_FALSE(line.isOpen());
    EXPECT_FALSE(line.open(11, {}, platform::Handshake::None));
    EXPECT_FALSE(line.errorText().empty());
}

// Qt reports errors that pass (a read that found nothing after all, a buffer full for a moment)
// with the codes a device that has gone gets too. On a device that is still there they close
// nothing: the line stays open, nobody is told of a loss and bytes go on flowing.
TEST_F(PtyLine, AnErrorThatPassesLeavesAWorkingPortOpen) {
    platform::qt::QtSerialLine line(env);
    fakes::PtyEnd peer(pty.b);
    ASSERT_TRUE(peer.ok());
    ASSERT_TRUE(line.open(4, {4800, platform::Parity::None, 8, 2}, platform::Handshake::None)) << line.errorText();
    int lost = 0;
    line.setLostHandler([&] { ++lost; });
    for (const auto error : {QSerialPort::ResourceError, QSerialPort::ReadError, QSerialPort::WriteError,
                             QSerialPort::UnknownError}) {
        platform::qt::QtSerialLineErrors::raise(line, error);
        QCoreApplication::processEvents();  // where a loss would be told
        EXPECT_TRUE(line.isOpen()) << error;
    }
    EXPECT_EQ(lost, 0);
    ASSERT_TRUE(line.write("FA;"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return line.bytesToWrite() == 0; }, 5000));
    EXPECT_EQ(peer.read(3, 5000ms), "FA;");
    ASSERT_TRUE(peer.write("FA00007025000;"));
    EXPECT_EQ(readAtLeast(line, 14), "FA00007025000;");
}

// The far end goes away while the program writes to it (a pulled USB adapter): the line says so
// once, from the event loop and never inside a call, has closed the device by then (so nothing
// goes on retrying the queued bytes), and opens again once the device is back.
TEST_F(PtyLine, ADeviceThatGoesAwayIsReportedOnceClosedAndOpensAgainWhenBack) {
    platform::qt::QtSerialLine line(env);
    ASSERT_TRUE(line.open(4, {4800, platform::Parity::None, 8, 2}, platform::Handshake::None)) << line.errorText();
    const std::filesystem::path device = std::filesystem::canonical(pty.a);
    ASSERT_TRUE(holdsDevice(device));
    int lost = 0;
    bool inCall = false, toldInsideACall = false;
    line.setLostHandler([&] {
        ++lost;
        toldInsideACall = toldInsideACall || inCall;
    });

    pty.stop();
    // The program goes on as a poll cycle would: requests queue up and replies are read.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        inCall = true;
        line.write("FA;MD;");
        line.readAll();
        inCall = false;
        return lost > 0;
    }, 5000));
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(toldInsideACall);
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(line.bytesToWrite(), 0);
    EXPECT_FALSE(line.write("x"));
    // What poll() found, not the text of an earlier call's error.
    EXPECT_EQ(line.errorText(), pty.a + ": the device has gone");
    EXPECT_FALSE(holdsDevice(device));
    QTest::qWait(200);
    EXPECT_EQ(lost, 1);
    line.close();

    ASSERT_TRUE(pty.start());
    fakes::PtyEnd peer(pty.b);
    ASSERT_TRUE(peer.ok());
    ASSERT_TRUE(line.open(4, {4800, platform::Parity::None, 8, 2}, platform::Handshake::None)) << line.errorText();
    ASSERT_TRUE(line.write("FA;"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return line.bytesToWrite() == 0; }, 5000));
    EXPECT_EQ(peer.read(3, 5000ms), "FA;");
    EXPECT_EQ(lost, 1);
}
