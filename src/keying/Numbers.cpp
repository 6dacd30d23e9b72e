#include "keying/Numbers.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "station/WriteForm.h"

namespace keying {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string withoutBlanks(std::string_view text) {
    std::string s;
    for (char c : text)
        if (!isBlank(c)) s.push_back(c);
    return s;
}

int digitValue(char c, int base) {
    const int u = std::toupper(static_cast<unsigned char>(c));
    int v = -1;
    if (u >= '0' && u <= '9') v = u - '0';
    else if (u >= 'A' && u <= 'F') v = u - 'A' + 10;
    return v >= 0 && v < base ? v : -1;
}

// Digits of a "&H"/"&O" number from position i; the value and how many digits were read.
double prefixed(const std::string& s, size_t i, int base, size_t& digits) {
    double v = 0;
    digits = 0;
    while (i < s.size()) {
        const int d = digitValue(s[i], base);
        if (d < 0) break;
        v = v * base + d;
        ++i;
        ++digits;
    }
    return v;
}

// Length of the decimal number at the start of s (sign, digits, point, exponent); 0 for none.
size_t decimalLength(const std::string& s) {
    size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

double parseDecimal(const std::string& s, size_t length) {
    std::string t = s.substr(0, length);
    for (char& c : t)
        if (c == 'd' || c == 'D') c = 'E';
    return std::strtod(t.c_str(), nullptr);
}
}  // namespace

double LeadingNumber(std::string_view text) {
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        size_t digits = 0;
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H') return prefixed(s, 2, 16, digits);
        if (kind == 'O') return prefixed(s, 2, 8, digits);
        return 0;
    }
    const size_t n = decimalLength(s);
    return n == 0 ? 0 : parseDecimal(s, n);
}

bool IsNumber(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    const std::string s(text.substr(b, e - b));
    if (s.empty()) return false;
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind != 'H' && kind != 'O') return false;
        size_t digits = 0;
        prefixed(s, 2, kind == 'H' ? 16 : 8, digits);
        return digits > 0 && 2 + digits == s.size();
    }
    return decimalLength(s) == s.size();
}

std::string NumberText(double value) { return station::formatDouble(value); }

}  // namespace keying
