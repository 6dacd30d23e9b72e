// The spotting setup window against real peers started here: a DX cluster on loopback, a TNC
// on a pseudo-terminal, direwolf as the AGW packet engine; and its settings, enabling and
// failures over the fake services.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <set>
#include <gtest/gtest.h>

#include "FakeCluster.h"
#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtSerialLine.h"
#include "platform/qt/QtTcpClient.h"
#include "platform/qt/Text.h"
#include "spots/SpotSettings.h"
#include "spots/TelnetErrors.h"
#include "spots/ui/PacketSpotfrm.h"
#include "spots/ui/SpectrumMap.h"
#include "support/Direwolf.h"
#include "support/PeerProcess.h"
#include "support/PtyPair.h"
#include "window/ui/LoggingWindowFixture.h"
#include "window/ui/OpenLoggingWindow.h"
#include "window/ui/ToolWindows.h"

using platform::qt::fromQ;
using spots::ui::PacketSpotfrm;
using window::ToolWindow;
using window::ui::ToolWindows;

namespace {
const std::string kSpot1 = "DX de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z\r\n";
const std::string kSpot2 = "DX de W3LPL:     14075.0  VP8/G3ABC    599 TNX                        0102Z\r\n";
const std::string kSpot3 = "DX de N2IC:      14010.0  ZS6ABC       CQ                             1500Z\r\n";

bool Stored(Session& s, const std::string& call) {
    for (size_t i = 0; i < s.spotHistory.SpotCalls.size(); ++i)
        if (s.spotHistory.SpotCalls[i] == call && s.spotHistory.SpotFreqs[i] > 0) return true;
    return false;
}

bool Shows(const PacketSpotfrm& w, const std::string& text) { return w.displayText().find(text) != std::string::npos; }

// The logging window on 20 m with the spot windows registered; `devices` picks real timers,
// ports and connections.
struct Spotting {
    explicit Spotting(const TestSession::Devices* devices = nullptr) : f(false, 1024, 768, devices) {
        f.ts->profile.CurrentBand = "20";
        spots::ui::RegisterSpotWindows();
    }
    ~Spotting() { ToolWindows::instance().unloadAll(); }
    window::ui::LoggingWindow& logging() {
        if (!f.window) {
            f.open().show();
            QApplication::processEvents();
        }
        return *f.window;
    }
    PacketSpotfrm& open() {
        auto& tools = ToolWindows::instance();
        tools.open(ToolWindow::PacketSpotfrm, window::OpenWay::NotModal, *f.ts, &logging());
        return *qobject_cast<PacketSpotfrm*>(tools.loaded(ToolWindow::PacketSpotfrm));
    }
    void choose(PacketSpotfrm& w, int row) {
        QListWidget* list = w.List1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    LoggingWindowFixture f;
};

std::string frame(char kind, const std::string& from, const std::string& to, const std::string& data) {
    spots::AgwFrame f;
    f.kind = kind;
    f.callFrom = from;
    f.callTo = to;
    f.data = data;
    return spots::EncodeAgwFrame(f);
}

// The AGW source chosen and opened on the fake engine, which accepts the call's registration.
PacketSpotfrm& OpenRegisteredOnAgw(Spotting& s, fakes::FakeTcpPeer& engine) {
    PacketSpotfrm& w = s.open();
    s.choose(w, 3);
    w.Command1_Click();
    s.f.ts.fakes.tcp.deliver();
    engine.send(frame('X', "W4XYZ", "", std::string(1, '\1')));
    s.f.ts.fakes.tcp.deliver();
    return w;
}

// The window on the AGW engine with N0CALL connected: the engine reports the connection, and
// the next tick takes it as the connected station.
PacketSpotfrm& OpenConnectedToN0call(Spotting& s, fakes::FakeTcpPeer& engine) {
    PacketSpotfrm& w = OpenRegisteredOnAgw(s, engine);
    engine.send(frame('C', "N0CALL", "W4XYZ", "*** CONNECTED With Station N0CALL\r"));
    s.f.ts.fakes.tcp.deliver();
    s.f.ts.fakes.scheduler.advance(333);
    EXPECT_EQ(w.ConnectedStation(), "N0CALL") << w.displayText();
    return w;
}

// The frames the engine has received, whole ones only.
std::vector<spots::AgwFrame> FramesAt(const fakes::FakeTcpPeer& engine) {
    spots::AgwFrameReader reader;
    reader.feed(engine.received);
    std::vector<spots::AgwFrame> frames;
    while (auto f = reader.next()) frames.push_back(*f);
    return frames;
}

// Real timers and TCP connections (and serial ports named by portNames).
struct RealSpotting {
    fakes::FakeEnvironment portNames;
    fakes::FakeClock clock;
    platform::qt::QtScheduler scheduler;
    platform::qt::QtSerialPorts serial{portNames};
    platform::qt::QtTcpClients tcp;
    TestSession::Devices devices{scheduler, serial, clock, &tcp};
    Spotting s{&devices};
};
}  // namespace

TEST(PacketSpotfrmCluster, LogsInAndPutsSpotsFromSplitAndJoinedChunksOnTheBandMap) {
    FakeCluster cluster;
    ASSERT_TRUE(cluster.listening());
    RealSpotting real;
    auto& s = real.s;
    Session& session = *s.f.ts;
    PacketSpotfrm& w = s.open();
    ASSERT_TRUE(w.isVisible());
    s.choose(w, 2);
    ASSERT_EQ(w.SpotSource(), "Telnet");
    EXPECT_TRUE(w.txtTelnetHost->isEnabled());
    EXPECT_FALSE(w.fraPort->isEnabled());
    w.txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
    w.txtTelnetPort->setText(QString::number(cluster.port()));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(w.listening());
    EXPECT_TRUE(Shows(w, "Attempting connection to: 127.0.0.1:" + std::to_string(cluster.port())));
    // The prompt shows before its line has ended.
    ASSERT_TRUE(QTest::qWaitFor([&] { return fromQ(w.txtUnProcessed->toPlainText()).find("login: ") != std::string::npos; },
                                10000))
        << w.displayText();
    EXPECT_TRUE(Shows(w, "Welcome to the test cluster\r\n"));

    // The operator answers the prompt with the call.
    w.txtSent->setFocus();
    QTest::keyClicks(w.txtSent, QStringLiteral("W4XYZ"));
    QTest::keyClick(w.txtSent, Qt::Key_Return);
    EXPECT_TRUE(w.txtSent->text().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return cluster.received == "W4XYZ\r\n"; }, 10000)) << cluster.received;
    cluster.send("\r\nHello W4XYZ\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(w, "login: \r\nHello W4XYZ\r\n"); }, 10000)) << w.displayText();

    // Half a spot in one chunk, then its rest with a whole spot and half of another.
    cluster.send(kSpot1.substr(0, 30));
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.spotReceiver.buffer().partial().size() >= 30; }, 10000));
    EXPECT_FALSE(Stored(session, "JA1ABC"));
    cluster.send(kSpot1.substr(30) + kSpot2 + kSpot3.substr(0, 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(session, "VP8/G3ABC"); }, 10000)) << w.displayText();
    EXPECT_TRUE(Stored(session, "JA1ABC"));
    EXPECT_FALSE(Stored(session, "ZS6ABC"));
    cluster.send(kSpot3.substr(20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(session, "ZS6ABC"); }, 10000));

    // Done lays out the band map, which shows the three spots.
    QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    auto& lw = s.logging();
    ASSERT_TRUE(lw.lblDX->isVisible());
    std::string tips;
    for (QLabel* l : lw.lblDXSpot)
        if (l->isVisible()) tips += fromQ(l->toolTip()) + "|";
    EXPECT_NE(tips.find("JA1ABC"), std::string::npos) << tips;
    EXPECT_NE(tips.find("VP8/G3ABC"), std::string::npos) << tips;
    // Hidden, the source keeps running.
    EXPECT_TRUE(w.listening());
}

TEST(PacketSpotfrmCluster, AServerCloseAndARefusedConnectEndListeningAndSayWhy) {
    RealSpotting real;
    auto& s = real.s;
    PacketSpotfrm& w = s.open();
    s.choose(w, 2);
    w.txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
    auto& dialogs = s.f.ts.fakes.dialogs;
    {
        FakeCluster cluster;
        w.txtTelnetPort->setText(QString::number(cluster.port()));
        w.Command1_Click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return cluster.hasClient() && Shows(w, "Welcome"); }, 10000));
        cluster.closeClient();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.listening(); }, 10000)) << w.displayText();
        EXPECT_TRUE(Shows(w, spots::kTelnetClosedByServer)) << w.displayText();
        EXPECT_TRUE(Shows(w, "** Port Closed **"));
        EXPECT_FALSE(w.timerRunning());
        EXPECT_EQ(dialogs.beeps, 1);
    }
    // Nothing listens on this port.
    w.txtTelnetPort->setText(QString::number(fakes::FreeLoopbackPort()));
    w.Command1_Click();
    EXPECT_TRUE(w.listening());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.listening(); }, 10000)) << w.displayText();
    EXPECT_TRUE(Shows(w, "ERROR: Connection is forcefully rejected.")) << w.displayText();
    EXPECT_FALSE(w.timerRunning());
    EXPECT_EQ(dialogs.beeps, 2);
}

// A connection to the loopback cluster with "Telnet" chosen and opened.
struct ClusterSession {
    explicit ClusterSession(FakeCluster& c) : cluster(c), w(real.s.open()) {
        real.s.choose(w, 2);
        w.txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
        w.txtTelnetPort->setText(QString::number(cluster.port()));
        QTest::mouseClick(w.Command1, Qt::LeftButton);
    }
    Session& session() { return *real.s.f.ts; }
    bool shown(const std::string& text) { return fromQ(w.txtUnProcessed->toPlainText()).find(text) != std::string::npos; }
    FakeCluster& cluster;
    RealSpotting real;
    PacketSpotfrm& w;
};

TEST(PacketSpotfrmCluster, ASpotAfterAPromptWithoutALineEndIsPosted) {
    FakeCluster cluster;
    ClusterSession c(cluster);
    auto& w = c.w;
    // The greeting ends in "login: ", which waits for its line end.
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.shown("login: "); }, 10000)) << w.displayText();
    cluster.send(kSpot1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(c.session(), "JA1ABC"); }, 10000)) << w.displayText();
    EXPECT_TRUE(Shows(w, "login: \r\n" + kSpot1)) << w.displayText();
    // The node's prompt after the operator has logged in, then the next spot.
    cluster.send("\r\nW4XYZ de TEST >");
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.shown("W4XYZ de TEST >"); }, 10000)) << w.displayText();
    cluster.send(kSpot2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(c.session(), "VP8/G3ABC"); }, 10000)) << w.displayText();
    EXPECT_TRUE(Shows(w, "W4XYZ de TEST >\r\n" + kSpot2)) << w.displayText();
}

TEST(PacketSpotfrmCluster, TelnetNegotiationIsTakenOutAndAnsweredWithNothing) {
    const std::string iac = "\xff", will = "\xfb", dont = "\xfe", doo = "\xfd", sb = "\xfa", se = "\xf0";
    const std::string echo = "\x01", ttype = "\x18";
    // The server asks for the terminal type and offers to echo before its greeting.
    FakeCluster cluster(iac + doo + ttype + iac + will + echo + "Welcome to the test cluster\r\n");
    ClusterSession c(cluster);
    auto& w = c.w;
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.shown("Welcome"); }, 10000)) << w.displayText();
    EXPECT_TRUE(Shows(w, "\r\n\r\nWelcome to the test cluster\r\n")) << w.displayText();
    // A sequence cut between two chunks, then a subnegotiation right before a spot line.
    cluster.send("Hello W4XYZ\r\n" + iac + dont);
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.shown("Hello W4XYZ"); }, 10000)) << w.displayText();
    cluster.send(echo + iac + sb + ttype + "\x01" + iac + se + kSpot1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(c.session(), "JA1ABC"); }, 10000)) << w.displayText();
    EXPECT_TRUE(Shows(w, "Hello W4XYZ\r\n" + kSpot1)) << w.displayText();
    for (const char ch : w.displayText())
        EXPECT_TRUE(ch == '\r' || ch == '\n' || (ch >= ' ' && ch < 0x7f)) << "shown byte " << int(static_cast<unsigned char>(ch));

    // Nothing was answered: the first bytes the cluster gets are the operator's.
    w.txtSent->setText(QStringLiteral("W4XYZ"));
    w.SendLine();
    ASSERT_TRUE(QTest::qWaitFor([&] { return cluster.received.size() >= 7; }, 10000));
    EXPECT_EQ(cluster.received, "W4XYZ\r\n");
}

TEST(PacketSpotfrmCluster, CloseAndOpenStartWithNothingHalfReceivedAndNothingRemembered) {
    FakeCluster cluster;
    ClusterSession c(cluster);
    auto& w = c.w;
    Session& session = c.session();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(w, "Welcome to the test cluster\r\n"); }, 10000)) << w.displayText();
    // A spot, then a line and a telnet subnegotiation that the closing cuts.
    cluster.send("\r\n" + kSpot1 + "DX de W3LPL:     14000.2  K2AB" + "\xff\xfa\x18");
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.shown("K2AB"); }, 10000)) << w.displayText();
    ASSERT_TRUE(Stored(session, "JA1ABC"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    ASSERT_FALSE(w.listening());

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    // The greeting of the new connection is shown again, on a line of its own.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(w, "Welcome to the test cluster"); }, 10000)) << w.displayText();
    EXPECT_TRUE(Shows(w, "\r\n\r\nWelcome to the test cluster\r\n")) << w.displayText();
    EXPECT_FALSE(Shows(w, "K2AB")) << w.displayText();
    // The spot the cluster sends again is shown and posted again.
    cluster.send("\r\n" + kSpot1 + kSpot2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(session, "VP8/G3ABC"); }, 10000)) << w.displayText();
    EXPECT_TRUE(Shows(w, kSpot1)) << w.displayText();
    EXPECT_EQ(session.spotHistory.SpotCalls[48], "JA1ABC");
    for (const auto& call : session.spotHistory.SpotCalls) EXPECT_EQ(call.find("K2AB"), std::string::npos) << call;
}

TEST(PacketSpotfrmTnc, ReadsSpotsFromAPtyAndSendsTheCommandCharacterAndLines) {
    fakes::PtyPair pty;
    ASSERT_TRUE(pty.ok()) << "socat is needed (scripts/setup installs it)";
    RealSpotting real;
    real.portNames.values["PALMETAR_COM2"] = pty.a;
    auto& s = real.s;
    Session& session = *s.f.ts;
    PacketSpotfrm& w = s.open();
    s.choose(w, 1);
    // The TNC's defaults: 9600,N,8,1 with RTS handshaking and "03".
    EXPECT_TRUE(w.optBaud[3]->isChecked());
    EXPECT_TRUE(w.optHandshake[2]->isChecked());
    EXPECT_EQ(w.txtHex->text(), QStringLiteral("03"));
    EXPECT_TRUE(w.fraPort->isEnabled());
    EXPECT_FALSE(w.txtTelnetHost->isEnabled());
    QTest::mouseClick(w.optComm[1], Qt::LeftButton);
    // A pseudo-terminal has no CTS line to let RTS/CTS handshaking send.
    QTest::mouseClick(w.optHandshake[0], Qt::LeftButton);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_TRUE(w.listening()) << w.displayText();
    EXPECT_TRUE(Shows(w, "** TNC Serial Port Open **"));

    fakes::PtyEnd tnc(pty.b);
    ASSERT_TRUE(tnc.ok());
    // CR-only line ends, a line split across reads.
    std::string line1 = kSpot1.substr(0, kSpot1.size() - 1);  // "...\r"
    ASSERT_TRUE(tnc.write("cmd:\r" + line1.substr(0, 25)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.spotReceiver.buffer().partial().size() >= 25; }, 10000));
    ASSERT_TRUE(tnc.write(line1.substr(25) + kSpot2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(session, "VP8/G3ABC"); }, 10000)) << w.displayText();
    EXPECT_TRUE(Stored(session, "JA1ABC"));
    EXPECT_TRUE(Shows(w, "cmd:\r\n"));

    // Esc puts the TNC in command mode; Enter sends the line with a CR.
    w.txtSent->setFocus();
    QTest::keyClick(w.txtSent, Qt::Key_Escape);
    std::string got;
    // The port writes from the event loop.
    auto arrives = [&](const std::string& want) {
        return QTest::qWaitFor([&] {
            got += tnc.drain(std::chrono::milliseconds(5));
            return got.size() >= want.size();
        }, 10000) && got == want;
    };
    EXPECT_TRUE(arrives(std::string(1, '\x03'))) << got;
    got.clear();
    EXPECT_TRUE(w.isVisible());  // Esc does not close the window
    QTest::keyClicks(w.txtSent, QStringLiteral("MON ON"));
    QTest::keyClick(w.txtSent, Qt::Key_Return);
    EXPECT_TRUE(arrives("MON ON\r")) << got;

    // Enter while the port is closed opens it first, then sends the line.
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    ASSERT_FALSE(w.listening());
    got.clear();
    QTest::keyClicks(w.txtSent, QStringLiteral("SH/DX"));
    QTest::keyClick(w.txtSent, Qt::Key_Return);
    ASSERT_TRUE(w.listening()) << w.displayText();
    EXPECT_TRUE(arrives("SH/DX\r")) << got;

    // A serial option closes the port; the next opening takes the new setting.
    QTest::mouseClick(w.optPower[2], Qt::LeftButton);
    EXPECT_FALSE(w.listening());
}

TEST(PacketSpotfrmTnc, APortThatCannotOpenSaysSoAndEndsClosed) {
    RealSpotting real;
    real.portNames.values["PALMETAR_COM7"] = "/nonexistent/tty-for-the-test";
    auto& s = real.s;
    PacketSpotfrm& w = s.open();
    s.choose(w, 1);
    QTest::mouseClick(w.optComm[6], Qt::LeftButton);
    w.Command1_Click();
    auto& dialogs = s.f.ts.fakes.dialogs;
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().title, "Invalid Comm Settings.");
    EXPECT_FALSE(w.listening());
    EXPECT_FALSE(w.timerRunning());
    EXPECT_TRUE(Shows(w, "** Unable to open TNC Serial Port **"));
    EXPECT_EQ(dialogs.beeps, 1);
}

// The TNC's adapter is pulled while the source listens: the display says so, the source closes
// (port closed, timer stopped), and Open Port opens it again once the device is back.
TEST(PacketSpotfrmTnc, APulledAdapterClosesTheSourceAndOpenPortOpensItAgain) {
    Spotting s;
    Session& session = *s.f.ts;
    PacketSpotfrm& w = s.open();
    s.choose(w, 1);
    w.Command1_Click();
    ASSERT_TRUE(w.listening()) << w.displayText();
    auto& tnc = s.f.ts.fakes.serial.device(1);
    ASSERT_TRUE(tnc.open);

    const size_t messagesBefore = s.f.ts.fakes.dialogs.messages.size();
    tnc.unplug("/dev/ttyUSB1: Input/output error");
    EXPECT_EQ(s.f.ts.fakes.serial.deliver(), 1);
    EXPECT_TRUE(Shows(w, "** TNC Serial Port lost: /dev/ttyUSB1: Input/output error **")) << w.displayText();
    EXPECT_FALSE(w.listening());
    EXPECT_FALSE(w.timerRunning());
    EXPECT_EQ(s.f.ts.fakes.dialogs.beeps, 1);
    EXPECT_EQ(s.f.ts.fakes.dialogs.messages.size(), messagesBefore);  // told in the display, no box

    tnc.plugIn();
    w.Command1_Click();
    ASSERT_TRUE(w.listening()) << w.displayText();
    EXPECT_TRUE(tnc.open);
    tnc.receive(kSpot1);
    s.f.ts.fakes.scheduler.advance(1000);
    EXPECT_TRUE(Stored(session, "JA1ABC")) << w.displayText();
}

TEST(PacketSpotfrmAgw, ASpotSentToDXThroughDirewolfReachesTheBandMap) {
    fakes::Direwolf engine;
    ASSERT_TRUE(engine.ok()) << "direwolf did not start (scripts/setup installs it):\n" << engine.log();
    RealSpotting real;
    auto& s = real.s;
    Session& session = *s.f.ts;
    ASSERT_TRUE(spots::SaveAgwEngine(session, {"127.0.0.1", engine.port()}));
    PacketSpotfrm& w = s.open();
    s.choose(w, 3);
    EXPECT_EQ(w.Label6->text(), QStringLiteral("Send text (use : to send cmds such as :C W1AW or :D)"));
    w.Command1_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(w, "** Successfully connected to AGW Packet Engine **"); }, 10000))
        << w.displayText() << engine.log();
    EXPECT_TRUE(w.timerRunning());

    fakes::AgwTestClient node(engine.port());
    ASSERT_TRUE(node.ok());
    ASSERT_TRUE(node.registerCall("K1TTT"));
    ASSERT_TRUE(node.sendUnproto("K1TTT", "DX", kSpot1.substr(0, kSpot1.size() - 1)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(session, "JA1ABC"); }, 10000)) << w.displayText() << engine.log();
    EXPECT_TRUE(Shows(w, kSpot1)) << w.displayText();
    // The monitor header line is not shown.
    EXPECT_FALSE(Shows(w, "Fm K1TTT")) << w.displayText();

    w.Command2_Click();
    EXPECT_FALSE(w.timerRunning());
}

// ---- over the fake services

TEST(PacketSpotfrmSettings, TheSavedSourceReopensAtTheNextStartAndShowsThePanel) {
    Spotting s;
    Session& session = *s.f.ts;
    auto& peer = s.f.ts.fakes.tcp.peer("dxc.example.net", 7300);
    spots::PackSpotSettings saved;
    saved.SpotSource = "telnet";  // as stored in another letter case
    saved.TncPort = 0;            // the TNC was never opened
    saved.TncBaud = "9600";
    saved.TncParity = "N";
    saved.TncDataBits = "8";
    saved.TncStopBits = "1";
    saved.TncPower = "R";
    saved.TncHandshake = 3;
    saved.OptList = true;
    saved.ListDxOnly = 1;
    saved.Hex = "03";
    saved.TelnetPort = "7300";
    saved.TelnetHost = "dxc.example.net";
    ASSERT_TRUE(spots::SavePackSpot(session, saved));

    // The logging window of the next start.
    auto* lw = window::OpenLoggingWindow(session);
    ASSERT_TRUE(lw);
    auto* w = qobject_cast<PacketSpotfrm*>(ToolWindows::instance().loaded(ToolWindow::PacketSpotfrm));
    ASSERT_TRUE(w) << "the setup window was not loaded for the saved source";
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->listening());
    EXPECT_EQ(peer.connects, 1);
    EXPECT_TRUE(lw->txtDX->isVisible());  // the list, as saved
    // "List DX Only" as saved: a talk line is not shown, the spot is.
    EXPECT_TRUE(w->chkDX->isChecked());
    s.f.ts.fakes.tcp.deliver();
    peer.send("W4XYZ de K1TTT: anyone on 20?\r\n" + kSpot1);
    s.f.ts.fakes.tcp.deliver();
    EXPECT_TRUE(Stored(session, "JA1ABC"));
    EXPECT_EQ(lw->txtDX->topLevelItemCount(), 1);
    EXPECT_TRUE(Shows(*w, kSpot1)) << w->displayText();
    EXPECT_FALSE(Shows(*w, "anyone on 20?")) << w->displayText();
    // Written back as read until the operator clicks the list.
    w->cmdDone_Click();
    const auto reread = spots::LoadPackSpot(session, {});
    EXPECT_TRUE(reread.complete());
    EXPECT_EQ(reread.values, saved);
    ToolWindows::instance().unloadAll();
    lw->close();
    QApplication::processEvents();
}

TEST(PacketSpotfrmSettings, NoneOrAnEmptySourceOpensNothingAndDoneRemovesThePanel) {
    for (const char* source : {"None", ""}) {
        Spotting s;
        Session& session = *s.f.ts;
        spots::PackSpotSettings saved;
        saved.SpotSource = source;
        saved.TncPort = 2;
        saved.TncHandshake = 1;
        saved.TelnetPort = "7300";
        saved.TelnetHost = "dxc.example.net";
        ASSERT_TRUE(spots::SavePackSpot(session, saved));
        PacketSpotfrm& w = s.open();
        EXPECT_FALSE(w.listening()) << source;
        EXPECT_EQ(s.f.ts.fakes.tcp.peer("dxc.example.net", 7300).connects, 0) << source;
        EXPECT_FALSE(w.txtSent->isEnabled()) << source;
        EXPECT_TRUE(w.List1->isEnabled()) << source;
        EXPECT_TRUE(w.optComm[1]->isChecked()) << source;
        // Close while closed adds nothing.
        const std::string before = w.displayText();
        w.Command2_Click();
        EXPECT_EQ(w.displayText(), before) << source;
        // Esc tries to open: the help text gives way to the one line, and nothing opens.
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_EQ(w.displayText(), "** Attempting to Open Port **\r\n\r\n") << source;
        EXPECT_FALSE(w.listening()) << source;
        EXPECT_TRUE(w.isVisible()) << source;
        w.cmdDone_Click();
        EXPECT_FALSE(s.logging().lblDX->isVisible()) << source;
        EXPECT_FALSE(s.logging().txtDX->isVisible()) << source;
    }
}

TEST(PacketSpotfrmSettings, FailuresToOpenEndListeningAndSayWhy) {
    Spotting s;
    Session& session = *s.f.ts;
    auto& dialogs = s.f.ts.fakes.dialogs;
    PacketSpotfrm& w = s.open();

    // No own call: the engine is not contacted.
    session.profile.StationCall = "   ";
    s.choose(w, 3);
    dialogs.messages.clear();
    w.Command1_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Call Sign Required!");
    EXPECT_FALSE(w.listening());
    EXPECT_EQ(s.f.ts.fakes.tcp.peer("127.0.0.1", 8000).connects, 0);

    // A port text that is not a number.
    s.choose(w, 2);
    w.txtTelnetHost->setText(QStringLiteral("dxc.example.net"));
    w.txtTelnetPort->setText(QStringLiteral("73x"));
    w.Command1_Click();
    EXPECT_FALSE(w.listening());
    EXPECT_TRUE(Shows(w, "\"73x\" is not a number")) << w.displayText();

    // Enter while connecting shows the note; a failed connect shows the error text.
    w.txtTelnetPort->setText(QStringLiteral("7300"));
    auto& peer = s.f.ts.fakes.tcp.peer("dxc.example.net", 7300);
    peer.refuse = true;
    peer.refuseWith = platform::TcpError::HostNotFound;
    w.Command1_Click();
    w.txtSent->setText(QStringLiteral("W4XYZ"));
    w.SendLine();
    EXPECT_TRUE(Shows(w, "**  Connection not yet established.  Please wait a moment and try again."));
    EXPECT_TRUE(w.listening());
    s.f.ts.fakes.tcp.deliver();
    EXPECT_FALSE(w.listening());
    EXPECT_TRUE(Shows(w, "ERROR: Authoritative answer: Host not found.")) << w.displayText();
    EXPECT_EQ(peer.received, "");
}

TEST(PacketSpotfrmSettings, SpotLastAndTheListChoiceOfTheSendBox) {
    Spotting s;
    s.logging();
    PacketSpotfrm& w = s.open();
    s.choose(w, 2);
    EXPECT_EQ(w.Label6->text(), QStringLiteral("Type text to send and press enter:"));
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_EQ(w.txtSent->text(), QStringLiteral("DX Frequency in kHz W5CC"));
    EXPECT_EQ(w.txtSent->selectedText(), QStringLiteral("Frequency in kHz"));
}

TEST(PacketSpotfrmAgw, EveryFrameThatArrivedIsHandledInOneTickAndAConnectionShowsInTheCaption) {
    Spotting s;
    Session& session = *s.f.ts;
    auto& tcp = s.f.ts.fakes.tcp;
    auto& engine = tcp.peer("127.0.0.1", 8000);
    PacketSpotfrm& w = OpenRegisteredOnAgw(s, engine);
    ASSERT_TRUE(w.timerRunning()) << w.displayText();

    auto monitored = [&](const std::string& spot) {
        return frame('T', "K1TTT", "DX", " 1:Fm K1TTT To DX <UI pid=F0 Len=74 >[12:00:00]\r" + spot + "\r");
    };
    // Two spots and a connect notice in one chunk, all handled by the next tick.
    engine.send(monitored(kSpot1.substr(0, kSpot1.size() - 2)) + monitored(kSpot2.substr(0, kSpot2.size() - 2)) +
                frame('C', "N0CALL", "W4XYZ", "*** CONNECTED With Station N0CALL\r"));
    tcp.deliver();
    s.f.ts.fakes.scheduler.advance(333);
    EXPECT_TRUE(Stored(session, "JA1ABC"));
    EXPECT_TRUE(Stored(session, "VP8/G3ABC"));
    EXPECT_EQ(w.ConnectedStation(), "N0CALL");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("DX Spotting Setup - Connected to N0CALL"));
    EXPECT_FALSE(Shows(w, "Fm K1TTT")) << w.displayText();

    // Close Port disconnects the station first.
    engine.received.clear();
    w.Command2_Click();
    tcp.deliver();
    bool disconnected = false;
    for (const auto& f : FramesAt(engine))
        if (f.kind == 'd' && f.callTo == "N0CALL") disconnected = true;
    EXPECT_TRUE(disconnected);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("DX Spotting Setup"));
    EXPECT_EQ(w.ConnectedStation(), "");
}

TEST(PacketSpotfrmSettings, EachSourceEnablesItsControlsAndConvertToHexStaysShownButDisabled) {
    struct Case {
        int row;
        const char* source;
        bool send, display, tncHex, serial, telnet;
    };
    const Case cases[] = {
        {0, "None", false, false, false, false, false},
        {1, "TNC", true, true, true, true, false},
        {2, "Telnet", true, true, false, false, true},
        {3, "AGW Packet Engine", true, true, false, false, false},
    };
    Spotting s;
    PacketSpotfrm& w = s.open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        s.choose(w, c.row);
        ASSERT_EQ(w.SpotSource(), c.source);
        for (QWidget* control : std::initializer_list<QWidget*>{w.txtSent, w.Label6, w.Command1, w.Command2})
            EXPECT_EQ(control->isEnabled(), c.send) << fromQ(control->objectName());
        for (QWidget* control : std::initializer_list<QWidget*>{w.Frame2, w.OptList, w.OptBand, w.chkDX})
            EXPECT_EQ(control->isEnabled(), c.display) << fromQ(control->objectName());
        EXPECT_EQ(w.txtHex->isEnabled(), c.tncHex);
        for (QWidget* control : std::initializer_list<QWidget*>{w.fraPort, w.fraBaud, w.fraParity, w.fraData,
                                                                w.fraStop, w.fraPower, w.Frame1})
            EXPECT_EQ(control->isEnabled(), c.serial) << fromQ(control->objectName());
        EXPECT_EQ(w.txtTelnetHost->isEnabled(), c.telnet);
        EXPECT_EQ(w.txtTelnetPort->isEnabled(), c.telnet);
        for (QWidget* control : std::initializer_list<QWidget*>{w.List1, w.cmdDone, w.Command3, w.txtUnProcessed})
            EXPECT_TRUE(control->isEnabled()) << fromQ(control->objectName());
        // "Convert to Hex" is there to be seen, and never to be used.
        EXPECT_TRUE(w.chkConvToHex->isVisible());
        EXPECT_FALSE(w.chkConvToHex->isEnabled());
    }
}

TEST(PacketSpotfrmSettings, DoneOpensAClosedSourceAndLeavesAnOpenOne) {
    for (const bool openFirst : {false, true}) {
        SCOPED_TRACE(openFirst ? "open" : "closed");
        Spotting s;
        s.logging();
        auto& peer = s.f.ts.fakes.tcp.peer("dxc.example.net", 7300);
        PacketSpotfrm& w = s.open();
        s.choose(w, 2);  // choosing a source closes it
        w.txtTelnetHost->setText(QStringLiteral("dxc.example.net"));
        w.txtTelnetPort->setText(QStringLiteral("7300"));
        if (openFirst) QTest::mouseClick(w.Command1, Qt::LeftButton);
        s.f.ts.fakes.tcp.deliver();
        EXPECT_EQ(w.listening(), openFirst);
        QTest::mouseClick(w.cmdDone, Qt::LeftButton);
        s.f.ts.fakes.tcp.deliver();
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(w.listening());
        EXPECT_TRUE(peer.connected());
        EXPECT_EQ(peer.connects, 1);
    }
}

TEST(PacketSpotfrmTnc, TheCommandModeKeyIsEscOrCtrlCWithCtrlAlone) {
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* hex;
        std::string sent;
    };
    const Case cases[] = {
        {"Esc", Qt::Key_Escape, Qt::NoModifier, "03", "\x03"},
        {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "03", "\x03"},
        {"Esc with 1B", Qt::Key_Escape, Qt::NoModifier, "1B", "\x1B"},
        {"Ctrl+Shift+C", Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, "03", ""},
        {"Ctrl+Alt+C", Qt::Key_C, Qt::ControlModifier | Qt::AltModifier, "03", ""},
        {"Esc with a character that is not hex", Qt::Key_Escape, Qt::NoModifier, "zz", ""},
    };
    Spotting s;
    PacketSpotfrm& w = s.open();
    s.choose(w, 1);
    QTest::mouseClick(w.optComm[2], Qt::LeftButton);
    w.Command1_Click();
    auto& port = s.f.ts.fakes.serial.device(3);
    ASSERT_TRUE(port.open) << w.displayText();
    for (const Case& c : cases) {
        w.txtHex->setText(QString::fromLatin1(c.hex));
        w.txtSent->setFocus();
        port.written.clear();
        QTest::keyClick(w.txtSent, c.key, c.modifiers);
        EXPECT_EQ(port.written, c.sent) << c.what;
        EXPECT_TRUE(w.listening()) << c.what;
    }
}

TEST(PacketSpotfrmAgw, ASpaceTypedPastSeventyCharactersSendsTheLineToTheConnectedStation) {
    struct Case {
        size_t typed;  // characters before the space
        bool sent;
    };
    for (const Case c : {Case{69, false}, Case{70, true}}) {
        SCOPED_TRACE(c.typed);
        Spotting s;
        auto& tcp = s.f.ts.fakes.tcp;
        auto& engine = tcp.peer("127.0.0.1", 8000);
        PacketSpotfrm& w = OpenConnectedToN0call(s, engine);
        ASSERT_EQ(w.ConnectedStation(), "N0CALL");

        std::string typed;
        for (size_t i = 0; i < c.typed; ++i) typed += static_cast<char>('a' + i % 26);
        w.txtSent->setFocus();
        QTest::keyClicks(w.txtSent, QString::fromLatin1(typed.c_str()));
        engine.received.clear();
        QTest::keyClick(w.txtSent, Qt::Key_Space);
        tcp.deliver();
        std::vector<std::string> data;
        for (const auto& f : FramesAt(engine))
            if (f.kind == 'D' && f.callTo == "N0CALL") data.push_back(f.data);
        if (c.sent) {
            EXPECT_EQ(data, std::vector<std::string>{typed + "\r"});
            EXPECT_EQ(fromQ(w.txtSent->text()), "");
        } else {
            EXPECT_TRUE(data.empty());
            EXPECT_EQ(fromQ(w.txtSent->text()), typed + " ");
        }
    }
}

TEST(PacketSpotfrmAgw, UnloadingTheWindowDisconnectsTheConnectedStationBeforeTheLinkEnds) {
    Spotting s;
    auto& tcp = s.f.ts.fakes.tcp;
    auto& engine = tcp.peer("127.0.0.1", 8000);
    PacketSpotfrm& w = OpenConnectedToN0call(s, engine);
    ASSERT_EQ(w.ConnectedStation(), "N0CALL");

    engine.received.clear();
    ToolWindows::instance().unloadAll();  // as the logging window does when it closes
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    tcp.deliver();
    std::vector<std::string> sent;
    for (const auto& f : FramesAt(engine)) sent.push_back(std::string(1, f.kind) + " " + f.callTo);
    // The station is told, then the call is given back.
    EXPECT_EQ(sent, (std::vector<std::string>{"d N0CALL", "x "}));
    EXPECT_FALSE(engine.connected());
}

TEST(PacketSpotfrmTimer, WithoutSpotsTheBandMapIsRecolouredByAgeEveryTwoMinutes) {
    Spotting s;
    auto& lw = s.logging();
    auto& peer = s.f.ts.fakes.tcp.peer("dxc.example.net", 7300);
    PacketSpotfrm& w = s.open();
    s.choose(w, 2);
    w.txtTelnetHost->setText(QStringLiteral("dxc.example.net"));
    w.txtTelnetPort->setText(QStringLiteral("7300"));
    w.cmdDone_Click();  // opens the cluster and lays out the band map
    s.f.ts.fakes.tcp.deliver();
    ASSERT_TRUE(lw.lblDX->isVisible());
    peer.send(kSpot1);
    s.f.ts.fakes.tcp.deliver();
    auto colour = [&] {
        for (QLabel* l : lw.lblDXSpot)
            if (l->isVisible() && fromQ(l->text()) == "JA1") return l->palette().color(QPalette::WindowText);
        return QColor();
    };
    ASSERT_EQ(colour(), QColor(255, 255, 128));  // pale yellow: under ten minutes old
    // The redraws come every 361 ticks of 333 ms; the fifth, at 601 s, finds the spot ten
    // minutes old and draws it white.
    s.f.ts.fakes.scheduler.advance(599 * 1000);
    EXPECT_EQ(colour(), QColor(255, 255, 128));
    s.f.ts.fakes.scheduler.advance(3 * 1000);
    EXPECT_EQ(colour(), QColor(255, 255, 255));
}

// The setup window on a cluster, then on the TNC page, and the logging window with the spots,
// as an operator sees them. With PALMETAR_SCREENSHOTS naming a folder each is also saved there;
// PALMETAR_SCREENSHOT_PAUSE (ms) holds each picture on the screen.
TEST(SpottingPictures, SetupWindowOnAClusterThenOnTheTncPageAndTheBandMap) {
    auto picture = [](QWidget& window, const char* name) {
        const char* folder = std::getenv("PALMETAR_SCREENSHOTS");
        if (!folder) return;
        EXPECT_TRUE(window.grab().save(QStringLiteral("%1/%2.png").arg(QString::fromLocal8Bit(folder), name)));
        if (const char* ms = std::getenv("PALMETAR_SCREENSHOT_PAUSE")) QTest::qWait(std::atoi(ms));
    };
    // The cluster negotiates (IAC DO TERMINAL-TYPE, IAC WILL ECHO) before its greeting.
    FakeCluster cluster("\xff\xfd\x18\xff\xfb\x01Welcome to the test cluster\r\nlogin: ");
    RealSpotting real;
    auto& s = real.s;
    PacketSpotfrm& w = s.open();
    s.choose(w, 2);
    w.txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
    w.txtTelnetPort->setText(QString::number(cluster.port()));
    w.Command1_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(w, "Welcome"); }, 10000));
    cluster.send("\r\nHello W4XYZ, this is the test cluster\r\n" + kSpot1 + kSpot2 + kSpot3 + "W4XYZ de TEST >");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(*s.f.ts, "ZS6ABC"); }, 10000));
    // A 10 GHz spot right after the node's prompt.
    cluster.send("DX de K1TTT:  10368100.0  W1AW/B       FN31 beacon                    1500Z\r\nW4XYZ de TEST >");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored(*s.f.ts, "W1AW/B"); }, 10000));
    w.txtSent->setText(QStringLiteral("SH/DX"));
    QApplication::processEvents();
    // On the cluster: the spots and, last, the prompt still waiting for its line end.
    const std::string shown = fromQ(w.txtUnProcessed->toPlainText());
    EXPECT_NE(shown.find("Hello W4XYZ, this is the test cluster\n" + kSpot1.substr(0, kSpot1.size() - 2)),
              std::string::npos)
        << shown;
    EXPECT_NE(shown.find("\nDX de K1TTT:  10368100.0  W1AW/B"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 15), "W4XYZ de TEST >");
    EXPECT_TRUE(w.Label4->isVisible());
    EXPECT_EQ(w.Label6->text(), QStringLiteral("Type text to send and press enter:"));
    EXPECT_TRUE(w.txtTelnetHost->isEnabled());
    EXPECT_FALSE(w.fraBaud->isEnabled());
    picture(w, "packetspotfrm-telnet");

    // The TNC page: the cluster closed, its help in the display, its settings to choose.
    s.choose(w, 1);
    QApplication::processEvents();
    EXPECT_FALSE(w.listening());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !cluster.hasClient(); }, 10000));
    EXPECT_EQ(fromQ(w.txtUnProcessed->toPlainText()).rfind("To use a Packet TNC", 0), 0u);
    EXPECT_EQ(w.Label6->text(), QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
    EXPECT_TRUE(w.fraBaud->isEnabled());
    EXPECT_TRUE(w.optBaud[3]->isChecked());
    EXPECT_FALSE(w.txtTelnetHost->isEnabled());
    picture(w, "packetspotfrm-tnc");

    // Back to the cluster: Done opens it and the band map shows its spots.
    s.choose(w, 2);
    w.cmdDone_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return cluster.hasClient() && w.listening(); }, 10000));
    cluster.send(kSpot1 + kSpot2 + kSpot3);
    auto& lw = s.logging();
    auto captions = [&] {
        std::set<std::string> out;
        for (QLabel* l : lw.lblDXSpot)
            if (l->isVisible()) out.insert(fromQ(l->text()));
        return out;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return captions() == std::set<std::string>{"JA1", "VP8", "ZS6"}; }, 10000));
    EXPECT_TRUE(lw.lblDX->isVisible());
    EXPECT_FALSE(w.isVisible());
    picture(lw, "logging-with-spots");
}

TEST(PacketSpotfrmTnc, HandshakeAndConnectionPowerAsTheButtonsChooseThem) {
    struct Case {
        const char* what;
        int baud, parity, data, stop, power, handshake;  // button indexes; -1 keeps the TNC defaults
        platform::SerialSettings settings;
        platform::Handshake expectHandshake;
        bool dtr, rts;
    };
    using H = platform::Handshake;
    using P = platform::Parity;
    const Case cases[] = {
        {"the TNC defaults", -1, -1, -1, -1, -1, -1, {9600, P::None, 8, 1}, H::RtsCts, false, false},
        {"DTR power, no handshaking", -1, -1, -1, -1, 2, 0, {9600, P::None, 8, 1}, H::None, true, false},
        {"RTS power, Xon Xoff", -1, -1, -1, -1, 1, 1, {9600, P::None, 8, 1}, H::XonXoff, false, true},
        {"RTS OnOff at 19.2k, E, 7, 2", 5, 2, 0, 1, 0, 3, {19200, P::Even, 7, 2}, H::RtsCtsXonXoff, false, false},
    };
    for (const Case& c : cases) {
        Spotting s;
        PacketSpotfrm& w = s.open();
        s.choose(w, 1);
        auto click = [](auto& group, int index) {
            if (index >= 0) QTest::mouseClick(group[static_cast<size_t>(index)], Qt::LeftButton);
        };
        click(w.optComm, 2);
        click(w.optBaud, c.baud);
        click(w.optParity, c.parity);
        click(w.optData, c.data);
        click(w.optStop, c.stop);
        click(w.optPower, c.power);
        click(w.optHandshake, c.handshake);
        w.Command1_Click();
        auto& port = s.f.ts.fakes.serial.device(3);
        ASSERT_TRUE(port.open) << c.what;
        EXPECT_TRUE(w.listening()) << c.what;
        EXPECT_EQ(port.settings, c.settings) << c.what;
        EXPECT_EQ(port.handshake, c.expectHandshake) << c.what;
        EXPECT_EQ(port.dtr, c.dtr) << c.what;
        EXPECT_EQ(port.rts, c.rts) << c.what;
        // A changed setting closes the port; the next opening takes it.
        QTest::mouseClick(w.optPower[0], Qt::LeftButton);
        EXPECT_FALSE(port.open) << c.what;
        EXPECT_FALSE(w.listening()) << c.what;
    }
}
