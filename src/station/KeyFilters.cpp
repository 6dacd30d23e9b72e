#include "station/KeyFilters.h"

namespace station {

void CapitalizeKey(int16_t& keyAscii) {
    if (keyAscii >= 'a' && keyAscii <= 'z') keyAscii = static_cast<int16_t>(keyAscii - 32);
}

void DigitsOnlyKey(int16_t& keyAscii) {
    if (keyAscii == 8) return;
    if (keyAscii >= '0' && keyAscii <= '9') return;
    keyAscii = 0;
}

}  // namespace station
