#include "keying/WinKeyProtocol.h"

namespace keying::winkey {

namespace {
std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(static_cast<uint8_t>(v)));
    return out;
}
}  // namespace

std::string EchoTest(uint8_t probe) { return bytes({0x00, 0x04, probe}); }
std::string HostOpen() { return bytes({0x00, 0x02}); }
std::string HostClose() { return bytes({0x00, 0x03}); }
std::string Resync() { return bytes({0x13, 0x13, 0x13}); }

std::string Speed(uint8_t wpm) { return bytes({0x02, wpm}); }
std::string Weight(uint8_t weight) { return bytes({0x03, weight}); }
std::string LeadTail(uint8_t leadIn, uint8_t tail) { return bytes({0x04, leadIn, tail}); }
std::string Backspace() { return bytes({0x08}); }
std::string PinConfig(uint8_t config) { return bytes({0x09, config}); }
std::string ClearBuffer() { return bytes({0x0A}); }
std::string Mode(uint8_t mode) { return bytes({0x0E, mode}); }
std::string StatusRequest() { return bytes({0x15}); }
std::string Ratio(uint8_t ratio) { return bytes({0x17, ratio}); }

std::optional<char> TextByte(int code) {
    if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
    if (code < 0x20 || code > 0x7E) return std::nullopt;
    return static_cast<char>(code);
}

ByteKind Classify(uint8_t b) {
    if ((b & 0xC0) == 0xC0) return ByteKind::Status;
    if ((b & 0xC0) == 0x80) return ByteKind::SpeedPot;
    return ByteKind::Echo;
}

}  // namespace keying::winkey
