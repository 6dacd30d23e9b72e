#pragma once
// The band and mode rules a rig reading goes through: the frequency-to-band table, the band and
// mode a reading switches the logging to, the frequency kept for the next contact and the band
// it lies in, and the report length of each mode. Pure rules; the logging window applies the
// answers to its menus and labels, rig control asks whether a reading lies in any band.

#include <optional>
#include <string>
#include <vector>

namespace logging {

struct LoggingState;

// One row of the band table. The bounds are single-precision and both are exclusive.
struct BandRange {
    const char* band;
    float lower;
    float upper;
};
const std::vector<BandRange>& BandRangeTable();

// The band text of the row holding the reading, or "" when none does. The reading is compared
// with the single-precision bounds in single precision.
std::string BandForFrequency(double mhz);
// The logging band a rig reading switches to: "40", "20", "15" or "10" when the reading lies in
// that band and it differs from the current band; "" otherwise.
std::string BandSwitchFor(double mhz, const std::string& currentBand);
// The text kept as the next contact's frequency: the reading in MHz with three decimals. A
// reading of 0 or below (a rig that has not answered yet) and a reading in no band of the
// table (a rig that babbles, a receiver tuned between bands) are no frequency and give nothing.
std::optional<std::string> PendingFrequencyFor(double mhz);
// Keeps a rig reading for the next contact: its text and the band of the table it lies in, so
// a contact of another band stores no frequency. A reading that gives no frequency keeps what
// was kept before.
void KeepRigReading(LoggingState& state, double mhz);
// Nothing kept: the contact took it, or the rig it came from is no longer heard.
void ForgetRigReading(LoggingState& state);

// The mode a rig reading switches to: "PH" or "CW" when it differs from the current mode; ""
// for any other text (AM, FM, empty) or the mode already set.
std::string ModeSwitchFor(const std::string& rigMode, const std::string& currentMode);

// Length of the report fields: 2 for phone ("59"), 3 otherwise ("599").
int ReportLength(const std::string& mode);

}  // namespace logging
