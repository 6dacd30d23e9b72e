#include <gtest/gtest.h>

#include <filesystem>

#include "station/LogStore.h"
#include "support/TestSession.h"
#include "window/LogArchive.h"

using namespace window;
namespace fs = std::filesystem;

namespace {
const std::string kGoodLog = "\"N2AA\",\"599\",\"599\",\"NY\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"2026/04/25\","
                             "\"16:00:00\",\"CW\",\"40\",0,\"\",\"\",\"\"\r\n";
const std::string kOtherLog = "\"K1ABC\",\"599\",\"599\",\"MA\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"2026/04/24\","
                              "\"17:00:00\",\"CW\",\"20\",0,\"\",\"\",\"\"\r\n";

std::vector<std::string> backups(TestSession& ts) {
    if (!fs::exists(ts->folders.BackupFolder())) return {};
    return ts.fakes.files.list(ts->folders.BackupFolder());
}
}  // namespace

TEST(LogArchive, TheProposedNameUsesTheCallStemAndTheLocalDate) {
    struct Case {
        const char* call;
        const char* stem;
    };
    for (const Case c : {Case{"W4XYZ", "W4XYZ"}, Case{"W4XYZ/M", "W4XYZ"}, Case{"", "YourCall"}, Case{"n0call", "YourCall"}}) {
        TestSession ts;
        ts->profile.StationCall = c.call;
        ts.fakes.clock.local = {2026, 4, 25, 23, 30, 0, 0};  // already the 26th in UTC
        EXPECT_EQ(ProposedArchiveName(*ts), ts->folders.BackupFolder() + "/" + c.stem + "2026-04-25.log") << c.call;
    }
}

TEST(LogArchive, ArchiveCopiesTheLogAndReportsAFailedCopyButNotACancel) {
    TestSession ts;
    ts->profile.StationCall = "W4XYZ/M";
    ts.writeProgramFile("log.txt", kGoodLog);
    const std::string target = (ts.root / "archive.log").string();
    ts.fakes.dialogs.fileAnswers = {target};
    mnuArchive_Click(*ts);
    EXPECT_EQ(readFileBytes(target), kGoodLog);
    ASSERT_EQ(ts.fakes.dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(ts.fakes.dialogs.fileRequests[0].overwritePrompt);
    EXPECT_EQ(ts.fakes.dialogs.fileRequests[0].filter, "Log Files (*.log)|*.log");
    EXPECT_EQ(ts.fakes.dialogs.messages.size(), 1u);  // the information box only
    EXPECT_EQ(ts.fakes.dialogs.messages[0].title, "Archive Information");

    ts.fakes.dialogs.messages.clear();
    ts.fakes.dialogs.fileAnswers = {std::nullopt};  // Cancel
    mnuArchive_Click(*ts);
    EXPECT_EQ(ts.fakes.dialogs.messages.size(), 1u);

    ts.fakes.dialogs.messages.clear();
    ts.fakes.files.failCopy = true;
    ts.fakes.dialogs.fileAnswers = {target};
    mnuArchive_Click(*ts);
    ASSERT_EQ(ts.fakes.dialogs.messages.size(), 2u);
    EXPECT_EQ(ts.fakes.dialogs.messages[1].title, "Error Archiving Log");
}

TEST(LogArchive, RestoreBacksUpTheCurrentLogThenReplacesItAndReloads) {
    TestSession ts;
    ts.writeProgramFile("log.txt", kGoodLog);
    station::LoadLog(*ts);
    const std::string archive = (ts.root / "old.log").string();
    writeFileBytes(archive, kOtherLog);
    ts.fakes.dialogs.fileAnswers = {archive};
    int refreshes = 0;
    EXPECT_TRUE(mnuRestore_Click(*ts, [&] { ++refreshes; }));
    EXPECT_EQ(ts.readProgramFile("log.txt"), kOtherLog);
    EXPECT_EQ(refreshes, 1);
    ASSERT_EQ(ts.fakes.dialogs.messages.size(), 3u);
    EXPECT_EQ(ts.fakes.dialogs.messages[1].title, "Are your sure?");
    // Said once it is done, with the size of the log now in use.
    EXPECT_EQ(ts.fakes.dialogs.messages[2].title, "Log Restored");
    EXPECT_EQ(ts.fakes.dialogs.messages[2].prompt,
              "The log was restored from:\r\n\r\n" + archive + "\r\n\r\nlog.txt now holds 1 contact.");
    const auto copies = backups(ts);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(readFileBytes(fs::path(ts->folders.BackupFolder()) / copies[0]), kGoodLog);
    EXPECT_TRUE(ts->log.ChangedSinceLoad);
}

TEST(LogArchive, ABrokenFileIsRefusedAndTheWorkingLogStaysAsItWas) {
    TestSession ts;
    ts.writeProgramFile("log.txt", kGoodLog);
    station::LoadLog(*ts);
    const std::string broken = (ts.root / "broken.log").string();
    writeFileBytes(broken, "\"N2AA\",\"599\",\"59");  // a record cut short
    ts.fakes.dialogs.fileAnswers = {broken};
    int refreshes = 0;
    EXPECT_FALSE(mnuRestore_Click(*ts, [&] { ++refreshes; }));
    EXPECT_EQ(ts.readProgramFile("log.txt"), kGoodLog);
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(ts.fakes.dialogs.messages.back().title, "Error Restoring Log");
    EXPECT_TRUE(backups(ts).empty());

    ts.fakes.dialogs.fileAnswers = {(ts.root / "missing.log").string()};
    EXPECT_FALSE(mnuRestore_Click(*ts, [&] { ++refreshes; }));
    EXPECT_EQ(ts.fakes.dialogs.messages.back().title, "Error Restoring Log");
    EXPECT_EQ(ts.readProgramFile("log.txt"), kGoodLog);
}

TEST(LogArchive, RestoreAsksOnlyWhenContactsWouldBeReplacedAndNoChangesNothing) {
    {
        TestSession ts;  // no log at all: no question
        const std::string archive = (ts.root / "old.log").string();
        writeFileBytes(archive, kOtherLog);
        ts.fakes.dialogs.fileAnswers = {archive};
        EXPECT_TRUE(mnuRestore_Click(*ts, [] {}));
        ASSERT_EQ(ts.fakes.dialogs.messages.size(), 2u);  // the information, then "Log Restored"
        EXPECT_EQ(ts.fakes.dialogs.messages[1].title, "Log Restored");
        EXPECT_EQ(ts.readProgramFile("log.txt"), kOtherLog);
        EXPECT_TRUE(backups(ts).empty());
    }
    {
        TestSession ts;  // contacts in the file that the window did not load: still asked
        ts.writeProgramFile("log.txt", kGoodLog);
        ts.fakes.dialogs.messageAnswers = {platform::MsgResult::OK, platform::MsgResult::No};
        EXPECT_FALSE(mnuRestore_Click(*ts, [] {}));
        EXPECT_EQ(ts.fakes.dialogs.messages.size(), 2u);
        EXPECT_TRUE(ts.fakes.dialogs.fileRequests.empty());
        EXPECT_EQ(ts.readProgramFile("log.txt"), kGoodLog);
    }
    {
        TestSession ts;  // Cancel in the dialog is silent
        ts.writeProgramFile("log.txt", kGoodLog);
        ts.fakes.dialogs.fileAnswers = {std::nullopt};
        EXPECT_FALSE(mnuRestore_Click(*ts, [] {}));
        EXPECT_EQ(ts.fakes.dialogs.messages.size(), 2u);
        EXPECT_EQ(ts.readProgramFile("log.txt"), kGoodLog);
    }
}
