#pragma once
// SpotHistory: the 50 newest DX spots, which the band map and the spectrum map draw. Slot 49
// holds the newest; each new spot moves the others one slot down and what slot 0 held is lost.
// A frequency of 0 hides a slot from both maps. The store lives in the Session for the whole
// run and is never written to a file.
//
// Arrival times are kept twice: on the monotonic clock, which ages the spots (a change of the
// wall clock or midnight neither reorders nor expires them), and as the local date and time,
// which the tool tips show in UTC.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace spots {

struct SpotTime {
    int64_t monotonicMs = 0;
    platform::DateTime local;
    bool set = false;  // false: the slot never held a spot
};

struct SpotHistory {
    static constexpr int kSlots = 50;
    std::array<std::string, kSlots> SpotCalls{};
    std::array<float, kSlots> SpotFreqs{};  // MHz, single precision; 0 = hidden
    std::array<SpotTime, kSlots> SpotTimes{};
    std::array<std::string, kSlots> SpotPrefixes{};

    // Whole seconds from slot i's arrival to now (monotonic).
    int64_t AgeSeconds(int i, int64_t nowMonotonicMs) const;
};

// The caption of a spot's label on the maps, from the call alone.
std::string SpotPrefix(std::string_view call);

// Digits with at most one decimal point and nothing else, as a number; nullopt otherwise.
std::optional<double> ParsePlainNumber(std::string_view text);

// A spot's kHz text read strictly: digits with at most one decimal point, nothing else (no
// sign, exponent, blanks or separators), and a value from 1 kHz up to, not including, 10^9 kHz. nullopt for
// anything else, so a spot that could not be drawn or tuned never enters the store.
std::optional<double> ParseSpotKHz(std::string_view text);

// The first steps of BandMapSpots: the frequency is checked before anything changes; then the
// store shifts, slot 49 takes the spot, and the newest older slot (48 down to 1) with the same
// call in any letter case is hidden. Returns the frequency in MHz (double), nullopt when the
// spot was refused and the store is unchanged.
std::optional<double> StoreSpot(SpotHistory& history, std::string_view call, std::string_view kHzText,
                                const SpotTime& now);

}  // namespace spots
