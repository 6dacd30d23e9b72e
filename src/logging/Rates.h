#pragma once
// Contact rates and the operating-time clock. UTC is local time plus HoursOffset x 60 minutes
// (rounded to whole minutes) everywhere, the "Logged Off at " message included.

#include <optional>
#include <string>

#include "logging/LoggingState.h"
#include "platform/Clock.h"
#include "station/ContactLog.h"
#include "station/StationProfile.h"

namespace logging {

platform::DateTime UtcFromLocal(const platform::DateTime& local, double hoursOffset);

// Contacts of the last 60 minutes and three times those of the last 20. The scan runs from the
// newest record back and stops at the first one an hour old or older; a future time counts.
struct QsoRates {
    int last60 = 0;
    int last20x3 = 0;
};
// nullopt when a record's date or time cannot be read: the labels keep what they show.
std::optional<QsoRates> ShowQsoRate(const station::ContactLog& log, const platform::DateTime& localNow,
                                    double hoursOffset);

// "hh:mm:ss" of operating seconds; hours of 100 and more keep their last two digits.
std::string OperatingTimeText(double seconds);

// The once-a-second texts: local time "h:nn:ss" with its "AM"/"PM", and UTC "hh:nn:ss".
struct ClockTexts {
    std::string localTime;
    std::string amPm;
    std::string utcTime;
};
ClockTexts ClockTick(const platform::DateTime& localNow, double hoursOffset);

// While the clock runs: |stored seconds + whole seconds since Time On|.
double RunningSecondsAt(double operatingSeconds, const platform::DateTime& logOnTime,
                        const platform::DateTime& localNow);

inline constexpr const char* kTimeOnCaption = "&Log \"Time On\"";
inline constexpr const char* kTimeOffCaption = "&Log \"Time Off\"";

// Starts the clock. The window then shows kTimeOffCaption and " " in the status line.
void TimeOn(ClockState& clock, const platform::DateTime& localNow);
// Stops the clock and keeps the running seconds of the last tick in the profile (the caller
// saves it); returns the status text "Logged Off at " + UTC short date + " " + "hh:mm:ss".
std::string TimeOff(ClockState& clock, station::StationProfile& profile, double runningSeconds,
                    const platform::DateTime& localNow);

}  // namespace logging
