#include "logging/Text.h"

#include <cmath>

namespace logging {

bool IStartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && IEquals(text.substr(0, prefix.size()), prefix);
}

std::string ToUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = FoldCase(c);
    return out;
}

namespace {
char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    return true;
}

bool StartsWithSameText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = asciiUpper(c);
    return out;
}

std::string Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return std::string(text.substr(b, e - b));
}

std::string FormatGrouped(double value, char separator) {
    const double rounded = std::round(value);  // half away from zero
    const bool negative = rounded < 0;
    std::string digits = std::to_string(static_cast<long long>(std::fabs(rounded)));
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        out += digits[i];
        const size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0) out += separator;
    }
    return negative ? "-" + out : out;
}

}  // namespace logging
