#pragma once
// The logging window's band map: a strip with one band line, five scale captions under it and
// a label per spot of the current band above it. The scale is the band's edges, or the spread
// of the spots inside the band; the range is read back from the first and last caption, so a
// spot is placed on the range as shown, to three decimals.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "spots/SpotHistory.h"
#include "spots/SpotLabel.h"

namespace spots {

struct BandEdges {
    float lo = 0, hi = 0;
};

// The band map's edges for a band text ("160" ... "440"), compared without regard to case;
// any other band gives 0 and 0.
BandEdges BandMapEdges(std::string_view band);

// The five scale captions of the band map for the current band.
std::array<std::string, 5> SetBandMapScale(const SpotHistory& history, std::string_view band);

// Where the band map stands, in the window's twips.
struct BandMapGeometry {
    double x1 = 0, x2 = 0, y1 = 0;  // the band line
    double labelWidth = 0, labelHeight = 0;
    double windowHeight = 0;  // the window's outer height
};

// One drawing pass, newest slot first: every spot strictly inside the scale gets a label just
// above the line, centred on its frequency, coloured by its age. The first spot on the scale
// aged kSpotLifeSeconds or more ends the pass (older slots are older still); a spot off the
// scale or hidden is skipped and does not end it.
std::vector<SpotLabel> BandMapPass(const SpotHistory& history, const std::array<std::string, 5>& captions,
                                   const BandMapGeometry& geometry, int64_t nowMonotonicMs, float hoursOffset);

}  // namespace spots
