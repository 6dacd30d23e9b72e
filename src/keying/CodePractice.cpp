#include "keying/CodePractice.h"

#include <algorithm>
#include <cmath>

#include "keying/Numbers.h"

namespace keying {

std::string PracticeChars(bool lettersOnly) {
    static const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-";
    return lettersOnly ? all.substr(0, 26) : all;
}

PracticeGroups GeneratePractice(const std::string& groupsText, const std::string& sizeText, bool lettersOnly,
                                platform::Random& random) {
    PracticeGroups g;
    g.groupsText = IsNumber(groupsText) ? groupsText : "10";
    g.sizeText = IsNumber(sizeText) ? sizeText : "5";
    random.seed();
    const std::string chars = PracticeChars(lettersOnly);
    const int n = static_cast<int>(chars.size());
    // Bounded so a typing slip cannot fill the memory: far more than any practice session.
    const double groups = std::min(std::nearbyint(LeadingNumber(g.groupsText)), 10000.0);
    const double size = std::min(std::nearbyint(LeadingNumber(g.sizeText)), 100.0);
    for (int i = 0; i < groups; ++i) {
        for (int j = 0; j < size; ++j) {
            const int r = std::clamp(static_cast<int>(std::floor(n * random.next())), 0, n - 1);
            g.text.push_back(chars[static_cast<size_t>(r)]);
        }
        g.text.push_back(' ');
    }
    return g;
}

}  // namespace keying
