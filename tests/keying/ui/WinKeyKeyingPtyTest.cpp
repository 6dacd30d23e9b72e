// The CW keyer with WinKey as its interface, against the keyer emulator on a socat
// pseudo-terminal with the program's timers: code practice keys whole groups, its Stop silences
// the keyer, and with no keyer on the port it ends with one message; the settings window's Test
// shows "Sending!" while F9 is handed over, a long F1 repeats whole, and the end of the run
// leaves the keyer silent.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "keying/ui/CWFrm.h"
#include "keying/ui/frmCodePractice.h"
#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtSerialLine.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/Text.h"
#include "support/PtyPair.h"
#include "support/TestSession.h"
#include "support/WinKeyEmulator.h"

using platform::qt::fromQ;
using platform::qt::toQ;

namespace {

// A WinKey keyer on COM4, chosen as the CW interface, keying at 99 WPM.
struct WinKeyOnAPty {
    fakes::PtyPair pty;
    fakes::FakeEnvironment portNames;
    platform::qt::QtClock clock;
    platform::qt::QtScheduler scheduler;
    platform::qt::QtSerialPorts serial{portNames};
    TestSession ts{TestSession::Devices{scheduler, serial, clock}};
    std::unique_ptr<fakes::WinKeyEmulator> keyer;

    // `bufferSize`: the keyer's buffer; it takes no more text once two-thirds of it are full.
    bool start(int bufferSize = 120) {
        if (!pty.ok()) return false;
        portNames.values["PALMETAR_COM4"] = pty.a;
        keyer = std::make_unique<fakes::WinKeyEmulator>(pty.b, fakes::WinKeyEmulator::Faults{}, bufferSize);
        if (!keyer->ok()) return false;
        ts->winKey.settings.WinKeyPort = 4;
        ts->winKey.settings.txtWKWPM = "99";
        ts->keyers.SetCWInterface(5);
        return true;
    }
    keying::CwKeyer& cw() { return ts->keyers.cw; }
};

TEST(WinKeyCodePractice, AWholeGroupIsKeyedAndStopSilencesTheKeyer) {
    WinKeyOnAPty p;
    ASSERT_TRUE(p.start());
    frmCodePractice w(*p.ts);
    w.show();
    w.Text1->setPlainText("PARIS ");
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.keyer->keyed() == "PARIS "; }, 10000)) << p.keyer->keyed();
    EXPECT_FALSE(w.sending());
    EXPECT_EQ(fromQ(w.Text2->toPlainText()), "PARIS ");

    // Stop while the keyer still holds most of a longer text: nothing is left to key. The
    // text handed over before Stop reaches the keyer before its clear buffer, so once the clear
    // is in, the keyer holds nothing and sends nothing, however late it came on a busy machine.
    w.Text1->setPlainText("TEST TEST TEST TEST ");
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return p.keyer->keyed().size() > 6 && !p.keyer->queued().empty(); }, 10000));
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_FALSE(w.sending());
    EXPECT_TRUE(p.ts->keyers.keyer.CWBuffer.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.keyer->clears() == 1; }, 5000));
    EXPECT_EQ(p.keyer->queued(), "");
    EXPECT_FALSE(p.keyer->busy());  // the character being sent is cut off too
}

// No keyer on the chosen port: the first character's opening fails with its message, and the
// practice ends there instead of opening again for every character with a message each time.
TEST(WinKeyCodePractice, NoKeyerOnThePortEndsTheSendingWithOneMessage) {
    WinKeyOnAPty p;
    p.portNames.values["PALMETAR_COM4"] = "/nonexistent/tty";
    p.ts->winKey.settings.WinKeyPort = 4;
    p.ts->keyers.SetCWInterface(5);
    frmCodePractice w(*p.ts);
    w.show();
    std::string text;
    while (text.size() < 60) text += "PARIS ";
    w.Text1->setPlainText(toQ(text));
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.sending(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.ts->winKey.draining(); }, 10000));
    const auto& messages = p.ts.fakes.dialogs.messages;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Unable to establish connection with Winkey.");
    EXPECT_TRUE(p.ts->keyers.keyer.CWBuffer.empty());
    EXPECT_EQ(fromQ(w.Text2->toPlainText()), "P");  // handed over before the failure was known
}

TEST(WinKeyTestButton, SendingShowsUntilF9IsHandedOver) {
    WinKeyOnAPty p;
    ASSERT_TRUE(p.start());
    p.cw().settings().messages[8] = "VVV DE W4XYZ";
    CWFrm w(*p.ts);
    w.show();
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_TRUE(w.Label23->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.Label23->isVisible(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.keyer->received().find("VVV DE W4XYZ") != std::string::npos; }, 5000));
}

TEST(WinKeyF1Repeat, ALongMessageReachesTheKeyerWholeEachTime) {
    WinKeyOnAPty p;
    // Room for ten characters at a time: handing the message over takes longer than the repeat.
    ASSERT_TRUE(p.start(15));
    const std::string message = "TEST TEST TEST TEST ";
    p.cw().settings().messages[0] = message;
    p.cw().SetRepeatSeconds("0.5");
    p.cw().FKeyCW(112);
    // What the keyer was handed: a status report that comes late on a busy machine lets the
    // host fill the keyer's small buffer past its end, which says nothing of the repeat.
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.keyer->handed().size() >= 2 * message.size(); }, 20000))
        << p.keyer->handed();
    EXPECT_EQ(p.keyer->handed().substr(0, 2 * message.size()), message + message);
}

TEST(WinKeyEndOfRun, TheKeyersBufferIsClearedBeforeItIsLetGo) {
    WinKeyOnAPty p;
    ASSERT_TRUE(p.start());
    p.cw().settings().messages[1] = "CQ CQ CQ DE W4XYZ W4XYZ K";
    p.cw().FKeyCW(113);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.keyer->keyed().empty(); }, 10000));
    p.ts->keyers.EndRun();
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.keyer->hostCloses() == 1; }, 5000));
    const std::string received = p.keyer->received();
    const auto clear = received.rfind('\x0A');
    ASSERT_NE(clear, std::string::npos);
    EXPECT_LT(clear, received.rfind(std::string("\0\3", 2)));
    // Nothing left to send on its own: its buffer is empty and no character is being sent.
    EXPECT_EQ(p.keyer->queued(), "");
    EXPECT_FALSE(p.keyer->busy());
}

}  // namespace
