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

// A county chosen as the current county (the county change dialog's Done). The line stays only
// when that county is its first entry, as its own Done hands it over; any other county means
// the rover has moved off the line, which then ends, so no contact is copied to counties the
// station no longer stands in.
void CurrentCountyChosen(std::vector<std::string>& line, const std::string& county);

// The table's spelling of a county name (ignoring case); empty when it is none.
std::string CountyTableSpelling(const std::string& county, const station::CountyTable& counties);

}  // namespace logtools
