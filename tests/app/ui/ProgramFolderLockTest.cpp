// The program folder's lock against real processes: the running program holds it for its whole
// run, a second holder is refused, the lock of a killed program is taken over, and a folder the
// lock cannot be made in is reported with the system's reason, never as a second copy.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "platform/PosixFolderLock.h"
#include "station/ProgramFolderLock.h"
#include "support/TestSession.h"

namespace fs = std::filesystem;

namespace {
std::string lockPath(const TestSession& t) { return (t.root / "program" / station::kProgramLockName).string(); }

// The process id written in the lock file, 0 while there is none.
qint64 lockOwner(const std::string& path) {
    const std::string text = readFileBytes(path);
    return text.empty() ? 0 : std::atoll(text.c_str());
}

// Every path under a folder, to see that a start touched nothing.
std::set<std::string> tree(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(folder)) names.insert(e.path().string());
    return names;
}

// A device of this test's own where nothing fits, as /dev/full (the same device numbers): every
// write fails with ENOSPC. A lock on /dev/full itself would be one for the whole machine, so two
// runs of the suite at once would each find the other "already running". Empty when made,
// otherwise why it cannot be made here.
std::string makeFullDevice(const std::string& path) {
    if (::mknod(path.c_str(), S_IFCHR | 0644, makedev(1, 7)) != 0) return std::string("mknod: ") + std::strerror(errno);
    std::string why;
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);  // refused on a nodev file system
    if (fd < 0) why = std::string("open: ") + std::strerror(errno);
    else if (::write(fd, "1\n", 2) >= 0 || errno != ENOSPC) why = "the device node takes data";
    if (fd >= 0) ::close(fd);
    if (!why.empty()) ::unlink(path.c_str());
    return why;
}

struct Program {
    QProcess process;
    explicit Program(const TestSession& t) {
        process.setProgram(QStringLiteral(PALMETAR_BINARY));
        process.setWorkingDirectory(QString::fromStdString((t.root / "program").string()));
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("USERPROFILE"), QString::fromStdString((t.root / "profile").string()));
        process.setProcessEnvironment(env);
    }
    ~Program() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
};
}  // namespace

TEST(ProgramFolderLockQt, OneHolderAtATimeAndAReleasedLockIsFreeAgain) {
    using Status = platform::FolderLockResult::Status;
    TestSession t;
    auto first = std::make_unique<platform::PosixFolderLock>(lockPath(t));
    ASSERT_EQ(first->tryLock().status, Status::Held);
    EXPECT_EQ(first->tryLock().status, Status::Held);  // asking again keeps it
    EXPECT_EQ(lockOwner(lockPath(t)), QCoreApplication::applicationPid());
    platform::PosixFolderLock second(lockPath(t));
    EXPECT_EQ(second.tryLock().status, Status::InUse);
    first.reset();
    EXPECT_FALSE(fs::exists(lockPath(t)));
    EXPECT_EQ(second.tryLock().status, Status::Held);
}

TEST(ProgramFolderLockQt, TheRunningProgramHoldsItsFolderAndACrashedRunIsTakenOver) {
    using Status = platform::FolderLockResult::Status;
    TestSession t;
    fs::create_directories(t.root / "profile");
    Program program(t);
    program.process.start();
    ASSERT_TRUE(program.process.waitForStarted(10000));
    const std::string path = lockPath(t);
    EXPECT_TRUE(QTest::qWaitFor([&] { return lockOwner(path) == program.process.processId(); }, 20000));

    // While it runs, nobody else gets the folder.
    platform::PosixFolderLock other(path);
    EXPECT_EQ(other.tryLock().status, Status::InUse);
    EXPECT_EQ(program.process.state(), QProcess::Running);

    // Killed without a chance to clean up, as a crash: its lock file stays and is taken over.
    program.process.kill();
    ASSERT_TRUE(program.process.waitForFinished(10000));
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(other.tryLock().status, Status::Held);
    EXPECT_EQ(lockOwner(path), QCoreApplication::applicationPid());
}

// The tests run as root, where permissions refuse nothing: the lock's place is taken by a folder,
// or by a device that is always full.
TEST(ProgramFolderLockQt, AStartThatCannotMakeItsLockSaysWhyAndTouchesNothing) {
    std::string notHere;  // why a case cannot be set up on this machine
    struct Case {
        const char* what;
        std::function<void(const TestSession&, std::unique_ptr<platform::PosixFolderLock>&)> arrange;
        const char* expected;  // in what the program says
        const char* never;     // not in what it says
    };
    const Case cases[] = {
        {"a folder named like the lock", [](const TestSession& t, auto&) { fs::create_directory(lockPath(t)); },
         "Is a directory", "already running"},
        {"a lock that is a full device",
         [&notHere](const TestSession& t, auto&) { notHere = makeFullDevice(lockPath(t)); }, "No space left on device",
         "already running"},
        {"a copy of the logger holding the folder",
         [](const TestSession& t, auto& holder) {
             holder = std::make_unique<platform::PosixFolderLock>(lockPath(t));
             ASSERT_EQ(holder->tryLock().status, platform::FolderLockResult::Status::Held);
         },
         "already running in this folder", "cannot"},
    };
    std::string skipped;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestSession t;
        fs::create_directories(t.root / "profile");
        std::unique_ptr<platform::PosixFolderLock> holder;
        notHere.clear();
        c.arrange(t, holder);
        if (!notHere.empty()) {
            skipped += std::string(c.what) + " (" + notHere + ") ";
            continue;
        }
        const auto before = tree(t.root);

        Program program(t);
        program.process.start();
        ASSERT_TRUE(program.process.waitForStarted(10000));
        // The message goes to the terminal as well as into the box, which waits for its OK.
        QString said;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                said += QString::fromLocal8Bit(program.process.readAllStandardError());
                return said.contains(QStringLiteral("Start the logger")) || said.contains(QStringLiteral("Use the copy"));
            },
            20000))
            << said.toStdString();
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.expected))) << said.toStdString();
        EXPECT_FALSE(said.contains(QString::fromUtf8(c.never))) << said.toStdString();
        EXPECT_TRUE(said.contains(QString::fromStdString((t.root / "program").string()))) << said.toStdString();

        program.process.kill();
        ASSERT_TRUE(program.process.waitForFinished(10000));
        EXPECT_EQ(tree(t.root), before);  // no log, no profile, no user folders, no lock file
    }
    if (!skipped.empty()) GTEST_SKIP() << "not on this machine: " << skipped;
}

// A truly read-only program folder: a read-only bind mount of it in a mount namespace of the
// program's own (root may write anywhere else). Skipped where the machine allows no namespace.
TEST(ProgramFolderLockQt, AReadOnlyFolderIsReportedWithItsReasonNotAsASecondCopy) {
    if (QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("-m"), QStringLiteral("true")}) != 0)
        GTEST_SKIP() << "no mount namespace here (unshare -m)";
    TestSession t;
    fs::create_directories(t.root / "profile");
    const QString folder = QString::fromStdString((t.root / "program").string());
    Program program(t);
    program.process.setProgram(QStringLiteral("unshare"));
    program.process.setArguments({QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"),
                                  QStringLiteral("mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" && cd \"$1\" && "
                                                 "exec \"$2\""),
                                  QStringLiteral("sh"), folder, QStringLiteral(PALMETAR_BINARY)});
    const auto before = tree(t.root);
    program.process.start();
    ASSERT_TRUE(program.process.waitForStarted(10000));
    QString said;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            said += QString::fromLocal8Bit(program.process.readAllStandardError());
            return said.contains(QStringLiteral("Start the logger")) || said.contains(QStringLiteral("Use the copy")) ||
                   program.process.state() == QProcess::NotRunning;
        },
        20000))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("Read-only file system"))) << said.toStdString();
    EXPECT_TRUE(said.contains(folder)) << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("already running"))) << said.toStdString();
    program.process.kill();
    ASSERT_TRUE(program.process.waitForFinished(10000));
    EXPECT_EQ(tree(t.root), before);
}
