#include "station/WriteForm.h"

#include <charconv>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace station {

namespace {
template <typename T>
std::string shortest(T value, int maxDigits) {
    if (value == 0) return "0";
    char buf[400];
    // The fewest significant digits that read back as the same value. A value that needs more
    // digits than the format keeps is first rounded to those digits, and then written in the
    // fewest digits that read back as that rounded value (0.30000000000000004 is "0.3", not
    // "0.300000000000000").
    auto fewest = [&](T v) {
        for (int p = 1; p <= maxDigits; ++p) {
            auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, p - 1);
            T back{};
            std::from_chars(buf, res.ptr, back);
            if (back == v) return p;
        }
        return 0;
    };
    int precision = fewest(value);
    std::string s;
    if (precision == 0) {
        auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, maxDigits - 1);
        T rounded{};
        if (std::from_chars(buf, res.ptr, rounded).ec == std::errc()) {
            value = rounded;
            precision = fewest(value);
        }
    }
    if (precision > 0) {
        auto sci = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
        s.assign(buf, sci.ptr);
    } else {
        // Rounded to the digits kept, the value would pass the type's largest (3.4028235E+38):
        // the digits that read back exactly, one more than the format keeps.
        auto sci = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
        s.assign(buf, sci.ptr);
        const std::string mantissa = s.substr(0, s.find('e'));
        precision = static_cast<int>(std::count_if(mantissa.begin(), mantissa.end(),
                                                   [](char c) { return c >= '0' && c <= '9'; }));
    }
    const int exponent = std::stoi(s.substr(s.find('e') + 1));
    if (exponent < -5 || exponent >= maxDigits) {
        // Beyond the digits the type holds: mantissa and exponent, "1.5E+20".
        std::string mantissa = s.substr(0, s.find('e'));
        char sign = exponent < 0 ? '-' : '+';
        std::string digits = std::to_string(std::abs(exponent));
        if (digits.size() < 2) digits = "0" + digits;
        return mantissa + "E" + sign + digits;
    }
    const int decimals = std::max(0, precision - 1 - exponent);
    auto fixed = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, fixed.ptr);
}
}  // namespace

std::string formatSingle(float value) { return shortest(value, 7); }
std::string formatDouble(double value) {
    if (value == 0) return "0";  // every contact the program stores carries 0 here
    return shortest(value, 15);
}

bool parseNumber(std::string_view text, double& out) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    // Only decimal digits make a number: "inf" or "nan" in a file is text like any other word
    // (and would not survive being written back).
    const size_t lead = text[0] == '-' ? 1 : 0;
    if (lead >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[lead])) || text[lead] == '.'))
        return false;
    // from_chars does not take ".5" or "-.5"; give those a leading zero.
    char buf[64];
    if (text.size() < sizeof buf - 2 && (text[0] == '.' || (text.size() > 1 && text[0] == '-' && text[1] == '.'))) {
        size_t n = 0;
        if (text[0] == '-') buf[n++] = '-';
        buf[n++] = '0';
        std::string_view rest = text.substr(text[0] == '-' ? 1 : 0);
        std::memcpy(buf + n, rest.data(), rest.size());
        n += rest.size();
        text = std::string_view(buf, n);
    }
    double v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return false;
    out = v;
    return true;
}

void WriteFormLine::separate() {
    if (!first_) items_ += ',';
    first_ = false;
}

std::string CleanText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || u < 32 || u == 127) continue;
        out += c;
    }
    return out;
}

WriteFormLine& WriteFormLine::text(std::string_view value) {
    separate();
    items_ += '"';
    items_ += CleanText(value);
    items_ += '"';
    return *this;
}

WriteFormLine& WriteFormLine::integer(int64_t value) {
    separate();
    items_ += std::to_string(value);
    return *this;
}

WriteFormLine& WriteFormLine::single(float value) {
    separate();
    items_ += formatSingle(value);
    return *this;
}

WriteFormLine& WriteFormLine::dbl(double value) {
    separate();
    items_ += formatDouble(value);
    return *this;
}

WriteFormLine& WriteFormLine::boolean(bool value) {
    separate();
    items_ += value ? "#TRUE#" : "#FALSE#";
    return *this;
}

WriteFormLine& WriteFormLine::variant(const Variant& value) {
    switch (value.kind) {
    case Variant::Kind::Empty: separate(); break;
    case Variant::Kind::Text: text(value.text); break;
    case Variant::Kind::Number: dbl(value.number); break;
    case Variant::Kind::Bool: boolean(value.flag); break;
    }
    return *this;
}

double WriteFormReader::number(const Item& item) {
    double v = 0;
    if (!item.quoted && item.text == "#TRUE#") return -1;
    if (!parseNumber(item.text, v)) return 0;
    return v;
}

std::string WriteFormReader::readText() { return std::string(next().text); }



double WriteFormReader::readDouble() { return number(next()); }

float WriteFormReader::readSingle() {
    double v = number(next());
    if (std::fabs(v) > std::numeric_limits<float>::max()) throw FileError("Overflow");
    return static_cast<float>(v);
}

namespace {
int64_t roundToInteger(double v, double lo, double hi) {
    double r = std::nearbyint(v);  // round half to even: the write form's rule for integer items
    if (!(r >= lo && r <= hi)) throw FileError("Overflow");
    return static_cast<int64_t>(r);
}
}  // namespace

uint8_t WriteFormReader::readByte() { return static_cast<uint8_t>(roundToInteger(number(next()), 0, 255)); }
int16_t WriteFormReader::readInt16() { return static_cast<int16_t>(roundToInteger(number(next()), -32768, 32767)); }
int32_t WriteFormReader::readInt32() {
    return static_cast<int32_t>(roundToInteger(number(next()), -2147483648.0, 2147483647.0));
}

bool WriteFormReader::readBool() {
    Item item = next();
    if (item.text == "#TRUE#") return true;
    if (item.text == "#FALSE#") return false;
    return number(item) != 0;
}

Variant WriteFormReader::readVariant() {
    Item item = next();
    if (item.quoted) return Variant::ofText(std::string(item.text));
    if (item.text.empty()) return Variant::empty();
    if (item.text == "#TRUE#") return Variant::ofBool(true);
    if (item.text == "#FALSE#") return Variant::ofBool(false);
    double v = 0;
    if (parseNumber(item.text, v)) return Variant::ofNumber(v);
    return Variant::ofText(std::string(item.text));
}

void WriteFormReader::skipEmptyLines() {
    while (pos_ < data_.size()) {
        size_t p = pos_;
        while (p < data_.size() && (data_[p] == ' ' || data_[p] == '\t')) ++p;
        if (p < data_.size() && data_[p] == '\r') {
            ++p;
            if (p < data_.size() && data_[p] == '\n') ++p;
        } else if (p < data_.size() && data_[p] == '\n') {
            ++p;
        } else if (p < data_.size()) {
            return;
        }
        pos_ = p;
    }
}

PrintWriter& PrintWriter::write(std::string_view text) {
    out_.append(text);
    column_ += text.size();
    return *this;
}

PrintWriter& PrintWriter::tab(int column) {
    if (column < 1) column = 1;
    if (column_ > static_cast<size_t>(column)) endLine();
    while (column_ < static_cast<size_t>(column)) {
        out_ += ' ';
        ++column_;
    }
    return *this;
}

PrintWriter& PrintWriter::endLine() {
    out_ += "\r\n";
    column_ = 1;
    return *this;
}

}  // namespace station
