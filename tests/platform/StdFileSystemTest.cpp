// The real file system's writes as the log store relies on them.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/StdFileSystem.h"
#include "support/TestSession.h"

namespace fs = std::filesystem;

namespace {
// Lets the process write files only up to `bytes` long while it lives (a disk that fills up).
struct FileSizeLimit {
    rlimit saved{};
    void (*savedHandler)(int);
    explicit FileSizeLimit(rlim_t bytes) {
        savedHandler = std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
    }
};
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
