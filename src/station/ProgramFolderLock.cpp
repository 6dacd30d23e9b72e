#include "station/ProgramFolderLock.h"

namespace station {

std::string AlreadyRunningMessage(const std::string& programFolder) {
    return "The logger is already running in this folder:\r\n\r\n" + platform::PathText(programFolder) +
           "\r\n\r\nTwo copies on one log would lose contacts. Use the copy that is open.";
}

std::string FolderUnusableMessage(const std::string& programFolder, const std::string& reason) {
    return "The logger cannot work in this folder:\r\n\r\n" + platform::PathText(programFolder) +
           "\r\n\r\nIts lock file " + std::string(kProgramLockName) + " cannot be made there: " +
           platform::PathText(reason) + ".\r\n\r\nNothing was changed. Start the logger in a folder it can write to.";
}

FolderHold HoldProgramFolder(platform::FolderLock& lock, const std::string& programFolder) {
    const platform::FolderLockResult result = lock.tryLock();
    switch (result.status) {
        case platform::FolderLockResult::Status::Held: return {true, {}, {}};
        case platform::FolderLockResult::Status::InUse:
            return {false, kAlreadyRunningTitle, AlreadyRunningMessage(programFolder)};
        case platform::FolderLockResult::Status::Failed: break;
    }
    return {false, kFolderUnusableTitle, FolderUnusableMessage(programFolder, result.reason)};
}

}  // namespace station
