#include "logtools/RateGraphModel.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "logtools/ContactTime.h"

namespace logtools {

const std::array<RateBandLegend, kRateBandCount>& RateBands() {
    static const std::array<RateBandLegend, kRateBandCount> bands{{
        {"160", 0xFFFFFF}, {"80", 0x0000FF}, {"40", 0xFF0000}, {"20", 0x00FF00},
        {"15", 0x80FFFF}, {"10", 0xFF00FF}, {"Other", 0xFFFF00},
    }};
    return bands;
}

int RateBandIndex(const std::string& band) {
    for (int i = 0; i < kRateBandCount - 1; ++i) {
        if (band == RateBands()[static_cast<size_t>(i)].caption) return i;
    }
    return kRateBandCount - 1;
}

std::string FormatRate(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", value);
    return buf;
}

double RateGraph::heightFraction(double value) const {
    const double range = MaxRate - MinRate;
    if (!(range > 0)) return 0.0025;
    return 0.995 * (value - MinRate) / range + 0.0025;
}

RateGraph BuildRateGraph(const station::ContactLog& log) {
    RateGraph g;
    const int count = log.ContactCount();
    if (count <= 6) return g;
    g.enoughContacts = true;

    std::vector<std::optional<int64_t>> times;
    times.reserve(static_cast<size_t>(count));
    for (const auto& r : log.records()) times.push_back(ContactSeconds(r));

    // The axis runs from the first record to the last one that can be read, in log order.
    std::optional<int64_t> first, last;
    for (const auto& t : times) {
        if (t && !first) first = t;
        if (t) last = t;
    }
    if (!first) {
        g.skippedContacts = count;
        return g;
    }
    const int64_t span = *last - *first;
    for (int k = 0; k <= 14; ++k) {
        const auto t = platform::DateTime::fromSecondsSinceEpoch(
            *first + static_cast<int64_t>(std::llround(static_cast<double>(k) * static_cast<double>(span) / 14.0)));
        g.timeLabels[static_cast<size_t>(k)] = t.format("hh:nn");
        g.dateLabels[static_cast<size_t>(k)] = t.format("mm/dd");
    }
    g.hasTimeLabels = true;
    // A log that spans no time has no axis to place contacts on.
    if (span <= 0) return g;

    std::vector<double> points(kRateStepCapacity + 1, 0.0);
    std::vector<double> smoothed(kRateStepCapacity + 1, 0.0);
    std::vector<int> colours(kRateStepCapacity + 1, kBackgroundBand);
    const double stepSeconds = static_cast<double>(span) / kRateSteps;
    points[1] = 6;
    smoothed[1] = 6;

    bool firstPlaced = false;
    for (int i = 0; i < count; ++i) {
        const auto& ti = times[static_cast<size_t>(i)];
        if (!ti) {
            ++g.skippedContacts;
            continue;
        }
        int within = 0;
        for (int j = i; j >= 0; --j) {
            const auto& tj = times[static_cast<size_t>(j)];
            if (!tj) continue;
            if (*ti - *tj < 600) {
                ++within;
            } else {
                break;
            }
        }
        // The first record sits on step 1; the others by time, halves to the even step.
        long x;
        if (!firstPlaced) {
            x = 1;
            firstPlaced = true;
        } else {
            x = std::lrint(static_cast<double>(*ti - *first) / stepSeconds);
        }
        // A record earlier than the first or far later than the last has no place on the
        // axis: it is left out of the curve (it still counts in its neighbours' ten minutes).
        if (x < 0 || x > kRateStepCapacity) {
            ++g.skippedContacts;
            continue;
        }
        points[static_cast<size_t>(x)] = 6.0 * within;
        colours[static_cast<size_t>(x)] = RateBandIndex(log.records()[static_cast<size_t>(i)].Band);
    }

    g.placed.assign(points.begin(), points.begin() + kRateSteps + 1);

    // Bridge pauses of up to 15 empty steps with a straight ramp.
    for (int i = 2; i <= kRateSteps; ++i) {
        if (points[static_cast<size_t>(i)] != 0) {
            smoothed[static_cast<size_t>(i)] = points[static_cast<size_t>(i)];
            continue;
        }
        for (int n = i + 1; n <= i + 15; ++n) {
            if (points[static_cast<size_t>(n)] > 0) {
                const double before = points[static_cast<size_t>(i - 1)];
                const double slope = (points[static_cast<size_t>(n)] - before) / (n - i);
                for (int k = i; k < n; ++k) {
                    const double v = before + (k - i) * slope;
                    smoothed[static_cast<size_t>(k)] = v;
                    points[static_cast<size_t>(k)] = v;
                }
                break;
            }
        }
    }

    // Seven-step mean of the positive values.
    for (int i = 7; i <= kRateSteps; ++i) {
        double sum = 0;
        int n = 0;
        for (int k = i - 6; k <= i; ++k) {
            if (points[static_cast<size_t>(k)] > 0) {
                sum += points[static_cast<size_t>(k)];
                ++n;
            }
        }
        if (n > 0) smoothed[static_cast<size_t>(i)] = sum / n;
    }

    g.MinRate = 100000;
    g.MaxRate = -1;
    for (int i = 1; i <= kRateSteps; ++i) {
        g.MinRate = std::min(g.MinRate, smoothed[static_cast<size_t>(i)]);
        g.MaxRate = std::max(g.MaxRate, smoothed[static_cast<size_t>(i)]);
    }

    // Bridged and smoothed steps carry the band of the last contact step before them.
    int carry = kBackgroundBand;
    for (int i = 1; i <= kRateSteps; ++i) {
        int& c = colours[static_cast<size_t>(i)];
        if (smoothed[static_cast<size_t>(i)] > 0) {
            if (c == kBackgroundBand) {
                c = carry;
            } else {
                carry = c;
            }
        } else {
            carry = kBackgroundBand;
        }
    }

    for (int k = 0; k <= 16; ++k) {
        g.valueLabels[static_cast<size_t>(k)] = FormatRate(g.MinRate + k * (g.MaxRate - g.MinRate) / 16);
    }
    smoothed.resize(kRateSteps + 1);
    colours.resize(kRateSteps + 1);
    smoothed[0] = 0;
    g.smoothed = std::move(smoothed);
    g.stepBand = std::move(colours);
    g.hasCurve = true;
    return g;
}

}  // namespace logtools
