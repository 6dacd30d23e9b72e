// The key lines on real devices: a pseudo-terminal (socat), which opens but cannot drive its
// modem lines; a real serial port when the machine has one that can; parallel ports looked up
// by address and refused when the machine has none there; and the keying clock's sleeps.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <thread>

#include "platform/PosixKeyLines.h"
#include "platform/SteadyKeyingClock.h"
#include "support/Fakes.h"
#include "support/PtyPair.h"

namespace fs = std::filesystem;
using platform::KeyPin;

namespace {

TEST(SerialKeyLine, APseudoTerminalOpensButSaysItCannotKey) {
    fakes::PtyPair pty;
    ASSERT_TRUE(pty.ok()) << "socat did not make a pty pair";
    fakes::FakeEnvironment env;
    env.values["PALMETAR_COM2"] = pty.a;
    platform::PosixKeyLines lines(env);
    auto opened = lines.openSerial(2);
    ASSERT_TRUE(opened.line) << opened.error;
    EXPECT_EQ(opened.line->device(), pty.a);
    EXPECT_TRUE(opened.line->isOpen());
    EXPECT_FALSE(opened.line->drivesLines());
    EXPECT_FALSE(opened.line->set(KeyPin::Rts, true));
    opened.line->close();
    EXPECT_FALSE(opened.line->isOpen());
}

TEST(SerialKeyLine, WhatCannotBeOpenedSaysWhy) {
    fakes::FakeEnvironment env;
    env.values["PALMETAR_COM3"] = "/nonexistent/ttyUSB9";
    platform::PosixKeyLines lines(env);
    auto missing = lines.openSerial(3);
    EXPECT_FALSE(missing.line);
    EXPECT_EQ(missing.error, "/nonexistent/ttyUSB9: No such file or directory");
    EXPECT_EQ(lines.openSerial(11).error, "There is no port 11.");
    // A file that is not a terminal at all.
    const fs::path plain = fs::temp_directory_path() / ("palmetar-not-a-tty-" + std::to_string(::getpid()));
    std::ofstream(plain) << "x";
    auto notTty = platform::OpenSerialKeyLine(plain.string());
    EXPECT_FALSE(notTty.line);
    EXPECT_EQ(notTty.error, plain.string() + " is not a serial port.");
    fs::remove(plain);
}

// A machine with a serial port that has modem lines (a real UART, or a virtual machine's) shows
// the lines moving; elsewhere there is nothing to look at.
TEST(SerialKeyLine, ARealPortHasBothLinesClearedAtOpenAndKeysTheChosenOne) {
    const char* device = "/dev/ttyS0";
    const int probe = ::open(device, O_RDWR | O_NOCTTY | O_NONBLOCK);
    int bits = 0;
    if (probe < 0 || ::ioctl(probe, TIOCMGET, &bits) != 0) {
        if (probe >= 0) ::close(probe);
        GTEST_SKIP() << device << " has no modem lines here";
    }
    int both = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(probe, TIOCMBIS, &both);  // as a driver leaves them when a port opens
    auto opened = platform::OpenSerialKeyLine(device);
    ASSERT_TRUE(opened.line) << opened.error;
    ASSERT_TRUE(opened.line->drivesLines());
    auto lines = [&] {
        int b = 0;
        ::ioctl(probe, TIOCMGET, &b);
        return b & (TIOCM_DTR | TIOCM_RTS);
    };
    EXPECT_EQ(lines(), 0);
    ASSERT_TRUE(opened.line->set(KeyPin::Dtr, true));
    EXPECT_EQ(lines(), TIOCM_DTR);
    ASSERT_TRUE(opened.line->set(KeyPin::Rts, true));
    ASSERT_TRUE(opened.line->set(KeyPin::Dtr, false));
    EXPECT_EQ(lines(), TIOCM_RTS);
    EXPECT_FALSE(opened.line->set(KeyPin::Control, true));  // a serial port has no control register
    opened.line->close();
    EXPECT_EQ(lines(), 0);
    EXPECT_FALSE(opened.line->set(KeyPin::Rts, true));
    ::close(probe);
}

TEST(ParallelKeyLine, AnAddressIsLookedUpAndNeverGuessed) {
    const fs::path proc = fs::temp_directory_path() / ("palmetar-parport-" + std::to_string(::getpid()));
    fs::create_directories(proc / "parport0");
    fs::create_directories(proc / "parport1");
    std::ofstream(proc / "parport0" / "base-addr") << "888\t1912\n";
    std::ofstream(proc / "parport1" / "base-addr") << "53264\t53256\n";
    fakes::FakeEnvironment env;
    platform::PosixKeyLines lines(env, proc.string());
    EXPECT_EQ(lines.parallelDeviceAt(0x378), "/dev/parport0");
    EXPECT_EQ(lines.parallelDeviceAt(0xD010), "/dev/parport1");
    EXPECT_EQ(lines.parallelDeviceAt(0x278), "");

    auto none = lines.openParallel({0x278, ""});
    EXPECT_FALSE(none.line);
    EXPECT_EQ(none.error, "This computer has no parallel port at address &H278.");
    // A device that is not a parallel port refuses the claim.
    auto notParport = lines.openParallel({0, "/dev/null"});
    EXPECT_FALSE(notParport.line);
    EXPECT_EQ(notParport.error.rfind("/dev/null: ", 0), 0u);
    fs::remove_all(proc);
    platform::PosixKeyLines realMachine(env, (proc / "gone").string());
    EXPECT_EQ(realMachine.parallelDeviceAt(0x378), "");
}

TEST(SteadyKeyingClock, SleepsToItsDeadlineAndAStopEndsASleepAtOnce) {
    platform::SteadyKeyingClock clock;
    std::atomic<bool> stop{false};
    const int64_t t0 = clock.nowNs();
    EXPECT_TRUE(clock.sleepUntil(t0 + 2'000'000, stop));
    EXPECT_GE(clock.nowNs(), t0 + 2'000'000);
    EXPECT_TRUE(clock.sleepUntil(t0, stop));  // a deadline already past

    // A sleep of a minute that only a stop can end, woken once it really waits: a stop set
    // before the sleep began would end it without wake(). Its state is shared with the
    // sleeper, so one that wake() leaves asleep is left behind while the test fails.
    struct Sleep {
        platform::SteadyKeyingClock clock;
        std::atomic<bool> stop{false};
        std::promise<bool> result;
    };
    auto minute = std::make_shared<Sleep>();
    std::future<bool> result = minute->result.get_future();
    std::thread sleeper([minute] {
        minute->result.set_value(minute->clock.sleepUntil(minute->clock.nowNs() + 60'000'000'000, minute->stop));
    });
    const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!minute->clock.sleeping() && std::chrono::steady_clock::now() < bound)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const bool waited = minute->clock.sleeping();
    minute->stop = true;
    minute->clock.wake();
    const bool woken = result.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (woken) sleeper.join();
    else sleeper.detach();  // ends with its minute, or with the test program
    EXPECT_TRUE(waited) << "the sleeper never waited";
    ASSERT_TRUE(woken) << "wake() left the sleeper asleep";
    EXPECT_FALSE(result.get());
    EXPECT_FALSE(minute->clock.sleeping());
}

TEST(FakeScheduler, PostsFromAnotherThreadRunOnTheTestThreadInOrder) {
    fakes::FakeClock clock;
    fakes::FakeScheduler scheduler(clock);
    std::vector<int> ran;
    const auto me = std::this_thread::get_id();
    std::thread other([&] {
        for (int i = 0; i < 3; ++i) scheduler.post([&, i] { ran.push_back(std::this_thread::get_id() == me ? i : -1); });
    });
    EXPECT_TRUE(scheduler.runPostedUntil([&] { return ran.size() == 3; }));
    other.join();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(scheduler.postedCount(), 3);
    EXPECT_FALSE(scheduler.runPostedUntil([] { return false; }, 10));
}

}  // namespace
