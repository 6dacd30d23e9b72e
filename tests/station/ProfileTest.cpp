#include <gtest/gtest.h>

#include <filesystem>

#include "station/KeyFilters.h"
#include "station/Profile.h"
#include "support/DiskFull.h"
#include "support/TestSession.h"
#include "station/XmlPrefs.h"

using namespace station;

namespace {
StationProfile sample() {
    StationProfile p;
    p.StationCall = "N4ABC";
    p.StationState = "FL";
    p.StationCountry = "USA";
    p.ArrlSection = "NFL";
    p.CurrentCounty = "Alachua";
    p.CurrentMode = "CW";
    p.CurrentBand = "40";
    p.HoursOffset = -5.5f;
    p.StationLongitude = 82.3f;
    p.StationLatitude = 29.65f;
    p.StationContinent = "NA";
    p.FormSizePercent = 80;
    p.WorkedColor = 0x00FF00;
    p.RemainingColor = 0xC0C0C0;
    p.OperatingSeconds = 3600.5f;
    p.HomeState = "FL";
    p.RoverFlag = 1;
    p.VoiceNavMode = 2;
    p.RigType = "None";
    p.ListPrevious = 1;
    return p;
}
}  // namespace

TEST(Profile, SaveWritesTwentyFiveLinesAndReadsBack) {
    TestSession t;
    t->profile = sample();
    ASSERT_TRUE(SavePreferences(*t));
    std::string bytes = t.readProgramFile("QSOpref.txt");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 25);
    EXPECT_EQ(bytes.substr(0, 22), "\"N4ABC\"\r\n\"FL\"\r\n\"USA\"\r\n");
    EXPECT_NE(bytes.find("\r\n-5.5\r\n82.3\r\n29.65\r\n\"NA\"\r\n80\r\n65280\r\n12632256\r\n3600.5\r\n"),
              std::string::npos);
    t->profile = {};
    ASSERT_TRUE(ReadPreferences(*t));
    EXPECT_EQ(t->profile, sample());
}

TEST(Profile, EachOfTheTwentyFiveValuesHasItsLineInTheFile) {
    // A file with a distinct value on each line: swapping two values in both the writer and
    // the reader would still round-trip, but not against this file.
    const std::string golden = readFileBytes(std::filesystem::path(PALMETAR_SOURCE_DIR) / "tests/station/golden/QSOpref.txt");
    StationProfile p;
    ASSERT_TRUE(ReadPreferencesText(golden, p));
    const std::pair<const std::string*, const char*> texts[] = {
        {&p.StationCall, "N4ABC"},   {&p.StationState, "GA"},   {&p.StationCountry, "USA"},
        {&p.ArrlSection, "NFL"},     {&p.OperatorName, "Pat Operator"}, {&p.StationCategory, "SINGLE-OP"},
        {&p.CurrentCounty, "Alachua"}, {&p.StationCity, "Gainesville"}, {&p.CurrentMode, "CW"},
        {&p.CurrentBand, "40"},      {&p.StationContinent, "NA"}, {&p.HomeState, "FL"},
        {&p.RigType, "Kenwood"}};
    for (const auto& [field, expected] : texts) EXPECT_EQ(*field, expected);
    EXPECT_FLOAT_EQ(p.HoursOffset, -5.5f);
    EXPECT_FLOAT_EQ(p.StationLongitude, 82.3f);
    EXPECT_FLOAT_EQ(p.StationLatitude, 29.65f);
    EXPECT_EQ(p.FormSizePercent, 80);
    EXPECT_EQ(p.WorkedColor, 65280);
    EXPECT_EQ(p.RemainingColor, 12632256);
    EXPECT_FLOAT_EQ(p.OperatingSeconds, 3600.5f);
    EXPECT_EQ(p.OutOfState, 1);
    EXPECT_EQ(p.RoverFlag, 0);
    EXPECT_EQ(p.VoiceNavMode, 2);
    EXPECT_EQ(p.ShowTaskbar, 0);
    EXPECT_EQ(p.ListPrevious, 1);
    EXPECT_EQ(PreferencesText(p), golden);
}

TEST(Profile, ShortOrBadFileStopsAtTheFailingValue) {
    TestSession t;
    std::string full = PreferencesText(sample());
    // 20 lines: values 21..25 keep what they held.
    size_t cut = 0;
    for (int i = 0; i < 20; ++i) cut = full.find('\n', cut) + 1;
    t->profile.RoverFlag = 0;
    t->profile.RigType = "Kenwood";
    t.writeProgramFile("QSOpref.txt", full.substr(0, cut));
    EXPECT_FALSE(ReadPreferences(*t));
    EXPECT_EQ(t->profile.HomeState, "FL");
    EXPECT_EQ(t->profile.RoverFlag, 0);
    EXPECT_EQ(t->profile.RigType, "Kenwood");

    // A byte above 255 (the form size) stops there.
    StationProfile p = sample();
    std::string bad = PreferencesText(p);
    bad.replace(bad.find("\r\n80\r\n"), 6, "\r\n300\r\n");
    StationProfile read;
    EXPECT_FALSE(ReadPreferencesText(bad, read));
    EXPECT_EQ(read.StationContinent, "NA");
    EXPECT_EQ(read.WorkedColor, 0);
}

TEST(Profile, NumbersOutsideWhatTheyCanMeanReadAsTheFirstRunDefault) {
    // Each number is later turned into a clock text, minutes or a bearing: a value far outside
    // its meaning (a damaged or hand-edited file) would overflow those conversions.
    struct Case {
        const char* stored;     // the line of sample() replaced
        const char* replaced;
        float StationProfile::*field;
        float expected;
    };
    for (const Case& c : {Case{"3600.5", "1E+23", &StationProfile::OperatingSeconds, 0},
                          Case{"3600.5", "-7", &StationProfile::OperatingSeconds, 0},
                          Case{"3600.5", "999999999", &StationProfile::OperatingSeconds, 1e9f},
                          Case{"-5.5", "-25", &StationProfile::HoursOffset, 0},
                          Case{"-5.5", "24", &StationProfile::HoursOffset, 24},
                          Case{"-5.5", "3E+38", &StationProfile::HoursOffset, 0},
                          Case{"82.3", "181", &StationProfile::StationLongitude, 0},
                          Case{"82.3", "-180", &StationProfile::StationLongitude, -180},
                          Case{"29.65", "90.5", &StationProfile::StationLatitude, 0}}) {
        std::string bytes = PreferencesText(sample());
        const std::string from = std::string("\r\n") + c.stored + "\r\n";
        bytes.replace(bytes.find(from), from.size(), std::string("\r\n") + c.replaced + "\r\n");
        StationProfile read;
        EXPECT_TRUE(ReadPreferencesText(bytes, read)) << c.replaced;
        EXPECT_FLOAT_EQ(read.*c.field, c.expected) << c.replaced;
        EXPECT_EQ(read.RemainingColor, sample().RemainingColor) << c.replaced;  // the read went on
    }
}

TEST(Profile, FirstRunDefaultsAreUsable) {
    TestSession t;
    EXPECT_FALSE(ReadPreferences(*t));
    EXPECT_EQ(t->profile.FormSizePercent, 100);
    EXPECT_EQ(t->profile.RigType, "None");
    EXPECT_EQ(t->profile.WorkedColor, kDefaultWorkedColor);
    EXPECT_EQ(t->profile.RemainingColor, kDefaultRemainingColor);
}

TEST(Profile, FailedSaveKeepsTheOldFile) {
    TestSession t;
    t->profile = sample();
    ASSERT_TRUE(SavePreferences(*t));
    std::string before = t.readProgramFile("QSOpref.txt");
    t->profile.StationCall = "W1AW";
    t.fakes.files.failWrite = true;
    EXPECT_FALSE(SavePreferences(*t));
    EXPECT_EQ(t.readProgramFile("QSOpref.txt"), before);
    EXPECT_EQ(t->profile.StationCall, "W1AW");
}

TEST(KeyFilters, Table) {
    struct Case {
        int16_t in, capitalized, digitsOnly, seconds, capitalNoQuote;
    };
    for (const Case& c : {Case{'q', 'Q', 0, 0, 'Q'}, Case{'Q', 'Q', 0, 0, 'Q'}, Case{'7', '7', '7', '7', '7'},
                          Case{'/', '/', 0, 0, '/'}, Case{8, 8, 8, 8, 8}, Case{13, 13, 0, 0, 13}, Case{9, 9, 0, 0, 9},
                          Case{' ', ' ', 0, 0, ' '}, Case{'{', '{', 0, 0, '{'}, Case{0xE9, 0xE9, 0, 0, 0xE9},
                          Case{'-', '-', 0, 0, '-'}, Case{'a', 'A', 0, 0, 'A'}, Case{'z', 'Z', 0, 0, 'Z'},
                          Case{'.', '.', 0, '.', '.'}, Case{'"', '"', 0, 0, 0}, Case{',', ',', 0, 0, ','}}) {
        int16_t k = c.in;
        CapitalizeKey(k);
        EXPECT_EQ(k, c.capitalized) << c.in;
        k = c.in;
        DigitsOnlyKey(k);
        EXPECT_EQ(k, c.digitsOnly) << c.in;
        k = c.in;
        SecondsKey(k);
        EXPECT_EQ(k, c.seconds) << c.in;
        k = c.in;
        CapitalNoQuoteKey(k);
        EXPECT_EQ(k, c.capitalNoQuote) << c.in;
    }
}

TEST(Profile, OnAFullDiskTheProfileAndTheXmlFileStayAsTheyWere) {
    TestSession t;
    t->profile = sample();
    ASSERT_TRUE(SavePreferences(*t));
    const std::string profileBefore = t.readProgramFile("QSOpref.txt");
    const std::string xml = t.programPath("SharedUserPreferences.xml");
    ASSERT_TRUE(OpenXmlPrefs(*t, xml));
    std::string key = "OWN_CALL";
    ASSERT_TRUE(SetXmlValue(*t, key, "N4ABC", 1));
    const std::string xmlBefore = t.readProgramFile("SharedUserPreferences.xml");
    t->profile.StationCall = "W1AW";
    {
        FileSizeLimit full(40);  // both files are longer
        EXPECT_FALSE(SavePreferences(*t));
        EXPECT_FALSE(SetXmlValue(*t, key, "W1AW", 1));
    }
    EXPECT_EQ(t.readProgramFile("QSOpref.txt"), profileBefore);
    EXPECT_EQ(t.readProgramFile("SharedUserPreferences.xml"), xmlBefore);
    auto names = t.fakes.files.list(t->folders.ProgramFolder);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"QSOpref.txt", "SharedUserPreferences.xml"}));  // no temporary file
}
