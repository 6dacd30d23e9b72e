#pragma once
// A picture as plain pixels, so painting rules can run and be tested without a display.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace logtools {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row after row

    RgbImage() = default;
    RgbImage(int w, int h, uint32_t fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void set(int x, int y, uint32_t rgb) { pixels[static_cast<size_t>(y) * width + x] = rgb; }
};

// Surface fill: every pixel reachable from (x, y) through up, down, left and right steps over
// pixels of the seed's colour takes the new colour. Returns the number of pixels changed
// (0 for a seed outside the picture or a fill in the seed's own colour).
int FloodFill(RgbImage& image, int x, int y, uint32_t rgb);

}  // namespace logtools
