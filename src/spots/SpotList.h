#pragma once
// The spot list `txtDX` of the logging window: newest row first, at most kSpotListRows rows,
// eight columns. This builds the texts of one row; the window inserts it at the top after
// taking the bottom row off a full list.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace spots {

constexpr int kSpotListRows = 200;

enum SpotListColumn { ColCall, ColFrequency, ColQth, ColStatus, ColComments, ColPrefix, ColTime, ColFrom };
using SpotListRow = std::array<std::string, 8>;

// A spot's MHz as the "Frequency" column writes it: a plain decimal number of at most 15
// significant digits without trailing zeros (14025 kHz gives "14.025").
std::string FrequencyText(double mhz);

// One row. The record is cut at its first CR; country is LookupCountry of the call.
SpotListRow SpotListRowFor(std::string_view call, double mhz, std::string_view record, std::string_view country);

// The "Frequency" cell of a row read back for tuning; nullopt when it is not a number. Read in
// double precision: single precision is about 1 kHz coarse at 10 GHz (10368.1 would tune the
// radio to 10368.099609).
std::optional<double> RowFrequency(std::string_view cell);

}  // namespace spots
