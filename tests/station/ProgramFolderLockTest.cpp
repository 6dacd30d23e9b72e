// A second start on a program folder in use says so and goes no further.
#include <gtest/gtest.h>

#include "station/ProgramFolderLock.h"
#include "support/Fakes.h"

namespace {
struct ScriptedLock : platform::FolderLock {
    bool free = true;
    int tries = 0;
    bool tryLock() override {
        ++tries;
        return free;
    }
};
}  // namespace

TEST(ProgramFolderLock, ASecondStartIsToldTheLoggerRunsThereAndStops) {
    for (bool free : {true, false}) {
        fakes::FakeDialogs dialogs;
        ScriptedLock lock;
        lock.free = free;
        EXPECT_EQ(station::HoldProgramFolder(lock, dialogs, "/home/op/palmetar"), free);
        EXPECT_EQ(lock.tries, 1);
        if (free) {
            EXPECT_TRUE(dialogs.messages.empty());
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, "Palmetar is already running");
        EXPECT_NE(dialogs.messages[0].prompt.find("already running in this folder"), std::string::npos);
        EXPECT_NE(dialogs.messages[0].prompt.find("/home/op/palmetar"), std::string::npos);
        EXPECT_EQ(dialogs.messages[0].buttons, platform::MsgButtons::OK);
    }
}
