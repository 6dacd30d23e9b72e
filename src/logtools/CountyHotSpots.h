#pragma once
// The county map's hot-spots: one rectangle per county, in picture pixels of
// data/countymap.png, each lying inside its county's closed white area. The table and the
// picture are made together by tools/countymap/make_county_map.py.

#include <array>

namespace logtools {

inline constexpr int kCountyHotSpotCount = 67;
inline constexpr int kCountyMapWidth = 533;
inline constexpr int kCountyMapHeight = 449;

struct CountyHotSpot {
    const char* name;  // the county name shown as the tool tip
    int left, top, width, height;
    int centerX() const { return left + width / 2; }
    int centerY() const { return top + height / 2; }
};

// In the window's design order (Escambia first, Lee last).
const std::array<CountyHotSpot, kCountyHotSpotCount>& CountyHotSpots();

}  // namespace logtools
