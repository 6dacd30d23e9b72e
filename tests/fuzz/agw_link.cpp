// The AGW link's states on any course of events the input chooses: starts and closes, the engine
// connecting, refusing, registering or not, sending frames (whole, cut anywhere, or any bytes),
// closing or failing; time passing; frames fetched and frames handed to the engine. The window
// fetches exactly the monitored frames the engine sent on the current connection after the
// registration, in order; every start ends in one event at most, and none comes after Close();
// a stopped link holds no connection and no timer; the engine is sent only the registration,
// monitoring on, its end, and the kinds the window hands over, nothing after the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <deque>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "spots/AgwFrame.h"
#include "spots/AgwLink.h"
#include "support/FakeDevices.h"
#include "support/FakeTcp.h"
#include "support/Fakes.h"

using namespace spots;

namespace {
const char kEngineKinds[] = {'X', 'C', 'D', 'd', 'U', 'I', 'S', 'T', 'm', 'R', 'G', 'y', 'K'};
const char* const kCalls[] = {"W1XYZ", "K1TTT-5", "N0CALL", "", "ABCDEFGHIJ"};

// Checks what the link sent on one connection: the registration first, monitoring on only after
// it, then the window's kinds, and nothing after the end.
void CheckSentToEngine(const std::string& bytes) {
    AgwFrameReader reader;
    reader.feed(bytes);
    bool registered = false, ended = false;
    while (auto f = reader.next()) {
        FUZZ_CHECK(!ended);
        switch (f->kind) {
            case 'X': FUZZ_CHECK(!registered); registered = true; break;
            case 'x': ended = true; break;
            case 'm': case 'C': case 'D': case 'd': FUZZ_CHECK(registered); break;
            default: FUZZ_CHECK(false);  // a kind the link never sends
        }
    }
    FUZZ_CHECK(!reader.corrupt() && reader.buffered() == 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fakes::FakeClock clock;
    fakes::FakeScheduler scheduler(clock);
    fakes::FakeTcpClients tcp;
    const AgwEngineAddress address;
    fakes::FakeTcpPeer& engine = tcp.peer(address.host, address.port);
    AgwLink link(tcp, scheduler);

    enum class Model { Stopped, Starting, Running };
    Model model = Model::Stopped;
    bool ended = true;          // this start has had its closing event, or was closed
    bool exact = true;          // the engine has sent only whole frames on this connection
    bool registered = false;    // what the engine answered to the registration, as sent
    bool refused = false;
    std::deque<AgwIncoming> expected;  // frames the window should fetch, in order
    size_t sentMark = 0;        // where this connection's bytes to the engine begin

    AgwLink::Events events;
    events.started = [&] {
        FUZZ_CHECK(!ended && model == Model::Starting);
        FUZZ_CHECK(link.state() == AgwLink::State::Running);
        model = Model::Running;
    };
    auto stopped = [&] {
        FUZZ_CHECK(link.state() == AgwLink::State::Stopped);
        FUZZ_CHECK(scheduler.activeTimers() == 0);
        FUZZ_CHECK(!engine.connected());
        ended = true;
        model = Model::Stopped;
    };
    events.startFailed = [&](const std::string& why) {
        FUZZ_CHECK(!ended && model == Model::Starting && !why.empty());
        stopped();
    };
    events.lost = [&](const std::string& why) {
        FUZZ_CHECK(!ended && model == Model::Running && !why.empty());
        stopped();
    };
    events.notice = [&](const std::string& text) { FUZZ_CHECK(!text.empty()); };
    link.setEvents(events);

    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, 10)) {
            case 0:
                link.StartPoll(address, kCalls[in.ConsumeIntegralInRange<int>(0, 3)], "Palmetar");
                // The end of the connection before (a running link says goodbye) is its last word.
                CheckSentToEngine(engine.received.substr(sentMark));
                sentMark = engine.received.size();
                FUZZ_CHECK(link.state() == AgwLink::State::Starting && link.waiting() == 0);
                model = Model::Starting;
                ended = false;
                exact = true;
                registered = refused = false;
                expected.clear();
                break;
            case 1: {
                const bool wasRunning = link.state() == AgwLink::State::Running && engine.connected();
                const size_t before = engine.received.size();
                link.Close();
                ended = true;  // nothing may be reported for this start any more
                model = Model::Stopped;
                FUZZ_CHECK(link.state() == AgwLink::State::Stopped);
                FUZZ_CHECK(scheduler.activeTimers() == 0 && !engine.connected());
                // A running link says goodbye to an engine still there.
                if (wasRunning) FUZZ_CHECK(engine.received.size() > before);
                break;
            }
            case 2: {
                // The engine sends whole frames, cut into pieces anywhere.
                std::string stream;
                const int frames = in.ConsumeIntegralInRange<int>(1, 3);
                for (int k = 0; k < frames; ++k) {
                    AgwFrame f;
                    f.kind = kEngineKinds[in.ConsumeIntegralInRange<size_t>(0, sizeof kEngineKinds - 1)];
                    f.callFrom = kCalls[in.ConsumeIntegralInRange<int>(0, 4)];
                    f.callTo = kCalls[in.ConsumeIntegralInRange<int>(0, 4)];
                    f.data = f.kind == 'X' ? std::string(1, static_cast<char>(in.ConsumeIntegralInRange<int>(0, 2)))
                                           : in.ConsumeRandomLengthString(40);
                    if (f.kind == 'X' && in.ConsumeIntegralInRange<int>(0, 5) == 0) f.data.clear();
                    stream += EncodeAgwFrame(f);
                    if (!engine.connected() && !(link.state() == AgwLink::State::Starting)) continue;
                    // What the window should get of it, by the link's rules.
                    if (!registered) {
                        if (f.kind != 'X' || refused) continue;
                        registered = !f.data.empty() && f.data[0] == 1;
                        refused = !registered;
                        continue;
                    }
                    char kind = f.kind;
                    if (kind == 'C') kind = 'c';
                    else if (kind != 'D' && kind != 'd' && kind != 'U' && kind != 'I' && kind != 'S' && kind != 'T')
                        continue;
                    std::string text = f.data;
                    while (!text.empty() && text.back() == '\0') text.pop_back();
                    expected.push_back({kind, f.callFrom.substr(0, kAgwCallSize), text});
                }
                while (!stream.empty()) {
                    const size_t cut = in.ConsumeIntegralInRange<size_t>(1, stream.size());
                    engine.send(stream.substr(0, cut));
                    stream.erase(0, cut);
                }
                break;
            }
            case 3: {
                // Anything at all: from here on only the bounds are checked.
                const std::string bytes = in.ConsumeRandomLengthString(80);
                if (!bytes.empty()) exact = false;
                engine.send(bytes);
                break;
            }
            case 4: tcp.deliver(); break;
            case 5: engine.closeFromServer(); break;
            case 6: engine.fail(platform::TcpError::ConnectionReset); break;
            case 7: engine.refuse = !engine.refuse; break;
            case 8: scheduler.advance(in.ConsumeIntegralInRange<int>(0, AgwLink::kRegisterTimeoutMs + 10)); break;
            case 9:
                while (auto got = link.GetData()) {
                    FUZZ_CHECK(got->data.empty() || got->data.back() != '\0');
                    if (!exact) continue;
                    // A frame of another connection, or one the engine never sent, is a fault.
                    FUZZ_CHECK(!expected.empty());
                    FUZZ_CHECK(got->kind == expected.front().kind && got->fromCall == expected.front().fromCall &&
                               got->data == expected.front().data);
                    expected.pop_front();
                }
                break;
            default: {
                const char kinds[] = {'D', 'd', 'c', 'P'};
                const bool running = link.state() == AgwLink::State::Running;
                FUZZ_CHECK(link.PutData(kCalls[in.ConsumeIntegralInRange<int>(0, 4)], in.ConsumeRandomLengthString(20),
                                        kinds[in.ConsumeIntegralInRange<int>(0, 3)]) == running);
                break;
            }
        }
        FUZZ_CHECK(link.waiting() <= AgwLink::kMaxWaiting);
        if (link.state() == AgwLink::State::Stopped) {
            FUZZ_CHECK(scheduler.activeTimers() == 0);
            FUZZ_CHECK(!engine.connected());
        }
    }
    link.Close();
    tcp.deliver();
    FUZZ_CHECK(link.state() == AgwLink::State::Stopped);
    CheckSentToEngine(engine.received.substr(sentMark));
    return 0;
}
