#pragma once
// The privileges chart as a layout: for one licence class, a bar per band on which the class
// may transmit, the band's name in a box left of its bar, and the class's segments laid on the
// bars in proportion to frequency. Positions are in the window's own units (W x H, the chart
// area starting at the rule under the header).

#include <string>
#include <vector>

#include "rig/BandPlan.h"

namespace rig {

struct ChartRect {
    double left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const ChartRect&, const ChartRect&) = default;
};

struct ChartBar {
    std::string band;          // caption: the band's name
    double lowMhz = 0, highMhz = 0;  // the band's edges (its "O" row)
    ChartRect rect;            // the black bar
    ChartRect nameBox;         // the yellow box with the band's name
    std::string toolTip;       // "40  7.000 - 7.300"
};

struct ChartSegment {
    size_t bar = 0;            // index into bars
    bool cw = false;           // CW (blue, white text) or phone (green, black text)
    ChartRect rect;
    std::string caption;       // "7.000 - 7.125"
    std::string toolTip;       // "CW  7.000 - 7.125"
};

struct PrivilegesChart {
    std::vector<ChartBar> bars;
    std::vector<ChartSegment> segments;
    int bandsLeftOut = 0;      // shown bands for which there was no room
};

struct ChartArea {
    double width = 0, height = 0;  // the window (W, H)
    double lineY = 0;              // the rule under the header: the top of the chart area
};

inline constexpr int kMaxChartBars = 20;

// The chart of class `classLetter` ("N", "T", "P", "G", "A" or "E"). A band is drawn when a row
// of the class follows its "O" row before the next band begins. Bands whose edges enclose no
// width are skipped; at most 20 bars are drawn, and no more than fit the area without
// overlapping. Segments are kept inside their bar.
PrivilegesChart BuildPrivilegesChart(const std::vector<BandPlanRow>& rows, const std::string& classLetter,
                                     const ChartArea& area);

// "#,###.##0": grouped thousands, three decimals, no digit before the point below 1
// (14.35 -> "14.350", 1240 -> "1,240.000", 0.136 -> ".136").
std::string FormatChartMhz(double mhz);

struct LicenceClass {
    const char* button;  // "Command1" .. "Command6"
    const char* caption; // "Novice"
    const char* letter;  // "N"
    const char* title;   // "Novice Frequency Privileges"
};
// The six class buttons in order.
const std::vector<LicenceClass>& LicenceClasses();

}  // namespace rig
