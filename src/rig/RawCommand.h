#pragma once
// The raw-command test window's hexadecimal commands: pairs of hex digits, one character between
// pairs ("FE FE 64 E0 05 FD"), read in steps of three characters.

#include <string>

namespace rig {

struct HexCommand {
    bool ok = false;
    std::string bytes;    // one byte per pair, in order; a single digit at the very end is a byte 0..15
    std::string badPair;  // the first group that is not hexadecimal (nothing is sent then)
};

// Reads the pairs at positions 1, 4, 7, ... (the character between two pairs is not looked at);
// "fe" and "FE" are the same byte. An empty text gives no bytes.
HexCommand ConvertHexCommand(const std::string& text);

}  // namespace rig
