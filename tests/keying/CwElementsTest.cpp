// Morse as the keyer keys it: the element table, the word space, the unit length of each
// timing method, the speeds it keys at, and the schedule of edges a text gives.

#include <gtest/gtest.h>

#include <cmath>

#include "keying/CwElements.h"

using namespace keying;

namespace keying {
void PrintTo(const ScheduledEdge& e, std::ostream* out) { *out << (e.down ? "down@" : "up@") << e.atNs; }
}  // namespace keying

namespace {

struct Code {
    char c;
    const char* elements;
};

// The whole table, written out again from the Morse alphabet: a dit "1", a dah "111", "0"
// between elements and "000" after the last.
const Code kCodes[] = {
    {'A', "10111000"}, {'B', "111010101000"}, {'C', "11101011101000"}, {'D', "1110101000"},
    {'E', "1000"}, {'F', "101011101000"}, {'G', "111011101000"}, {'H', "1010101000"},
    {'I', "101000"}, {'J', "1011101110111000"}, {'K', "111010111000"}, {'L', "101110101000"},
    {'M', "1110111000"}, {'N', "11101000"}, {'O', "11101110111000"}, {'P', "10111011101000"},
    {'Q', "1110111010111000"}, {'R', "1011101000"}, {'S', "10101000"}, {'T', "111000"},
    {'U', "1010111000"}, {'V', "101010111000"}, {'W', "101110111000"}, {'X', "11101010111000"},
    {'Y', "1110101110111000"}, {'Z', "11101110101000"},
    {'0', "1110111011101110111000"}, {'1', "10111011101110111000"}, {'2', "101011101110111000"},
    {'3', "1010101110111000"}, {'4', "10101010111000"}, {'5', "101010101000"},
    {'6', "11101010101000"}, {'7', "1110111010101000"}, {'8', "111011101110101000"},
    {'9', "11101110111011101000"},
    {'.', "10111010111010111000"}, {',', "1110111010101110111000"}, {'?', "101011101110101000"},
    {'/', "1110101011101000"}, {'-', "1110101010111000"}, {'=', "1110101010111000"},
    {'[', "1011101011101000"}, {']', "101010111010111000"}, {';', "111010111011101000"},
    {'\\', "111010111010101110101000"}, {' ', "00000000"},
};

TEST(CwElementTable, EveryCharacterOfTheTable) {
    for (const auto& code : kCodes) {
        EXPECT_EQ(CWElementTable(code.c), code.elements) << "'" << code.c << "'";
        if (code.c != ' ') {
            EXPECT_TRUE(std::string_view(code.elements).ends_with("000")) << code.c;
        }
    }
    // Letters are upper-cased first; everything else keys nothing and takes no time.
    for (char c = 'a'; c <= 'z'; ++c) EXPECT_EQ(CWElementTable(c), CWElementTable(static_cast<char>(c - 32))) << c;
    for (char c : std::string("!%\"'@#$*^&()_+:<>{}|~`\t")) EXPECT_EQ(CWElementTable(c), "") << "'" << c << "'";
    int inTable = 0;
    for (int c = 0; c < 256; ++c) inTable += !CWElementTable(static_cast<char>(c)).empty();
    EXPECT_EQ(inTable, 47 + 26);  // the table and the small letters
}

TEST(CwElementTable, TheBlankIsEightUnitsUpAdjustedByTheWordSpace) {
    const struct {
        int wordSpace;
        const char* blank;
    } cases[] = {{0, "00000000"}, {3, "00000000000"}, {-4, "0000"}, {-8, ""}, {-20, ""}};
    for (const auto& c : cases) EXPECT_EQ(CharacterElements(' ', c.wordSpace), c.blank) << c.wordSpace;
    EXPECT_EQ(CharacterElements('e', 5), "1000");  // only the blank moves
    EXPECT_EQ(WordSpaceUnits(2.5), 2);             // halves round to even
    EXPECT_EQ(WordSpaceUnits(3.5), 4);
    EXPECT_EQ(WordSpaceUnits(-30), -8);
    EXPECT_EQ(WordSpaceUnits(1e12), 10000);        // no absurd allocation from a typing slip
}

TEST(CwTiming, TheUnitOfEachMethodAndTheSpeedsThatKey) {
    EXPECT_DOUBLE_EQ(UnitMs(13), 1200.0 / 13);  // 92.307... ms
    EXPECT_DOUBLE_EQ(UnitMs(40), 30);
    EXPECT_EQ(UnitMs(13, {TimingMethod::Sleep}), 92);  // whole milliseconds
    EXPECT_EQ(UnitMs(16, {TimingMethod::Sleep}), 75);
    EXPECT_EQ(UnitMs(96, {TimingMethod::Sleep}), 12);  // 12.5 halves to even
    // Loop: a count tuned 10 % short of the machine's shortens the unit by 10 %.
    EXPECT_DOUBLE_EQ(UnitMs(20, {TimingMethod::Loop, 90000, 100000}), 54);
    EXPECT_EQ(UnitMs(20, {TimingMethod::Loop, 0, 100000}), 0);
    // Outside 5..99 WPM (0, negative, a slip of the finger, not a number) nothing is keyed.
    for (double wpm : {0.0, -1.0, 4.9, 99.5, 300.0, std::nan("")}) {
        EXPECT_FALSE(KeyableSpeed(wpm)) << wpm;
        EXPECT_EQ(UnitMs(wpm), 0) << wpm;
    }
    EXPECT_TRUE(KeyableSpeed(5));
    EXPECT_TRUE(KeyableSpeed(99));
}

TEST(CwSchedule, EAt13WpmIsOneUnitDownAndThreeUp) {
    const auto s = ScheduleText("E", 1200.0 / 13, 0);
    ASSERT_EQ(s.edges.size(), 2u);
    EXPECT_EQ(s.edges[0], (ScheduledEdge{0, true}));
    EXPECT_EQ(s.edges[1], (ScheduledEdge{92307692, false}));  // 92.3 ms down
    EXPECT_EQ(s.lengthNs, 369230769);                         // then 276.9 ms up
    EXPECT_EQ(ScheduleText("%!", 30, 0).lengthNs, 0);
}

TEST(CwSchedule, AShortMessageAt40Wpm) {
    // "TU 5": T dah; U dit dit dah; the blank, so 3 + 8 = 11 units up between the words; 5.
    const auto s = ScheduleText("TU 5", 30, 0);
    const int64_t u = 30'000'000;
    const std::vector<ScheduledEdge> expected = {
        {0, true},       {3 * u, false},                                     // T
        {6 * u, true},   {7 * u, false},  {8 * u, true}, {9 * u, false},     // U: . .
        {10 * u, true},  {13 * u, false},                                    //    -
        {24 * u, true},  {25 * u, false}, {26 * u, true}, {27 * u, false},   // 5 after 11 units up
        {28 * u, true},  {29 * u, false}, {30 * u, true}, {31 * u, false},
        {32 * u, true},  {33 * u, false},
    };
    EXPECT_EQ(s.edges, expected);
    EXPECT_EQ(s.lengthNs, 36 * u);
    // With the word space at -4 the words are 7 units apart.
    EXPECT_EQ(ScheduleText("T T", 30, -4).edges[2].atNs, 10 * u);
}

}  // namespace
