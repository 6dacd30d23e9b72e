#pragma once
// What the station's own code shares for a run: the platform services, the folders, the station
// profile, the contact log, the reference tables and the shared preferences. The run (Session)
// is a Station with the subsystems on top; station code takes this part alone, so nothing here
// depends on the rules, the devices or the windows above it.

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "station/ContactLog.h"
#include "station/Folders.h"
#include "station/StationProfile.h"
#include "station/Tables.h"
#include "station/XmlPrefs.h"

namespace station {

class Station {
public:
    Station(platform::Services& services, std::string programFolder);

    platform::Services& platform;
    Folders folders;
    StationProfile profile;
    ContactLog log;
    PrefixTable prefixes;
    StateCoordTable stateCoords;
    CountyTable counties;
    // Seconds of operating time counted while logged on (the clock display adds them up).
    double RunningSeconds = 0;
    // SharedUserPreferences.xml in memory.
    XmlPrefs xmlPrefs;
    // The version text written into export and submission headers.
    std::string ProgramVersion = "2.4";
    // Opens the in-state or out-of-state logging window (chosen from profile.OutOfState); set by
    // the program at start so setup can open it without knowing the window classes.
    std::function<void()> openLoggingWindow;
    // Reads the keyers' settings files as setup loads (a failure reported as setup reports its
    // own files); set by the run, which owns the keyers.
    std::function<void()> loadKeyerSettings;

    // The full path of a file named without a folder (a file of the program folder).
    std::string programFile(const std::string& name) const;
};

}  // namespace station
