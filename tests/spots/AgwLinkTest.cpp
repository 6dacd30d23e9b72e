// The AGW link over the fake TCP service: registration, monitoring, the kinds it passes on and
// sends, and how a start fails or a running link is lost.
#include <gtest/gtest.h>

#include "spots/AgwLink.h"
#include "support/Fakes.h"

using spots::AgwFrame;
using spots::AgwLink;

namespace {
AgwFrame frame(char kind, std::string from = {}, std::string to = {}, std::string data = {}) {
    AgwFrame f;
    f.kind = kind;
    f.callFrom = std::move(from);
    f.callTo = std::move(to);
    f.data = std::move(data);
    return f;
}

std::vector<AgwFrame> framesIn(const std::string& bytes) {
    spots::AgwFrameReader r;
    r.feed(bytes);
    std::vector<AgwFrame> out;
    while (auto f = r.next()) out.push_back(*f);
    return out;
}

struct Link : ::testing::Test {
    fakes::FakeServices fakes;
    AgwLink link{fakes.tcp, fakes.scheduler};
    int started = 0;
    std::vector<std::string> failures, losses, notices;
    fakes::FakeTcpPeer& engine = fakes.tcp.peer("127.0.0.1", 8000);

    void SetUp() override {
        link.setEvents({[this] { ++started; }, [this](const std::string& why) { failures.push_back(why); },
                        [this](const std::string& why) { losses.push_back(why); },
                        [this](const std::string& text) { notices.push_back(text); }});
    }
    void answer(const AgwFrame& f) {
        engine.send(spots::EncodeAgwFrame(f));
        fakes.tcp.deliver();
    }
    void start() {
        const int before = started;
        link.StartPoll({}, "K1ABC", "Form1");
        fakes.tcp.deliver();
        answer(frame('X', "K1ABC", "", std::string(1, '\1')));
        ASSERT_EQ(started, before + 1);
        engine.received.clear();
    }
};
}  // namespace

TEST_F(Link, RegistersTheCallThenAsksForMonitoring) {
    link.StartPoll({}, "K1ABC", "Form1");
    EXPECT_EQ(link.state(), AgwLink::State::Starting);
    fakes.tcp.deliver();
    auto sent = framesIn(engine.received);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].kind, 'X');
    EXPECT_EQ(sent[0].callFrom, "K1ABC");
    EXPECT_EQ(started, 0);  // running only once the engine has taken the call

    answer(frame('X', "K1ABC", "", std::string(1, '\1')));
    EXPECT_EQ(started, 1);
    EXPECT_EQ(link.state(), AgwLink::State::Running);
    sent = framesIn(engine.received);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].kind, 'm');
    EXPECT_TRUE(failures.empty());
}

TEST_F(Link, AStartFailsWhenTheEngineIsMissingRefusesOrIsSilent) {
    // Nothing listening: the reason names where the engine was looked for.
    engine.refuse = true;
    link.StartPoll({}, "K1ABC", "Form1");
    fakes.tcp.deliver();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("127.0.0.1:8000"), std::string::npos) << failures[0];
    EXPECT_EQ(link.state(), AgwLink::State::Stopped);

    // The engine refuses the call.
    engine.refuse = false;
    link.StartPoll({}, "K1ABC", "Form1");
    fakes.tcp.deliver();
    answer(frame('X', "K1ABC", "", std::string(1, '\0')));
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[1].find("refused"), std::string::npos);
    EXPECT_FALSE(engine.connected());

    // The engine never answers: the start gives up after its timeout, not before.
    link.StartPoll({}, "K1ABC", "Form1");
    fakes.tcp.deliver();
    fakes.scheduler.advance(AgwLink::kRegisterTimeoutMs - 1);
    EXPECT_EQ(failures.size(), 2u);
    fakes.scheduler.advance(1);
    EXPECT_EQ(failures.size(), 3u);
    EXPECT_EQ(started, 0);
    EXPECT_TRUE(losses.empty());
}

TEST_F(Link, PassesTheFramesTheWindowUsesAllOfThemInOrder) {
    start();
    // One chunk holding several frames: every one is kept, in order, for the window's poll.
    std::string chunk;
    chunk += spots::EncodeAgwFrame(frame('T', "K1TTT", "DX", std::string(" 1:Fm K1TTT To DX <UI>\rDX de ...\r\r\0", 34)));
    chunk += spots::EncodeAgwFrame(frame('y', "K1ABC"));  // an answer the link never asked for
    chunk += spots::EncodeAgwFrame(frame('C', "W1XYZ", "K1ABC", "*** CONNECTED With Station W1XYZ\r"));
    chunk += spots::EncodeAgwFrame(frame('D', "W1XYZ", "K1ABC", "Hello\r"));
    chunk += spots::EncodeAgwFrame(frame('d', "W1XYZ", "K1ABC", "*** DISCONNECTED From Station W1XYZ\r"));
    chunk += spots::EncodeAgwFrame(frame('U', "W2ABC", "CQ", "x"));
    engine.send(chunk);
    fakes.tcp.deliver();
    EXPECT_EQ(link.waiting(), 5u);
    struct Want {
        char kind;
        const char* from;
        std::string data;
    };
    const Want want[] = {{'T', "K1TTT", " 1:Fm K1TTT To DX <UI>\rDX de ...\r\r"},
                         {'c', "W1XYZ", "*** CONNECTED With Station W1XYZ\r"},
                         {'D', "W1XYZ", "Hello\r"},
                         {'d', "W1XYZ", "*** DISCONNECTED From Station W1XYZ\r"},
                         {'U', "W2ABC", "x"}};
    for (const Want& w : want) {
        auto in = link.GetData();
        ASSERT_TRUE(in);
        EXPECT_EQ(in->kind, w.kind);
        EXPECT_EQ(in->fromCall, w.from);
        EXPECT_EQ(in->data, w.data);
    }
    EXPECT_FALSE(link.GetData());
}

TEST_F(Link, SendsConnectDataAndDisconnectAsTheEngineNamesThem) {
    EXPECT_FALSE(link.PutData("W1XYZ", "", 'c'));  // nothing goes out before the start
    start();
    EXPECT_TRUE(link.PutData("W1XYZ", "", 'c'));
    EXPECT_TRUE(link.PutData("W1XYZ", "", 'P'));
    EXPECT_TRUE(link.PutData("W1XYZ", "SH/DX\r", 'D'));
    EXPECT_TRUE(link.PutData("W1XYZ", "", 'd'));
    link.Close();
    const auto sent = framesIn(engine.received);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].kind, 'C');
    EXPECT_EQ(sent[0].callFrom, "K1ABC");
    EXPECT_EQ(sent[0].callTo, "W1XYZ");
    EXPECT_EQ(sent[1].kind, 'D');
    EXPECT_EQ(sent[1].pid, 0xF0);
    EXPECT_EQ(sent[1].data, "SH/DX\r");
    EXPECT_EQ(sent[2].kind, 'd');
    EXPECT_EQ(sent[3].kind, 'x');  // the call is given back as the link closes
    EXPECT_FALSE(engine.connected());
    EXPECT_EQ(link.state(), AgwLink::State::Stopped);
    EXPECT_TRUE(losses.empty());
}

TEST_F(Link, ARunningLinkIsLostWhenTheEngineGoesOrSendsGarbage) {
    start();
    engine.closeFromServer();
    fakes.tcp.deliver();
    ASSERT_EQ(losses.size(), 1u);
    EXPECT_EQ(link.state(), AgwLink::State::Stopped);

    start();
    AgwFrame big = frame('U', "W1AW", "DX", std::string(6000, 'x'));
    engine.send(spots::EncodeAgwFrame(big) + spots::EncodeAgwFrame(frame('U', "W1AW", "DX", "ok")));
    fakes.tcp.deliver();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("6000"), std::string::npos) << notices[0];
    EXPECT_EQ(link.GetData()->data, "ok");
    EXPECT_EQ(link.state(), AgwLink::State::Running);

    std::string garbage(36, '\0');
    garbage[31] = 0x40;
    engine.send(garbage);
    fakes.tcp.deliver();
    EXPECT_EQ(losses.size(), 2u);
    EXPECT_FALSE(engine.connected());
}
