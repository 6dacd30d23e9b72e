#pragma once
// Byte strings for the rig tests, written as the operator writes them ("FE FE 64 E0 03 FD").

#include <string>

#include "rig/CatText.h"

inline std::string hexBytes(const std::string& spaced) {
    std::string packed;
    for (char c : spaced) {
        if (c != ' ') packed += c;
    }
    return *rig::HexPairsToBytes(packed);
}
