#include "station/Station.h"

namespace station {

Station::Station(platform::Services& services, std::string programFolder) : platform(services) {
    folders.ProgramFolder = std::move(programFolder);
}

std::string Station::programFile(const std::string& name) const {
    return platform::resolveInFolder(platform.files, folders.ProgramFolder, name);
}

}  // namespace station
