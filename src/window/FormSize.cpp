#include "window/FormSize.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace window {

std::optional<uint8_t> ParseFormSizeAnswer(const std::string& answer) {
    size_t first = answer.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    size_t last = answer.find_last_not_of(" \t");
    const std::string text = answer.substr(first, last - first + 1);
    // Plain decimal numbers only: an optional sign, digits, at most one point.
    size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isdigit(c)) digits = true;
        else if (c == '.' && !point) point = true;
        else return std::nullopt;
    }
    if (!digits) return std::nullopt;
    double value = std::strtod(text.c_str(), nullptr);
    value = std::clamp(value, double(kMinFormSize), double(kMaxFormSize));
    return static_cast<uint8_t>(std::nearbyint(value));  // the default rounding mode is half to even
}

int EffectiveFormSize(int stored) { return std::clamp(stored, kMinFormSize, kMaxFormSize); }

}  // namespace window
