#pragma once
// The folder lock as a lock file with an advisory lock on it (flock). The kernel drops the lock
// when its holder ends, however it ends, so the file of a crashed run is simply taken over; and a
// failure to make the file carries the system's own reason, so a read-only folder is never taken
// for a second copy of the logger. The file holds the holder's process id, for the operator.

#include <string>

#include "platform/FolderLock.h"

namespace platform {

class PosixFolderLock : public FolderLock {
public:
    // lockPath: the full path of the lock file.
    explicit PosixFolderLock(std::string lockPath);
    // Releases the lock and removes the file.
    ~PosixFolderLock() override;
    PosixFolderLock(const PosixFolderLock&) = delete;
    PosixFolderLock& operator=(const PosixFolderLock&) = delete;

    FolderLockResult tryLock() override;

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace platform
