// The fake scheduler stands in for the event loop in every timing test, so its order of firing
// and its clock must be right or those tests prove nothing.
#include <gtest/gtest.h>

#include "support/Fakes.h"

TEST(FakeScheduler, FiresTimersInTimeOrderWithTheClockAtEachDueTime) {
    fakes::FakeServices f;
    std::vector<std::pair<char, int64_t>> fired;
    auto poll = f.scheduler.createTimer();
    auto once = f.scheduler.createTimer();
    poll->setHandler([&] { fired.push_back({'p', f.clock.monotonic}); });
    once->setHandler([&] { fired.push_back({'o', f.clock.monotonic}); });
    poll->start(250);
    once->startSingleShot(600);
    f.scheduler.advance(1000);
    std::vector<std::pair<char, int64_t>> expected{{'p', 250}, {'p', 500}, {'o', 600}, {'p', 750}, {'p', 1000}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(f.clock.monotonic, 1000);
    EXPECT_FALSE(once->isActive());
    EXPECT_EQ(f.clock.local.hour * 3600 + f.clock.local.minute * 60 + f.clock.local.second, 12 * 3600 + 1);
}

TEST(FakeScheduler, AHandlerMayStopRestartOrDestroyTimers) {
    fakes::FakeServices f;
    auto a = f.scheduler.createTimer();
    auto b = f.scheduler.createTimer();
    int aRuns = 0, bRuns = 0;
    a->setHandler([&] {
        ++aRuns;
        b.reset();          // destroyed while due at the same moment
        a->start(100);      // restarted from now
    });
    b->setHandler([&] { ++bRuns; });
    a->start(50);
    b->start(50);
    f.scheduler.advance(350);
    EXPECT_EQ(aRuns, 4);  // 50, 150, 250, 350
    EXPECT_EQ(bRuns, 0);
    a->stop();
    f.scheduler.advance(1000);
    EXPECT_EQ(aRuns, 4);
    EXPECT_EQ(f.scheduler.activeTimers(), 0);
}

TEST(FakeSerialPorts, RecordWritesAndLineEdgesAndAnswerFromAScript) {
    fakes::FakeServices f;
    auto line = f.services.serial.create();
    auto& dev = f.serial.device(2);
    dev.onWrite = [&](const std::string& bytes) {
        if (bytes == "FA;") dev.receive("FA00014025000;");
    };
    ASSERT_TRUE(line->open(2, {4800, platform::Parity::None, 8, 2}, platform::Handshake::None));
    f.clock.advanceMs(5);
    EXPECT_TRUE(line->setRts(true));
    EXPECT_TRUE(line->write("FA;"));
    EXPECT_EQ(line->readAll(), "FA00014025000;");
    EXPECT_EQ(line->readAll(), "");
    std::vector<fakes::LineEdge> edges{{0, 'D', false}, {0, 'R', false}, {5, 'R', true}};
    EXPECT_EQ(dev.edges, edges);
    auto second = f.services.serial.create();
    EXPECT_FALSE(second->open(2, {}, platform::Handshake::None)) << "a port in use";
    line.reset();
    EXPECT_FALSE(dev.open);
    EXPECT_FALSE(dev.rts) << "closing a line lets go of it";
}
