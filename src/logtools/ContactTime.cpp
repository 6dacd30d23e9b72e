#include "logtools/ContactTime.h"

namespace logtools {

namespace {

bool digits(std::string_view text, size_t pos, size_t count, int& value) {
    if (pos + count > text.size()) return false;
    value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

}  // namespace

std::optional<platform::DateTime> ParseQsoDate(std::string_view text) {
    platform::DateTime d;
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') return std::nullopt;
    if (!digits(text, 0, 4, d.year) || !digits(text, 5, 2, d.month) || !digits(text, 8, 2, d.day)) return std::nullopt;
    if (d.year < 1900 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > daysInMonth(d.year, d.month)) {
        return std::nullopt;
    }
    d.hour = d.minute = d.second = 0;
    return d;
}

std::optional<platform::DateTime> ParseQsoTime(std::string_view text) {
    platform::DateTime t;
    if (text.size() != 5 && text.size() != 8) return std::nullopt;
    if (text[2] != ':' || !digits(text, 0, 2, t.hour) || !digits(text, 3, 2, t.minute)) return std::nullopt;
    t.second = 0;
    if (text.size() == 8 && (text[5] != ':' || !digits(text, 6, 2, t.second))) return std::nullopt;
    if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
    return t;
}

std::optional<int64_t> ContactSeconds(const station::ContactRecord& record) {
    auto date = ParseQsoDate(record.QsoDate);
    auto time = ParseQsoTime(record.QsoTime);
    if (!date || !time) return std::nullopt;
    return date->secondsSinceEpoch() + time->hour * 3600 + time->minute * 60 + time->second;
}

}  // namespace logtools
