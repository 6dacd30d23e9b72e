#include "support/RigEmulator.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace fakes {

namespace {

std::string bytesOf(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

// Ten decimal digits taken as five BCD bytes, least significant pair first.
std::string bcdLeastFirst(uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        const int pair = static_cast<int>(value % 100);
        out += static_cast<char>(((pair / 10) << 4) | (pair % 10));
        value /= 100;
    }
    return out;
}

std::string bcdMostFirst(uint64_t value, int bytes) {
    std::string s = bcdLeastFirst(value, bytes);
    return std::string(s.rbegin(), s.rend());
}

uint64_t fromBcdLeastFirst(const std::string& data) {
    uint64_t v = 0;
    for (size_t i = data.size(); i-- > 0;) {
        const auto b = static_cast<unsigned char>(data[i]);
        v = v * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return v;
}

uint64_t fromBcdMostFirst(const std::string& data) { return fromBcdLeastFirst(std::string(data.rbegin(), data.rend())); }

int lookup(const std::map<std::string, int>& table, const std::string& mode, int fallback) {
    auto it = table.find(mode);
    return it == table.end() ? fallback : it->second;
}

std::string reverseLookup(const std::map<std::string, int>& table, int code) {
    for (const auto& [name, value] : table) {
        if (value == code) return name;
    }
    return {};
}

const std::map<std::string, int> kKenwoodModes = {{"LSB", 1}, {"USB", 2}, {"CW", 3}, {"FM", 4},
                                                  {"AM", 5},  {"RTTY", 6}, {"CW-R", 7}};
const std::map<std::string, int> kCivModes = {{"LSB", 0}, {"USB", 1}, {"AM", 2}, {"CW", 3},
                                              {"RTTY", 4}, {"FM", 5}, {"CW-R", 7}};
const std::map<std::string, int> kFt817Modes = {{"LSB", 0}, {"USB", 1}, {"CW", 2}, {"CW-R", 3},
                                                {"AM", 4},  {"FM", 8},  {"RTTY", 0x0A}};
const std::map<std::string, int> k757Modes = {{"LSB", 0}, {"USB", 1}, {"CW", 2}, {"CW-R", 3}, {"AM", 4}, {"FM", 5}};
const std::map<std::string, int> kStatusModes = {{"LSB", 0}, {"USB", 1}, {"CW", 2}, {"AM", 3}, {"FM", 4}, {"RTTY", 5}};
// The FT-920 keeps the sideband in bit 6: LSB 00, USB 40.
const std::map<std::string, int> k920Modes = {{"LSB", 0x00}, {"USB", 0x40}, {"CW", 0x01}, {"AM", 0x02}, {"FM", 0x03}};
const std::map<std::string, int> kStatusSetModes = {{"LSB", 0}, {"USB", 1}, {"CW", 2}, {"CW-R", 3},
                                                    {"AM", 4},  {"FM", 6},  {"RTTY", 8}};
const std::map<std::string, int> kTenTecModes = {{"AM", 0}, {"USB", 1}, {"LSB", 2}, {"CW", 3}, {"FM", 4}};
const std::map<std::string, int> kOrionModes = {{"USB", 0}, {"LSB", 1}, {"CW", 2}, {"CW-R", 3},
                                                {"AM", 4},  {"FM", 5},  {"RTTY", 6}};

bool isStatusYaesu(const std::string& f) {
    return f == "yaesu890" || f == "yaesu920" || f == "yaesu990" || f == "yaesu1000d" || f == "yaesu1000";
}

}  // namespace

RigEmulator::RigEmulator(Options options) : options_(std::move(options)) {}

bool RigEmulator::knownFamily(const std::string& f) {
    return f == "kenwood" || f == "ftdx9000" || f == "civ" || f == "civ4" || f == "yaesu" || f == "yaesu757" ||
           isStatusYaesu(f) || f == "tentec" || f == "orion";
}

void RigEmulator::setFrequency(uint64_t hz) {
    hz_ = hz;
    changes.push_back("freq " + std::to_string(hz));
}

void RigEmulator::changeMode(const std::string& mode) {
    if (mode.empty()) return;
    mode_ = mode;
    changes.push_back("mode " + mode);
}

std::string RigEmulator::receive(const std::string& bytes) {
    pending_ += bytes;
    std::string out;
    const std::string& f = options_.family;
    auto reply = [&](const std::string& r) {
        if (!r.empty()) out += options_.junk + r;
    };
    if (f == "kenwood" || f == "ftdx9000" || f == "tentec" || f == "orion") {
        const char end = (f == "kenwood" || f == "ftdx9000") ? ';' : '\r';
        size_t at;
        while ((at = pending_.find(end)) != std::string::npos) {
            const std::string command = pending_.substr(0, at);
            pending_.erase(0, at + 1);
            if (f == "kenwood") reply(kenwood(command));
            else if (f == "ftdx9000") reply(ftdx(command));
            else if (f == "tentec") reply(tentec(command));
            else reply(orion(command));
        }
    } else if (f == "civ" || f == "civ4") {
        size_t end;
        while ((end = pending_.find('\xFD')) != std::string::npos) {
            std::string frame = pending_.substr(0, end + 1);
            pending_.erase(0, end + 1);
            const size_t start = frame.find("\xFE\xFE");
            if (start == std::string::npos) continue;
            frame.erase(0, start);
            if (options_.echo) out += frame;  // the bus carries every frame back to its sender
            reply(civ(frame));
        }
    } else {
        while (pending_.size() >= 5) {
            const std::string block = pending_.substr(0, 5);
            pending_.erase(0, 5);
            reply(yaesu(block));
        }
    }
    return out;
}

std::string RigEmulator::kenwood(const std::string& c) {
    char text[64];
    if (c == "ID") return "ID019;";
    if (c == "FA" || c == "FB") {
        std::snprintf(text, sizeof text, "%s%011llu;", c.c_str(), static_cast<unsigned long long>(hz_));
        return text;
    }
    if ((c.rfind("FA", 0) == 0 || c.rfind("FB", 0) == 0) && c.size() == 13) {
        setFrequency(std::strtoull(c.c_str() + 2, nullptr, 10));
        return {};
    }
    if (c == "MD") return "MD" + std::to_string(lookup(kKenwoodModes, mode_, 2)) + ";";
    if (c.rfind("MD", 0) == 0 && c.size() == 3) {
        changeMode(reverseLookup(kKenwoodModes, c[2] - '0'));
        return {};
    }
    if (c == "IF") {
        // IF, 11 frequency digits, 4 step, 6 RIT, RIT, XIT, 0, 2 memory, TX, mode, VFO, scan,
        // split, tone, 2 tone number, 0.
        std::snprintf(text, sizeof text, "IF%011llu    +00000000000%d%d000000;", static_cast<unsigned long long>(hz_),
                      lookup(kKenwoodModes, mode_, 2), vfo_);
        return text;
    }
    if (c == "FR" || c == "FT") return c + std::to_string(vfo_) + ";";
    if ((c.rfind("FR", 0) == 0 || c.rfind("FT", 0) == 0) && c.size() == 3) {
        vfo_ = c[2] - '0';
        return {};
    }
    if (c == "AI") return "AI0;";
    if (c.rfind("AI", 0) == 0) return {};
    if (c == "PS") return "PS1;";
    if (c == "FV") return "FV1.00;";
    return "?;";
}

std::string RigEmulator::ftdx(const std::string& c) {
    char text[32];
    if (c == "FA") {
        std::snprintf(text, sizeof text, "FA%08llu;", static_cast<unsigned long long>(hz_));
        return text;
    }
    if (c.rfind("FA", 0) == 0 && c.size() == 10) {
        setFrequency(std::strtoull(c.c_str() + 2, nullptr, 10));
        return {};
    }
    if (c == "MD0") return "MD0" + std::to_string(lookup(kKenwoodModes, mode_, 2)) + ";";
    if (c.rfind("MD0", 0) == 0 && c.size() == 4) {
        changeMode(reverseLookup(kKenwoodModes, c[3] - '0'));
        return {};
    }
    return "?;";
}

std::string RigEmulator::civ(const std::string& frame) {
    // FE FE to from cmd [data] FD
    if (frame.size() < 6) return {};
    const int to = static_cast<unsigned char>(frame[2]);
    const int from = static_cast<unsigned char>(frame[3]);
    const int cmd = static_cast<unsigned char>(frame[4]);
    const std::string data = frame.substr(5, frame.size() - 6);
    if (to != options_.civAddress && to != 0x00) return {};
    const std::string head = bytesOf({0xFE, 0xFE, from, options_.civAddress});
    const std::string ack = head + bytesOf({0xFB, 0xFD});
    const std::string nak = head + bytesOf({0xFA, 0xFD});
    const int frequencyBytes = options_.family == "civ4" ? 4 : 5;
    const int mode = lookup(kCivModes, mode_, 1);
    switch (cmd) {
        case 0x03: return head + bytesOf({0x03}) + bcdLeastFirst(hz_, frequencyBytes) + bytesOf({0xFD});
        case 0x04: return head + bytesOf({0x04, mode, 0x01, 0xFD});
        case 0x05:
            if (data.size() != 4 && data.size() != 5) return nak;
            setFrequency(fromBcdLeastFirst(data));
            return ack;
        case 0x06:
            if (data.empty()) return nak;
            changeMode(reverseLookup(kCivModes, static_cast<unsigned char>(data[0])));
            return ack;
        case 0x07: return ack;
        case 0x0F: return data.empty() ? head + bytesOf({0x0F, 0x00, 0xFD}) : ack;
        case 0x19: return head + bytesOf({0x19, 0x00, options_.civAddress, 0xFD});
        case 0x25:  // the selected (00) or unselected (01) VFO's frequency
            if (data.size() == 1) return head + bytesOf({0x25, static_cast<unsigned char>(data[0])}) +
                                         bcdLeastFirst(hz_, 5) + bytesOf({0xFD});
            if (data.size() == 6) {
                setFrequency(fromBcdLeastFirst(data.substr(1)));
                return ack;
            }
            return nak;
        case 0x26:  // mode, data mode, filter of a VFO
            if (data.size() == 1) return head + bytesOf({0x26, static_cast<unsigned char>(data[0]), mode, 0x00, 0x01, 0xFD});
            if (data.size() >= 2) {
                changeMode(reverseLookup(kCivModes, static_cast<unsigned char>(data[1])));
                return ack;
            }
            return nak;
        case 0x1C:
            if (data.size() == 1) return head + bytesOf({0x1C, static_cast<unsigned char>(data[0]), 0x00, 0xFD});
            return ack;
        default: return nak;
    }
}

std::string RigEmulator::yaesu(const std::string& b) {
    const std::string& f = options_.family;
    const int op = static_cast<unsigned char>(b[4]);
    const uint64_t tenHz = (hz_ + 5) / 10;
    if (f == "yaesu") {  // FT-817 style
        switch (op) {
            case 0x03: return bcdMostFirst(tenHz, 4) + bytesOf({lookup(kFt817Modes, mode_, 1)});
            case 0x01: setFrequency(fromBcdMostFirst(b.substr(0, 4)) * 10); return {};
            case 0x07: changeMode(reverseLookup(kFt817Modes, static_cast<unsigned char>(b[0]))); return {};
            case 0xBB: return bytesOf({0x00, 0x00});  // EEPROM read
            case 0xE7: return bytesOf({0x00});        // receive status
            case 0xF7: return bytesOf({0xFF});        // transmit status
            default: return {};
        }
    }
    if (op == 0x0A) {
        setFrequency(fromBcdLeastFirst(b.substr(0, 4)) * 10);
        return {};
    }
    if (op == 0x0C) {
        changeMode(reverseLookup(kStatusSetModes, static_cast<unsigned char>(b[3])));
        return {};
    }
    if (op != 0x10) return {};
    if (f == "yaesu757") {
        // The 757 GX II's status: VFO A frequency in bytes 6-9 (10 Hz BCD, least significant
        // first), mode in byte 10, then the rest of the block.
        std::string block(75, '\0');
        block.replace(5, 4, bcdLeastFirst(tenHz, 4));
        block[9] = static_cast<char>(lookup(k757Modes, mode_, 1));
        return block;
    }
    // The status-block Yaesus: a binary frequency at the model's place, the mode in the low
    // nibble of byte 8.
    const size_t length = f == "yaesu890" ? 18 : f == "yaesu920" ? 28 : 16;
    std::string block(length, '\0');
    auto put = [&](size_t at, uint64_t value, int count) {
        for (int i = count - 1; i >= 0; --i, value >>= 8) block[at + static_cast<size_t>(i)] = static_cast<char>(value & 0xFF);
    };
    if (f == "yaesu890") put(2, tenHz, 3);
    else if (f == "yaesu990" || f == "yaesu1000d") put(1, tenHz, 3);
    else if (f == "yaesu920") put(1, hz_, 4);
    else {  // "yaesu1000": low nibble of byte 2, bytes 3-4, high nibble of byte 5
        block[1] = static_cast<char>((tenHz >> 20) & 0x0F);
        block[2] = static_cast<char>((tenHz >> 12) & 0xFF);
        block[3] = static_cast<char>((tenHz >> 4) & 0xFF);
        block[4] = static_cast<char>((tenHz & 0x0F) << 4);
    }
    block[7] = static_cast<char>(f == "yaesu920" ? lookup(k920Modes, mode_, 2) : lookup(kStatusModes, mode_, 1));
    return block;
}

std::string RigEmulator::tentec(const std::string& c) {
    if (c == "?A") {
        return "A" + bytesOf({static_cast<int>((hz_ >> 24) & 0xFF), static_cast<int>((hz_ >> 16) & 0xFF),
                              static_cast<int>((hz_ >> 8) & 0xFF), static_cast<int>(hz_ & 0xFF)}) +
               "\r";
    }
    if (c == "?M") {
        const char m = static_cast<char>('0' + lookup(kTenTecModes, mode_, 1));
        return std::string("M") + m + m + "\r";
    }
    if (c.size() == 6 && c.rfind("*A", 0) == 0) {
        uint64_t hz = 0;
        for (int i = 2; i < 6; ++i) hz = hz * 256 + static_cast<unsigned char>(c[static_cast<size_t>(i)]);
        setFrequency(hz);
        return {};
    }
    if (c.size() >= 3 && c.rfind("*M", 0) == 0) {
        changeMode(reverseLookup(kTenTecModes, c[2] - '0'));
        return {};
    }
    return {};
}

std::string RigEmulator::orion(const std::string& c) {
    char text[32];
    if (c == "?AF") {
        std::snprintf(text, sizeof text, "@AF%08llu\r", static_cast<unsigned long long>(hz_));
        return text;
    }
    if (c == "?BF") {
        std::snprintf(text, sizeof text, "@BF%08llu\r", static_cast<unsigned long long>(hz_));
        return text;
    }
    if (c.rfind("*AF", 0) == 0) {
        const std::string value = c.substr(3);
        // Hz as the radio takes them, or MHz text.
        if (value.find('.') != std::string::npos) setFrequency(static_cast<uint64_t>(std::strtod(value.c_str(), nullptr) * 1e6 + 0.5));
        else setFrequency(std::strtoull(value.c_str(), nullptr, 10));
        return {};
    }
    if (c == "?RMM" || c == "?RSM") return "@" + c.substr(1) + std::to_string(lookup(kOrionModes, mode_, 0)) + "\r";
    if (c.rfind("*RMM", 0) == 0 && c.size() == 5) {
        changeMode(reverseLookup(kOrionModes, c[4] - '0'));
        return {};
    }
    if (c == "?RMF" || c == "?RSF") return "@" + c.substr(1) + (mode_ == "CW" || mode_ == "CW-R" ? "500" : "2400") + "\r";
    if (c == "?V") return "Version 2.062a\r";
    if (c == "?RMV") return "@RMVA\r";
    if (c == "?KV") return "@KVAAA\r";
    if (c == "X") return {};
    return {};
}

}  // namespace fakes
