#include "rig/CatCommands.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "rig/CatText.h"

namespace rig {

namespace {

// A whole number as `width` decimal digits, zero-padded; a longer number keeps all its digits.
std::string padded(uint64_t value, int width) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), '0');
    return s;
}

// Decimal digits taken two at a time as BCD bytes, in the order given.
std::string bcd(const std::string& digits) {
    std::string out;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        out += static_cast<char>(((digits[i] - '0') << 4) | (digits[i + 1] - '0'));
    return out;
}

std::string reversedPairs(const std::string& bytes) { return std::string(bytes.rbegin(), bytes.rend()); }

// The CI-V address: characters 7 and 8 of the frequency read string.
std::optional<std::string> civAddress(const std::string& freqReadString) {
    if (freqReadString.size() < 8) return std::nullopt;
    return HexPairsToBytes(freqReadString.substr(6, 2));
}

std::string bytesOf(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

std::string tooWide(double mhz) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f MHz does not fit the rig's frequency command.", mhz);
    return text;
}

}  // namespace

PollRequest BuildPollRequest(RigKind kind, const ReadStrings& s, bool frequencyTurn) {
    PollRequest r;
    auto pairs = [&](const std::string& text, size_t longerThan, int count) {
        if (text.size() <= longerThan) return;
        if (auto b = SpacedHexPairs(text, count)) r.bytes += *b;
        else r.valid = false;
    };
    switch (kind) {
        case RigKind::Kenwood:
        case RigKind::Kenwood2:
        case RigKind::Elecraft: r.bytes = s.freq + s.mode; break;
        case RigKind::Orion:
            if (!s.freq.empty()) r.bytes += s.freq + "\r";
            if (!s.mode.empty()) r.bytes += s.mode + "\r";
            break;
        case RigKind::Icom:
        case RigKind::Icom735:
        case RigKind::OmniVI:
            r.alternates = true;
            pairs(frequencyTurn ? s.freq : s.mode, 16, 6);
            break;
        case RigKind::TenTecFrontPanel:
            r.alternates = true;
            pairs(frequencyTurn ? s.freq : s.mode, 6, 3);
            break;
        case RigKind::Ftdx9000: {
            r.alternates = true;
            const std::string& text = frequencyTurn ? s.freq : s.mode;
            if (text.size() > 1) r.bytes = text;
            break;
        }
        case RigKind::Yaesu:
        case RigKind::Yaesu757:
        case RigKind::Yaesu890:
        case RigKind::Yaesu920:
        case RigKind::Yaesu990:
        case RigKind::Yaesu1000D:
        case RigKind::Yaesu1000: pairs(s.freq, 13, 5); break;
        case RigKind::Other:
            for (const std::string* text : {&s.freq, &s.mode}) {
                if (text->empty()) continue;
                if (!s.convertToHex) {
                    r.bytes += *text;
                } else if (auto b = SpacedHexToBytes(*text)) {
                    r.bytes += *b;
                } else {
                    r.valid = false;
                }
            }
            break;
        default: break;
    }
    if (!r.valid) r.bytes.clear();
    return r;
}

std::optional<std::string> BadReadString(RigKind kind, const ReadStrings& s) {
    static const std::string freqName = "String to read frequency";
    static const std::string modeName = "String to read mode";
    auto pairsOk = [](const std::string& text, size_t longerThan, int count) {
        return text.size() <= longerThan || SpacedHexPairs(text, count).has_value();
    };
    if (IsCiv(kind)) {
        if (!pairsOk(s.freq, 16, 6)) return freqName;
        if (!pairsOk(s.mode, 16, 6)) return modeName;
    } else if (kind == RigKind::TenTecFrontPanel) {
        if (!pairsOk(s.freq, 6, 3)) return freqName;
        if (!pairsOk(s.mode, 6, 3)) return modeName;
    } else if (kind == RigKind::Yaesu || kind == RigKind::Yaesu757 || IsYaesuStatus(kind)) {
        if (!pairsOk(s.freq, 13, 5)) return freqName;
    } else if (kind == RigKind::Other && s.convertToHex) {
        if (!SpacedHexToBytes(s.freq)) return freqName;
        if (!SpacedHexToBytes(s.mode)) return modeName;
    }
    return std::nullopt;
}

std::string OpenBytes(const std::string& rigType) {
    if (IsLegacyYaesu(rigType)) return bytesOf({0, 0, 0, 0, 0});
    if (KindOf(rigType) == RigKind::Orion) return "X\r";
    return {};
}

std::string CloseBytes(const std::string& rigType) {
    return IsLegacyYaesu(rigType) ? bytesOf({0, 0, 0, 0, 0x80}) : std::string();
}

FrequencyCommand EncodeFrequencyCommand(RigKind kind, double mhz, const ReadStrings& s, int vfoFlag) {
    FrequencyCommand c;
    if (kind == RigKind::Other || kind == RigKind::None || kind == RigKind::Unknown) return c;
    if (!(mhz > 0) || !std::isfinite(mhz) || mhz >= 1e7) {
        c.refusal = tooWide(mhz);
        if (!(mhz > 0)) c.refusal = "A frequency of 0 or below cannot be sent to the rig.";
        return c;
    }
    const auto hz = static_cast<uint64_t>(std::llround(mhz * 1e6));
    const auto tenHz = static_cast<uint64_t>(std::llround(mhz * 1e5));
    auto limit = [&](uint64_t value, uint64_t bound) {
        if (value == 0) c.refusal = "A frequency of 0 or below cannot be sent to the rig.";
        else if (value >= bound) c.refusal = tooWide(mhz);
        return c.refusal.empty();
    };
    c.delayMs = 205;
    switch (kind) {
        case RigKind::Kenwood:
            if (limit(hz, 100000000000ULL)) c.bytes = s.freq.substr(0, 2) + padded(hz, 11) + ";";
            break;
        case RigKind::Kenwood2:
            if (limit(hz, 100000000000ULL)) c.bytes = std::string(vfoFlag == 1 ? "FB" : "FA") + padded(hz, 11) + ";";
            break;
        case RigKind::Elecraft:
            c.delayMs = 1205;
            if (limit(hz, 100000000000ULL)) c.bytes = "FA" + padded(hz, 11) + ";";
            break;
        case RigKind::Ftdx9000:
            if (limit(hz, 100000000ULL)) c.bytes = s.freq.substr(0, 2) + padded(hz, 8) + ";";
            break;
        case RigKind::Icom:
        case RigKind::Icom735:
        case RigKind::OmniVI: {
            c.delayMs = kind == RigKind::OmniVI ? 360 : 140;
            const auto address = civAddress(s.freq);
            if (!address) {
                c.refusal = "The rig's CI-V address (characters 7 and 8 of the string to read frequency) is not a hex pair.";
                break;
            }
            if (limit(hz, 10000000000ULL))
                c.bytes = bytesOf({0xFE, 0xFE}) + *address + bytesOf({0xE0, 0x05}) + reversedPairs(bcd(padded(hz, 10))) +
                          bytesOf({0xFD});
            break;
        }
        case RigKind::Yaesu:
            if (limit(tenHz, 100000000ULL)) c.bytes = bcd(padded(tenHz, 8)) + bytesOf({0x01});
            break;
        case RigKind::Yaesu757:
        case RigKind::Yaesu890:
        case RigKind::Yaesu920:
        case RigKind::Yaesu990:
        case RigKind::Yaesu1000D:
        case RigKind::Yaesu1000:
            if (kind == RigKind::Yaesu1000) c.delayMs = 10;
            if (limit(tenHz, 100000000ULL)) c.bytes = reversedPairs(bcd(padded(tenHz, 8))) + bytesOf({0x0A});
            break;
        case RigKind::TenTecFrontPanel:
            if (limit(hz, 0x100000000ULL))
                c.bytes = bytesOf({0x2A, 0x41, static_cast<int>((hz >> 24) & 0xFF), static_cast<int>((hz >> 16) & 0xFF),
                                   static_cast<int>((hz >> 8) & 0xFF), static_cast<int>(hz & 0xFF), 0x0D});
            break;
        case RigKind::Orion:
            if (limit(hz, 10000000000000ULL)) c.bytes = "*AF" + OrionMhzText(mhz) + "\r";
            break;
        case RigKind::Pegasus: limit(hz, 10000000000000ULL); break;
        default: break;
    }
    if (!c.refusal.empty()) c.bytes.clear();
    return c;
}

std::string EncodeModeCommand(RigKind kind, const std::string& mode, const ReadStrings& s) {
    struct Row {
        const char* mode;
        const char* kenwood;
        int icom;       // -1: none
        int yaesu;      // first byte of "mm 00 00 00 07"; -1 none
        int yaesuStat;  // "00 00 00 mm 0C"; -1 none
        char ftdx;      // 0 none
    };
    static const Row rows[] = {
        {"CW", "MD3;", 0x03, 0x02, 0x02, '3'},     {"LSB", "MD1;", 0x00, 0x00, 0x00, '1'},
        {"USB", "MD2;", 0x01, 0x01, 0x01, '2'},    {"AM", "MD5;", 0x02, 0x04, 0x04, '5'},
        {"FM", "MD4;", 0x05, 0x08, 0x06, '4'},     {"RTTY", "MD6;", 0x04, 0x0A, 0x08, '6'},
        {"FSK", "MD6;", -1, -1, -1, 0},            {"CW-R", "", 0x07, -1, 0x03, '7'},
        {"RTTY-R", "", 0x08, -1, -1, 0},           {"DIG", "", -1, 0x0A, -1, 0},
        {"PKT", "", -1, 0x0C, 0x0A, 0},
    };
    const Row* row = nullptr;
    for (const auto& r : rows) {
        if (mode == r.mode) row = &r;
    }
    if (!row) return {};
    switch (kind) {
        case RigKind::Kenwood:
        case RigKind::Kenwood2:
        case RigKind::Elecraft: return row->kenwood;
        case RigKind::Icom:
        case RigKind::OmniVI: {
            const auto address = civAddress(s.freq);
            if (row->icom < 0 || !address) return {};
            return bytesOf({0xFE, 0xFE}) + *address + bytesOf({0xE0, 0x06, row->icom, 0xFD});
        }
        case RigKind::Yaesu:
            if (row->yaesu < 0) return {};
            return bytesOf({row->yaesu, 0, 0, 0, 0x07});
        case RigKind::Yaesu757:
        case RigKind::Yaesu890:
        case RigKind::Yaesu920:
        case RigKind::Yaesu990:
        case RigKind::Yaesu1000D:
        case RigKind::Yaesu1000:
            if (row->yaesuStat < 0) return {};
            return bytesOf({0, 0, 0, row->yaesuStat, 0x0C});
        case RigKind::Ftdx9000:
            if (!row->ftdx) return {};
            return s.mode.substr(0, 3) + row->ftdx + ";";
        default: return {};
    }
}

std::string OrionMhzText(double mhz) {
    int integerDigits = 1;
    for (double v = std::fabs(mhz); v >= 10.0 && integerDigits < 7; v /= 10.0) ++integerDigits;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", 7 - integerDigits, mhz);
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s;
}

std::string PegasusInText(double mhz, const std::string& mode) {
    auto trim = [](std::string t) {
        while (!t.empty() && t.front() == ' ') t.erase(t.begin());
        while (!t.empty() && t.back() == ' ') t.pop_back();
        return t;
    };
    return OrionMhzText(mhz) + "\r\n" + trim(mode) + "\r\n";
}

}  // namespace rig
