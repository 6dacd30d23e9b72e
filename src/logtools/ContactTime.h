#pragma once
// Reading a contact's stored date and time: the date as yyyy/mm/dd, the time as hh:mm:ss or,
// for contacts typed after the contest, hh:mm. Nothing else is accepted, so what is stored can
// always be read back by every tool (the submission file slices the time by position).

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/Clock.h"
#include "station/ContactRecord.h"

namespace logtools {

std::optional<platform::DateTime> ParseQsoDate(std::string_view text);
// hour, minute and second of the day; nullopt unless hh:mm or hh:mm:ss with valid values.
std::optional<platform::DateTime> ParseQsoTime(std::string_view text);
// The contact's UTC moment in seconds since 1970, nullopt when its date or time cannot be read.
std::optional<int64_t> ContactSeconds(const station::ContactRecord& record);

}  // namespace logtools
