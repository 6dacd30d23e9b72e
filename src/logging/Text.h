#pragma once
// Text comparisons of the logging rules. Entries, log fields, codes and names compare whole,
// ignoring letter case and never trimming ("fl" equals "FL"; "Lee " does not equal "Lee").
// Text is Windows-1252 bytes: a-z and the accented small letters fold to their capitals.

#include <string>
#include <string_view>

namespace logging {

char FoldCase(char c);
bool IEquals(std::string_view a, std::string_view b);
// True when text begins with prefix (ignoring case); a text shorter than prefix never does.
bool IStartsWith(std::string_view text, std::string_view prefix);
std::string ToUpper(std::string_view text);

// Digits with a thousands separator every three places, no decimals, rounded half away
// from zero; "0" for zero (the "###,##0" style of the score and distance labels).
std::string FormatGrouped(double value, char separator = ',');

}  // namespace logging
