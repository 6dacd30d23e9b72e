#pragma once
// What the logging window's band and mode labels and its Band menu offer; the band rules a rig
// reading goes through are logging/BandSwitch.h.

#include <string>
#include <vector>

namespace window {

// The band a click on the band label selects: 40, 20, 15, 10 and round again; any other band
// (a stored 160, 80 or 6) enters the cycle at 40.
std::string NextBandOnLabelClick(const std::string& currentBand);
// CW goes to PH; PH and DG go to CW.
std::string NextModeOnLabelClick(const std::string& currentMode);

// The seven bands of the Band menu, in menu order.
const std::vector<std::string>& MenuBands();

}  // namespace window
