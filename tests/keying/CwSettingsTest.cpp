// cw.txt, the settings-store keys of the timing method, and the rules of the settings
// window's boxes.

#include <gtest/gtest.h>

#include "keying/CwSettings.h"
#include "support/TestSession.h"

using namespace keying;

namespace {

// A cw.txt as the settings window writes it.
std::string sampleFile() {
    CwSettings s;
    s.messages = {"CQ FL $ TEST", "5NN ^", "TU", "", "", "", "", "QRZ?", "VVV DE ", "73", "AGN?"};
    s.comPort = "3";
    s.speed = "24";
    s.wordSpace = "-2";
    s.parallelAddress = "&H278";
    s.echo = 0;
    s.repeatSeconds = "2.5";
    return FormatCwFile(s, 2);
}

TEST(CwFile, TheEighteenItemsRoundTrip) {
    const std::string file = sampleFile();
    EXPECT_EQ(file.substr(0, 16), "\"CQ FL $ TEST\"\r\n");
    EXPECT_NE(file.find("\"-2\"\r\n2\r\n\"&H278\"\r\n0\r\n\"2.5\"\r\n"), std::string::npos);
    CwSettings s;
    const CwFileRead r = ParseCwFile(file, s);
    EXPECT_TRUE(r.complete);
    EXPECT_TRUE(r.interfaceRead);
    EXPECT_EQ(r.CWInterface, 2);
    EXPECT_EQ(s.messages[1], "5NN ^");
    EXPECT_EQ(s.messages[9], "73");
    EXPECT_EQ(s.messages[10], "AGN?");
    EXPECT_EQ(s.speed, "24");
    EXPECT_EQ(s.parallelAddress, "&H278");
    EXPECT_EQ(s.echo, 0);
    EXPECT_EQ(s.repeatIntervalMs, 2500);
    EXPECT_EQ(FormatCwFile(s, r.CWInterface), file);
}

// Unquoted items of a file edited by hand: a double quote or a control character is dropped as
// the text is read (it could not be written back, nor belongs in a message), so the file the
// window writes reads as the same settings.
TEST(CwFile, AQuoteOrControlCharacterInAnItemIsDroppedAsItIsRead) {
    struct Case {
        const char* quoted;   // the item as sampleFile writes it
        const char* handmade; // what replaces it
        std::string CwSettings::*field;
        const char* read;
    };
    const Case cases[] = {
        {"\"-2\"", "\x02" "0\"", &CwSettings::wordSpace, "0"},
        {"\"3\"", "3\"\t", &CwSettings::comPort, "3"},
        {"\"24\"", "2\x7f" "4", &CwSettings::speed, "24"},
        {"\"&H278\"", "&H2\"78", &CwSettings::parallelAddress, "&H278"},
        {"\"2.5\"", "2.5\x1b", &CwSettings::repeatSeconds, "2.5"},
    };
    for (const auto& c : cases) {
        std::string file = sampleFile();
        file.replace(file.find(c.quoted), std::string(c.quoted).size(), c.handmade);
        CwSettings s;
        const CwFileRead r = ParseCwFile(file, s);
        ASSERT_TRUE(r.complete) << c.handmade;
        EXPECT_EQ(s.*c.field, c.read) << c.handmade;
        CwSettings again;
        ASSERT_TRUE(ParseCwFile(FormatCwFile(s, r.CWInterface), again).complete);
        EXPECT_EQ(again.*c.field, c.read) << c.handmade;
    }
    std::string file = sampleFile();
    file.replace(file.find("\"TU\""), 4, "T\x01U\"");
    CwSettings s;
    ASSERT_TRUE(ParseCwFile(file, s).complete);
    EXPECT_EQ(s.messages[2], "TU");
}

TEST(CwFile, ShortOrDamagedFilesStopWhereTheyFail) {
    std::string file = sampleFile();
    // An empty F9 message reads as "VVV DE ".
    file.replace(file.find("\"VVV DE \""), 9, "\"\"");
    CwSettings s;
    EXPECT_TRUE(ParseCwFile(file, s).complete);
    EXPECT_EQ(s.messages[8], "VVV DE ");

    // Item 15 that does not fit a byte ends the load there: no interface, later items stay.
    for (const char* bad : {"300", "-1"}) {
        std::string broken = sampleFile();
        broken.replace(broken.find("\r\n2\r\n\"&H278\""), 5, std::string("\r\n") + bad + "\r\n");
        CwSettings t;
        const CwFileRead r = ParseCwFile(broken, t);
        EXPECT_FALSE(r.complete) << bad;
        EXPECT_FALSE(r.interfaceRead) << bad;
        EXPECT_EQ(t.speed, "24") << bad;                // read before it
        EXPECT_EQ(t.parallelAddress, "&H378") << bad;   // never reached
        EXPECT_EQ(t.echo, 1) << bad;
    }
    // A file cut after item 15 still chooses the interface it names.
    CwSettings u;
    const std::string cut = sampleFile().substr(0, sampleFile().find("\"&H278\""));
    const CwFileRead r = ParseCwFile(cut, u);
    EXPECT_FALSE(r.complete);
    EXPECT_TRUE(r.interfaceRead);
    EXPECT_EQ(r.CWInterface, 2);
    // A word space below -8 is held there as it is read.
    std::string tight = sampleFile();
    tight.replace(tight.find("\"-2\""), 4, "\"-12\"");
    EXPECT_TRUE(ParseCwFile(tight, u).complete);
    EXPECT_EQ(u.wordSpace, "-8");
}

// The F1 repeat as the file holds it: the Loop box shows it as stored, the timer gets its seconds
// x 1000 ms to the nearest millisecond, and Done writes it back as it was; only leaving the box
// applies the box's rule (under 60 s). One the timer cannot take (not a number, below 0, over
// 65535 ms) stops the load there without a word: the box keeps "0" and the timer no interval,
// and the interface read before it is still chosen.
TEST(CwFile, TheRepeatIsReadAsStoredUnlessTheTimerCannotTakeIt) {
    const struct {
        const char* stored;
        bool taken;
        int intervalMs;
    } cases[] = {{"62", true, 62000},    {"2.5", true, 2500},      {"65.535", true, 65535}, {"0", true, 0},
                 {"1.50", true, 1500},   {"2.01", true, 2010},     {"65.5354", true, 65535},
                 {"65.536", false, 0},   {"65.5359", false, 0},    {"-1", false, 0},        {"abc", false, 0},
                 {"", false, 0},         {"1E+300", false, 0}};
    for (const auto& c : cases) {
        TestSession t;
        std::string file = sampleFile();
        file.replace(file.find("\"2.5\""), 5, std::string("\"") + c.stored + "\"");
        t.writeProgramFile("cw.txt", file);
        EXPECT_EQ(LoadCwSettings(*t), c.taken) << c.stored;
        const std::string shown = c.taken ? c.stored : "0";
        EXPECT_EQ(t->keyers.cw.settings().repeatSeconds, shown) << c.stored;
        EXPECT_EQ(t->keyers.cw.settings().repeatIntervalMs, c.intervalMs) << c.stored;
        EXPECT_EQ(t->keyers.keyer.CWInterface, 2) << c.stored;
        ASSERT_TRUE(SaveCwSettings(*t));
        EXPECT_TRUE(t.readProgramFile("cw.txt").ends_with("\"&H278\"\r\n0\r\n\"" + shown + "\"\r\n")) << c.stored;
    }
}

TEST(CwFile, LoadedAtSetupAndWrittenBackUnderTheNameItWasFoundBy) {
    TestSession t;
    auto& keyers = t->keyers;
    EXPECT_FALSE(LoadCwSettings(*t));  // no file: the design values
    EXPECT_EQ(keyers.cw.settings().messages[8], "");
    EXPECT_EQ(keyers.keyer.CWInterface, 0);

    t.writeProgramFile("CW.TXT", sampleFile());
    ASSERT_TRUE(LoadCwSettings(*t));
    EXPECT_EQ(keyers.keyer.CWInterface, 2);
    EXPECT_EQ(keyers.cw.settings().messages[0], "CQ FL $ TEST");
    keyers.cw.settings().messages[0] = "CQ CQ";
    ASSERT_TRUE(SaveCwSettings(*t));
    // One file: the operator's, under its own name; no second "cw.txt" beside it.
    EXPECT_EQ(t.readProgramFile("CW.TXT").substr(0, 9), "\"CQ CQ\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(t.programPath("cw.txt")));

    // Item 15 = 5: the WinKey interface, chosen as its option would choose it.
    TestSession winKey;
    int chosen = 0;
    winKey->keyers.onWinKeyChosen = [&] { ++chosen; };
    CwSettings w;
    winKey.writeProgramFile("cw.txt", FormatCwFile(w, 5));
    ASSERT_TRUE(LoadCwSettings(*winKey));
    EXPECT_EQ(winKey->keyers.keyer.CWInterface, 5);
    EXPECT_EQ(chosen, 1);

    // The shipped file: F9 "VVV DE ", no interface.
    TestSession fresh;
    fresh.copyDataFile("cw.txt");
    ASSERT_TRUE(LoadCwSettings(*fresh));
    EXPECT_EQ(fresh->keyers.cw.settings().messages[8], "VVV DE ");
    EXPECT_EQ(fresh->keyers.cw.settings().speed, "20");
}

TEST(CwFile, AWriteThatFailsSavesNoKeysAndSaysSo) {
    TestSession t;
    auto& s = t->keyers.cw.settings();
    s.timing = TimingMethod::Sleep;
    s.LoopsPer60ms = 1234;
    t.fakes.files.failWrite = true;
    EXPECT_FALSE(SaveCwSettings(*t));
    EXPECT_TRUE(t.fakes.settings.values.empty());
    t.fakes.files.failWrite = false;
    ASSERT_TRUE(SaveCwSettings(*t));
    EXPECT_TRUE(std::filesystem::exists(t.programPath("cw.txt")));
    EXPECT_EQ(t.fakes.settings.values["Tervak_Software/Settings/UserCWSelection"], "Sleep");
    EXPECT_EQ(t.fakes.settings.values["Tervak_Software/Settings/UserCWLoopOffset"], "1234");
}

TEST(CwSettingsStore, TheTimingMethodIsReadWithItsLetterCase) {
    EXPECT_EQ(TimingMethodFromName("Loop"), TimingMethod::Loop);
    EXPECT_EQ(TimingMethodFromName("Sleep"), TimingMethod::Sleep);
    EXPECT_EQ(TimingMethodFromName("loop"), std::nullopt);  // leaves Timer
    EXPECT_EQ(TimingMethodName(TimingMethod::Timer), "Timer");
    TestSession t;
    t.fakes.settings.values["Tervak_Software/Settings/UserCWSelection"] = "Sleep";
    t.fakes.settings.values["Tervak_Software/Settings/UserCWLoopOffset"] = "5000";
    LoadCwSettings(*t);
    EXPECT_EQ(t->keyers.cw.settings().timing, TimingMethod::Sleep);
    EXPECT_EQ(t->keyers.cw.settings().LoopsPer60ms, 5000);
}

TEST(CwSettingsBoxes, TheRulesOfEachBox) {
    // Speed steps stay within the speeds the keyer keys at.
    EXPECT_EQ(SpeedStep("13", +1), "14");
    EXPECT_EQ(SpeedStep("13", -1), "12");
    EXPECT_EQ(SpeedStep("5", -1), "5");
    EXPECT_EQ(SpeedStep("99", +1), "99");
    EXPECT_EQ(SpeedStep("0", -1), "5");
    EXPECT_EQ(SpeedStep("abc", +1), "5");
    EXPECT_EQ(SpeedStep("150", -1), "99");
    // Leaving a box with a text that is not a number.
    EXPECT_EQ(NumberOrZero("3:"), "0");
    EXPECT_EQ(NumberOrZero("17"), "17");
    // The word space.
    EXPECT_EQ(WordSpaceHeld("-9"), "-8");
    EXPECT_EQ(WordSpaceHeld("-"), "-");  // typing a minus sign on the way to a number
    EXPECT_EQ(WordSpaceStep("-8", -1), "-8");
    EXPECT_EQ(WordSpaceStep("abc", +1), "1");
    EXPECT_EQ(WordSpaceStep("2", -1), "1");
    // The repeat interval.
    EXPECT_EQ(RepeatFromText("2.5").intervalMs, 2500);
    EXPECT_EQ(RepeatFromText("59.9").intervalMs, 59900);
    for (const char* refused : {"60", "-1", "abc", ""}) {
        EXPECT_EQ(RepeatFromText(refused).text, "0") << refused;
        EXPECT_EQ(RepeatFromText(refused).intervalMs, 0) << refused;
    }
    // The loop count's tuning buttons.
    EXPECT_EQ(LoopTuned("1000", 0.9), "900");
    EXPECT_EQ(LoopTuned("900", 1.111111111111), "1000");
    EXPECT_EQ(LoopTuned("x", 0.9), std::nullopt);
    // Message of each key code.
    EXPECT_EQ(MessageIndexOfKey(112), 0);
    EXPECT_EQ(MessageIndexOfKey(120), 8);
    EXPECT_EQ(MessageIndexOfKey(124), 9);
    EXPECT_EQ(MessageIndexOfKey(122), 10);
    EXPECT_EQ(MessageIndexOfKey(121), -1);
    EXPECT_EQ(MessageIndexOfKey(123), -1);
}

TEST(CwSettingsBoxes, PortsAreRefusedRatherThanGuessed) {
    const struct {
        const char* text;
        int base;
        const char* device;
    } good[] = {{"&H378", 0x378, ""}, {"888", 888, ""}, {" &H3BC ", 0x3BC, ""}, {"&HD010", 0xD010, ""},
                {"&H100", 0x100, ""}, {"&HFFFD", 0xFFFD, ""}, {"/dev/parport1", 0, "/dev/parport1"}};
    for (const auto& g : good) {
        const auto ref = ParseParallelAddress(g.text);
        ASSERT_TRUE(ref) << g.text;
        EXPECT_EQ(ref->baseAddress, g.base) << g.text;
        EXPECT_EQ(ref->device, g.device) << g.text;
    }
    for (const char* bad : {"", "0", "abc", "&H", "2", "&HFF", "&HFFFE", "&HFFFFF", "-888", "888.5", "/dev/sda", "/dev/parport"})
        EXPECT_FALSE(ParseParallelAddress(bad)) << bad;

    EXPECT_EQ(ComPortNumber("3"), 3);
    EXPECT_EQ(ComPortNumber("0"), 0);
    EXPECT_EQ(ComPortNumber("abc"), 0);
    EXPECT_EQ(ComPortNumber("2.5"), 2);
    EXPECT_EQ(ComPortNumber("40000"), std::nullopt);
}

}  // namespace
