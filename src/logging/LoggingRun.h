#pragma once
// The part of a run the logging rules read and update: the station's part (profile, log,
// tables, services) and the contest state of the logging windows. The run (Session) is one of
// these with the devices and windows on top, so the rules never depend on what sits above them.

#include <string>

#include "logging/LoggingState.h"
#include "station/Station.h"

namespace logging {

class LoggingRun : public station::Station {
public:
    using station::Station::Station;

    // Score, operating clock, entry flags and entry-line state of the logging window.
    LoggingState contest;
};

}  // namespace logging
