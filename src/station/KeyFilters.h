#pragma once
#include <cstdint>

namespace station {

// Key filters of the entry fields. The key code is changed in place; 0 swallows the key.
void CapitalizeKey(int16_t& keyAscii);   // a..z become A..Z
void DigitsOnlyKey(int16_t& keyAscii);   // only 0..9 and Backspace pass

}  // namespace station
