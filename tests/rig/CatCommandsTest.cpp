#include <gtest/gtest.h>

#include "Bytes.h"
#include "rig/CatCommands.h"
#include "rig/CatText.h"

using namespace rig;

namespace {
ReadStrings defaults(const char* name) {
    const RigTypeRow* row = FindRigType(name);
    return {row->freqReadString, row->modeReadString, row->convertToHex};
}
std::string hexOf(const std::string& bytes) { return ReplyToSpacedHex(bytes); }
}  // namespace

TEST(PollRequest, EachRigTypeAsksWithItsDefaultStrings) {
    struct Case {
        const char* rig;
        std::string frequencyTurn;  // what the first send tick sends
        std::string modeTurn;       // what the second sends
    };
    const Case cases[] = {
        {"Kenwood", "FA;MD;", "FA;MD;"},
        {"Elecraft", "FA;MD;", "FA;MD;"},
        {"Kenwood 2", "IF;", "IF;"},
        {"Ten Tec Orion", "?AF\r?RMM\r", "?AF\r?RMM\r"},
        {"Icom", hexBytes("FE FE 64 E0 03 FD"), hexBytes("FE FE 64 E0 04 FD")},
        {"Ten Tec Omni VI", hexBytes("FE FE 04 E0 03 FD"), hexBytes("FE FE 04 E0 04 FD")},
        {"Ten Tec Fnt Pnl", hexBytes("3F 41 0D"), hexBytes("3F 4D 0D")},
        {"Yaesu FTdx9000", "FA;", "MD0;"},
        {"Yaesu", hexBytes("00 00 00 00 03"), hexBytes("00 00 00 00 03")},
        {"Yaesu 757 GX II", hexBytes("00 00 00 00 10"), hexBytes("00 00 00 00 10")},
        {"Yaesu 990", hexBytes("00 00 00 02 10"), hexBytes("00 00 00 02 10")},
        {"Ten Tec Pegasus", "", ""},
        {"None", "", ""},
    };
    for (const auto& c : cases) {
        const RigKind kind = KindOf(c.rig);
        const PollRequest first = BuildPollRequest(kind, defaults(c.rig), true);
        const PollRequest second = BuildPollRequest(kind, defaults(c.rig), false);
        EXPECT_EQ(hexOf(first.bytes), hexOf(c.frequencyTurn)) << c.rig;
        EXPECT_EQ(hexOf(second.bytes), hexOf(c.modeTurn)) << c.rig;
    }
}

TEST(PollRequest, StringConditionsAndTheOperatorsOwnStrings) {
    // A Yaesu never sends its mode string, even one typed by the operator.
    EXPECT_EQ(BuildPollRequest(RigKind::Yaesu, {"00 00 00 00 03", "00 00 00 00 07", false}, false).bytes,
              hexBytes("00 00 00 00 03"));
    // An Icom with no mode string sends nothing on the mode turn.
    EXPECT_EQ(BuildPollRequest(RigKind::Icom, {"FE FE 64 E0 03 FD", "", true}, false).bytes, "");
    // Only the first six pairs go out; the rest of the string is ignored.
    EXPECT_EQ(BuildPollRequest(RigKind::Icom, {"FE FE 94 E0 03 FD 77 88", "", true}, true).bytes,
              hexBytes("FE FE 94 E0 03 FD"));
    // "Other" sends its strings as typed, or as bytes with "Convert to Hex", no CR added.
    EXPECT_EQ(BuildPollRequest(RigKind::Other, {"FA;", "MD;", false}, true).bytes, "FA;MD;");
    EXPECT_EQ(BuildPollRequest(RigKind::Other, {"fe fe 64 e0 03 fd", "", true}, true).bytes,
              hexBytes("FE FE 64 E0 03 FD"));
    // A pair that is not hex is never half sent.
    const PollRequest bad = BuildPollRequest(RigKind::Icom, {"FE FE 6Z E0 03 FD", "", true}, true);
    EXPECT_FALSE(bad.valid);
    EXPECT_EQ(bad.bytes, "");
    EXPECT_EQ(BadReadString(RigKind::Icom, {"FE FE 6Z E0 03 FD", "", true}), "String to read frequency");
    EXPECT_EQ(BadReadString(RigKind::TenTecFrontPanel, {"3F 41 0D", "3F 4M 0D", true}), "String to read mode");
    EXPECT_EQ(BadReadString(RigKind::Other, {"MD;", "", true}), "String to read frequency");
    EXPECT_EQ(BadReadString(RigKind::Other, {"MD;", "", false}), std::nullopt);
    EXPECT_EQ(BadReadString(RigKind::Kenwood, defaults("Kenwood")), std::nullopt);
    EXPECT_EQ(BadReadString(RigKind::Icom, defaults("Icom")), std::nullopt);
}

TEST(OpenAndCloseBytes, YaesusButTheFtdx9000AndTheOrion) {
    EXPECT_EQ(OpenBytes("Yaesu"), hexBytes("00 00 00 00 00"));
    EXPECT_EQ(OpenBytes("yaesu 990"), hexBytes("00 00 00 00 00"));
    EXPECT_EQ(CloseBytes("Yaesu 757 GX II"), hexBytes("00 00 00 00 80"));
    EXPECT_EQ(OpenBytes("Yaesu FTdx9000"), "");
    EXPECT_EQ(CloseBytes("Yaesu FTdx9000"), "");
    EXPECT_EQ(OpenBytes("Ten Tec Orion"), "X\r");
    EXPECT_EQ(CloseBytes("Ten Tec Orion"), "");
    EXPECT_EQ(OpenBytes("Kenwood"), "");
}

TEST(FrequencyCommand, BytesForEachRigType) {
    struct Case {
        const char* rig;
        double mhz;
        std::string bytes;
        int delayMs;
    };
    const Case cases[] = {
        {"Kenwood", 14.025, "FA00014025000;", 205},
        {"Kenwood", 1.8, "FA00001800000;", 205},
        {"Kenwood", 435.000010, "FA00435000010;", 205},
        {"Elecraft", 14.025, "FA00014025000;", 1205},
        {"Kenwood 2", 14.025, "FA00014025000;", 205},
        {"Yaesu FTdx9000", 14.025, "FA14025000;", 205},
        {"Yaesu FTdx9000", 1.8, "FA01800000;", 205},
        {"Icom", 14.025, hexBytes("FE FE 64 E0 05 00 50 02 14 00 FD"), 140},
        {"Icom", 1.8, hexBytes("FE FE 64 E0 05 00 00 80 01 00 FD"), 140},
        {"Icom", 435.000010, hexBytes("FE FE 64 E0 05 10 00 00 35 04 FD"), 140},
        {"Icom 735", 14.025, hexBytes("FE FE 64 E0 05 00 50 02 14 00 FD"), 140},
        {"Ten Tec Omni VI", 14.025, hexBytes("FE FE 04 E0 05 00 50 02 14 00 FD"), 360},
        {"Yaesu", 14.025, hexBytes("01 40 25 00 01"), 205},
        {"Yaesu", 435.000010, hexBytes("43 50 00 01 01"), 205},
        {"Yaesu", 1.8, hexBytes("00 18 00 00 01"), 205},
        {"Yaesu 890", 14.025, hexBytes("00 25 40 01 0A"), 205},
        {"Yaesu 757 GX II", 1.8, hexBytes("00 00 18 00 0A"), 205},
        {"Yaesu 1000", 14.025, hexBytes("00 25 40 01 0A"), 10},
        {"Ten Tec Fnt Pnl", 14.025, hexBytes("2A 41 00 D6 01 28 0D"), 205},
        {"Ten Tec Fnt Pnl", 435.000010, hexBytes("2A 41 19 ED 92 CA 0D"), 205},
        {"Ten Tec Orion", 14.025, "*AF14.025\r", 205},
        {"Ten Tec Orion", 7.0, "*AF7\r", 205},
        {"Ten Tec Pegasus", 14.025, "", 205},
        {"Other", 14.025, "", 0},
    };
    for (const auto& c : cases) {
        const FrequencyCommand command = EncodeFrequencyCommand(KindOf(c.rig), c.mhz, defaults(c.rig), 10);
        EXPECT_EQ(hexOf(command.bytes), hexOf(c.bytes)) << c.rig << " " << c.mhz;
        EXPECT_EQ(command.delayMs, c.delayMs) << c.rig;
        EXPECT_EQ(command.refusal, "") << c.rig << " " << c.mhz;
    }
    // The VFO of the last IF answer: 1 tunes VFO B.
    EXPECT_EQ(EncodeFrequencyCommand(RigKind::Kenwood2, 14.025, defaults("Kenwood 2"), 1).bytes, "FB00014025000;");
    // The Kenwood marker comes from the read string.
    EXPECT_EQ(EncodeFrequencyCommand(RigKind::Kenwood, 14.025, {"FB;", "MD;", false}, 10).bytes, "FB00014025000;");
}

TEST(FrequencyCommand, RefusesWhatTheFieldCannotCarry) {
    struct Case {
        const char* rig;
        double mhz;
    };
    const Case refused[] = {
        {"Kenwood", 0.0},          {"Kenwood", -14.025},        {"Icom", -1.0},
        {"Yaesu FTdx9000", 100.0}, {"Yaesu", 1000.0},           {"Yaesu 990", 1296.0},
        {"Icom", 10000.0},         {"Ten Tec Fnt Pnl", 4295.0}, {"Kenwood", 0.0000004},
        {"Ten Tec Pegasus", 0.0},
    };
    for (const auto& c : refused) {
        const FrequencyCommand command = EncodeFrequencyCommand(KindOf(c.rig), c.mhz, defaults(c.rig), 10);
        EXPECT_NE(command.refusal, "") << c.rig << " " << c.mhz;
        EXPECT_EQ(command.bytes, "") << c.rig << " " << c.mhz;
    }
    // The operator is told why.
    EXPECT_EQ(EncodeFrequencyCommand(RigKind::Kenwood, -14.025, defaults("Kenwood"), 10).refusal,
              "A frequency of 0 or below cannot be sent to the rig.");
    EXPECT_EQ(EncodeFrequencyCommand(RigKind::Yaesu, 1000.0, defaults("Yaesu"), 10).refusal,
              "1000.000000 MHz does not fit the rig's frequency command.");
    EXPECT_EQ(EncodeFrequencyCommand(RigKind::Yaesu, 999.99999, defaults("Yaesu"), 10).refusal, "");
    EXPECT_EQ(EncodeFrequencyCommand(RigKind::Ftdx9000, 99.999999, defaults("Yaesu FTdx9000"), 10).refusal, "");
    // A CI-V address that is not hex cannot be sent.
    EXPECT_NE(EncodeFrequencyCommand(RigKind::Icom, 14.025, {"FE FE 6Q E0 03 FD", "", true}, 10).refusal, "");
    EXPECT_NE(EncodeFrequencyCommand(RigKind::Icom, 14.025, {"", "", true}, 10).refusal, "");
}

TEST(ModeCommand, EveryModeOfEveryTable) {
    struct Case {
        const char* mode;
        std::string kenwood, icom, yaesu, yaesuStatus, ftdx;
    };
    const std::string x;  // no command
    const Case cases[] = {
        {"CW", "MD3;", "FE FE 64 E0 06 03 FD", "02 00 00 00 07", "00 00 00 02 0C", "MD03;"},
        {"LSB", "MD1;", "FE FE 64 E0 06 00 FD", "00 00 00 00 07", "00 00 00 00 0C", "MD01;"},
        {"USB", "MD2;", "FE FE 64 E0 06 01 FD", "01 00 00 00 07", "00 00 00 01 0C", "MD02;"},
        {"AM", "MD5;", "FE FE 64 E0 06 02 FD", "04 00 00 00 07", "00 00 00 04 0C", "MD05;"},
        {"FM", "MD4;", "FE FE 64 E0 06 05 FD", "08 00 00 00 07", "00 00 00 06 0C", "MD04;"},
        {"RTTY", "MD6;", "FE FE 64 E0 06 04 FD", "0A 00 00 00 07", "00 00 00 08 0C", "MD06;"},
        {"FSK", "MD6;", x, x, x, x},
        {"CW-R", x, "FE FE 64 E0 06 07 FD", x, "00 00 00 03 0C", "MD07;"},
        {"RTTY-R", x, "FE FE 64 E0 06 08 FD", x, x, x},
        {"DIG", x, x, "0A 00 00 00 07", x, x},
        {"PKT", x, x, "0C 00 00 00 07", "00 00 00 0A 0C", x},
        {"usb", x, x, x, x, x},  // mode names are compared exactly
    };
    auto asBytes = [](const std::string& s) { return s.find(' ') != std::string::npos ? hexBytes(s) : s; };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeModeCommand(RigKind::Kenwood, c.mode, defaults("Kenwood")), c.kenwood) << c.mode;
        EXPECT_EQ(EncodeModeCommand(RigKind::Elecraft, c.mode, defaults("Elecraft")), c.kenwood) << c.mode;
        EXPECT_EQ(hexOf(EncodeModeCommand(RigKind::Icom, c.mode, defaults("Icom"))), hexOf(asBytes(c.icom))) << c.mode;
        EXPECT_EQ(hexOf(EncodeModeCommand(RigKind::Yaesu, c.mode, defaults("Yaesu"))), hexOf(asBytes(c.yaesu)))
            << c.mode;
        for (const char* rig : {"Yaesu 757 GX II", "Yaesu 890", "Yaesu 920", "Yaesu 990", "Yaesu 1000", "Yaesu 1000 D"})
            EXPECT_EQ(hexOf(EncodeModeCommand(KindOf(rig), c.mode, defaults(rig))), hexOf(asBytes(c.yaesuStatus)))
                << rig << " " << c.mode;
        EXPECT_EQ(EncodeModeCommand(RigKind::Ftdx9000, c.mode, defaults("Yaesu FTdx9000")), c.ftdx) << c.mode;
    }
    // The Omni VI answers at its own address; the others have no mode command at all.
    EXPECT_EQ(EncodeModeCommand(RigKind::OmniVI, "USB", defaults("Ten Tec Omni VI")), hexBytes("FE FE 04 E0 06 01 FD"));
    for (const char* rig : {"Icom 735", "Ten Tec Fnt Pnl", "Ten Tec Orion", "Ten Tec Pegasus", "Other", "None"})
        EXPECT_EQ(EncodeModeCommand(KindOf(rig), "CW", defaults(rig)), "") << rig;
}

TEST(CatText, HexFormsAndFrequencyTexts) {
    EXPECT_EQ(HexDigit(0), "0");
    EXPECT_EQ(HexDigit(15), "F");
    EXPECT_EQ(HexDigit(16), "");
    EXPECT_EQ(ReplyToHex(hexBytes("FE FE 03")), "FEFE03");
    EXPECT_EQ(ReplyToSpacedHex(hexBytes("FE FE 03")), "FE FE 03 ");
    EXPECT_EQ(SpacedHexToBytes("FE FE 64 E0 03 FD"), hexBytes("FE FE 64 E0 03 FD"));
    EXPECT_EQ(SpacedHexToBytes("fe fe 0"), hexBytes("FE FE"));  // a single trailing digit is no pair
    EXPECT_EQ(SpacedHexToBytes("FE GG"), std::nullopt);
    EXPECT_EQ(HexPairsToBytes("FEFE"), hexBytes("FE FE"));
    EXPECT_EQ(FormatCivFrequency("0014025000"), "14.025000");
    EXPECT_EQ(FormatCivFrequency("1296123450"), "1296.123450");
    EXPECT_EQ(FormatYaesuFrequency("01402500"), "14.02500");
    EXPECT_EQ(FormatYaesuFrequency("00070000"), ".70000");
    EXPECT_EQ(OrionMhzText(14.025), "14.025");
    EXPECT_EQ(OrionMhzText(7.0), "7");
    EXPECT_EQ(OrionMhzText(1296.12345), "1296.123");
    EXPECT_EQ(PegasusInText(14.025, " CW "), "14.025\r\nCW\r\n");
}
