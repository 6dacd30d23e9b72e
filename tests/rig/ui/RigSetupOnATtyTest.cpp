// The rig setup dialog against a real tty: Qt's serial line and timers, a socat pseudo-terminal
// pair, and the rig emulator on the other end answering as a Kenwood.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtSerialLine.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/Text.h"
#include "rig/ui/RigControlfrm.h"
#include "support/EmulatorProcess.h"
#include "support/PtyPair.h"
#include "support/TestSession.h"

using namespace std::chrono_literals;
using platform::qt::fromQ;

namespace {

std::string text(const QLabel* l) { return fromQ(l->text()); }

}  // namespace

TEST(RigSetupOnATty, KenwoodPolledThroughAPseudoTerminal) {
    fakes::PtyPair pty;
    ASSERT_TRUE(pty.ok()) << "socat did not make a pty pair";
    fakes::EmulatorProcess rig({"--family", "kenwood", "--device", pty.b, "--freq", "7.025", "--mode", "CW"});
    ASSERT_TRUE(rig.ok());

    // The session's services, with Qt's timers, clock and serial ports; port 3 is the pty.
    TestSession ts;
    fakes::FakeEnvironment environment;
    environment.values["PALMETAR_COM3"] = pty.a;
    platform::qt::QtScheduler scheduler;
    platform::qt::QtSerialPorts ports(environment);
    platform::qt::QtClock clock;
    auto& f = ts.fakes;
    platform::Services services{f.dialogs, clock, environment, f.files, f.screen, f.clipboard, f.settings,
                                f.random,  f.exit, f.wave,      scheduler, ports,    f.keyLines,
                                f.keyingClock, f.phoneWave, f.tcp};
    Session session(services, (ts.root / "program").string());
    session.profile.RigType = "None";

    RigControlfrm w(session);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (int i = 0; i < w.List1->count(); ++i) {
        if (fromQ(w.List1->item(i)->text()) != "Kenwood") continue;
        w.List1->scrollToItem(w.List1->item(i));
        QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {}, w.List1->visualItemRect(w.List1->item(i)).center());
    }
    ASSERT_EQ(session.profile.RigType, "Kenwood");
    QTest::mouseClick(w.optComm[2], Qt::LeftButton);
    QTest::mouseClick(w.optPollFast, Qt::LeftButton);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(w.Label2->isVisible());
    EXPECT_EQ(text(w.Label2), "Polling Rig");

    EXPECT_TRUE(QTest::qWaitFor([&] { return text(w.lblFreq) == "7.02500"; }, 10000))
        << "frequency label: " << text(w.lblFreq);
    EXPECT_EQ(text(w.lblMode), "CW");
    EXPECT_NE(text(w.lblUnProcess).find("FA00007025000;"), std::string::npos);
    EXPECT_TRUE(w.Label2->isVisible());
    if (const char* dir = std::getenv("PALMETAR_SCREENSHOT_DIR"))
        w.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/rig-setup-polling.png"));

    // The rig is tuned through the same line, and the labels follow it.
    session.rig.ChangeFrequency(14.025);
    EXPECT_TRUE(QTest::qWaitFor([&] { return text(w.lblFreq) == "14.02500"; }, 10000))
        << "frequency label: " << text(w.lblFreq);
    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_EQ(rig.waitFor("set freq", 0ms), "set freq 14025000");

    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_FALSE(session.rig.PortOpen());
    EXPECT_TRUE(w.Label2->isHidden());
    EXPECT_EQ(text(w.lblFreq), "");
    // Nothing more is asked once the test has ended: the line falls quiet. What was on its way
    // before may still come in, late under load; a poll that went on (every 100 ms) never lets
    // the rig hear nothing for 300 ms.
    size_t asked = rig.lines().size();
    QElapsedTimer quiet;
    quiet.start();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            if (rig.lines().size() != asked) {
                asked = rig.lines().size();
                quiet.restart();
            }
            return quiet.elapsed() >= 300;
        },
        5000))
        << "still asked after the test ended: " << rig.lines().back();
}
