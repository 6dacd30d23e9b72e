#pragma once
#include <cstdint>
#include <string>

namespace platform {

// A calendar date and time with millisecond resolution; no time zone of its own.
struct DateTime {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0, msec = 0;

    // Days since 1970-01-01 for this date (proleptic Gregorian).
    int64_t daysSinceEpoch() const;
    int64_t secondsSinceEpoch() const;
    static DateTime fromSecondsSinceEpoch(int64_t seconds);
    DateTime addSeconds(int64_t seconds) const;
    DateTime addMinutes(double minutes) const;  // whole seconds, rounded
    // Formats with the tokens yyyy, mm (month), dd, hh, nn (minutes), ss; other text is copied.
    std::string format(const std::string& pattern) const;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime localNow() const = 0;
    virtual DateTime utcNow() const = 0;
    virtual int64_t monotonicMs() const = 0;  // milliseconds from an arbitrary start
};

}  // namespace platform
