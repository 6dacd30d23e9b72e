#pragma once
// Code practice: random groups of characters to send over the air.

#include <string>

#include "platform/Platform.h"

namespace keying {

// The characters groups are drawn from: A to Z, then 0 to 9 and ". , ? / -" unless only
// letters are wanted.
std::string PracticeChars(bool lettersOnly);

struct PracticeGroups {
    std::string groupsText;  // the boxes as they end up: a text that is not a number becomes
    std::string sizeText;    // "10" groups, "5" characters
    std::string text;        // each group followed by one blank
};

// Draws the groups with the random generator, seeded first. A count of 0 or less gives no
// groups; a size of 0 or less gives a blank per group.
PracticeGroups GeneratePractice(const std::string& groupsText, const std::string& sizeText, bool lettersOnly,
                                platform::Random& random);

}  // namespace keying
