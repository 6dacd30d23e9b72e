#pragma once
// BandPlan.txt: the band edges and each licence class's CW and phone segments, and the two mode
// lookups: the band plan's (BandPlanMode, which picks the radio's mode when the program tunes it)
// and the fixed table of the poll cycle's "Mode by: Frequency" (ModeByFrequency).

#include <optional>
#include <string>
#include <vector>

#include "station/WriteForm.h"

namespace rig {

struct BandPlanRow {
    std::string BandName;     // "160", "80", "60", "40", ...
    std::string ClassLetter;  // N, T, P, G, A, E; "O" marks a band's edge row
    std::string SegmentMode;  // "CW" or "PH"
    double LowMhz = 0;
    double HighMhz = 0;
    friend bool operator==(const BandPlanRow&, const BandPlanRow&) = default;
};

inline constexpr size_t kBandPlanCapacity = 200;

struct BandPlanFile {
    station::Variant EffectiveDate;  // shown as text by the chart
    std::vector<BandPlanRow> rows;   // file order, at most 200
    // The whole file was read: the date, then rows up to the end, no more than 200 of them.
    bool complete = false;
};

// Reads the file's bytes: the date item, then rows of five items up to the end. Reading stops
// at the first item that cannot be read (keeping the rows before it) and after 200 rows.
BandPlanFile ReadBandPlan(const std::string& bytes);
// The rows of class exactly "E", in file order, at most 200 of them (the rig's ExtraBandPlan).
std::vector<BandPlanRow> ExtraRows(const std::string& bytes);

// The mode the radio is set to when the program tunes it without naming one: the first E row
// strictly holding the frequency gives "CW", or for phone "USB" ("LSB" on 80 and 40 m); on
// 160 m, or outside every row, "" (no mode command). Phone on 60 m is USB, the only sideband
// allowed on the US 60 m channels.
std::string BandPlanMode(const std::vector<BandPlanRow>& extraRows, double mhz);

// The fixed CW and phone segments of 80, 40, 30, 20, 17, 15, 12, 10, 6 and 2 m ("Mode by:
// Frequency"): the segment strictly holding the frequency, or nullopt (the rig's mode stays).
std::optional<std::string> ModeByFrequency(double mhz);

struct ModeSegment {
    double lower, upper;
    const char* mode;
};
const std::vector<ModeSegment>& ModeByFrequencyTable();

}  // namespace rig
