#pragma once
// Dates and times as the log stores them: QsoDate "yyyy/mm/dd", QsoTime "hh:mm:ss" (or
// "hh:mm" for a contact typed after the contest). Parsing is strict and independent of the
// machine's locale: "yyyy/m/d" from the year 1900 on, and "h:mm" or "h:mm:ss" with hours 0-23, minutes and seconds 0-59.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace logging {

std::optional<platform::DateTime> ParseQsoDate(std::string_view date);
// A time of day on 1899-12-30 (only the hour, minute and second matter).
std::optional<platform::DateTime> ParseQsoTime(std::string_view time);
// Date and time together; nullopt when either does not parse.
std::optional<platform::DateTime> ParseQsoDateTime(std::string_view date, std::string_view time);

// "mm/dd" of a stored date, the stored text itself when it is no date.
std::string MonthDay(std::string_view date);
// "hh:nn" of a stored time, the stored text itself when it is no time.
std::string HourMinute(std::string_view time);

}  // namespace logging
