#include "spots/DxSpotLine.h"

#include <algorithm>
#include <cctype>

#include "logging/Text.h"

namespace spots {

namespace {
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
bool NumberChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// Columns 16-24, widened to the whole number a piece of which lies in them.
std::string FrequencyField(std::string_view spot) {
    constexpr size_t kFirst = 16, kWidth = 9;
    if (spot.size() < kFirst) return {};
    size_t begin = kFirst - 1;
    size_t end = std::min(spot.size(), begin + kWidth);
    if (NumberChar(spot[begin]))
        while (begin > 0 && NumberChar(spot[begin - 1])) --begin;
    if (NumberChar(spot[end - 1]))
        while (end < spot.size() && NumberChar(spot[end])) ++end;
    return logging::Trim(spot.substr(begin, end - begin));
}
}  // namespace

std::string_view Columns(std::string_view text, size_t from, size_t count) {
    if (from < 1 || from > text.size()) return {};
    return text.substr(from - 1, count);
}

bool BeginsSpotLine(std::string_view chunk) {
    constexpr std::string_view kStart = "dx de ";
    if (chunk.size() < 2) return false;
    const size_t n = std::min(chunk.size(), kStart.size());
    for (size_t i = 0; i < n; ++i)
        if (Lower(chunk[i]) != kStart[i]) return false;
    return true;
}

std::optional<size_t> SpotMark(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= ' ') ++i;
    if (line.size() - i < 2) return std::nullopt;
    const char d = line[i], x = line[i + 1];
    if ((d == 'D' || d == 'd') && (x == 'X' || x == 'x')) return i;
    return std::nullopt;
}

std::optional<DxSpotLine> ParseDxSpotLine(std::string_view line) {
    const auto mark = SpotMark(line);
    if (!mark) return std::nullopt;
    const std::string_view spot = line.substr(*mark);
    DxSpotLine out;
    out.frequency = FrequencyField(spot);
    out.call = logging::Trim(Columns(spot, 27, 13));
    out.record = logging::Trim(Columns(spot, 4, std::string_view::npos));
    return out;
}

}  // namespace spots
