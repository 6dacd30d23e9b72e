#pragma once
#include <string>

namespace station {

// Where the program's files live. Files named without a folder are in ProgramFolder.
struct Folders {
    std::string ProgramFolder;  // the current folder at start
    std::string UserFolder;     // <documents>/Tervak Software/Florida
    std::string SharedFolder;   // <documents>/Tervak Software/Shared
    std::string BackupFolder() const { return UserFolder + "/BACKUP"; }
};

}  // namespace station
