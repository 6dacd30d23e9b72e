#pragma once
// A lock on a folder, held by one running program at a time. Two copies of the logger working on
// one program folder would each rewrite log.txt from their own memory and lose the other's
// contacts; the lock keeps the second copy out.

namespace platform {

class FolderLock {
public:
    virtual ~FolderLock() = default;
    // Takes the lock for the rest of the run. False while another running program holds it; a
    // lock left behind by a program that ended without releasing it (a crash) is taken over.
    virtual bool tryLock() = 0;
};

}  // namespace platform
