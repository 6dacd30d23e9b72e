#pragma once
// The contact-rate graph as numbers: for each contact the contacts of the ten minutes up to it
// times six (QSOs per hour), placed on 1500 steps between the log's first and last record,
// bridged over short pauses, smoothed over seven steps, with the band of each stretch.
// The window only maps these numbers to pixels.

#include <array>
#include <string>
#include <vector>

#include "station/ContactLog.h"

namespace logtools {

inline constexpr int kRateSteps = 1500;
inline constexpr int kRateStepCapacity = 1600;  // bridging looks up to 15 steps past the end
inline constexpr int kRateBandCount = 7;         // 160, 80, 40, 20, 15, 10, Other
inline constexpr int kBackgroundBand = -1;

// The legend: captions and colours (0xRRGGBB) of the bands, "Other" last.
struct RateBandLegend {
    const char* caption;
    uint32_t rgb;
};
const std::array<RateBandLegend, kRateBandCount>& RateBands();
// 0..5 for "160" .. "10", 6 for any other band text.
int RateBandIndex(const std::string& band);

struct RateGraph {
    bool enoughContacts = false;  // more than six contacts
    bool hasTimeLabels = false;
    std::array<std::string, 15> timeLabels;  // "hh:mm", first to last
    std::array<std::string, 15> dateLabels;  // "MM/DD"
    bool hasCurve = false;  // false when the log spans no time or its end records cannot be read
    std::vector<double> placed;    // steps 0..kRateSteps: 6 x contacts in the ten minutes, as placed
    std::vector<double> smoothed;  // steps 0..kRateSteps: the plotted value; step 0 is always 0
    std::vector<int> stepBand;     // steps 0..kRateSteps: band index or kBackgroundBand
    double MinRate = 0, MaxRate = 0;
    std::array<std::string, 17> valueLabels;  // bottom (0) to top (16), "###0.0"
    int skippedContacts = 0;  // contacts whose time cannot be read or lies off the time axis

    // Height of a value above the plot's bottom as a fraction of the plot's height: MinRate sits
    // 0.25 % above the bottom and MaxRate 0.25 % below the top. A flat range sits at the bottom.
    double heightFraction(double value) const;
};

RateGraph BuildRateGraph(const station::ContactLog& log);

// "###0.0": at least one digit before the point, one after, no grouping.
std::string FormatRate(double value);

}  // namespace logtools
