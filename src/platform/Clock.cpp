#include "platform/Clock.h"

#include <cmath>

namespace platform {

namespace {
// Howard Hinnant's days-from-civil and civil-from-days algorithms.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

std::string twoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}
}  // namespace

int64_t DateTime::daysSinceEpoch() const {
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

int64_t DateTime::secondsSinceEpoch() const {
    return daysSinceEpoch() * 86400 + hour * 3600 + minute * 60 + second;
}

DateTime DateTime::fromSecondsSinceEpoch(int64_t seconds) {
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    DateTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest % 3600 / 60);
    t.second = static_cast<int>(rest % 60);
    t.msec = 0;
    return t;
}

DateTime DateTime::addSeconds(int64_t seconds) const {
    DateTime t = fromSecondsSinceEpoch(secondsSinceEpoch() + seconds);
    t.msec = msec;
    return t;
}

DateTime DateTime::addMinutes(double minutes) const {
    return addSeconds(static_cast<int64_t>(std::llround(minutes * 60.0)));
}

std::string DateTime::format(const std::string& pattern) const {
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        auto starts = [&](const char* tok) { return pattern.compare(i, std::char_traits<char>::length(tok), tok) == 0; };
        if (starts("yyyy")) {
            std::string y = std::to_string(year);
            while (y.size() < 4) y = "0" + y;
            out += y;
            i += 4;
        } else if (starts("mm")) { out += twoDigits(month); i += 2; }
        else if (starts("dd")) { out += twoDigits(day); i += 2; }
        else if (starts("hh")) { out += twoDigits(hour); i += 2; }
        else if (starts("nn")) { out += twoDigits(minute); i += 2; }
        else if (starts("ss")) { out += twoDigits(second); i += 2; }
        else { out += pattern[i]; ++i; }
    }
    return out;
}

}  // namespace platform
