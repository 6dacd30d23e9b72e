#include "spots/SpotList.h"

#include <cstdio>

#include "logging/Text.h"
#include "spots/DxSpotLine.h"
#include "spots/SpotHistory.h"

namespace spots {

std::string FrequencyText(double mhz) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", mhz);
    return buf;
}

SpotListRow SpotListRowFor(std::string_view call, double mhz, std::string_view record, std::string_view country) {
    const size_t cr = record.find('\r');
    if (cr != std::string_view::npos) record = record.substr(0, cr);
    SpotListRow row;
    row[ColCall] = std::string(call);
    row[ColFrequency] = FrequencyText(mhz);
    row[ColQth] = std::string(country);
    row[ColComments] = logging::Trim(Columns(record, 1, 11)) + "  " + logging::Trim(Columns(record, 35, 25));
    row[ColPrefix] = logging::Trim(Columns(record, 62, 5));
    row[ColTime] = std::string(Columns(record, 68, 4));
    row[ColFrom] = logging::Trim(Columns(record, 73, 4));
    return row;
}

std::optional<double> RowFrequency(std::string_view cell) {
    const auto value = ParsePlainNumber(cell);
    if (!value || !(*value > 0.0)) return std::nullopt;
    return value;
}

}  // namespace spots
