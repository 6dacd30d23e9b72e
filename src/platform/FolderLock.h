#pragma once
// A lock on a folder, held by one running program at a time. Two copies of the logger working on
// one program folder would each rewrite log.txt from their own memory and lose the other's
// contacts; the lock keeps the second copy out.

#include <string>

namespace platform {

struct FolderLockResult {
    enum class Status {
        Held,    // this program holds the folder now
        InUse,   // another running program holds it
        Failed,  // the lock cannot be taken at all (read-only folder, no permission, disk full ...)
    };
    Status status = Status::Failed;
    std::string reason;  // Failed: the system's reason, as it words it ("Read-only file system")
};

class FolderLock {
public:
    virtual ~FolderLock() = default;
    // Takes the lock for the rest of the run; asking again while it is held says Held. Only a
    // running program holding it gives InUse: a lock left behind by a program that ended without
    // releasing it (a crash) is taken over.
    virtual FolderLockResult tryLock() = 0;
};

}  // namespace platform
