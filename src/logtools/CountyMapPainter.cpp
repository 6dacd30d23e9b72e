#include "logtools/CountyMapPainter.h"

#include "logging/Text.h"
#include "logtools/CountyHotSpots.h"
#include "platform/Platform.h"

namespace logtools {

int FindCountyHotSpot(const std::string& county) {
    const auto& spots = CountyHotSpots();
    for (int j = 0; j < kCountyHotSpotCount; ++j) {
        if (logging::SameText(spots[static_cast<size_t>(j)].name, county)) return j;
    }
    return -1;
}

std::vector<CountyPaint> PlanWorkedCounties(const std::vector<std::string>& worked, platform::Random& random) {
    std::vector<CountyPaint> plan;
    random.seed();
    auto channel = [&random] {
        int v = static_cast<int>(random.next() * 254);
        return static_cast<uint32_t>(v < 0 ? 0 : (v > 253 ? 253 : v));
    };
    for (const auto& county : worked) {
        const int j = FindCountyHotSpot(county);
        if (j < 0) continue;
        const uint32_t r = channel(), g = channel(), b = channel();
        plan.push_back({j, (r << 16) | (g << 8) | b});
    }
    return plan;
}

int PaintCounties(RgbImage& map, const std::vector<CountyPaint>& plan) {
    int painted = 0;
    for (const auto& paint : plan) {
        const auto& spot = CountyHotSpots()[static_cast<size_t>(paint.hotSpot)];
        if (FloodFill(map, spot.centerX(), spot.centerY(), paint.rgb) > 0) ++painted;
    }
    return painted;
}

}  // namespace logtools
