#include "station/ProgramFolderLock.h"

namespace station {

std::string AlreadyRunningMessage(const std::string& programFolder) {
    return "The logger is already running in this folder:\r\n\r\n" + platform::PathText(programFolder) +
           "\r\n\r\nTwo copies on one log would lose contacts. Use the copy that is open.";
}

bool HoldProgramFolder(platform::FolderLock& lock, platform::Dialogs& dialogs, const std::string& programFolder) {
    if (lock.tryLock()) return true;
    dialogs.messageBox(AlreadyRunningMessage(programFolder), platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                       kAlreadyRunningTitle);
    return false;
}

}  // namespace station
