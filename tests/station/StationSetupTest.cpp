#include <gtest/gtest.h>

#include "station/FormScaling.h"
#include "station/Profile.h"
#include "station/StationSetup.h"
#include "station/XmlPrefs.h"
#include "support/TestSession.h"

using namespace station;
namespace fs = std::filesystem;

TEST(StartUp, PreparesFoldersPreferencesAndBackupInTheDocumentsFolder) {
    TestSession t;
    const fs::path home = t.root / "home";
    fs::create_directories(home);
    t.fakes.environment.values["HOME"] = home.string();
    PrepareUserFolders(*t);
    const fs::path base = home / "Documents/Tervak Software";
    EXPECT_EQ(t->folders.UserFolder, (base / "Florida").string());
    EXPECT_EQ(t->folders.SharedFolder, (base / "Shared").string());
    EXPECT_TRUE(fs::is_directory(base / "Florida/BACKUP"));
    EXPECT_EQ(t->xmlPrefs.XmlPrefsPath, (base / "Shared/SharedUserPreferences.xml").string());
    EXPECT_EQ(t->xmlPrefs.XmlPrefsText, kXmlDeclaration);
    EXPECT_TRUE(t.fakes.dialogs.messages.empty());
}

TEST(CheckUtcOffset, OffersTheClockOffsetAndAcceptsOnlySensibleNumbers) {
    struct Case {
        const char* name;
        platform::DateTime local;
        double clockOffset;   // UTC = local + this
        float stored;
        std::optional<std::string> answer;  // nullopt: no box expected
        std::string offered;
        float after;
    } cases[] = {
        {"equal: no box", {2026, 4, 25, 12, 0, 0, 0}, 4, 4, std::nullopt, "", 4},
        {"behind UTC, accepted", {2026, 4, 25, 12, 0, 0, 0}, 5, 4, "5", "5", 5},
        {"ahead of UTC by 5:30", {2026, 4, 25, 17, 30, 0, 0}, -5.5, 0, "-5.5", "-5.5", -5.5f},
        {"across midnight", {2026, 4, 25, 23, 30, 40, 0}, 4, 0, "4", "4", 4},
        {"seconds ignored", {2026, 4, 25, 23, 59, 59, 0}, 4, 0, "4", "4", 4},
        {"cancel keeps", {2026, 4, 25, 12, 0, 0, 0}, 5, 4, "", "5", 4},
        {"not a number keeps", {2026, 4, 25, 12, 0, 0, 0}, 5, 4, "five", "5", 4},
        {"out of range keeps", {2026, 4, 25, 12, 0, 0, 0}, 5, 4, "500", "5", 4},
        {"other number stored", {2026, 4, 25, 12, 0, 0, 0}, 5, 4, "6", "5", 6},
    };
    for (const auto& c : cases) {
        TestSession t;
        t.fakes.clock.local = c.local;
        t.fakes.clock.utcOffsetHours = c.clockOffset;
        t->profile.HoursOffset = c.stored;
        if (c.answer) t.fakes.dialogs.inputAnswers = {*c.answer};
        CheckUtcOffset(*t);
        EXPECT_EQ(t.fakes.dialogs.inputs.size(), c.answer ? 1u : 0u) << c.name;
        if (c.answer && !t.fakes.dialogs.inputs.empty()) {
            EXPECT_EQ(t.fakes.dialogs.inputs[0].title, "Update the Local Time / UTC Offset?");
            EXPECT_EQ(t.fakes.dialogs.inputs[0].defaultText, c.offered) << c.name;
            EXPECT_NE(t.fakes.dialogs.inputs[0].prompt.find("Recommended Offset Setting: " + c.offered),
                      std::string::npos) << c.name;
        }
        EXPECT_FLOAT_EQ(t->profile.HoursOffset, c.after) << c.name;
        // A changed offset is saved at once.
        EXPECT_EQ(fs::exists(t.programPath("QSOpref.txt")), c.after != c.stored) << c.name;
    }
}

TEST(SetupKeys, FiltersCountyCapitalsAndTypeAhead) {
    struct KeyCase {
        void (*filter)(int16_t&);
        int16_t in, out;
    } keys[] = {
        {Cap3, 'a', 'A'}, {Cap3, 'z', 'Z'}, {Cap3, 'A', 'A'}, {Cap3, '1', '1'}, {Cap3, 9, 9},
        {NumBerr, '-', '-'}, {NumBerr, '.', '.'}, {NumBerr, '/', '/'}, {NumBerr, '7', '7'}, {NumBerr, 8, 8},
        {NumBerr, 'a', 0}, {NumBerr, ' ', 0}, {NumBerr, ',', 0},  // 44 is just below the range
    };
    for (const auto& k : keys) {
        int16_t code = k.in;
        k.filter(code);
        EXPECT_EQ(code, k.out) << k.in;
    }
    // "palm beach" typed into the empty county field comes out "Palm Beach".
    std::string county;
    for (char ch : std::string("palm beach")) {
        int16_t code = ch;
        CountyKey(code, county, static_cast<int>(county.size()));
        county += static_cast<char>(code);
    }
    EXPECT_EQ(county, "Palm Beach");

    PrefixTable table;
    table.rows = {{"A", "Austria", "EU", 0, 0}, {"B", "Australia", "OC", 0, 0}, {"C", "Canada", "NA", 0, 0},
                  {"D", "Austria", "EU", -16, 48}};
    EXPECT_EQ(CountryTypeAhead(table, "A"), 3);      // the last matching row
    EXPECT_EQ(CountryTypeAhead(table, "AUSTRAL"), 1);
    EXPECT_EQ(CountryTypeAhead(table, "can"), 2);
    EXPECT_EQ(CountryTypeAhead(table, "Cx"), -1);
    EXPECT_EQ(CountryTypeAhead(PrefixTable{}, "A"), -1);
}

class SetupDone : public ::testing::Test {
protected:
    TestSession t;
    SetupFields f;
    std::string xmlPath = (fs::path(t->folders.SharedFolder) / "SharedUserPreferences.xml").string();
    void SetUp() override {
        OpenXmlPrefs(*t, xmlPath);
        const char* texts[] = {"", "N4ABC", "USA", "82.3", "29.65", "FL", "4", "NA", "Palm Beach", "SFL",
                               "Op", "Cat", "City"};
        for (int i = 0; i < 13; ++i) f.Text[i] = texts[i];
    }
};

TEST_F(SetupDone, StoresTheProfileAndTheNineKeysWithOneSave) {
    f.inFlorida = true;
    f.rover = true;
    t->profile.HomeState = "DE";
    ASSERT_EQ(ApplySetupDone(*t, f), SetupDoneResult::Stored);
    const auto& p = t->profile;
    EXPECT_EQ(p.HomeState, "FL");
    EXPECT_EQ(p.OutOfState, 0);
    EXPECT_EQ(p.RoverFlag, 1);
    EXPECT_EQ(p.StationCall, "N4ABC");
    EXPECT_EQ(p.StationState, "FL");
    EXPECT_FLOAT_EQ(p.HoursOffset, 4);
    EXPECT_FLOAT_EQ(p.StationLongitude, 82.3f);
    EXPECT_FLOAT_EQ(p.StationLatitude, 29.65f);
    EXPECT_EQ(p.CurrentCounty, "Palm Beach");
    EXPECT_EQ(p.ArrlSection, "SFL");
    EXPECT_EQ(p.StationCity, "City");
    StationProfile reread;
    ASSERT_TRUE(ReadPreferencesText(t.readProgramFile("QSOpref.txt"), reread));
    EXPECT_EQ(reread.StationCall, "N4ABC");
    EXPECT_EQ(readFileBytes(xmlPath),
              std::string(kXmlDeclaration) +
                  "\r\n<OWN_CALL>N4ABC</OWN_CALL>\r\n<OWN_SPC>FL</OWN_SPC>\r\n<OWN_UTC>4</OWN_UTC>\r\n"
                  "<OWN_COUNTY>Palm Beach</OWN_COUNTY>\r\n<OWN_COUNTRY>USA</OWN_COUNTRY>\r\n"
                  "<OWN_LONGITUDE>82.3</OWN_LONGITUDE>\r\n<OWN_LATITUDE>29.65</OWN_LATITUDE>\r\n"
                  "<OWN_CONTINENT>NA</OWN_CONTINENT>\r\n<OWN_ARRL_SECTION>SFL</OWN_ARRL_SECTION>\r\n");
}

TEST_F(SetupDone, PastedControlCharactersNeverReachTheProfile) {
    f.Text[1] = "N4ABC\t";
    f.Text[8] = "Palm\x7f Beach\r\n";
    f.Text[12] = "\"City\"";
    ASSERT_EQ(ApplySetupDone(*t, f), SetupDoneResult::Stored);
    EXPECT_EQ(t->profile.StationCall, "N4ABC");
    EXPECT_EQ(t->profile.CurrentCounty, "Palm Beach");
    EXPECT_EQ(t->profile.StationCity, "City");
    EXPECT_EQ(t.readProgramFile("QSOpref.txt").substr(0, 9), "\"N4ABC\"\r\n");
}

TEST_F(SetupDone, AnEmptyCallSignIsRefusedAndNothingIsStored) {
    for (const char* call : {"", "   ", "\t", " \r\n"}) {
        f.Text[1] = call;
        EXPECT_EQ(ApplySetupDone(*t, f), SetupDoneResult::NoCall) << call;
        EXPECT_FALSE(fs::exists(t.programPath("QSOpref.txt"))) << call;
        EXPECT_FALSE(fs::exists(xmlPath)) << call;
    }
    // The call comes first: an offset that is also wrong is reported after it is mended.
    f.Text[6] = "5/";
    EXPECT_EQ(ApplySetupDone(*t, f), SetupDoneResult::NoCall);
    f.Text[1] = "N4ABC";
    EXPECT_EQ(ApplySetupDone(*t, f), SetupDoneResult::BadUtcOffset);
}

TEST_F(SetupDone, NonNumbersAndFailures) {
    // No option chosen: out of state, no rover. Slashed longitude and empty offset become 0.
    f.Text[3] = "82/3";
    f.Text[6] = "";
    ASSERT_EQ(ApplySetupDone(*t, f), SetupDoneResult::Stored);
    EXPECT_EQ(t->profile.OutOfState, 1);
    EXPECT_EQ(t->profile.RoverFlag, 0);
    EXPECT_EQ(f.Text[3], "0");
    EXPECT_EQ(f.Text[6], "0");
    EXPECT_FLOAT_EQ(t->profile.StationLongitude, 0);

    // A typed offset that is not a number, or more than a day, is refused; nothing is stored.
    const std::string before = t.readProgramFile("QSOpref.txt");
    f.Text[1] = "K1CHANGED";
    for (const char* offset : {"5/", "500", "-24.5"}) {
        f.Text[6] = offset;
        EXPECT_EQ(ApplySetupDone(*t, f), SetupDoneResult::BadUtcOffset) << offset;
        EXPECT_EQ(t.readProgramFile("QSOpref.txt"), before) << offset;
        EXPECT_EQ(t->profile.StationCall, "N4ABC") << offset;
    }

    // The XML file cannot be written: reported to the caller, the profile is still stored.
    f.Text[6] = "1e39";  // beyond a single: treated as a non-number
    EXPECT_EQ(ApplySetupDone(*t, f), SetupDoneResult::BadUtcOffset);
    f.Text[6] = "-5";
    fs::remove(xmlPath);
    fs::create_directory(xmlPath);  // a folder where the file should be
    EXPECT_EQ(ApplySetupDone(*t, f), SetupDoneResult::XmlNotSaved);
    EXPECT_EQ(t->profile.StationCall, "K1CHANGED");
}

namespace {
FormGeometry sampleForm() {
    FormGeometry f;
    f.width = 4800;
    f.height = 3600;
    f.fontSize = 8;
    f.controls = {
        {ControlKind::Label, 100, 200, 1000, 300, 8, {}},
        {ControlKind::ComboBox, 100, 600, 1000, 315, 8, {}},
        {ControlKind::Image, 100, 1000, 500, 500, 0, {}},
        {ControlKind::ListView, 100, 1600, 3000, 1000, 8, {1000, 2000}},
        {ControlKind::Line, 0, 3000, 4800, 0, 0, {}},
        {ControlKind::Other, 10, 10, 10, 10, 8, {}},
    };
    return f;
}
}  // namespace

TEST(FormScaling, ScreensOfDifferentShapes) {
    struct Case {
        double w, h;        // screen ratio to the reference
        double windowFont;  // factor
        double controlFont;
    } cases[] = {{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 2.25, 2.25, 2.25}, {2, 2.1333, 2.1333, 2}};
    for (const auto& c : cases) {
        FormGeometry f = sampleForm();
        const double sw = 9600 * c.w, sh = 7200 * c.h;
        ScaleForm(f, sw, sh);
        EXPECT_NEAR(f.width, 4800 * c.w, 0.01);
        EXPECT_NEAR(f.height, 3600 * c.h, 0.01);
        EXPECT_NEAR(f.left, (sw - f.width) / 2, 0.01);
        EXPECT_NEAR(f.top, (sh - f.height) / 2 - 170, 0.01);
        EXPECT_NEAR(f.fontSize, 8 * c.windowFont, 1e-3) << c.w << "x" << c.h;
        const auto& label = f.controls[0];
        EXPECT_NEAR(label.left, 100 * c.w, 0.01);
        EXPECT_NEAR(label.top, 200 * c.h, 0.01);
        EXPECT_NEAR(label.width, 1000 * c.w, 0.01);
        EXPECT_NEAR(label.height, 300 * c.h, 0.01);
        EXPECT_NEAR(label.fontSize, 8 * c.controlFont, 1e-3) << c.w << "x" << c.h;
        EXPECT_NEAR(f.controls[1].height, 315, 1e-9);           // a combo box keeps its height
        EXPECT_NEAR(f.controls[1].top, 600 * c.h, 0.01);
        EXPECT_EQ(f.controls[2].fontSize, 0);                  // an image has no font
        EXPECT_NEAR(f.controls[2].width, 500 * c.w, 0.01);
        EXPECT_NEAR(f.controls[3].columnWidths[1], 2000 * c.w, 0.01);
        EXPECT_NEAR(f.controls[4].width, 4800 * c.w, 0.01);    // line end X2
        EXPECT_NEAR(f.controls[4].top, 3000 * c.h, 0.01);
        EXPECT_EQ(f.controls[5].left, 10);                     // other kinds untouched
        EXPECT_EQ(f.controls[5].fontSize, 8);
    }
}

TEST(FormScaling, ChoicesClampAndScaleTo) {
    // A window taller than the screen less the raise stays on screen (title bar reachable).
    FormGeometry tall = sampleForm();
    tall.height = 7200;
    tall.width = 12000;
    ScaleForm(tall, 9600, 7200);
    EXPECT_EQ(tall.top, 0);
    EXPECT_EQ(tall.left, 0);

    // Exactly centred, width-ratio fonts, only labels handled.
    FormGeometry f = sampleForm();
    ScaleChoices choices;
    choices.raise = false;
    choices.windowFont = ScaleChoices::WindowFont::WidthRatio;
    choices.controlFont = ScaleChoices::ControlFont::WidthRatioAtMost15;
    choices.kinds = {ControlKind::Label};
    ScaleForm(f, 9600 * 2, 7200 * 3, choices);
    EXPECT_NEAR(f.top, (7200 * 3 - f.height) / 2, 0.01);
    EXPECT_NEAR(f.fontSize, 16, 1e-9);
    EXPECT_NEAR(f.controls[0].fontSize, 12, 1e-9);  // at most 1.5 times
    EXPECT_EQ(f.controls[1].left, 100);             // not a handled kind

    // Exact size to the screen: screen-sized at 0,0; font factor 1 gives the smaller client factor.
    FormGeometry g = sampleForm();
    g.frameWidth = 120;
    g.frameHeight = 400;
    const double ratio = ScaleFormTo(g, 9600, 7200, 9600, 7200, true, 1.0);
    EXPECT_EQ(g.width, 9600);
    EXPECT_EQ(g.height, 7200);
    EXPECT_EQ(g.left, 0);
    EXPECT_EQ(g.top, 0);
    const double h = (9600 - 120) / (4800.0 - 120), v = (7200 - 400) / (3600.0 - 400);
    EXPECT_NEAR(ratio, std::min(h, v), 1e-6);
    EXPECT_NEAR(g.controls[1].height, 315 * v, 1e-6);  // combo heights scale here
    EXPECT_NEAR(g.controls[0].fontSize, 8 * ratio, 1e-6);
}
