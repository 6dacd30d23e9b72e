#include "rig/RawCommand.h"

#include "rig/CatText.h"

namespace rig {

HexCommand ConvertHexCommand(const std::string& text) {
    HexCommand result;
    for (size_t p = 0; p < text.size(); p += 3) {
        const std::string group = text.substr(p, 2);
        int value = 0;
        for (char c : group) {
            const int digit = HexValue(c);
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
