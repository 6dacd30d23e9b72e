#include "keying/CwElements.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace keying {

namespace {
struct Code {
    char c;
    const char* elements;
};
constexpr Code kTable[] = {
    {'A', "10111000"},
    {'B', "111010101000"},
    {'C', "11101011101000"},
    {'D', "1110101000"},
    {'E', "1000"},
    {'F', "101011101000"},
    {'G', "111011101000"},
    {'H', "1010101000"},
    {'I', "101000"},
    {'J', "1011101110111000"},
    {'K', "111010111000"},
    {'L', "101110101000"},
    {'M', "1110111000"},
    {'N', "11101000"},
    {'O', "11101110111000"},
    {'P', "10111011101000"},
    {'Q', "1110111010111000"},
    {'R', "1011101000"},
    {'S', "10101000"},
    {'T', "111000"},
    {'U', "1010111000"},
    {'V', "101010111000"},
    {'W', "101110111000"},
    {'X', "11101010111000"},
    {'Y', "1110101110111000"},
    {'Z', "11101110101000"},
    {'0', "1110111011101110111000"},
    {'1', "10111011101110111000"},
    {'2', "101011101110111000"},
    {'3', "1010101110111000"},
    {'4', "10101010111000"},
    {'5', "101010101000"},
    {'6', "11101010101000"},
    {'7', "1110111010101000"},
    {'8', "111011101110101000"},
    {'9', "11101110111011101000"},
    {'.', "10111010111010111000"},
    {',', "1110111010101110111000"},
    {'?', "101011101110101000"},
    {'/', "1110101011101000"},
    {'-', "1110101010111000"},
    {'=', "1110101010111000"},
    {'[', "1011101011101000"},
    {']', "101010111010111000"},
    {';', "111010111011101000"},
    {'\\', "111010111010101110101000"},
    {' ', "00000000"},
};
}  // namespace

std::string_view CWElementTable(char c) {
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const auto& code : kTable)
        if (code.c == u) return code.elements;
    return {};
}

std::string CharacterElements(char c, int wordSpace) {
    if (c != ' ') return std::string(CWElementTable(c));
    return std::string(static_cast<size_t>(std::max(0, 8 + std::max(-8, wordSpace))), '0');
}

bool KeyableSpeed(double wpm) { return std::isfinite(wpm) && wpm >= kMinWpm && wpm <= kMaxWpm; }

double UnitMs(double wpm, const UnitRule& rule) {
    if (!KeyableSpeed(wpm)) return 0;
    const double unit = 1200.0 / wpm;
    switch (rule.method) {
    case TimingMethod::Timer: return unit;
    case TimingMethod::Sleep: return std::nearbyint(unit);  // the default rounding: halves to even
    case TimingMethod::Loop:
        if (rule.loopsPer60ms <= 0 || rule.machineLoopsPer60ms <= 0) return 0;
        return unit * rule.loopsPer60ms / rule.machineLoopsPer60ms;
    }
    return 0;
}

int WordSpaceUnits(double value) {
    if (!std::isfinite(value)) return 0;
    // Far more than any gap an operator means, and small enough to count in an int.
    const double clamped = std::clamp(value, -8.0, 10000.0);
    return static_cast<int>(std::nearbyint(clamped));
}

int64_t UnitsToNs(int64_t units, double unitMs) {
    return std::llround(static_cast<double>(units) * unitMs * 1e6);
}

CwSchedule ScheduleText(std::string_view text, double unitMs, int wordSpace) {
    CwSchedule s;
    bool down = false;
    int64_t units = 0;
    for (char c : text) {
        for (char e : CharacterElements(c, wordSpace)) {
            const bool level = e == '1';
            if (level != down) {
                s.edges.push_back({UnitsToNs(units, unitMs), level});
                down = level;
            }
            ++units;
        }
    }
    s.lengthNs = UnitsToNs(units, unitMs);
    return s;
}

}  // namespace keying
