#include "platform/PosixFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace platform {

namespace {
FolderLockResult failed(int error) {
    return {FolderLockResult::Status::Failed, std::system_category().message(error)};
}
}  // namespace

PosixFolderLock::PosixFolderLock(std::string lockPath) : path_(std::move(lockPath)) {}

PosixFolderLock::~PosixFolderLock() {
    if (fd_ < 0) return;
    // Removed while still locked: a program that opened the old file meanwhile finds, once it
    // has the lock, that the name no longer leads to it, and starts over (see tryLock).
    ::unlink(path_.c_str());
    ::close(fd_);
}

FolderLockResult PosixFolderLock::tryLock() {
    if (fd_ >= 0) return {FolderLockResult::Status::Held, {}};
    // A few rounds at most: another round is needed only when the file was removed or replaced
    // between our open and our lock (its holder ending just then).
    for (int round = 0; round < 5; ++round) {
        bool created = true;
        int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST) {
            created = false;
            fd = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
            if (fd < 0 && errno == ENOENT) continue;  // removed just now by its ending holder
        }
        if (fd < 0) return failed(errno);
        // What this start made is taken away again when the folder cannot be used after all.
        auto giveUp = [&](int error) {
            ::close(fd);
            if (created) ::unlink(path_.c_str());
            return failed(error);
        };
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EWOULDBLOCK) {
                ::close(fd);
                return {FolderLockResult::Status::InUse, {}};
            }
            return giveUp(error);
        }
        struct stat held {}, named {};
        if (::fstat(fd, &held) != 0) return giveUp(errno);
        if (::stat(path_.c_str(), &named) != 0 || named.st_dev != held.st_dev || named.st_ino != held.st_ino) {
            ::close(fd);  // locked a file its holder had just removed: the name leads elsewhere now
            continue;
        }
        const std::string pid = std::to_string(::getpid()) + "\n";
        const ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
        if (written != static_cast<ssize_t>(pid.size())) return giveUp(written < 0 ? errno : ENOSPC);
        (void)::ftruncate(fd, static_cast<off_t>(pid.size()));  // the id is for reading only
        fd_ = fd;
        return {FolderLockResult::Status::Held, {}};
    }
    return failed(EAGAIN);
}

}  // namespace platform
