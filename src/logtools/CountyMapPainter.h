#pragma once
// Painting the worked counties on the county map: each worked county's closed area is filled
// from its hot-spot's centre in a random colour.

#include <cstdint>
#include <string>
#include <vector>

#include "logtools/RgbImage.h"

namespace platform {
class Random;
}

namespace logtools {

struct CountyPaint {
    int hotSpot;   // index into CountyHotSpots()
    uint32_t rgb;  // 0xRRGGBB, each channel 0..253
};

// The hot-spot whose name equals the county name ignoring letter case, searching all of them;
// -1 when none does.
int FindCountyHotSpot(const std::string& county);

// One paint per worked county that has a hot-spot, in list order; names without a hot-spot
// paint nothing. The generator is seeded once for the whole list, so counties painted in the
// same instant still get different colours.
std::vector<CountyPaint> PlanWorkedCounties(const std::vector<std::string>& worked, platform::Random& random);

// Applies a plan to the map picture; returns the number of counties filled.
int PaintCounties(RgbImage& map, const std::vector<CountyPaint>& plan);

}  // namespace logtools
