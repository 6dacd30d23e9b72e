#include "rig/RigTune.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rig {

const std::vector<BandPreset>& BandPresets() {
    static const std::vector<BandPreset> presets = {
        {"160", 1.9},    {"80", 3.75},  {"60", 5.368}, {"40", 7.15}, {"30", 10.13},  {"20", 14.175},
        {"17", 18.118},  {"15", 21.225}, {"12", 24.94}, {"10", 28.5}, {"6", 52},      {"2", 146},
        {"1.25", 223.5}, {"70", 435},    {"33", 915},   {"23", 1270},
    };
    return presets;
}

const std::vector<TuneStep>& TuneSteps() {
    static const std::vector<TuneStep> steps = {
        {"10 Hz", 0.00001},  {"10 Hz", -0.00001}, {"1 MHz", 1},       {"1 MHz", -1},
        {"5 KHz", 0.005},    {"5 KHz", -0.005},   {"1 KHz", 0.001},   {"1 KHz", -0.001},
        {"100 Hz", 0.0001},  {"100 Hz", -0.0001},
    };
    return steps;
}

const std::vector<ScanStepChoice>& ScanSteps() {
    static const std::vector<ScanStepChoice> steps = {
        {"Option1", "500 Hz", 0.0005}, {"Option2", "100 Hz", 0.0001}, {"Option3", "30 Hz", 0.00003},
        {"Option4", "10 Hz", 0.00001}, {"Option5", "2.5 KHz", 0.0025},
    };
    return steps;
}

std::optional<double> ParseNumber(const std::string& text) {
    size_t i = 0, end = text.size();
    while (i < end && text[i] == ' ') ++i;
    while (end > i && text[end - 1] == ' ') --end;
    if (i == end) return std::nullopt;
    std::string body = text.substr(i, end - i);
    size_t p = 0;
    if (body[p] == '+' || body[p] == '-') ++p;
    int digits = 0, points = 0;
    for (size_t k = p; k < body.size(); ++k) {
        if (body[k] >= '0' && body[k] <= '9') ++digits;
        else if (body[k] == '.') ++points;
        else return std::nullopt;
    }
    if (digits == 0 || points > 1) return std::nullopt;
    return std::strtod(body.c_str(), nullptr);
}

bool NumberFieldKey(int key) { return key == 8 || (key >= 46 && key <= 57); }

std::string ShortestDecimal(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string FormatScanFrequency(double mhz) {
    char text[64];
    std::snprintf(text, sizeof text, "%.5f", std::fabs(mhz));
    std::string s = text;
    while (!s.empty() && s.back() == '0') s.pop_back();  // the point stays
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    const bool negative = mhz < 0 && s != ".";
    return negative ? "-" + s : s;
}

std::optional<double> NextScanFrequency(const std::string& frequency, const std::string& from,
                                        const std::string& to, double stepMhz) {
    const auto f = ParseNumber(frequency), low = ParseNumber(from), high = ParseNumber(to);
    if (!f || !low || !high) return std::nullopt;
    if (!(*low > 0) || *low > *high) return std::nullopt;
    const double next = *f + stepMhz;
    if (next > *high || next < *low) return *low;
    return next;
}

}  // namespace rig
