#pragma once
// The rover's county line: the counties a rover on a county line logs each contact for. The
// list is kept in alphabetical order (letter case ignored); its first entry is the current
// county, the others are logged again after each contact.

#include <string>
#include <vector>

#include "station/Tables.h"

namespace logtools {

enum class RoverAdd { Added, NotACounty, AlreadyListed };

// Adds a county of the table, in the table's spelling, where the order puts it. A text that
// is no county, or a county already in the line, is refused.
RoverAdd AddRoverCounty(std::vector<std::string>& line, const std::string& county, const station::CountyTable& counties);

// Removes entry index (0-based); an index outside the list changes nothing.
void RemoveRoverCounty(std::vector<std::string>& line, int index);

// The table's spelling of a county name (ignoring case); empty when it is none.
std::string CountyTableSpelling(const std::string& county, const station::CountyTable& counties);

}  // namespace logtools
