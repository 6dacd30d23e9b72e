// The WinKey link over a real tty: a socat pseudo-terminal pair with the keyer emulator on the
// far end, the link on Qt's serial port and timers.

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "keying/WinKeyLink.h"
#include "keying/WinKeyProtocol.h"
#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtSerialLine.h"
#include "support/Fakes.h"
#include "support/PtyPair.h"
#include "support/WinKeyEmulator.h"

namespace {

struct OnAPty : ::testing::Test {
    fakes::PtyPair pty;
    fakes::FakeEnvironment env;
    platform::qt::QtScheduler scheduler;
    std::unique_ptr<platform::qt::QtSerialPorts> ports;
    void SetUp() override {
        ASSERT_TRUE(pty.ok()) << "socat did not make a pty pair";
        env.values["PALMETAR_COM4"] = pty.a;
        ports = std::make_unique<platform::qt::QtSerialPorts>(env);
    }
    // Opens the link on port 4 and waits for the result.
    int open(keying::WinKeyLink& link, uint8_t* version = nullptr) {
        std::optional<int> result;
        link.open(4, [&](int r, uint8_t v) {
            result = r;
            if (version) *version = v;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 5000));
        return result.value_or(99);
    }
};

TEST_F(OnAPty, OpensSetsUpSendsAndClearsAKeyer) {
    fakes::WinKeyEmulator keyer(pty.b, {}, 30);
    ASSERT_TRUE(keyer.ok());
    keying::WinKeyLink link(*ports, scheduler);
    uint8_t version = 0;
    ASSERT_EQ(open(link, &version), 0);
    EXPECT_EQ(version, 23);
    EXPECT_TRUE(keyer.hostOpen());

    link.setSpeed(40);
    link.setWeight(45);
    link.setLeadTail(2, 7);
    link.setRatio(60);
    link.setPinConfig(5);
    link.setMode(16);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.mode() == 16; }, 5000));
    EXPECT_EQ(keyer.speed(), 40);
    EXPECT_EQ(keyer.weight(), 45);
    EXPECT_EQ(keyer.leadIn(), 2);
    EXPECT_EQ(keyer.tail(), 7);
    EXPECT_EQ(keyer.ratio(), 60);
    EXPECT_EQ(keyer.pinConfig(), 5);

    // Text is keyed at the set speed; the link sees busy, then idle.
    for (char c : std::string("tu 5nn")) link.sendChar(c);
    EXPECT_TRUE(QTest::qWaitFor([&] { return link.status() & keying::winkey::kBusy; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.keyed() == "TU 5NN"; }, 10000)) << keyer.keyed();
    EXPECT_TRUE(QTest::qWaitFor([&] { return link.status() == 0; }, 5000)) << link.status();

    // A buffer two-thirds full says XOFF (status 5); clear buffer empties it, and idle follows.
    link.setSpeed(10);
    for (int i = 0; i < 25; ++i) link.sendChar('0');
    EXPECT_TRUE(QTest::qWaitFor([&] { return link.status() >= 5; }, 5000)) << link.status();
    link.clearBuffer();
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.clears() == 1 && link.status() == 0; }, 5000));
    EXPECT_EQ(keyer.queued(), "");

    link.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyer.hostCloses() == 1; }, 5000));
    EXPECT_FALSE(keyer.hostOpen());
}

struct PtyFault {
    const char* name;
    fakes::WinKeyEmulator::Faults faults;
    int result;
};
class WinKeyOnAPtyFails : public OnAPty, public testing::WithParamInterface<PtyFault> {};

TEST_P(WinKeyOnAPtyFails, AKeyerThatDoesNotAnswerRightIsReportedAndTheLinkStaysClosed) {
    fakes::WinKeyEmulator keyer(pty.b, GetParam().faults);
    ASSERT_TRUE(keyer.ok());
    keying::WinKeyLink link(*ports, scheduler);
    EXPECT_EQ(open(link), GetParam().result);
    EXPECT_FALSE(link.isOpen());
    // The port is free again: a second attempt opens it anew and fails the same way.
    EXPECT_EQ(open(link), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(WinKeyLink, WinKeyOnAPtyFails,
                         testing::Values(PtyFault{"Silent", {true, false, false, false}, -1},
                                         PtyFault{"WrongEcho", {false, true, false, false}, -2},
                                         PtyFault{"NoVersion", {false, false, true, false}, -3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OnAPty, NoDeviceIsAComOpenFailure) {
    env.values["PALMETAR_COM4"] = "/nonexistent/tty";
    keying::WinKeyLink link(*ports, scheduler);
    EXPECT_EQ(open(link), -4);
    EXPECT_NE(link.errorText().find("/nonexistent/tty"), std::string::npos);
}

}  // namespace
