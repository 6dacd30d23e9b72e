#pragma once
// How the keyer windows read numbers out of their text boxes: the leading-number rule (blanks
// ignored, "&H" hexadecimal and "&O" octal prefixes, stops at the first character that cannot
// continue a number) and the whole-text test of "is this a number".

#include <string>
#include <string_view>

namespace keying {

// The value of the number the text begins with; 0 when it begins with none ("&H378" = 888,
// "12abc" = 12, " 2 5" = 25).
double LeadingNumber(std::string_view text);
// The whole text, blanks around it aside, is one number: a decimal with optional sign, point
// and exponent, or "&H"/"&O" digits.
bool IsNumber(std::string_view text);
// The shortest decimal text of a number, "." as point ("13", "-1", "2.5").
std::string NumberText(double value);

}  // namespace keying
