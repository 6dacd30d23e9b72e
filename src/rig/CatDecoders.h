#pragma once
// The CAT reply decoders: pure functions from the bytes a rig answered to the values they carry.
// Each returns only what it could read in full; a reply that is too short, lacks its marker or
// carries digits that are not a number yields nothing, so the last good reading stays in force.
// Positions are checked before they are read.

#include <optional>
#include <string>

#include "rig/RigTypeTable.h"

namespace rig {

// What one reply carried. Frequencies are MHz, rounded to 5 decimal places (10 Hz).
struct Decoded {
    std::optional<double> frequency;
    std::optional<std::string> mode;  // "CW" or "PH" ("AM", "FM" from the 757 GX II)
    std::optional<int> vfo;           // the VFO digit of a Kenwood IF answer
    bool empty() const { return !frequency && !mode && !vfo; }
    friend bool operator==(const Decoded&, const Decoded&) = default;
};

// The last reading, as the poll cycle keeps it between replies.
struct RigReading {
    double RigFrequency = 0;  // 0 until a frequency has been decoded
    std::string RigMode;
    int VfoFlag = 10;         // 10 until a Kenwood IF answer names a VFO
    void apply(const Decoded& d);
};

// Kenwood and Elecraft: "FA" + 11 digits in Hz + at least one character (the marker is the
// first two characters of the frequency read string, which must be 3 or more characters).
Decoded DecodeKenwoodFrequency(const std::string& reply, const std::string& freqReadString);
// "MD" + a digit: 3 or 7 is CW, anything else phone.
Decoded DecodeKenwoodMode(const std::string& reply);
// Kenwood 2: the IF answer, frequency in characters 3-13, mode at 30 (3 is CW), VFO at 31.
Decoded DecodeKenwoodIf(const std::string& reply);
// FTdx9000: marker (2 characters of the frequency string) + exactly 8 digits + ";", and mode
// marker (3 characters of the mode string) + a digit, 3 being CW.
Decoded DecodeFtdx9000(const std::string& reply, const std::string& freqReadString,
                       const std::string& modeReadString);

// CI-V: only complete FE FE to from cmd data.. FD frames count; the echo of a request (no data)
// adds nothing, and the last complete frame of the command wins. Frequency frames (03) carry
// 4 or 5 BCD bytes of Hz, least significant first; mode frames (04) give CW for 03, else phone.
Decoded DecodeCivFrequency(const std::string& reply);
Decoded DecodeCivMode(const std::string& reply);
// Where the complete frames of a reply end: bytes from here on are the start of a frame still
// arriving (kept for the next read) or junk (dropped).
size_t CivCompleteLength(const std::string& reply);
// The bytes after the complete frames worth keeping: an FE that may start a frame, and what
// follows it.
std::string CivIncompleteTail(const std::string& reply);

// Yaesu five-byte status (FT-817 style): exactly five bytes, four BCD bytes of 10 Hz units,
// most significant first, and a mode byte read as decimal (0,1,4,8,84,88 phone; 2,3,82,83 CW).
// A reply of any other length is not that answer (an acknowledgement byte before or after it
// would shift every digit) and is read as nothing.
Decoded DecodeYaesuStatus(const std::string& reply);
// Yaesu 757 GX II: at least 10 bytes; bytes 9..6 BCD in 10 Hz units, byte 10 the mode.
Decoded DecodeYaesu757(const std::string& reply);
// Yaesu 890, 920, 990, 1000 D and 1000: at least 8 bytes; the frequency is a binary number in
// the bytes of the model, the mode the low nibble of byte 8.
Decoded DecodeYaesuStatusBlock(RigKind kind, const std::string& reply);
// Ten Tec front panel: "A" + 4 bytes of Hz big-endian (+ CR): at least 5 bytes.
Decoded DecodeTenTecFrequency(const std::string& reply);
// "M" + mode byte: its low nibble 3 is CW; 0, 1, 2, 4 phone. At least 3 bytes.
Decoded DecodeTenTecMode(const std::string& reply);
// Orion: "@AF" + Hz + CR, and "@RMM" + a digit (2 or 3 CW); junk before them is skipped.
Decoded DecodeOrionFrequency(const std::string& reply);
Decoded DecodeOrionMode(const std::string& reply);
// PEGASUS.OUT: a number (MHz) and a mode text in the write form; a mode other than CW is phone.
Decoded ReadPegasusFile(const std::string& bytes);

// The bytes a reply of an unframed binary family needs before it can be read.
size_t UnframedReplyLength(RigKind kind, bool frequencyTurn);
// Whether that length is also the most a reply may hold (the five-byte Yaesu status): a longer
// reply is dropped for its cycle. The other families' status blocks run on past what is read.
bool UnframedReplyIsExact(RigKind kind);

// Whether a reply holds the whole answer to the request just sent (both answers when both were
// asked), so it can be read at once instead of at the next tick. The read strings are those the
// request was built from. An answer of exact length is never whole before the tick: only the
// whole cycle shows whether another byte came after it.
bool AnswerIsWhole(RigKind kind, const std::string& reply, bool frequencyTurn, const std::string& freqReadString,
                   const std::string& modeReadString);

// Every decoder the poll cycle runs for a rig type on one reply, in order. `frequencyTurn` says
// whether the request just sent was the frequency request (front panel only; CI-V frames name
// their own command).
Decoded DecodeReply(RigKind kind, const std::string& reply, bool frequencyTurn, const std::string& freqReadString,
                    const std::string& modeReadString);

}  // namespace rig
