#include "logtools/RoverCountyLine.h"

#include <algorithm>

#include "logging/Text.h"

namespace logtools {

std::string CountyTableSpelling(const std::string& county, const station::CountyTable& counties) {
    for (const auto& row : counties.rows) {
        if (logging::SameText(row.Name, county)) return row.Name;
    }
    return {};
}

RoverAdd AddRoverCounty(std::vector<std::string>& line, const std::string& county, const station::CountyTable& counties) {
    const std::string name = CountyTableSpelling(county, counties);
    if (name.empty()) return RoverAdd::NotACounty;
    for (const auto& entry : line) {
        if (logging::SameText(entry, name)) return RoverAdd::AlreadyListed;
    }
    const std::string key = logging::UpperCase(name);
    auto pos = std::find_if(line.begin(), line.end(), [&](const std::string& e) { return logging::UpperCase(e) > key; });
    line.insert(pos, name);
    return RoverAdd::Added;
}

void CurrentCountyChosen(std::vector<std::string>& line, const std::string& county) {
    if (!line.empty() && !logging::SameText(line.front(), county)) line.clear();
}

void RemoveRoverCounty(std::vector<std::string>& line, int index) {
    if (index < 0 || index >= static_cast<int>(line.size())) return;
    line.erase(line.begin() + index);
}

}  // namespace logtools
