#include "spots/DxSpotLine.h"

namespace spots {

std::string TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string_view Columns(std::string_view text, size_t from, size_t count) {
    if (from < 1 || from > text.size()) return {};
    return text.substr(from - 1, count);
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
    out.frequency = TrimSpaces(Columns(spot, 16, 9));
    out.call = TrimSpaces(Columns(spot, 27, 13));
    out.record = TrimSpaces(Columns(spot, 4, std::string_view::npos));
    return out;
}

}  // namespace spots
