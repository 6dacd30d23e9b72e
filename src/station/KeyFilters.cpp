#include "station/KeyFilters.h"

#include <algorithm>

namespace station {

void ApplyKey(FieldState& f, int16_t key) {
    const int len = static_cast<int>(f.text.size());
    f.caret = std::clamp(f.caret, 0, len);
    f.selLength = std::clamp(f.selLength, 0, len - f.caret);
    if (key == 8) {
        if (f.selLength > 0) {
            f.text.erase(static_cast<size_t>(f.caret), static_cast<size_t>(f.selLength));
        } else if (f.caret > 0) {
            f.text.erase(static_cast<size_t>(f.caret - 1), 1);
            --f.caret;
        }
        f.selLength = 0;
        return;
    }
    if (key < 32 || key > 255) return;
    f.text.replace(static_cast<size_t>(f.caret), static_cast<size_t>(f.selLength), 1, static_cast<char>(key));
    ++f.caret;
    f.selLength = 0;
}

void CapitalizeKey(int16_t& keyAscii) {
    if (keyAscii >= 'a' && keyAscii <= 'z') keyAscii = static_cast<int16_t>(keyAscii - 32);
}

void DigitsOnlyKey(int16_t& keyAscii) {
    if (keyAscii == 8) return;
    if (keyAscii >= '0' && keyAscii <= '9') return;
    keyAscii = 0;
}

void SecondsKey(int16_t& keyAscii) {
    if (keyAscii != '.') DigitsOnlyKey(keyAscii);
}

void CapitalNoQuoteKey(int16_t& keyAscii) {
    if (keyAscii == '"') keyAscii = 0;
    CapitalizeKey(keyAscii);
}

}  // namespace station
