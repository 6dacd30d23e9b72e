#include "spots/SpotHistory.h"

#include <cstdlib>

#include "logging/Text.h"

namespace spots {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!IsDigit(c)) return false;
    return true;
}

}  // namespace

int64_t SpotHistory::AgeSeconds(int i, int64_t nowMonotonicMs) const {
    const int64_t ms = nowMonotonicMs - SpotTimes.at(static_cast<size_t>(i)).monotonicMs;
    // Whole seconds, rounded down also below zero.
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

std::string SpotPrefix(std::string_view call) {
    const size_t n = call.size();
    if (n < 3) return {};
    size_t slash = 0, digit = 0;  // positions counted from 1; 0 = none
    for (size_t i = 0; i < n; ++i) {
        if (call[i] == '/') slash = i + 1;
        if (IsDigit(call[i])) digit = i + 1;
    }
    const size_t e = digit ? digit : n;
    if (!slash) return std::string(call.substr(0, e));
    // Before the middle: the part before the slash is the prefix the station operates under.
    if (static_cast<double>(slash) < static_cast<double>(n) / 2.0 + 1.0) return std::string(call.substr(0, slash - 1));
    const std::string_view after = call.substr(slash, e);
    if (!AllDigits(after)) return std::string(after);
    // A call-area digit after the slash replaces the call's own.
    size_t firstDigit = 0;
    while (firstDigit < n && !IsDigit(call[firstDigit])) ++firstDigit;
    return std::string(call.substr(0, firstDigit)) + std::string(after);
}

std::optional<double> ParsePlainNumber(std::string_view text) {
    if (text.empty() || text.size() > 32) return std::nullopt;
    int points = 0, digits = 0;
    for (char c : text) {
        if (c == '.') ++points;
        else if (IsDigit(c)) ++digits;
        else return std::nullopt;
    }
    if (points > 1 || digits == 0) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size()) return std::nullopt;
    return value;
}

std::optional<double> ParseSpotKHz(std::string_view text) {
    const auto value = ParsePlainNumber(text);
    if (!value || !(*value >= 1.0) || !(*value < 1e9)) return std::nullopt;
    return value;
}

std::optional<double> StoreSpot(SpotHistory& h, std::string_view call, std::string_view kHzText, const SpotTime& now) {
    const auto kHz = ParseSpotKHz(kHzText);
    if (!kHz) return std::nullopt;
    const double mhz = *kHz / 1000.0;
    for (int i = 1; i < SpotHistory::kSlots; ++i) {
        h.SpotCalls[i - 1] = std::move(h.SpotCalls[i]);
        h.SpotFreqs[i - 1] = h.SpotFreqs[i];
        h.SpotTimes[i - 1] = h.SpotTimes[i];
        h.SpotPrefixes[i - 1] = std::move(h.SpotPrefixes[i]);
    }
    constexpr int newest = SpotHistory::kSlots - 1;
    h.SpotCalls[newest] = std::string(call);
    h.SpotFreqs[newest] = static_cast<float>(mhz);
    h.SpotTimes[newest] = now;
    h.SpotTimes[newest].set = true;
    h.SpotPrefixes[newest] = SpotPrefix(call);
    // Slot 0 is not looked at: a call whose only earlier entry just reached it shows twice
    // until the next spot pushes that entry out.
    for (int i = newest - 1; i >= 1; --i) {
        if (logging::SameText(h.SpotCalls[i], call)) {
            h.SpotFreqs[i] = 0;
            break;
        }
    }
    return mhz;
}

}  // namespace spots

