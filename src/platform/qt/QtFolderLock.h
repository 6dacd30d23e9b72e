#pragma once
// The folder lock as a lock file (QLockFile): the file holds the owner's process id and is kept
// open and locked while the program runs, so a file left by a crashed run is recognised as stale
// and taken over.

#include <QLockFile>
#include <string>

#include "platform/FolderLock.h"

namespace platform::qt {

class QtFolderLock : public FolderLock {
public:
    // lockPath: the full path of the lock file.
    explicit QtFolderLock(const std::string& lockPath);
    bool tryLock() override;

private:
    QLockFile file_;
};

}  // namespace platform::qt
