// The real file system's writes as the log store relies on them.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/StdFileSystem.h"
#include "support/DiskFull.h"
#include "support/TestSession.h"

namespace fs = std::filesystem;

namespace {
// Records each folder sync with what the synced entry held at that moment.
class RecordingFileSystem : public platform::StdFileSystem {
public:
    std::vector<std::string> synced;
    std::string watched;     // a file whose contents are noted at each sync
    std::vector<std::string> watchedAtSync;

protected:
    void syncFolder(const std::string& folder) override {
        synced.push_back(folder);
        watchedAtSync.push_back(watched.empty() ? std::string() : readFileBytes(watched));
        StdFileSystem::syncFolder(folder);
    }
};

fs::path freshFolder(const char* name) {
    const fs::path folder = fs::temp_directory_path() / (std::string(name) + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}
}  // namespace

TEST(StdFileSystem, AnAppendThatFailsPartWayLeavesTheFileAsItWas) {
    const fs::path folder = fs::temp_directory_path() / ("palmetar-fs-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string path = (folder / "log.txt").string();
    platform::StdFileSystem files;
    const std::string first = "\"K1ABC\",\"599\"\r\n";
    ASSERT_TRUE(files.append(path, first));
    {
        FileSizeLimit limit(first.size() + 5);  // room for 5 bytes of the next line only
        EXPECT_FALSE(files.append(path, "\"W1AW\",\"599\"\r\n"));
    }
    EXPECT_EQ(readFileBytes(path), first);
    EXPECT_TRUE(files.append(path, "\"N4XX\",\"59\"\r\n"));  // the next line starts on a line of its own
    EXPECT_EQ(readFileBytes(path), first + "\"N4XX\",\"59\"\r\n");
    fs::remove_all(folder);
}

TEST(StdFileSystem, AReadOnlyFileIsNeitherReplacedNorAppendedToAndARewriteKeepsPermissions) {
    const fs::path folder = fs::temp_directory_path() / ("palmetar-ro-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    platform::StdFileSystem files;
    const std::string locked = (folder / "QSOpref.txt").string();
    writeFileBytes(locked, "\"K1ABC\"\r\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(files.writeAtomic(locked, "\"W1AW\"\r\n"));
    EXPECT_FALSE(files.append(locked, "\"W1AW\"\r\n"));
    EXPECT_EQ(readFileBytes(locked), "\"K1ABC\"\r\n");
    EXPECT_FALSE(fs::exists(locked + ".tmp"));

    const std::string own = (folder / "log.txt").string();
    writeFileBytes(own, "old\r\n");
    fs::permissions(own, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(files.writeAtomic(own, "new\r\n"));
    EXPECT_EQ(readFileBytes(own), "new\r\n");
    EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::remove_all(folder);
}

TEST(StdFileSystem, PathsReadInMessagesAsTheOperatorNamedTheFolders) {
    struct Case {
        const char* path;
        const char* text;
    } cases[] = {
        {"/home/k1abc/palmetar", "/home/k1abc/palmetar"},
        {"/home/jos\xc3\xa9/Documents", "/home/jos\xe9/Documents"},   // é
        {"/srv/\xe2\x82\xac/log", "/srv/\x80/log"},                   // the euro sign has a byte
        {"/home/\xe6\x97\xa5\xe6\x9c\xac", "/home/??"},                // characters the code page lacks
        {"/home/jos\xe9", "/home/jos\xe9"},                            // not UTF-8: kept as it is
        {"/home/x\xc3", "/home/x\xc3"},                                // cut short at the end
    };
    for (const auto& c : cases) EXPECT_EQ(platform::PathText(c.path), c.text) << c.path;
}

TEST(StdFileSystem, AnAppendPastAFileSizeLimitFailsAndIsReportedInsteadOfEndingTheProgram) {
    // The program's start makes the limit's signal harmless; without that the kernel ends the
    // process part-way through the line and the next start refuses the cut log.
    const fs::path folder = freshFolder("palmetar-fsize-");
    const std::string path = (folder / "log.txt").string();
    const std::string first = "\"K1ABC\",\"599\"\r\n";
    writeFileBytes(path, first);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::IgnoreFileSizeSignal();
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = first.size() + 5;
        setrlimit(RLIMIT_FSIZE, &limit);
        platform::StdFileSystem files;
        const bool appended = files.append(path, "\"W1AW\",\"599\"\r\n");
        _exit(appended ? 2 : readFileBytes(path) == first ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);  // 2: reported as written; 3: the file was left cut
    fs::remove_all(folder);
}

TEST(StdFileSystem, ACopyThatRunsOutOfDiskLeavesNoFileUnderEitherName) {
    const fs::path folder = freshFolder("palmetar-copy-");
    const std::string from = (folder / "log.txt").string(), to = (folder / "202604251607.log").string();
    writeFileBytes(from, std::string(4000, 'x'));
    platform::StdFileSystem files;
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(files.copy(from, to, false));
    }
    EXPECT_FALSE(fs::exists(to));
    EXPECT_FALSE(fs::exists(to + ".tmp"));
    ASSERT_TRUE(files.copy(from, to, false));
    EXPECT_EQ(readFileBytes(to), std::string(4000, 'x'));
    EXPECT_FALSE(files.copy(from, to, false));  // an existing copy is not replaced unless asked
    writeFileBytes(from, "new");
    EXPECT_TRUE(files.copy(from, to, true));
    EXPECT_EQ(readFileBytes(to), "new");
    fs::remove_all(folder);
}

TEST(StdFileSystem, ALinkedLogStaysALinkAndItsTargetIsReplaced) {
    const fs::path folder = freshFolder("palmetar-link-");
    fs::create_directories(folder / "synced");
    fs::create_directories(folder / "program");
    writeFileBytes(folder / "synced/log.txt", "old\r\n");
    fs::create_symlink("../synced/log.txt", folder / "program/log.txt");
    platform::StdFileSystem files;
    const std::string link = (folder / "program/log.txt").string();
    ASSERT_TRUE(files.writeAtomic(link, "new\r\n"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFileBytes(folder / "synced/log.txt"), "new\r\n");
    ASSERT_TRUE(files.append(link, "more\r\n"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFileBytes(folder / "synced/log.txt"), "new\r\nmore\r\n");
    for (const char* dir : {"synced", "program"})
        for (const auto& e : fs::directory_iterator(folder / dir)) EXPECT_EQ(e.path().extension(), ".txt") << e.path();
    fs::remove_all(folder);
}

TEST(StdFileSystem, TheFolderIsSyncedAfterEachRenameAndAfterTheAppendThatCreatesTheFile) {
    const fs::path folder = freshFolder("palmetar-sync-");
    const std::string log = (folder / "log.txt").string();
    RecordingFileSystem files;
    files.watched = log;
    ASSERT_TRUE(files.append(log, "one\r\n"));  // creates log.txt
    ASSERT_TRUE(files.append(log, "two\r\n"));  // adds to it: nothing new in the folder
    ASSERT_TRUE(files.writeAtomic(log, "three\r\n"));
    EXPECT_EQ(files.synced, (std::vector<std::string>{folder.string(), folder.string()}));
    // Each sync came after the change it makes lasting.
    EXPECT_EQ(files.watchedAtSync, (std::vector<std::string>{"one\r\n", "three\r\n"}));

    fs::create_directories(folder / "BACKUP");
    ASSERT_TRUE(files.copy(log, (folder / "BACKUP/202604251607.log").string(), false));
    ASSERT_EQ(files.synced.size(), 3u);
    EXPECT_EQ(files.synced[2], (folder / "BACKUP").string());
    fs::remove_all(folder);
}

TEST(StdFileSystem, AFileThatCannotBeReadGivesTheSystemsReason) {
    // Both hold as root too: no permission is involved.
    const fs::path folder = freshFolder("palmetar-read-");
    writeFileBytes(folder / "log.txt", "\"K1ABC\"\r\n");
    struct Case {
        fs::path path;
        const char* why;
    } cases[] = {
        {folder / "log.txt" / "child", "Not a directory"},  // refused as it opens
        {folder, "Is a directory"},                         // opens, and its read fails
    };
    platform::StdFileSystem files;
    for (const auto& c : cases) {
        std::string why;
        EXPECT_EQ(files.readFile(c.path.string(), why), std::nullopt) << c.path;
        EXPECT_EQ(why, c.why) << c.path;
    }
    fs::remove_all(folder);
}
