#pragma once
// Text comparisons of the logging rules and of the subsystems above them. Entries, log fields, codes and names compare whole,
// ignoring letter case and never trimming ("fl" equals "FL"; "Lee " does not equal "Lee").
// Text is Windows-1252 bytes: a-z and the accented small letters fold to their capitals.

#include <string>
#include <string_view>

namespace logging {

inline char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    // Windows-1252 accented small letters (not the division sign 0xF7 or y-diaeresis 0xFF).
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
    return c;
}

inline bool IEquals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}
// True when text begins with prefix (ignoring case); a text shorter than prefix never does.
bool IStartsWith(std::string_view text, std::string_view prefix);
std::string ToUpper(std::string_view text);

// The program's own names (bands, modes, rig types, the rows of its tables) compare and
// capitalize by their ASCII letters alone; other bytes compare as they are.
bool SameText(std::string_view a, std::string_view b);
// True when text begins with prefix by SameText; a text shorter than prefix never does.
bool StartsWithSameText(std::string_view text, std::string_view prefix);
std::string UpperCase(std::string_view text);
// The text without the blanks (spaces) at either end; other white space stays.
std::string Trim(std::string_view text);

// Digits with a thousands separator every three places, no decimals, rounded half away
// from zero; "0" for zero (the "###,##0" style of the score and distance labels).
std::string FormatGrouped(double value, char separator = ',');

}  // namespace logging
