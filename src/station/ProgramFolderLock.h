#pragma once
// The start's first step: the program folder belongs to one running copy of the logger.

#include <string>

#include "platform/FolderLock.h"
#include "platform/Platform.h"

namespace station {

// The name of the lock file in the program folder.
inline constexpr const char* kProgramLockName = "palmetar.lock";
inline constexpr const char* kAlreadyRunningTitle = "Palmetar is already running";

// The message of a second start on a folder in use.
std::string AlreadyRunningMessage(const std::string& programFolder);

// Takes the program folder's lock. When another copy holds it, says so and returns false: the
// caller then ends without touching any file.
bool HoldProgramFolder(platform::FolderLock& lock, platform::Dialogs& dialogs, const std::string& programFolder);

}  // namespace station
