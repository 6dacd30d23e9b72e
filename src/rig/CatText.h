#pragma once
// Byte strings and their hexadecimal texts, as the CAT commands and replies are typed, shown and
// built. A byte string holds one byte (0..255) per char.

#include <optional>
#include <string>

namespace rig {

// "0".."9" for 0..9, "A".."F" for 10..15, "" above 15.
std::string HexDigit(int value);
// The value of one hex digit, either letter case; -1 for any other character.
int HexValue(char c);
// Two upper-case hex digits per byte, nothing between ("FEFE03").
std::string ReplyToHex(const std::string& reply);
// The same digits with one blank after every pair, the last included ("FE FE 03 ").
std::string ReplyToSpacedHex(const std::string& reply);
// The operator's spaced form, read in steps of three characters ("FE FE 64 E0 03 FD" gives six
// bytes; a trailing single digit is not a pair and is ignored). std::nullopt when a pair is not
// hexadecimal, so a bad string is never half sent.
std::optional<std::string> SpacedHexToBytes(const std::string& text);
// Only the first `pairs` groups of the spaced form (the poll sends 6, 5 or 3 of them); nullopt
// when the string is too short for them or a pair is not hexadecimal.
std::optional<std::string> SpacedHexPairs(const std::string& text, int pairs);
// The program's own packed form, two characters per byte ("FEFE" gives FE FE).
std::optional<std::string> HexPairsToBytes(const std::string& text);

// MHz text of ten CI-V digits, most significant first: digits 1-3 with leading zeros dropped,
// digit 4, a point, digits 5-10 ("0014025000" gives "14.025000").
std::string FormatCivFrequency(const std::string& digits);
// MHz text of eight Yaesu digits in 10 Hz units: digits 1-3 with leading zeros dropped, a point,
// digits 4-8 ("01402500" gives "14.02500"; "00070000" gives ".70000").
std::string FormatYaesuFrequency(const std::string& digits);

}  // namespace rig
