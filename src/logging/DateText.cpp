#include "logging/DateText.h"

#include <vector>

namespace logging {

namespace {
// Splits text at sep into fields of 1..maxDigits digits; nullopt on anything else.
std::optional<std::vector<int>> Numbers(std::string_view text, char sep, size_t maxDigits) {
    std::vector<int> out;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(sep, start);
        const std::string_view part = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty() || part.size() > maxDigits) return std::nullopt;
        int v = 0;
        for (char c : part) {
            if (c < '0' || c > '9') return std::nullopt;
            v = v * 10 + (c - '0');
        }
        out.push_back(v);
        if (end == std::string_view::npos) return out;
        start = end + 1;
    }
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && LeapYear(y) ? 29 : days[m - 1];
}
}  // namespace

std::optional<platform::DateTime> ParseQsoDate(std::string_view date) {
    auto n = Numbers(date, '/', 4);
    if (!n || n->size() != 3) return std::nullopt;
    const int y = (*n)[0], m = (*n)[1], d = (*n)[2];
    // A four-digit year first, from 1900 on: the log tools read no earlier date, and a contact
    // typed with one would be stored yet left out of the submission file.
    if (date.find('/') != 4 || y < 1900) return std::nullopt;
    if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return std::nullopt;
    platform::DateTime t;
    t.year = y;
    t.month = m;
    t.day = d;
    return t;
}

std::optional<platform::DateTime> ParseQsoTime(std::string_view time) {
    auto n = Numbers(time, ':', 2);
    if (!n || n->size() < 2 || n->size() > 3) return std::nullopt;
    // Minutes and seconds are written with two digits: "9:30" and "09:30:00", not "9:3".
    const size_t firstColon = time.find(':');
    if (time.size() - firstColon - 1 != 3 * (n->size() - 1) - 1) return std::nullopt;
    const int h = (*n)[0], m = (*n)[1], s = n->size() == 3 ? (*n)[2] : 0;
    if (h > 23 || m > 59 || s > 59) return std::nullopt;
    platform::DateTime t;
    t.hour = h;
    t.minute = m;
    t.second = s;
    return t;
}

std::optional<platform::DateTime> ParseQsoDateTime(std::string_view date, std::string_view time) {
    auto d = ParseQsoDate(date);
    auto t = ParseQsoTime(time);
    if (!d || !t) return std::nullopt;
    d->hour = t->hour;
    d->minute = t->minute;
    d->second = t->second;
    return d;
}

std::string MonthDay(std::string_view date) {
    auto d = ParseQsoDate(date);
    return d ? d->format("mm/dd") : std::string(date);
}

std::string HourMinute(std::string_view time) {
    auto t = ParseQsoTime(time);
    return t ? t->format("hh:nn") : std::string(time);
}

}  // namespace logging
