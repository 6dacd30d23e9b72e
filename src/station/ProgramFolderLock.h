#pragma once
// The start's first step: the program folder belongs to one running copy of the logger.

#include <string>

#include "platform/FolderLock.h"
#include "platform/Platform.h"

namespace station {

// The name of the lock file in the program folder.
inline constexpr const char* kProgramLockName = "palmetar.lock";
inline constexpr const char* kAlreadyRunningTitle = "Palmetar is already running";
inline constexpr const char* kFolderUnusableTitle = "Palmetar cannot use this folder";

// The message of a second start on a folder in use.
std::string AlreadyRunningMessage(const std::string& programFolder);
// The message of a start on a folder whose lock cannot be taken, with the system's reason.
std::string FolderUnusableMessage(const std::string& programFolder, const std::string& reason);

// Whether the start may go on, and if not, what to tell the operator.
struct FolderHold {
    bool held = false;
    std::string title;
    std::string message;
};

// Takes the program folder's lock. Only another running copy holding it is reported as such; any
// other failure names the system's reason and the folder. When not held the caller shows the
// message and ends without touching any file.
FolderHold HoldProgramFolder(platform::FolderLock& lock, const std::string& programFolder);

}  // namespace station
