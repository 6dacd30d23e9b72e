#include "window/BandLabels.h"

#include "logging/Text.h"

namespace window {

using logging::SameText;

std::string NextBandOnLabelClick(const std::string& currentBand) {
    if (SameText(currentBand, "40")) return "20";
    if (SameText(currentBand, "20")) return "15";
    if (SameText(currentBand, "15")) return "10";
    return "40";
}

std::string NextModeOnLabelClick(const std::string& currentMode) {
    return SameText(currentMode, "CW") ? "PH" : "CW";
}

const std::vector<std::string>& MenuBands() {
    static const std::vector<std::string> bands = {"160", "80", "40", "20", "15", "10", "6"};
    return bands;
}

}  // namespace window
