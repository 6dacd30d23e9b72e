#include "spots/SpotLabel.h"

#include <cstdio>
#include <cstdlib>

namespace spots {

std::optional<uint32_t> AgeColour(int64_t age) {
    if (age < 600) return kSpotColourNew;
    if (age < 1800) return kSpotColourMiddle;
    if (age < kSpotLifeSeconds) return kSpotColourOld;
    return std::nullopt;
}

std::string ScaleCaption(double value) {
    // printf rounds the exact binary value, halves to even: the rounding the captions show.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", value);
    std::string s = buf;
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    return s;
}

double CaptionValue(std::string_view caption) {
    const std::string copy(caption);
    char* end = nullptr;
    const double v = std::strtod(copy.c_str(), &end);
    return end == copy.c_str() ? 0.0 : v;
}

std::array<std::string, 5> ScaleCaptions(float lo, float hi) {
    std::array<std::string, 5> out;
    for (int k = 0; k < 5; ++k) {
        const double value = (static_cast<double>(hi) - lo) * 0.25 * k + lo;
        out[static_cast<size_t>(k)] = ScaleCaption(value);
    }
    return out;
}

void ZoomBandToSpots(float& hi, float& lo, const SpotHistory& history) {
    float lowMark = hi, highMark = lo;
    for (int slot = 1; slot < SpotHistory::kSlots; ++slot) {
        const float f = history.SpotFreqs[static_cast<size_t>(slot)];
        if (lo < f && f < hi) {
            if (f < lowMark) lowMark = f;
            if (f > highMark) highMark = f;
        }
    }
    if (highMark > lowMark) {
        hi = static_cast<float>(static_cast<double>(highMark) + 0.001);
        lo = static_cast<float>(static_cast<double>(lowMark) - 0.001);
    }
}

std::string SpotToolTip(const SpotHistory& h, int slot, float hoursOffset) {
    const auto i = static_cast<size_t>(slot);
    const platform::DateTime utc = h.SpotTimes[i].local.addMinutes(static_cast<double>(hoursOffset) * 60.0);
    return h.SpotCalls[i] + "  " + ScaleCaption(h.SpotFreqs[i]) + "  " + utc.format("hh:nn:ss");
}

}  // namespace spots
