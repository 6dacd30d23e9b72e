#pragma once
// The tuning panel's rules: its band presets and step buttons as tables, which keys its number
// fields take, how a number is read and written back, and one step of the scan.

#include <optional>
#include <string>
#include <vector>

namespace rig {

struct BandPreset {
    const char* caption;  // "160" .. "23"
    double mhz;
};
// The 16 band buttons in index order (two rows of eight).
const std::vector<BandPreset>& BandPresets();

struct TuneStep {
    const char* caption;  // "10 Hz", "1 MHz", ...
    double deltaMhz;      // signed: even indexes go up, odd ones down
};
// The 10 step buttons in index order.
const std::vector<TuneStep>& TuneSteps();

struct ScanStepChoice {
    const char* name;     // "Option1" .. "Option5"
    const char* caption;  // "500 Hz", ...
    double mhz;
};
// The five "Scan Steps" options in control order; the 10 Hz step is the one chosen at start.
const std::vector<ScanStepChoice>& ScanSteps();
inline constexpr int kDefaultScanStep = 3;  // "Option4", 10 Hz
inline constexpr int kScanIntervalMs = 299;

// A number as the panel's fields hold one: blanks around it, an optional sign, digits with at
// most one decimal point ("14.", ".5" and "-0.1" are numbers; "", ".", "1/2" and "1e3" are not).
std::optional<double> ParseNumber(const std::string& text);
inline bool IsNumber(const std::string& text) { return ParseNumber(text).has_value(); }

// The keys a number field lets through: Backspace and the characters "." "/" "0".."9".
bool NumberFieldKey(int key);

// A value written back after a step or a preset: at most 15 significant digits, no trailing
// zeros (52, 5.368, 14.17501, 0.9).
std::string ShortestDecimal(double value);
// The scan's "####.#####": five decimals at most, trailing zeros dropped, no digit before the
// point below 1, and the point kept when no decimal remains ("14.", ".5", "435.00001").
std::string FormatScanFrequency(double mhz);

// One scan tick: the next frequency, or nullopt when the scan has nothing to do (the frequency,
// From or To is not a number, or the range is empty or not above 0). The frequency moves up by
// the step; past To, or below From, it goes to From, so the scan stays inside its range.
std::optional<double> NextScanFrequency(const std::string& frequency, const std::string& from,
                                        const std::string& to, double stepMhz);

}  // namespace rig
