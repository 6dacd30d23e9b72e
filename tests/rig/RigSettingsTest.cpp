#include <gtest/gtest.h>

#include "rig/RigSettings.h"
#include "rig/RigTypeTable.h"

using namespace rig;

TEST(RigTypeTable, NineteenNamesInListOrderFoundIgnoringCase) {
    const char* names[] = {"None",           "Elecraft",       "Icom",         "Icom 735",  "Kenwood",
                           "Kenwood 2",      "Ten Tec Omni VI", "Ten Tec Orion", "Ten Tec Fnt Pnl",
                           "Ten Tec Pegasus", "Yaesu",          "Yaesu 757 GX II", "Yaesu 890", "Yaesu 920",
                           "Yaesu 990",      "Yaesu 1000 D",   "Yaesu 1000",   "Yaesu FTdx9000", "Other"};
    const auto& table = RigTypeTable();
    ASSERT_EQ(table.size(), std::size(names));
    for (size_t i = 0; i < table.size(); ++i) EXPECT_STREQ(table[i].name, names[i]);
    EXPECT_EQ(KindOf("kenwood"), RigKind::Kenwood);
    EXPECT_EQ(KindOf("YAESU 1000 D"), RigKind::Yaesu1000D);
    EXPECT_EQ(KindOf("Yaesu FT-1000MP"), RigKind::Unknown);
    EXPECT_TRUE(IsLegacyYaesu("Yaesu FT-1000MP"));  // a Yaesu name not on the list still gets the bytes
}

TEST(ApplyRigTypeRow, SetsTheRowsOptionsAndKeepsTheRest) {
    RigSettings s = DesignSettings();
    s.RigPort = 4;
    s.PowerLine = "R";
    s.PollRate = "F";
    s.modeBy = ModeBy::Frequency;
    ApplyRigTypeRow(s, *FindRigType("Icom"));
    EXPECT_EQ(CommSettingsText(s), "1200,N,8,1");
    EXPECT_EQ(s.FreqReadString, "FE FE 64 E0 03 FD");
    EXPECT_TRUE(s.ConvertToHex);
    EXPECT_TRUE(s.ConvertFromHex);
    // The FTdx9000 sets only the speed: the Icom's parity, data and stop bits stay.
    ApplyRigTypeRow(s, *FindRigType("Yaesu FTdx9000"));
    EXPECT_EQ(CommSettingsText(s), "4800,N,8,1");
    EXPECT_EQ(s.ModeReadString, "MD0;");
    EXPECT_FALSE(s.ConvertToHex);
    // An edited string is overwritten when the name is chosen again.
    s.FreqReadString = "FB;";
    ApplyRigTypeRow(s, *FindRigType("Yaesu FTdx9000"));
    EXPECT_EQ(s.FreqReadString, "FA;");
    // Other keeps every serial option and empties the strings.
    ApplyRigTypeRow(s, *FindRigType("Other"));
    EXPECT_EQ(CommSettingsText(s), "4800,N,8,1");
    EXPECT_EQ(s.FreqReadString, "");
    EXPECT_TRUE(FindRigType("Other")->enableConvertToHex);
    EXPECT_EQ(s.RigPort, 4);
    EXPECT_EQ(s.PowerLine, "R");
    EXPECT_EQ(s.PollRate, "F");
    EXPECT_EQ(s.modeBy, ModeBy::Frequency);
}

TEST(RigCntrlFile, WritesFourteenItemsAndReadsThemBack) {
    RigSettings s = DesignSettings();
    ApplyRigTypeRow(s, *FindRigType("Kenwood"));
    s.CommSettings = CommSettingsText(s);
    const std::string bytes = WriteRigCntrl(s, "Kenwood");
    EXPECT_EQ(bytes,
              "\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n1\r\n\"N\"\r\n\"M\"\r\n"
              "\"Kenwood\"\r\n0\r\n1\r\n1\r\n");
    RigSettings back = DesignSettings();
    back.UseFrequency = false;
    const RigCntrlRead r = ReadRigCntrl(bytes, back);
    EXPECT_EQ(r.itemsRead, 14);
    EXPECT_EQ(r.rigType, "Kenwood");
    EXPECT_EQ(back, s);

    // Every option survives the trip.
    s.BaudText = "56000";
    s.RigPort = 10;
    s.PowerLine = "D";
    s.PollRate = "R";
    s.ConvertToHex = s.ConvertFromHex = true;
    s.UseFrequency = false;
    s.modeBy = ModeBy::DontUse;
    RigSettings again = DesignSettings();
    ReadRigCntrl(WriteRigCntrl(s, "Other"), again);
    EXPECT_EQ(again, s);
}

TEST(RigCntrlFile, AQuoteInAReadStringCannotBreakTheFile) {
    RigSettings s = DesignSettings();
    s.FreqReadString = "F\"A;";
    s.ModeReadString = "MD;";
    RigSettings back = DesignSettings();
    const RigCntrlRead r = ReadRigCntrl(WriteRigCntrl(s, "Other"), back);
    EXPECT_EQ(r.itemsRead, 14);
    EXPECT_EQ(back.FreqReadString, "FA;");
    EXPECT_EQ(back.ModeReadString, "MD;");
    EXPECT_EQ(r.rigType, "Other");
    // Characters the file cannot hold are dropped before the speed is padded to five.
    s.BaudText = "48\t00";
    EXPECT_EQ(WriteRigCntrl(s, "Other").substr(0, 9), "\"4800 \"\r\n");
}

TEST(RigCntrlFile, AShortOrBadFileKeepsWhatWasReadBeforeTheError) {
    RigSettings s = DesignSettings();
    ApplyRigTypeRow(s, *FindRigType("Icom"));
    s.modeBy = ModeBy::Frequency;
    const std::string whole = WriteRigCntrl(s, "Icom");
    // Cut after item 9: items 1-9 read, the rig type and the last three are not.
    size_t cut = 0;
    for (int line = 0; line < 9; ++line) cut = whole.find("\r\n", cut) + 2;
    RigSettings part = DesignSettings();
    part.UseFrequency = false;
    const RigCntrlRead r = ReadRigCntrl(whole.substr(0, cut), part);
    EXPECT_EQ(r.itemsRead, 9);
    EXPECT_EQ(r.rigType, std::nullopt);
    EXPECT_EQ(part.FreqReadString, "FE FE 64 E0 03 FD");
    EXPECT_FALSE(part.UseFrequency);
    EXPECT_EQ(part.modeBy, ModeBy::Rig);
    // A port number the file cannot hold in a byte ends the read at item 8.
    std::string bad = whole;
    bad.replace(bad.find("\r\n1\r\n"), 5, "\r\n300\r\n");
    RigSettings b = DesignSettings();
    EXPECT_EQ(ReadRigCntrl(bad, b).itemsRead, 7);
    // Port 0 is read as it stands: the caller decides.
    std::string zero = whole;
    zero.replace(zero.find("\r\n1\r\n"), 5, "\r\n0\r\n");
    RigSettings z = DesignSettings();
    const RigCntrlRead rz = ReadRigCntrl(zero, z);
    EXPECT_EQ(rz.itemsRead, 14);
    EXPECT_EQ(rz.portInFile, 0);
}

TEST(PollIntervalMs, HalfACycleForEachRate) {
    EXPECT_EQ(PollIntervalMs("F"), 50);
    EXPECT_EQ(PollIntervalMs("M"), 250);
    EXPECT_EQ(PollIntervalMs("S"), 1000);
    EXPECT_EQ(PollIntervalMs("R"), 5000);
    EXPECT_EQ(PollIntervalMs("X"), std::nullopt);
    EXPECT_EQ(PollIntervalMs(""), std::nullopt);
}
