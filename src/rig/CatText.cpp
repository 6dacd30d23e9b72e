#include "rig/CatText.h"

namespace rig {

namespace {
std::optional<char> pairByte(char hi, char lo) {
    const int h = HexValue(hi), l = HexValue(lo);
    if (h < 0 || l < 0) return std::nullopt;
    return static_cast<char>(h * 16 + l);
}

// The pairs of hex digits that start every `step` characters; nullopt when one is not a pair.
std::optional<std::string> pairsToBytes(const std::string& text, size_t step) {
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); i += step) {
        auto b = pairByte(text[i], text[i + 1]);
        if (!b) return std::nullopt;
        out += *b;
    }
    return out;
}

// Leading zeros of a run of digits dropped; an all-zero run gives "".
std::string dropLeadingZeros(const std::string& digits) {
    size_t i = 0;
    while (i < digits.size() && digits[i] == '0') ++i;
    return digits.substr(i);
}
}  // namespace

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string HexDigit(int value) {
    if (value < 0 || value > 15) return {};
    return std::string(1, "0123456789ABCDEF"[value]);
}

std::string ReplyToHex(const std::string& reply) {
    std::string out;
    out.reserve(reply.size() * 2);
    for (unsigned char b : reply) {
        out += HexDigit(b / 16);
        out += HexDigit(b % 16);
    }
    return out;
}

std::string ReplyToSpacedHex(const std::string& reply) {
    std::string out;
    out.reserve(reply.size() * 3);
    for (unsigned char b : reply) {
        out += HexDigit(b / 16);
        out += HexDigit(b % 16);
        out += ' ';
    }
    return out;
}

std::optional<std::string> SpacedHexToBytes(const std::string& text) { return pairsToBytes(text, 3); }

std::optional<std::string> SpacedHexPairs(const std::string& text, int pairs) {
    std::string out;
    for (int k = 0; k < pairs; ++k) {
        const size_t i = static_cast<size_t>(k) * 3;
        if (i + 1 >= text.size()) return std::nullopt;
        auto b = pairByte(text[i], text[i + 1]);
        if (!b) return std::nullopt;
        out += *b;
    }
    return out;
}

std::optional<std::string> HexPairsToBytes(const std::string& text) { return pairsToBytes(text, 2); }

std::string FormatCivFrequency(const std::string& digits) {
    if (digits.size() < 10) return {};
    return dropLeadingZeros(digits.substr(0, 3)) + digits.substr(3, 1) + "." + digits.substr(4, 6);
}

std::string FormatYaesuFrequency(const std::string& digits) {
    if (digits.size() < 8) return {};
    return dropLeadingZeros(digits.substr(0, 3)) + "." + digits.substr(3, 5);
}

}  // namespace rig
