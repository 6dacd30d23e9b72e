// The program folder's lock against real processes: the running program holds it for its whole
// run, a second holder is refused, and the lock of a killed program is taken over.
#include <gtest/gtest.h>

#include <QLockFile>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <memory>

#include "platform/qt/QtFolderLock.h"
#include "station/ProgramFolderLock.h"
#include "support/TestSession.h"

namespace fs = std::filesystem;

namespace {
std::string lockPath(const TestSession& t) { return (t.root / "program" / station::kProgramLockName).string(); }

// The process id written in the lock file, 0 while there is none.
qint64 lockOwner(const std::string& path) {
    QLockFile probe(QString::fromStdString(path));
    qint64 pid = 0;
    QString host, app;
    return probe.getLockInfo(&pid, &host, &app) ? pid : 0;
}
}  // namespace

TEST(ProgramFolderLockQt, OneHolderAtATimeAndAReleasedLockIsFreeAgain) {
    TestSession t;
    auto first = std::make_unique<platform::qt::QtFolderLock>(lockPath(t));
    ASSERT_TRUE(first->tryLock());
    EXPECT_TRUE(first->tryLock());  // asking again keeps it
    platform::qt::QtFolderLock second(lockPath(t));
    EXPECT_FALSE(second.tryLock());
    first.reset();
    EXPECT_TRUE(second.tryLock());
}

TEST(ProgramFolderLockQt, TheRunningProgramHoldsItsFolderAndACrashedRunIsTakenOver) {
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
    const std::string path = lockPath(t);
    EXPECT_TRUE(QTest::qWaitFor([&] { return lockOwner(path) == program.processId(); }, 20000));

    // While it runs, nobody else gets the folder.
    platform::qt::QtFolderLock other(path);
    EXPECT_FALSE(other.tryLock());
    EXPECT_EQ(program.state(), QProcess::Running);

    // Killed without a chance to clean up, as a crash: its lock file stays and is taken over.
    program.kill();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_TRUE(fs::exists(path));
    EXPECT_TRUE(other.tryLock());
    EXPECT_EQ(lockOwner(path), QCoreApplication::applicationPid());
}
