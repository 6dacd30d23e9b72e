#pragma once
// Letter-case helpers for the ASCII names the log tools compare (counties, bands, modes).

#include <string>
#include <string_view>

namespace logtools {

bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
std::string ToUpper(std::string_view text);
std::string Trim(std::string_view text);  // blanks at both ends

}  // namespace logtools
