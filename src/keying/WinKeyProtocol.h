#pragma once
// The WinKey keyer's serial host protocol: the bytes each host command is made of, and what a
// byte from the keyer is. The keyer runs at 1200 baud, 8 data bits, no parity, 2 stop bits.
// Admin commands start with 0x00; immediate commands are one byte (0x01..0x1F) with their
// arguments; bytes 0x20..0x7F are text to send. From the keyer, a byte with its two top bits
// set is a status byte, 10xxxxxx is the speed pot's value, anything else echoes a character.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/SerialLine.h"

namespace keying::winkey {

inline constexpr platform::SerialSettings kSerialSettings{1200, platform::Parity::None, 8, 2};

// Admin commands.
std::string EchoTest(uint8_t probe);  // 00 04 probe: the keyer answers with the probe
std::string HostOpen();               // 00 02: the keyer answers with its version byte
std::string HostClose();              // 00 03
// Three no-operation bytes: a keyer left in the middle of a command by an earlier host takes
// them as that command's arguments and is ready for a command again.
std::string Resync();

// Immediate commands.
std::string Speed(uint8_t wpm);                    // 02 n
std::string Weight(uint8_t weight);                // 03 n
std::string LeadTail(uint8_t leadIn, uint8_t tail);  // 04 a b, in 10 ms units
std::string Backspace();                           // 08
std::string PinConfig(uint8_t config);             // 09 n
std::string ClearBuffer();                         // 0A
std::string Mode(uint8_t mode);                    // 0E n
std::string StatusRequest();                       // 15: the keyer answers with a status byte
std::string Ratio(uint8_t ratio);                  // 17 n

// The byte a character is sent as: the printable characters 0x20..0x7E, letters in capitals.
// Everything else (control codes, DEL, 8-bit characters) has no byte: a control code would be
// taken as a command (0x0A clears the buffer, 0x02 eats the next byte as a speed).
std::optional<char> TextByte(int ansiCode);

enum class ByteKind { Status, SpeedPot, Echo };
ByteKind Classify(uint8_t b);

// Bits of a status byte (its low five bits).
inline constexpr int kXoff = 0x01;     // buffer two-thirds full: send no more text for now
inline constexpr int kBreakIn = 0x02;  // the paddle is in use
inline constexpr int kBusy = 0x04;     // sending, or text waiting in the buffer
inline constexpr int kKeyDown = 0x08;  // key down (tune)
inline constexpr int kWait = 0x10;     // a timed wait in progress
inline constexpr int StatusBits(uint8_t statusByte) { return statusByte & 0x1F; }
// A status byte for the given bits.
inline constexpr uint8_t StatusByte(int bits) { return static_cast<uint8_t>(0xC0 | (bits & 0x1F)); }

}  // namespace keying::winkey
