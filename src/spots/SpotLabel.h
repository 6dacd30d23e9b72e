#pragma once
// What the band map and the spectrum map share about a spot's label: its colour by age, its
// tool tip, the scale captions ("#.000") from which both maps read their range back, and the
// zoom of a band's scale to the spots inside it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "spots/SpotHistory.h"

namespace spots {

// Text colours, 0xBBGGRR.
constexpr uint32_t kSpotColourNew = 0x80FFFF;    // pale yellow: below 600 s
constexpr uint32_t kSpotColourMiddle = 0xFFFFFF;  // white: below 1800 s
constexpr uint32_t kSpotColourOld = 0xC0C0C0;    // light grey: below 3600 s
constexpr int64_t kSpotLifeSeconds = 3600;

// The colour of a spot of this age; nullopt from kSpotLifeSeconds on (not drawn).
std::optional<uint32_t> AgeColour(int64_t ageSeconds);

// A scale value with three decimals, halves to even, no digit before the point below 1
// (0.5 gives ".500", 0 gives ".000").
std::string ScaleCaption(double value);
// A caption read back as a number (".000" is 0; text that is no number is 0).
double CaptionValue(std::string_view caption);

// The five captions of a scale from lo to hi: lo + k/4 (hi - lo), in double precision.
std::array<std::string, 5> ScaleCaptions(float lo, float hi);

// Narrows a band's edges to the spots strictly inside them (slots 1 to 49; slot 0 does not
// count), with 1 kHz to spare at each end, when at least two different frequencies lie there.
void ZoomBandToSpots(float& hi, float& lo, const SpotHistory& history);

// "CALL  14.025  18:04:05": call, frequency, and the arrival time in UTC (local time plus
// hoursOffset hours).
std::string SpotToolTip(const SpotHistory& history, int slot, float hoursOffset);

// One spot label placed by a pass, in the window's twips.
struct SpotLabel {
    int index = 0;  // the slot, and so the label
    double left = 0, top = 0;
    std::string caption;
    std::string tip;
    uint32_t colour = kSpotColourNew;
};

}  // namespace spots
