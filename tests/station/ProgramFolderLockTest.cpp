// A second start on a program folder in use says so and goes no further; a folder whose lock
// cannot be made is reported with the system's reason, never as a second copy.
#include <gtest/gtest.h>

#include "station/ProgramFolderLock.h"

namespace {
struct ScriptedLock : platform::FolderLock {
    platform::FolderLockResult result;
    int tries = 0;
    platform::FolderLockResult tryLock() override {
        ++tries;
        return result;
    }
};
bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
}  // namespace

TEST(ProgramFolderLock, OnlyALiveHolderIsReportedAsASecondCopyAndAnyOtherFailureGivesItsReason) {
    using Status = platform::FolderLockResult::Status;
    const std::string folder = "/home/op/palmetar";
    {
        ScriptedLock lock;
        lock.result = {Status::Held, {}};
        const auto hold = station::HoldProgramFolder(lock, folder);
        EXPECT_TRUE(hold.held);
        EXPECT_TRUE(hold.message.empty());
        EXPECT_EQ(lock.tries, 1);
    }
    {
        ScriptedLock lock;
        lock.result = {Status::InUse, {}};
        const auto hold = station::HoldProgramFolder(lock, folder);
        EXPECT_FALSE(hold.held);
        EXPECT_EQ(hold.title, "Palmetar is already running");
        EXPECT_TRUE(has(hold.message, "already running in this folder")) << hold.message;
        EXPECT_TRUE(has(hold.message, folder)) << hold.message;
    }
    for (const char* reason : {"Read-only file system", "Permission denied", "No space left on device"}) {
        ScriptedLock lock;
        lock.result = {Status::Failed, reason};
        const auto hold = station::HoldProgramFolder(lock, folder);
        EXPECT_FALSE(hold.held) << reason;
        EXPECT_EQ(hold.title, "Palmetar cannot use this folder") << reason;
        EXPECT_FALSE(has(hold.message, "already running")) << hold.message;
        EXPECT_TRUE(has(hold.message, reason)) << hold.message;
        EXPECT_TRUE(has(hold.message, folder)) << hold.message;
    }
}
