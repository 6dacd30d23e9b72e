#include "platform/qt/QtFolderLock.h"

#include "platform/qt/Text.h"

namespace platform::qt {

QtFolderLock::QtFolderLock(const std::string& lockPath) : file_(pathToQ(lockPath)) {
    // Held for the whole run, however long: only a dead owner makes the lock stale, never its age.
    file_.setStaleLockTime(0);
}

bool QtFolderLock::tryLock() { return file_.isLocked() || file_.tryLock(0); }

}  // namespace platform::qt
