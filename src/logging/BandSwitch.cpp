#include "logging/BandSwitch.h"

#include <cstdio>

#include "logging/LoggingState.h"
#include "logging/Text.h"

namespace logging {

const std::vector<BandRange>& BandRangeTable() {
    // The HF, VHF and UHF rows widen the band edges by 0.0001 MHz so that a reading on the edge
    // itself is inside. The 3 cm row carries its own text, so a microwave reading never selects
    // the 10 m logging band.
    static const std::vector<BandRange> table = {
        {"160", 1.7999f, 2.0001f},       {"80", 3.4999f, 4.0001f},         {"40", 6.9999f, 7.3001f},
        {"20", 13.9999f, 14.3501f},      {"15", 20.9999f, 21.4501f},       {"10", 27.9999f, 29.7001f},
        {"6", 49.9999f, 54.0001f},       {"2", 143.9999f, 148.0001f},      {"1.25", 218.9999f, 225.0001f},
        {"440", 419.9999f, 450.0001f},   {"902", 901.9999f, 928.0001f},    {"1.24", 1239.9999f, 1300.0001f},
        {"2.3", 2300.0f, 2450.0f},       {"3.3", 3300.0f, 3500.0f},        {"5.6", 5650.0f, 5925.0f},
        {"10G", 10000.0f, 10500.0f},     {"30", 10.0999f, 10.1501f},       {"17", 18.0679f, 18.1681f},
        {"12", 24.8899f, 24.9901f},
    };
    return table;
}

std::string BandForFrequency(double mhz) {
    const float reading = static_cast<float>(mhz);
    std::string band;
    for (const auto& row : BandRangeTable()) {
        if (row.lower < reading && reading < row.upper) band = row.band;
    }
    return band;
}

std::string BandSwitchFor(double mhz, const std::string& currentBand) {
    const std::string band = BandForFrequency(mhz);
    if (band.empty() || SameText(band, currentBand)) return {};
    if (band == "40" || band == "20" || band == "15" || band == "10") return band;
    return {};
}

std::optional<std::string> PendingFrequencyFor(double mhz) {
    if (!(mhz > 0.0) || BandForFrequency(mhz).empty()) return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", mhz);
    return std::string(text);
}

void KeepRigReading(LoggingState& state, double mhz) {
    if (auto text = PendingFrequencyFor(mhz)) {
        state.PendingFrequency = *text;
        state.PendingFrequencyBand = BandForFrequency(mhz);
    }
}

void ForgetRigReading(LoggingState& state) {
    state.PendingFrequency.clear();
    state.PendingFrequencyBand.clear();
}

std::string ModeSwitchFor(const std::string& rigMode, const std::string& currentMode) {
    if (rigMode.empty() || SameText(rigMode, currentMode)) return {};
    if (SameText(rigMode, "PH")) return "PH";
    if (SameText(rigMode, "CW")) return "CW";
    return {};
}

int ReportLength(const std::string& mode) { return SameText(mode, "PH") ? 2 : 3; }

}  // namespace logging
