#include "platform/SerialLine.h"

#include <cctype>
#include <charconv>
#include <vector>

#include "platform/Platform.h"

namespace platform {

namespace {
std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

std::optional<int> wholeNumber(const std::string& s) {
    int v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}
}  // namespace

std::optional<SerialSettings> parseSerialSettings(const std::string& text) {
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        items.push_back(trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (items.size() != 4) return std::nullopt;
    SerialSettings s;
    auto baud = wholeNumber(items[0]);
    if (!baud || *baud < 50 || *baud > 4000000) return std::nullopt;
    s.baud = *baud;
    if (items[1].size() != 1) return std::nullopt;
    switch (std::toupper(static_cast<unsigned char>(items[1][0]))) {
        case 'N': s.parity = Parity::None; break;
        case 'E': s.parity = Parity::Even; break;
        case 'O': s.parity = Parity::Odd; break;
        case 'M': s.parity = Parity::Mark; break;
        case 'S': s.parity = Parity::Space; break;
        default: return std::nullopt;
    }
    auto data = wholeNumber(items[2]);
    if (!data || *data < 5 || *data > 8) return std::nullopt;
    s.dataBits = *data;
    auto stop = wholeNumber(items[3]);
    if (!stop || (*stop != 1 && *stop != 2)) return std::nullopt;
    s.stopBits = *stop;
    return s;
}

std::string formatSerialSettings(const SerialSettings& s) {
    static const char letters[] = {'N', 'E', 'O', 'M', 'S'};
    return std::to_string(s.baud) + "," + letters[static_cast<int>(s.parity)] + "," +
           std::to_string(s.dataBits) + "," + std::to_string(s.stopBits);
}

std::string comPortDevice(const Environment& environment, int port) {
    if (port < kFirstComPort || port > kLastComPort) return {};
    std::string named = environment.get("PALMETAR_COM" + std::to_string(port));
    if (!named.empty()) return named;
    return "/dev/ttyS" + std::to_string(port - 1);
}

}  // namespace platform
