#include "logtools/RgbImage.h"

#include <utility>

namespace logtools {

int FloodFill(RgbImage& image, int x, int y, uint32_t rgb) {
    if (!image.contains(x, y)) return 0;
    const uint32_t target = image.at(x, y);
    if (target == rgb) return 0;
    int filled = 0;
    // Scanline fill with an explicit stack of seeds: no recursion, so a large area cannot
    // overflow the call stack.
    std::vector<std::pair<int, int>> seeds{{x, y}};
    while (!seeds.empty()) {
        auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (image.at(sx, sy) != target) continue;
        int left = sx;
        while (left > 0 && image.at(left - 1, sy) == target) --left;
        int right = sx;
        while (right + 1 < image.width && image.at(right + 1, sy) == target) ++right;
        for (int i = left; i <= right; ++i) image.set(i, sy, rgb);
        filled += right - left + 1;
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= image.height) continue;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool match = image.at(i, ny) == target;
                if (match && !inRun) seeds.emplace_back(i, ny);
                inRun = match;
            }
        }
    }
    return filled;
}

}  // namespace logtools
