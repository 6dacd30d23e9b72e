// The WinKey link's host protocol over a scripted serial device on the fake clock: the greeting
// and each way it can fail, the bytes of every command, the status the keyer reports, and that
// only printable characters ever go out as text.

#include <gtest/gtest.h>

#include "keying/WinKeyLink.h"
#include "keying/WinKeyProtocol.h"
#include "support/FakeDevices.h"
#include "support/Fakes.h"

namespace {

std::string B(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}

// A keyer on port 3 that answers the greeting as told.
struct Keyer {
    fakes::FakeClock clock;
    fakes::FakeScheduler scheduler{clock};
    fakes::FakeSerialPorts ports{clock};
    fakes::FakeSerialDevice& dev = ports.device(3);
    keying::WinKeyLink link{ports, scheduler};
    std::optional<int> result;
    int version = -1;
    bool answerEcho = true, wrongEcho = false, answerOpen = true;
    int versionByte = 23;

    Keyer() {
        dev.onWrite = [this](const std::string& bytes) {
            for (size_t i = 0; i + 2 < bytes.size() + 0; ++i) {
                if (bytes[i] == 0 && bytes[i + 1] == 4 && answerEcho)
                    dev.receive(std::string(1, static_cast<char>(bytes[i + 2] ^ (wrongEcho ? 0xFF : 0))));
            }
            if (bytes == B({0, 2}) && answerOpen) dev.receive(std::string(1, static_cast<char>(versionByte)));
        };
    }
    void open() {
        link.open(3, [this](int r, uint8_t v) {
            result = r;
            version = v;
        });
    }
};

TEST(WinKeyLink, GreetsTheKeyerAndReadsItsVersion) {
    Keyer k;
    k.open();
    ASSERT_EQ(k.result, 0);
    EXPECT_EQ(k.version, 23);
    EXPECT_TRUE(k.link.isOpen());
    // 1200 baud 8N2; three no-ops to end any command a previous host left half sent, the echo
    // test, then host open.
    EXPECT_EQ(k.dev.settings, (platform::SerialSettings{1200, platform::Parity::None, 8, 2}));
    EXPECT_EQ(k.dev.written, B({0x13, 0x13, 0x13, 0, 4, 0x55, 0, 2}));
    EXPECT_EQ(k.scheduler.activeTimers(), 0);

    // A second opening is refused without touching the port; close says goodbye.
    std::optional<int> again;
    k.link.open(3, [&](int r, uint8_t) { again = r; });
    EXPECT_EQ(again, keying::WinKeyLink::kAlreadyOpen);
    k.link.close();
    EXPECT_EQ(k.dev.written.substr(k.dev.written.size() - 2), B({0, 3}));
    EXPECT_FALSE(k.dev.open);
    EXPECT_FALSE(k.link.isOpen());
    EXPECT_EQ(k.link.status(), 0);
}

struct FailCase {
    const char* name;
    bool failOpen, answerEcho, wrongEcho, answerOpen;
    int versionByte;
    int result;
};
class WinKeyOpenFails : public testing::TestWithParam<FailCase> {};

TEST_P(WinKeyOpenFails, ReportsWhyAndReleasesThePort) {
    const auto& c = GetParam();
    Keyer k;
    k.dev.failOpen = c.failOpen;
    k.answerEcho = c.answerEcho;
    k.wrongEcho = c.wrongEcho;
    k.answerOpen = c.answerOpen;
    k.versionByte = c.versionByte;
    k.open();
    // A keyer that does not answer is given up on when the answer is overdue, not before.
    if (!k.result) {
        k.scheduler.advance(999);
        EXPECT_FALSE(k.result);
        k.scheduler.advance(1);
    }
    ASSERT_TRUE(k.result);
    EXPECT_EQ(*k.result, c.result);
    EXPECT_EQ(k.version, 0);
    EXPECT_FALSE(k.link.isOpen());
    EXPECT_FALSE(k.dev.open);
    // Closed means closed: nothing goes out, the status is idle.
    const auto before = k.dev.written;
    k.link.sendChar('A');
    k.link.setSpeed(20);
    EXPECT_EQ(k.dev.written, before);
    EXPECT_EQ(k.link.status(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    WinKeyLink, WinKeyOpenFails,
    testing::Values(FailCase{"PortWillNotOpen", true, true, false, true, 23, -4},
                    FailCase{"NoEcho", false, false, false, true, 23, -1},
                    FailCase{"EchoMismatch", false, true, true, true, 23, -2},
                    FailCase{"NoOpenResponse", false, true, false, false, 23, -3},
                    FailCase{"VersionZero", false, true, false, true, 0, -3}),
    [](const auto& info) { return info.param.name; });

TEST(WinKeyLink, EachCommandIsTheKeyersBytes) {
    Keyer k;
    k.open();
    ASSERT_EQ(k.result, 0);
    struct Row {
        const char* what;
        std::function<void()> call;
        std::string bytes;
    };
    const std::vector<Row> rows = {
        {"speed", [&] { k.link.setSpeed(25); }, B({0x02, 25})},
        {"weight", [&] { k.link.setWeight(50); }, B({0x03, 50})},
        {"lead/tail", [&] { k.link.setLeadTail(3, 255); }, B({0x04, 3, 255})},
        {"ratio", [&] { k.link.setRatio(67); }, B({0x17, 67})},
        {"pins", [&] { k.link.setPinConfig(6); }, B({0x09, 6})},
        {"mode", [&] { k.link.setMode(48); }, B({0x0E, 48})},
        {"clear", [&] { k.link.clearBuffer(); }, B({0x0A})},
        {"backspace", [&] { k.link.backspace(); }, B({0x08})},
        {"status", [&] { k.link.requestStatus(); }, B({0x15})},
        {"letter", [&] { k.link.sendChar('q'); }, "Q"},
        {"blank", [&] { k.link.sendChar(' '); }, " "},
        {"tilde", [&] { k.link.sendChar('~'); }, "~"},
    };
    for (const auto& r : rows) {
        const size_t at = k.dev.written.size();
        r.call();
        EXPECT_EQ(k.dev.written.substr(at), r.bytes) << r.what;
    }
    // Control codes, DEL and 8-bit characters would be commands or garbage: none goes out.
    const size_t at = k.dev.written.size();
    for (int code : {0, 2, 8, 9, 10, 13, 27, 0x7F, 0xE9, 300}) EXPECT_FALSE(k.link.sendChar(code)) << code;
    EXPECT_EQ(k.dev.written.substr(at), "");
}

TEST(WinKeyLink, StatusFollowsTheKeyerAndTextOnItsWayCountsAsBusy) {
    Keyer k;
    k.open();
    ASSERT_EQ(k.result, 0);
    int reports = 0;
    k.link.setStatusHandler([&] { ++reports; });
    EXPECT_EQ(k.link.status(), 0);
    // Text written: busy at once, before the keyer has said anything.
    k.link.sendChar('E');
    EXPECT_EQ(k.link.status(), keying::winkey::kBusy);
    // An idle report still on its way from before the text does not make it idle...
    k.dev.receive(B({0xC0}));
    EXPECT_EQ(k.link.status(), keying::winkey::kBusy);
    // ...the keyer's busy report and its idle report after it do.
    k.dev.receive(B({0xC4}));
    EXPECT_EQ(k.link.status(), 4);
    k.dev.receive(B({0xC5}));
    EXPECT_EQ(k.link.status(), 5);
    // Speed-pot values and echoed characters are not status.
    k.dev.receive(B({0x85, 'E'}));
    EXPECT_EQ(k.link.status(), 5);
    k.dev.receive(B({0xC0}));
    EXPECT_EQ(k.link.status(), 0);
    EXPECT_EQ(reports, 4);

    // A keyer that never reports on the text is asked, once, after half a second.
    k.link.sendChar('T');
    const size_t at = k.dev.written.size();
    k.scheduler.advance(499);
    EXPECT_EQ(k.dev.written.size(), at);
    k.scheduler.advance(1);
    EXPECT_EQ(k.dev.written.substr(at), B({0x15}));
    EXPECT_EQ(k.link.status(), 0);
    k.scheduler.advance(5000);
    EXPECT_EQ(k.dev.written.size(), at + 1);
}

TEST(WinKeyLink, ClosingDuringTheGreetingAbandonsIt) {
    Keyer k;
    k.answerOpen = false;
    k.open();
    EXPECT_TRUE(k.link.opening());
    k.link.close();
    EXPECT_FALSE(k.dev.open);
    k.scheduler.advance(5000);
    EXPECT_FALSE(k.result);  // its report never comes
    // Host close goes only to a keyer that was greeted.
    EXPECT_EQ(k.dev.written.find(B({0, 3})), std::string::npos);
}

}  // namespace
