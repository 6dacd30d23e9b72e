#include "spots/BandMap.h"

#include "logging/Text.h"

namespace spots {

namespace {
struct BandRow {
    const char* band;
    float lo, hi;
};
constexpr BandRow kBandMapTable[] = {
    {"160", 1.8f, 2.0f},   {"80", 3.5f, 4.0f},     {"40", 7.0f, 7.3f},    {"20", 14.0f, 14.35f},
    {"15", 21.0f, 21.45f}, {"10", 28.0f, 29.7f},   {"6", 50.0f, 54.0f},   {"2", 144.0f, 148.0f},
    {"1.25", 219.0f, 225.0f}, {"440", 420.0f, 450.0f},
};
}  // namespace

BandEdges BandMapEdges(std::string_view band) {
    for (const auto& row : kBandMapTable)
        if (logging::SameText(band, row.band)) return {row.lo, row.hi};
    return {};
}

std::array<std::string, 5> SetBandMapScale(const SpotHistory& history, std::string_view band) {
    BandEdges e = BandMapEdges(band);
    ZoomBandToSpots(e.hi, e.lo, history);
    return ScaleCaptions(e.lo, e.hi);
}

std::vector<SpotLabel> BandMapPass(const SpotHistory& h, const std::array<std::string, 5>& captions,
                                   const BandMapGeometry& g, int64_t now, float hoursOffset) {
    std::vector<SpotLabel> labels;
    const double lo = CaptionValue(captions[0]);
    const double hi = CaptionValue(captions[4]);
    const float loF = static_cast<float>(lo), hiF = static_cast<float>(hi);
    for (int i = SpotHistory::kSlots - 1; i >= 0; --i) {
        const float f = h.SpotFreqs[static_cast<size_t>(i)];
        if (!(loF < f && f < hiF)) continue;
        const auto colour = AgeColour(h.AgeSeconds(i, now));
        if (!colour) break;
        SpotLabel l;
        l.index = i;
        l.tip = SpotToolTip(h, i, hoursOffset);
        l.caption = h.SpotPrefixes[static_cast<size_t>(i)];
        l.top = g.y1 - g.labelHeight - 0.004 * g.windowHeight;
        l.left = g.x1 + (f - lo) / (hi - lo) * (g.x2 - g.x1) - g.labelWidth / 2;
        l.colour = *colour;
        labels.push_back(std::move(l));
    }
    return labels;
}

}  // namespace spots
