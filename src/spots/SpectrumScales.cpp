#include "spots/SpectrumScales.h"

#include <algorithm>

namespace spots {

const std::array<SpectrumBand, kSpectrumRows> SpectrumBandTable = {{
    {"160 m", 1.8f, 2.0f},
    {"80 m", 3.5f, 4.0f},
    {"40 m", 7.0f, 7.3f},
    {"30 m", 10.1f, 10.15f},
    {"20 m", 14.0f, 14.35f},
    {"17 m", 18.068f, 18.168f},
    {"15 m", 21.0f, 21.45f},
    {"12 m", 24.89f, 24.99f},
    {"10 m", 28.0f, 29.7f},
    {"6 m", 50.0f, 54.0f},
    {"2 m", 144.0f, 148.0f},
}};

namespace {
constexpr double kDesignWidth = 9600, kDesignHeight = 7200;
constexpr double kLabelFontPt = 6.75;
}  // namespace

SpectrumLayout LayoutSpectrumMap(const platform::TwipsRect& screen, const platform::TwipsRect& workArea) {
    SpectrumLayout l;
    // Loaded as large as the screen, then fitted to the work area: every control keeps its
    // design place in proportion to the work area; fonts follow the screen only.
    const double rx = workArea.width / kDesignWidth;
    const double ry = workArea.height / kDesignHeight;
    l.window = {0, 0, workArea.width, workArea.height};
    for (int k = 0; k < kSpectrumRows; ++k) {
        l.strips[static_cast<size_t>(k)] = {120 * rx, (120 + 600.0 * k) * ry, 9255 * rx, 495 * ry};
        l.lines[static_cast<size_t>(k)] = {360 * rx, (360 + 600.0 * k) * ry, 9120 * rx, (360 + 600.0 * k) * ry};
    }
    l.tickWidth = 615 * rx;
    l.tickHeight = 255 * ry;
    l.spotWidth = 600 * rx;
    l.spotHeight = 180 * ry;
    l.labelFontPt = kLabelFontPt * std::min(screen.width / kDesignWidth, 1.5);
    return l;
}

std::array<SpectrumScale, kSpectrumRows> SetSpectrumScales(const SpotHistory& history, const SpectrumLayout& layout) {
    std::array<SpectrumScale, kSpectrumRows> scales;
    for (int k = 0; k < kSpectrumRows; ++k) {
        const auto row = static_cast<size_t>(k);
        float hi = SpectrumBandTable[row].hi, lo = SpectrumBandTable[row].lo;
        ZoomBandToSpots(hi, lo, history);
        scales[row].captions = ScaleCaptions(lo, hi);
        const TwipLine& line = layout.lines[row];
        for (int i = 0; i < 5; ++i) {
            auto& t = scales[row].ticks[static_cast<size_t>(i)];
            t.width = layout.tickWidth;
            t.height = layout.tickHeight;
            t.top = line.y1 + 0.004 * layout.window.height;
            t.left = line.x1 + (line.x2 - line.x1) * (i * 0.25) - t.width / 2;
        }
    }
    return scales;
}

int SpectrumRowOf(float f) {
    for (int k = 0; k < kSpectrumRows; ++k) {
        const auto& b = SpectrumBandTable[static_cast<size_t>(k)];
        if (b.lo < f && f < b.hi) return k;
    }
    return -1;
}

std::vector<SpotLabel> SpectrumPass(const SpotHistory& h, const std::array<SpectrumScale, kSpectrumRows>& scales,
                                    const SpectrumLayout& layout, int64_t now, float hoursOffset) {
    std::vector<SpotLabel> labels;
    for (int i = SpotHistory::kSlots - 1; i >= 0; --i) {
        const auto slot = static_cast<size_t>(i);
        if (!h.SpotTimes[slot].set) break;
        const auto colour = AgeColour(h.AgeSeconds(i, now));
        if (!colour) break;
        const float f = h.SpotFreqs[slot];
        const int row = SpectrumRowOf(f);
        if (row < 0) continue;
        const auto& scale = scales[static_cast<size_t>(row)];
        const double low = CaptionValue(scale.captions[0]);
        const double high = CaptionValue(scale.captions[4]);
        if (!(high != low)) break;  // a scale with no width cannot place anything
        const TwipLine& line = layout.lines[static_cast<size_t>(row)];
        SpotLabel l;
        l.index = i;
        l.tip = SpotToolTip(h, i, hoursOffset);
        l.caption = h.SpotPrefixes[slot];
        l.left = line.x1 + (f - low) / (high - low) * (line.x2 - line.x1) - layout.spotWidth / 2;
        l.top = line.y1 - layout.spotHeight;
        l.colour = *colour;
        labels.push_back(std::move(l));
    }
    return labels;
}

}  // namespace spots
