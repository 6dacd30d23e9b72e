// The AGW link against Debian's direwolf: registration and monitoring on a real engine, and a
// spot line sent by a second client as an unproto frame to "DX" coming back as a monitored
// frame with direwolf's header line in front of it.
#include <QTest>
#include <gtest/gtest.h>

#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtTcpClient.h"
#include "spots/AgwLink.h"
#include "support/Direwolf.h"

TEST(AgwDirewolf, MonitorsWhatAnotherClientSendsToDX) {
    fakes::Direwolf engine;
    ASSERT_TRUE(engine.ok()) << "direwolf did not start (scripts/setup installs it):\n" << engine.log();
    platform::qt::QtTcpClients tcp;
    platform::qt::QtScheduler scheduler;
    spots::AgwLink link(tcp, scheduler);
    int started = 0;
    std::string failure;
    link.setEvents({[&] { ++started; }, [&](const std::string& why) { failure = why; }, nullptr, nullptr});
    link.StartPoll({"127.0.0.1", engine.port()}, "K1ABC", "Form1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return started == 1 || !failure.empty(); }, 10000));
    ASSERT_EQ(started, 1) << failure;

    fakes::AgwTestClient node(engine.port());
    ASSERT_TRUE(node.ok());
    ASSERT_TRUE(node.registerCall("K1TTT"));
    const std::string spot = "DX de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z\r";
    ASSERT_TRUE(node.sendUnproto("K1TTT", "DX", spot));

    std::optional<spots::AgwIncoming> got;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        while (!got || got->kind != 'T') {
            got = link.GetData();
            if (!got) return false;
        }
        return true;
    }, 10000)) << engine.log();
    EXPECT_EQ(got->fromCall, "K1TTT");
    // The monitor header line ("1:Fm K1TTT To DX <UI pid=F0 ...>[hh:mm:ss]"), then the spot.
    const size_t headerEnd = got->data.find('\r');
    ASSERT_NE(headerEnd, std::string::npos) << got->data;
    EXPECT_NE(got->data.substr(0, headerEnd).find("Fm K1TTT To DX"), std::string::npos) << got->data;
    EXPECT_EQ(got->data.substr(headerEnd + 1, spot.size()), spot);
    EXPECT_EQ(got->data.find('\0'), std::string::npos);

    link.Close();
    EXPECT_EQ(link.state(), spots::AgwLink::State::Stopped);
}

TEST(AgwDirewolf, AStartWithNoEngineFailsAndSaysWhere) {
    platform::qt::QtTcpClients tcp;
    platform::qt::QtScheduler scheduler;
    spots::AgwLink link(tcp, scheduler);
    std::string failure;
    link.setEvents({nullptr, [&](const std::string& why) { failure = why; }, nullptr, nullptr});
    const int port = fakes::FreeLoopbackPort();
    link.StartPoll({"127.0.0.1", port}, "K1ABC", "Form1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failure.empty(); }, 10000));
    EXPECT_NE(failure.find("127.0.0.1:" + std::to_string(port)), std::string::npos) << failure;
}
