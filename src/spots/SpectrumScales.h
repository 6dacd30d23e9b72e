#pragma once
// The spectrum map's geometry and passes: eleven band rows from 160 m to 2 m, each a dark strip
// with a band line, five tick captions under the line and the spots of that band standing on
// it. All in twips of the window, from the design of 9600 x 7200 twips scaled to the work
// area; label fonts follow the screen's width (at most 1.5 times the design size).

#include <array>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "spots/SpotHistory.h"
#include "spots/SpotLabel.h"

namespace spots {

constexpr int kSpectrumRows = 11;

struct SpectrumBand {
    const char* name;
    float lo, hi;  // MHz, single precision
};
extern const std::array<SpectrumBand, kSpectrumRows> SpectrumBandTable;

struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;
};
struct TwipLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct SpectrumLayout {
    TwipRect window;  // outer: the work area's size at the screen's top-left corner
    std::array<TwipRect, kSpectrumRows> strips{};  // lblHFSpots
    std::array<TwipLine, kSpectrumRows> lines{};   // lineHF
    double tickWidth = 0, tickHeight = 0;          // lblFreqSpot
    double spotWidth = 0, spotHeight = 0;          // lblDXSpot
    double labelFontPt = 0;
};

// The load's scaling to the screen followed by the fit to the work area (FitSpectrumMap).
SpectrumLayout LayoutSpectrumMap(const platform::TwipsRect& screen, const platform::TwipsRect& workArea);

// One row's scale: its five captions and where the tick labels stand.
struct SpectrumScale {
    std::array<std::string, 5> captions;
    std::array<TwipRect, 5> ticks{};
};
// SetSpectrumScales: every row zoomed to its spots, with its ticks under the line.
std::array<SpectrumScale, kSpectrumRows> SetSpectrumScales(const SpotHistory& history, const SpectrumLayout& layout);

// The row whose fixed edges hold f strictly (single precision); -1 for none.
int SpectrumRowOf(float f);

// One pass, newest slot first. Each spot on a band is centred on its frequency on that row's
// scale as its captions show it, standing on the line. Every slot is aged, placed or not: the
// first one that is kSpotLifeSeconds old or more, or never held a spot, ends the pass.
std::vector<SpotLabel> SpectrumPass(const SpotHistory& history, const std::array<SpectrumScale, kSpectrumRows>& scales,
                                    const SpectrumLayout& layout, int64_t nowMonotonicMs, float hoursOffset);

}  // namespace spots
