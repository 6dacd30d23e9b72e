#include "session/Session.h"

Session::Session(platform::Services& services, std::string programFolder) : platform(services) {
    folders.ProgramFolder = std::move(programFolder);
}

std::string Session::programFile(const std::string& name) const {
    return platform::resolveInFolder(platform.files, folders.ProgramFolder, name);
}
