#include "rig/CatDecoders.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "logging/Text.h"
#include "rig/CatText.h"
#include "station/WriteForm.h"

namespace rig {

namespace {

constexpr unsigned char kPreamble = 0xFE;
constexpr unsigned char kEnd = 0xFD;

// MHz from a whole number of Hz, to 10 Hz.
double mhzFromHz(uint64_t hz) { return std::round(static_cast<double>(hz) / 10.0) / 1e5; }
double mhzFromTenHz(uint64_t units) { return static_cast<double>(units) / 1e5; }

bool allDigits(const std::string& s, size_t from, size_t count) {
    if (from + count > s.size() || count == 0) return false;
    for (size_t i = from; i < from + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
    }
    return true;
}

uint64_t decimalValue(const std::string& s, size_t from, size_t count) {
    uint64_t v = 0;
    for (size_t i = from; i < from + count; ++i) v = v * 10 + static_cast<uint64_t>(s[i] - '0');
    return v;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int nibbleValue(char hexDigit) { return isDigit(hexDigit) ? hexDigit - '0' : hexDigit - 'A' + 10; }

uint64_t hexNumber(const std::string& hex, size_t from, size_t count) {
    uint64_t v = 0;
    for (size_t i = from; i < from + count; ++i) v = v * 16 + static_cast<uint64_t>(nibbleValue(hex[i]));
    return v;
}

struct CivFrame {
    unsigned char cmd = 0;
    std::string data;
};

// Complete frames, and where the last of them ends. A preamble may repeat (FE FE FE ..); an FE
// before the FD abandons the frame in progress, as a collision on the bus does.
std::vector<CivFrame> civFrames(const std::string& reply, size_t* completeEnd) {
    std::vector<CivFrame> frames;
    size_t end = 0;
    const size_t n = reply.size();
    size_t i = 0;
    while (i + 1 < n) {
        if (static_cast<unsigned char>(reply[i]) != kPreamble || static_cast<unsigned char>(reply[i + 1]) != kPreamble) {
            ++i;
            continue;
        }
        size_t j = i + 2;
        while (j < n && static_cast<unsigned char>(reply[j]) == kPreamble) ++j;
        size_t k = j;
        while (k < n && static_cast<unsigned char>(reply[k]) != kEnd && static_cast<unsigned char>(reply[k]) != kPreamble) ++k;
        if (k >= n) break;  // still arriving
        if (static_cast<unsigned char>(reply[k]) == kPreamble) {
            i = k;  // a new frame starts inside this one
            continue;
        }
        // reply[k] is FD: body = to, from, cmd, data..
        if (k - j >= 3) frames.push_back({static_cast<unsigned char>(reply[j + 2]), reply.substr(j + 3, k - j - 3)});
        end = k + 1;
        i = k + 1;
    }
    if (completeEnd) *completeEnd = end;
    return frames;
}

// 4 or 5 BCD bytes, least significant pair first, in Hz.
std::optional<uint64_t> civHz(const std::string& data) {
    if (data.size() != 4 && data.size() != 5) return std::nullopt;
    uint64_t hz = 0;
    for (size_t i = data.size(); i-- > 0;) {
        const auto b = static_cast<unsigned char>(data[i]);
        if ((b >> 4) > 9 || (b & 0x0F) > 9) return std::nullopt;
        hz = hz * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return hz;
}

}  // namespace

void RigReading::apply(const Decoded& d) {
    if (d.frequency) RigFrequency = *d.frequency;
    if (d.mode) RigMode = *d.mode;
    if (d.vfo) VfoFlag = *d.vfo;
}

Decoded DecodeKenwoodFrequency(const std::string& reply, const std::string& freqReadString) {
    Decoded d;
    if (freqReadString.size() < 3) return d;
    const size_t p = reply.find(freqReadString.substr(0, 2));
    // 11 digits and at least one character after them.
    if (p == std::string::npos || reply.size() < p + 14 || !allDigits(reply, p + 2, 11)) return d;
    d.frequency = mhzFromHz(decimalValue(reply, p + 2, 11));
    return d;
}

Decoded DecodeKenwoodMode(const std::string& reply) {
    Decoded d;
    const size_t p = reply.find("MD");
    if (p == std::string::npos || p + 2 >= reply.size() || !isDigit(reply[p + 2])) return d;
    d.mode = (reply[p + 2] == '3' || reply[p + 2] == '7') ? "CW" : "PH";
    return d;
}

Decoded DecodeKenwoodIf(const std::string& reply) {
    Decoded d;
    const size_t p = reply.find("IF");
    if (p == std::string::npos || reply.size() < p + 14 || !allDigits(reply, p + 2, 11)) return d;
    d.frequency = mhzFromHz(decimalValue(reply, p + 2, 11));
    d.mode = "PH";
    if (p + 29 < reply.size() && isDigit(reply[p + 29])) {
        if (reply[p + 29] == '3') d.mode = "CW";
        if (p + 30 < reply.size() && isDigit(reply[p + 30])) d.vfo = reply[p + 30] - '0';
    }
    return d;
}

Decoded DecodeFtdx9000(const std::string& reply, const std::string& freqReadString, const std::string& modeReadString) {
    Decoded d;
    if (freqReadString.size() >= 2) {
        const size_t p = reply.find(freqReadString.substr(0, 2));
        // Exactly eight digits, closed by ";": a cut answer is never read ten times too low.
        if (p != std::string::npos && allDigits(reply, p + 2, 8) && p + 10 < reply.size() && reply[p + 10] == ';')
            d.frequency = mhzFromHz(decimalValue(reply, p + 2, 8));
    }
    if (modeReadString.size() >= 3) {
        const size_t p = reply.find(modeReadString.substr(0, 3));
        if (p != std::string::npos && p + 3 < reply.size() && isDigit(reply[p + 3]))
            d.mode = reply[p + 3] == '3' ? "CW" : "PH";
    }
    return d;
}

Decoded DecodeCivFrequency(const std::string& reply) {
    Decoded d;
    for (const auto& f : civFrames(reply, nullptr)) {
        if (f.cmd != 0x03) continue;
        if (auto hz = civHz(f.data)) d.frequency = mhzFromHz(*hz);
    }
    return d;
}

Decoded DecodeCivMode(const std::string& reply) {
    Decoded d;
    for (const auto& f : civFrames(reply, nullptr)) {
        if (f.cmd != 0x04 || f.data.empty()) continue;
        d.mode = static_cast<unsigned char>(f.data[0]) == 0x03 ? "CW" : "PH";
    }
    return d;
}

size_t CivCompleteLength(const std::string& reply) {
    size_t end = 0;
    civFrames(reply, &end);
    return end;
}

std::string CivIncompleteTail(const std::string& reply) {
    const size_t end = CivCompleteLength(reply);
    const size_t start = reply.find(static_cast<char>(kPreamble), end);
    if (start == std::string::npos) return {};
    return reply.substr(start);
}

Decoded DecodeYaesuStatus(const std::string& reply) {
    Decoded d;
    if (reply.size() != 5) return d;
    const std::string hex = ReplyToHex(reply);
    // The mode byte's two hex digits are read as a decimal number; a letter drops the reply.
    if (!isDigit(hex[8]) || !isDigit(hex[9])) return d;
    const int m = (hex[8] - '0') * 10 + (hex[9] - '0');
    if (!allDigits(hex, 0, 8)) return d;
    d.frequency = mhzFromTenHz(decimalValue(hex, 0, 8));
    if (m == 0 || m == 1 || m == 4 || m == 8 || m == 84 || m == 88) d.mode = "PH";
    if (m == 2 || m == 3 || m == 82 || m == 83) d.mode = "CW";
    return d;
}

Decoded DecodeYaesu757(const std::string& reply) {
    Decoded d;
    if (reply.size() < 10) return d;
    const std::string hex = ReplyToHex(reply.substr(0, 10));
    // Bytes 9, 8, 7, 6: the most significant pair first.
    const std::string digits = hex.substr(16, 2) + hex.substr(14, 2) + hex.substr(12, 2) + hex.substr(10, 2);
    if (!allDigits(digits, 0, 8)) return d;
    d.frequency = mhzFromTenHz(decimalValue(digits, 0, 8));
    // Byte 10 as a decimal number up to its first letter.
    int m = 0;
    if (isDigit(hex[18])) m = isDigit(hex[19]) ? (hex[18] - '0') * 10 + (hex[19] - '0') : hex[18] - '0';
    if (m == 0 || m == 1) d.mode = "PH";
    if (m == 2 || m == 3) d.mode = "CW";
    if (m == 4) d.mode = "AM";
    if (m == 5) d.mode = "FM";
    return d;
}

Decoded DecodeYaesuStatusBlock(RigKind kind, const std::string& reply) {
    Decoded d;
    if (reply.size() < 8) return d;
    const std::string hex = ReplyToHex(reply);
    size_t from = 0, count = 6;
    double divisor = 1e5;
    switch (kind) {
        case RigKind::Yaesu890: from = 4; break;
        case RigKind::Yaesu1000: from = 3; break;
        case RigKind::Yaesu990:
        case RigKind::Yaesu1000D: from = 2; break;
        case RigKind::Yaesu920: from = 2; count = 8; divisor = 1e6; break;
        default: return d;
    }
    d.frequency = std::round(static_cast<double>(hexNumber(hex, from, count)) / divisor * 1e5) / 1e5;
    const int modeDigit = nibbleValue(hex[15]);
    if (kind == RigKind::Yaesu920) {
        d.mode = modeDigit == 1 ? "CW" : "PH";
    } else if (modeDigit == 2) {
        d.mode = "CW";
    } else if (modeDigit <= 7) {
        d.mode = "PH";
    }
    return d;
}

Decoded DecodeTenTecFrequency(const std::string& reply) {
    Decoded d;
    if (reply.size() < 5) return d;
    uint64_t hz = 0;
    for (size_t i = 1; i <= 4; ++i) hz = hz * 256 + static_cast<unsigned char>(reply[i]);
    d.frequency = mhzFromHz(hz);
    return d;
}

Decoded DecodeTenTecMode(const std::string& reply) {
    Decoded d;
    if (reply.size() < 3) return d;
    const int m = static_cast<unsigned char>(reply[1]) & 0x0F;
    if (m == 3) d.mode = "CW";
    if (m == 0 || m == 1 || m == 2 || m == 4) d.mode = "PH";
    return d;
}

Decoded DecodeOrionFrequency(const std::string& reply) {
    Decoded d;
    const size_t p = reply.find("@AF");
    if (p == std::string::npos) return d;
    const size_t q = reply.find('\r', p);
    if (q == std::string::npos || q - p - 3 > 11 || !allDigits(reply, p + 3, q - p - 3)) return d;
    d.frequency = mhzFromHz(decimalValue(reply, p + 3, q - p - 3));
    return d;
}

Decoded DecodeOrionMode(const std::string& reply) {
    Decoded d;
    const size_t p = reply.find("@RMM");
    if (p == std::string::npos || p + 4 >= reply.size() || !isDigit(reply[p + 4])) return d;
    d.mode = (reply[p + 4] == '2' || reply[p + 4] == '3') ? "CW" : "PH";
    return d;
}

Decoded ReadPegasusFile(const std::string& bytes) {
    Decoded d;
    station::WriteFormReader reader(bytes);
    try {
        d.frequency = reader.readDouble();
        std::string mode = reader.readText();
        if (logging::SameText(mode, "CW")) mode = "CW";
        else if (!mode.empty()) mode = "PH";
        d.mode = mode;
    } catch (const station::FileError&) {
    }
    return d;
}

size_t UnframedReplyLength(RigKind kind, bool frequencyTurn) {
    switch (kind) {
        case RigKind::Yaesu: return 5;
        case RigKind::Yaesu757: return 10;
        case RigKind::TenTecFrontPanel: return frequencyTurn ? 5 : 3;
        default: return IsYaesuStatus(kind) ? 8 : 0;
    }
}

bool UnframedReplyIsExact(RigKind kind) { return kind == RigKind::Yaesu; }

bool AnswerIsWhole(RigKind kind, const std::string& reply, bool frequencyTurn, const std::string& freqReadString,
                   const std::string& modeReadString) {
    if (UnframedReplyIsExact(kind)) return false;
    if (HasUnframedReply(kind)) return reply.size() >= UnframedReplyLength(kind, frequencyTurn);
    const Decoded d = DecodeReply(kind, reply, frequencyTurn, freqReadString, modeReadString);
    switch (kind) {
        case RigKind::Kenwood:
        case RigKind::Elecraft:
            return (freqReadString.size() < 3 || d.frequency) && (modeReadString.empty() || d.mode);
        case RigKind::Kenwood2: return d.frequency && d.vfo;
        case RigKind::Orion: return (freqReadString.empty() || d.frequency) && (modeReadString.empty() || d.mode);
        case RigKind::Icom:
        case RigKind::Icom735:
        case RigKind::OmniVI:
        case RigKind::Ftdx9000: return frequencyTurn ? d.frequency.has_value() : d.mode.has_value();
        default: return false;
    }
}

Decoded DecodeReply(RigKind kind, const std::string& reply, bool frequencyTurn, const std::string& freqReadString,
                    const std::string& modeReadString) {
    auto both = [](Decoded f, const Decoded& m) {
        if (m.mode) f.mode = m.mode;
        return f;
    };
    switch (kind) {
        case RigKind::Kenwood:
        case RigKind::Elecraft: return both(DecodeKenwoodFrequency(reply, freqReadString), DecodeKenwoodMode(reply));
        case RigKind::Kenwood2: return DecodeKenwoodIf(reply);
        case RigKind::Icom:
        case RigKind::Icom735:
        case RigKind::OmniVI: return both(DecodeCivFrequency(reply), DecodeCivMode(reply));
        case RigKind::Yaesu: return DecodeYaesuStatus(reply);
        case RigKind::Yaesu757: return DecodeYaesu757(reply);
        case RigKind::Yaesu890:
        case RigKind::Yaesu920:
        case RigKind::Yaesu990:
        case RigKind::Yaesu1000D:
        case RigKind::Yaesu1000: return DecodeYaesuStatusBlock(kind, reply);
        case RigKind::Ftdx9000: return DecodeFtdx9000(reply, freqReadString, modeReadString);
        case RigKind::TenTecFrontPanel: return frequencyTurn ? DecodeTenTecFrequency(reply) : DecodeTenTecMode(reply);
        case RigKind::Orion: return both(DecodeOrionFrequency(reply), DecodeOrionMode(reply));
        default: return {};
    }
}

}  // namespace rig
