#include "logging/Rates.h"

#include <cmath>

#include "logging/DateText.h"

namespace logging {

platform::DateTime UtcFromLocal(const platform::DateTime& local, double hoursOffset) {
    platform::DateTime t = local;
    t.msec = 0;
    return t.addMinutes(std::round(hoursOffset * 60.0));
}

std::optional<QsoRates> ShowQsoRate(const station::ContactLog& log, const platform::DateTime& localNow,
                                    double hoursOffset) {
    const int64_t now = UtcFromLocal(localNow, hoursOffset).secondsSinceEpoch();
    int c60 = 0, c20 = 0;
    const auto& records = log.records();
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        auto when = ParseQsoDateTime(it->QsoDate, it->QsoTime);
        if (!when) return std::nullopt;
        const int64_t age = now - when->secondsSinceEpoch();
        if (age < 1200) ++c20;
        if (age >= 3600) break;
        ++c60;
    }
    return QsoRates{c60, 3 * c20};
}

std::string OperatingTimeText(double seconds) {
    auto two = [](double v) {
        const std::string s = std::to_string(static_cast<long long>(v));
        if (v < 10) return "0" + s;
        return s.substr(s.size() - 2);
    };
    const double h = std::floor(seconds / 3600);
    const double m = std::floor(seconds / 60 - h * 60);
    const double x = seconds - std::floor(seconds / 60) * 60;
    return two(h) + ":" + two(m) + ":" + two(std::floor(x));
}

ClockTexts ClockTick(const platform::DateTime& localNow, double hoursOffset) {
    ClockTexts out;
    const int h12 = localNow.hour % 12 == 0 ? 12 : localNow.hour % 12;
    out.localTime = std::to_string(h12) + localNow.format(":nn:ss");
    out.amPm = localNow.hour < 12 ? "AM" : "PM";
    out.utcTime = UtcFromLocal(localNow, hoursOffset).format("hh:nn:ss");
    return out;
}

double RunningSecondsAt(double operatingSeconds, const platform::DateTime& logOnTime,
                        const platform::DateTime& localNow) {
    const double since = static_cast<double>(localNow.secondsSinceEpoch() - logOnTime.secondsSinceEpoch());
    return std::fabs(operatingSeconds + since);
}

void TimeOn(ClockState& clock, const platform::DateTime& localNow) {
    clock.LogOnTime = localNow;
    clock.LoggedOn = true;
}

std::string TimeOff(ClockState& clock, station::StationProfile& profile, double runningSeconds,
                    const platform::DateTime& localNow) {
    clock.LoggedOn = false;
    profile.OperatingSeconds = static_cast<float>(runningSeconds);
    const platform::DateTime utc = UtcFromLocal(localNow, profile.HoursOffset);
    const std::string shortDate =
        std::to_string(utc.month) + "/" + std::to_string(utc.day) + "/" + utc.format("yyyy");
    return "Logged Off at " + shortDate + " " + utc.format("hh:nn:ss");
}

}  // namespace logging
