#include "rig/RawCommand.h"

namespace rig {

namespace {
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

HexCommand ConvertHexCommand(const std::string& text) {
    HexCommand result;
    for (size_t p = 0; p < text.size(); p += 3) {
        const std::string group = text.substr(p, 2);
        int value = 0;
        for (char c : group) {
            const int digit = hexValue(c);
            if (digit < 0) {
                result.bytes.clear();
                result.badPair = group;
                return result;
            }
            value = value * 16 + digit;
        }
        result.bytes += static_cast<char>(value);
    }
    result.ok = true;
    return result;
}

}  // namespace rig
