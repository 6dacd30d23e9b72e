#include "rig/PrivilegesChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "logging/Text.h"

namespace rig {

namespace {
using logging::SameText;

// Share of the window's height a bar takes, and of the chart area the bars spread over.
constexpr double kBarHeight = 0.04;
constexpr double kSpread = 0.8;

bool hasClassRow(const std::vector<BandPlanRow>& rows, size_t edgeRow, const std::string& classLetter) {
    for (size_t j = edgeRow + 1; j < rows.size() && SameText(rows[j].BandName, rows[edgeRow].BandName); ++j) {
        if (SameText(rows[j].ClassLetter, classLetter)) return true;
    }
    return false;
}
}  // namespace

std::string FormatChartMhz(double mhz) {
    const bool negative = mhz < 0;
    const long long thousandths = std::llround(std::fabs(mhz) * 1000.0);
    const long long whole = thousandths / 1000;
    char decimals[8];
    std::snprintf(decimals, sizeof decimals, ".%03lld", thousandths % 1000);
    std::string digits = whole == 0 ? "" : std::to_string(whole);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
    return (negative && thousandths != 0 ? "-" : "") + digits + decimals;
}

PrivilegesChart BuildPrivilegesChart(const std::vector<BandPlanRow>& rows, const std::string& classLetter,
                                     const ChartArea& area) {
    PrivilegesChart chart;
    const double W = area.width, H = area.height;
    const double barHeight = kBarHeight * H;
    const double chartHeight = std::max(0.0, H - area.lineY);
    // Bars k = 1..n stand at lineY + k * spacing with spacing = 0.8 * chartHeight / n; they
    // overlap once the spacing is less than a bar's height.
    const int room = barHeight > 0 ? static_cast<int>(std::floor(kSpread * chartHeight / barHeight + 1e-9)) : 0;
    const int limit = std::min(kMaxChartBars, room);

    for (size_t i = 0; i < rows.size(); ++i) {
        const BandPlanRow& edge = rows[i];
        if (!SameText(edge.ClassLetter, "O") || !hasClassRow(rows, i, classLetter)) continue;
        if (!(edge.HighMhz > edge.LowMhz)) continue;  // no width to lay segments on
        if (static_cast<int>(chart.bars.size()) >= limit) {
            ++chart.bandsLeftOut;
            continue;
        }
        ChartBar bar;
        bar.band = edge.BandName;
        bar.lowMhz = edge.LowMhz;
        bar.highMhz = edge.HighMhz;
        bar.toolTip = edge.BandName + "  " + FormatChartMhz(edge.LowMhz) + " - " + FormatChartMhz(edge.HighMhz);
        chart.bars.push_back(std::move(bar));
    }

    const size_t n = chart.bars.size();
    if (n == 0) return chart;
    const double spacing = kSpread * chartHeight / static_cast<double>(n);
    for (size_t k = 0; k < n; ++k) {
        ChartBar& bar = chart.bars[k];
        bar.rect = {0.1 * W, area.lineY + static_cast<double>(k + 1) * spacing, 0.85 * W, barHeight};
        bar.nameBox = {0.04 * W, bar.rect.top, 0.05 * W, barHeight};
    }

    for (const BandPlanRow& row : rows) {
        if (!SameText(row.ClassLetter, classLetter)) continue;
        for (size_t k = 0; k < n; ++k) {
            const ChartBar& bar = chart.bars[k];
            if (!SameText(bar.band, row.BandName)) continue;
            // A row reaching past the band's edges is drawn only where it lies on the bar.
            const double low = std::max(row.LowMhz, bar.lowMhz), high = std::min(row.HighMhz, bar.highMhz);
            if (!(high > low)) continue;
            const double perMhz = bar.rect.width / (bar.highMhz - bar.lowMhz);
            ChartSegment seg;
            seg.bar = k;
            seg.cw = SameText(row.SegmentMode, "CW");
            seg.rect = {bar.rect.left + perMhz * (low - bar.lowMhz), bar.rect.top, perMhz * (high - low),
                        bar.rect.height};
            seg.caption = FormatChartMhz(row.LowMhz) + " - " + FormatChartMhz(row.HighMhz);
            seg.toolTip = (seg.cw ? "CW  " : "PH  ") + seg.caption;
            chart.segments.push_back(std::move(seg));
        }
    }
    return chart;
}

const std::vector<LicenceClass>& LicenceClasses() {
    static const std::vector<LicenceClass> classes = {
        {"Command1", "Novice", "N", "Novice Frequency Privileges"},
        {"Command2", "Technician", "T", "Technician Frequency Privileges"},
        {"Command3", "Tech +", "P", "Technician Plus Frequency Privileges"},
        {"Command4", "General", "G", "General Frequency Privileges"},
        {"Command5", "Advanced", "A", "Advanced Frequency Privileges"},
        {"Command6", "Extra", "E", "Extra Frequency Privileges"},
    };
    return classes;
}

}  // namespace rig
