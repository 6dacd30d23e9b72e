#pragma once
// Band and mode decisions of the logging windows: the frequency-to-band table the rig readings
// go through, the label click cycles and the report length of each mode. Pure functions; the
// windows apply the answers to their menus and labels.

#include <optional>
#include <string>
#include <vector>

namespace window {

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

// The mode a rig reading switches to: "PH" or "CW" when it differs from the current mode; ""
// for any other text (AM, FM, empty) or the mode already set.
std::string ModeSwitchFor(const std::string& rigMode, const std::string& currentMode);

// The band a click on the band label selects: 40, 20, 15, 10 and round again; any other band
// (a stored 160, 80 or 6) enters the cycle at 40.
std::string NextBandOnLabelClick(const std::string& currentBand);
// CW goes to PH; PH and DG go to CW.
std::string NextModeOnLabelClick(const std::string& currentMode);
// Length of the report fields: 2 for phone ("59"), 3 otherwise ("599").
int ReportLength(const std::string& mode);

// The seven bands of the Band menu, in menu order.
const std::vector<std::string>& MenuBands();
// True when a and b are equal ignoring ASCII letter case.
bool SameText(const std::string& a, const std::string& b);
std::string UpperCase(std::string text);

}  // namespace window
