// A shutdown, a kill or Ctrl+C ends the run as Exit does: the signal becomes a call on the
// program's thread, the rig gets its closing bytes and its port closes. In this process with a
// five-byte Yaesu on the fake port, and against the program itself.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/qt/QtEndSignals.h"
#include "support/TestSession.h"
#include "window/ui/OpenLoggingWindow.h"

namespace fs = std::filesystem;

namespace {
// Whether a process has a handler for the signal (its SigCgt mask in /proc).
bool catches(qint64 pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigCgt:", 0) != 0) continue;
        const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
        return (mask >> (signal - 1)) & 1U;
    }
    return false;
}
}  // namespace

TEST(EndSignals, EachEndsTheRunWithTheRadioUnlockedAndItsPortClosed) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        TestSession ts;
        ts->profile.RigType = "Yaesu";
        ts->rig.LoadRigSettings();
        ASSERT_EQ(ts->rig.Test(), rig::TestResult::Polling);
        ts->contest.clock.LoggedOn = true;
        ts->RunningSeconds = 900;
        auto& port = ts.fakes.serial.device(1);
        platform::qt::QtEndSignals watcher([&] { window::TerminateRun(*ts); });
        ASSERT_TRUE(watcher.installed());

        ASSERT_EQ(::raise(signal), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ts.fakes.exit.ended(); }, 5000)) << signal;
        ASSERT_GE(port.written.size(), 5u);
        EXPECT_EQ(port.written.substr(port.written.size() - 5), std::string("\0\0\0\0\x80", 5)) << signal;
        EXPECT_FALSE(port.open);
        EXPECT_FLOAT_EQ(ts->profile.OperatingSeconds, 900);
    }
}

TEST(EndSignals, TheProgramEndsInOrderOnSigterm) {
    TestSession t;
    fs::create_directories(t.root / "profile");
    QProcess program;
    program.setProgram(QStringLiteral(PALMETAR_BINARY));
    program.setWorkingDirectory(QString::fromStdString((t.root / "program").string()));
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("USERPROFILE"), QString::fromStdString((t.root / "profile").string()));
    program.setProcessEnvironment(env);
    program.start();
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return catches(program.processId(), SIGTERM); }, 20000));

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(10000));
    // Ended by its own exit, not killed by the signal.
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    // An orderly end lets go of the program folder and leaves no lock file behind.
    EXPECT_FALSE(fs::exists(t.root / "program" / "palmetar.lock"));
}
