#include <gtest/gtest.h>

#include <optional>

#include "rig/CatDecoders.h"
#include "Bytes.h"

using namespace rig;

namespace {
struct Case {
    const char* what;
    std::string reply;
    std::optional<double> frequency;
    std::optional<std::string> mode;
};

void expectCases(RigKind kind, const std::vector<Case>& cases, const std::string& freqString = "",
                 const std::string& modeString = "", bool frequencyTurn = true) {
    for (const auto& c : cases) {
        const Decoded d = DecodeReply(kind, c.reply, frequencyTurn, freqString, modeString);
        EXPECT_EQ(d.frequency.has_value(), c.frequency.has_value()) << c.what;
        if (d.frequency && c.frequency) {
            EXPECT_DOUBLE_EQ(*d.frequency, *c.frequency) << c.what;
        }
        EXPECT_EQ(d.mode, c.mode) << c.what;
    }
}
const std::nullopt_t none = std::nullopt;
}  // namespace

TEST(KenwoodDecoder, ReadsFrequencyAndModeOnlyWhenTheAnswerIsWhole) {
    expectCases(RigKind::Kenwood,
                {
                    {"both answers", "FA00014025000;MD3;", 14.025, "CW"},
                    {"CW-R is CW", "FA00007025000;MD7;", 7.025, "CW"},
                    {"USB is phone", "FA00014250000;MD2;", 14.25, "PH"},
                    {"nothing after the digits", "FA00014025000", none, none},
                    {"short", "FA000140", none, none},
                    {"split: the rest ahead of the next answer", "25000;MD3;FA00007025000;MD3;", 7.025, "CW"},
                    {"junk before", std::string("\x00\x7F?;", 4) + "FA00021200000;MD2;", 21.2, "PH"},
                    {"digits that are not a number", "FA0001402500X;MD3;", none, "CW"},
                    {"MD without a digit", "MD;", none, none},
                    {"435.000010 MHz keeps its 10 Hz", "FA00435000010;", 435.00001, none},
                },
                "FA;");
    // The marker comes from the read string; a string under 3 characters reads no frequency.
    EXPECT_EQ(DecodeKenwoodFrequency("FB00014025000;", "FB;").frequency, 14.025);
    EXPECT_FALSE(DecodeKenwoodFrequency("FA00014025000;", "FA").frequency);
}

TEST(KenwoodIfDecoder, ReadsFrequencyModeAndVfo) {
    // IF, 11 frequency digits, 4 step, 6 RIT, 3 flags, 2 memory, TX, mode, VFO, 6 more, ";"
    auto ifAnswer = [](const char* hz, char mode, char vfo) {
        return std::string("IF") + hz + "    " + "+00000" + "000" + "00" + "0" + mode + vfo + "000000;";
    };
    ASSERT_EQ(ifAnswer("00014025000", '3', '0').size(), 38u);
    const std::vector<Case> cases = {
        {"CW", ifAnswer("00014025000", '3', '0'), 14.025, "CW"},
        {"CW-R stays phone here", ifAnswer("00007030000", '7', '0'), 7.03, "PH"},
        {"cut after the frequency", ifAnswer("00014025000", '3', '0').substr(0, 20), 14.025, "PH"},
        {"short", "IF000140250", none, none},
        {"junk before", "?;" + ifAnswer("00021025000", '3', '1'), 21.025, "CW"},
    };
    expectCases(RigKind::Kenwood2, cases);
    EXPECT_EQ(DecodeKenwoodIf(ifAnswer("00014025000", '3', '1')).vfo, 1);
    EXPECT_EQ(DecodeKenwoodIf(ifAnswer("00014025000", '3', '1').substr(0, 30)).vfo, std::nullopt);
}

TEST(Ftdx9000Decoder, NeedsExactlyEightDigits) {
    expectCases(RigKind::Ftdx9000,
                {
                    {"frequency answer", "FA14025000;", 14.025, none},
                    {"mode answer", "MD03;", none, "CW"},
                    {"mode USB", "MD02;", none, "PH"},
                    {"seven digits are not read ten times too low", "FA1402500;", none, none},
                    {"cut answer", "FA1402500", none, none},
                    {"nine digits", "FA014025000;", none, none},
                    {"junk before", "?;FA07025000;", 7.025, none},
                },
                "FA;", "MD0;");
}

TEST(CivDecoder, UsesCompleteFramesOnlyAndTheLastOneWins) {
    const std::string echo = hexBytes("FE FE 64 E0 03 FD");
    const std::string answer = hexBytes("FE FE E0 64 03 00 50 02 14 00 FD");
    expectCases(RigKind::Icom,
                {
                    {"echo and answer", echo + answer, 14.025, none},
                    {"echo only", echo, none, none},
                    {"mode CW", hexBytes("FE FE 64 E0 04 FD FE FE E0 64 04 03 02 FD"), none, "CW"},
                    {"mode CW-R is phone", hexBytes("FE FE E0 64 04 07 FD"), none, "PH"},
                    {"mode without data", hexBytes("FE FE E0 64 04 FD"), none, none},
                    {"answer cut before FD", hexBytes("FE FE E0 64 03 00 50 02 14 00"), none, none},
                    {"whole frame then a cut one: the whole one counts",
                     answer + hexBytes("FE FE E0 64 03 00 00 10"), 14.025, none},
                    {"two whole frames: the last wins", answer + hexBytes("FE FE E0 64 03 00 50 02 07 00 FD"), 7.025,
                     none},
                    {"junk before", hexBytes("00 13 FD 77") + answer, 14.025, none},
                    {"a collision restarts the frame", hexBytes("FE FE E0 64 03 00 50") + answer, 14.025, none},
                    {"digits that are not BCD", hexBytes("FE FE E0 64 03 00 5A 02 14 00 FD"), none, none},
                    {"three data bytes", hexBytes("FE FE E0 64 03 00 50 02 FD"), none, none},
                    {"435.000010 MHz", hexBytes("FE FE E0 64 03 10 00 00 35 04 FD"), 435.00001, none},
                });
    // The IC-735 answers four bytes of Hz.
    expectCases(RigKind::Icom735, {{"four data bytes", hexBytes("FE FE E0 04 03 00 50 02 14 FD"), 14.025, none}});
}

TEST(CivDecoder, KeepsOnlyTheStartOfAFrameStillArriving) {
    const std::string answer = hexBytes("FE FE E0 64 03 00 50 02 14 00 FD");
    EXPECT_EQ(CivIncompleteTail(answer), "");
    EXPECT_EQ(CivIncompleteTail(answer + hexBytes("FE FE E0 64")), hexBytes("FE FE E0 64"));
    EXPECT_EQ(CivIncompleteTail(answer + hexBytes("13 37 FE")), hexBytes("FE"));
    EXPECT_EQ(CivIncompleteTail(hexBytes("13 37")), "");
    // Joined with its rest, the cut frame reads whole.
    const std::string first = hexBytes("FE FE E0 64 03 00 50");
    EXPECT_FALSE(DecodeCivFrequency(first).frequency);
    EXPECT_EQ(DecodeCivFrequency(CivIncompleteTail(first) + hexBytes("02 14 00 FD")).frequency, 14.025);
}

TEST(YaesuStatusDecoder, ReadsExactlyFiveBytes) {
    expectCases(RigKind::Yaesu, {
                                    {"CW", hexBytes("01 40 25 00 02"), 14.025, "CW"},
                                    {"USB", hexBytes("01 40 25 00 01"), 14.025, "PH"},
                                    {"CW narrow", hexBytes("00 70 25 00 82"), 7.025, "CW"},
                                    {"below 1 MHz", hexBytes("00 07 00 00 01"), 0.7, "PH"},
                                    {"a letter in the mode drops it all", hexBytes("01 40 25 00 0A"), none, none},
                                    {"unknown mode keeps the mode", hexBytes("01 40 25 00 06"), 14.025, none},
                                    {"short", hexBytes("01 40 25 00"), none, none},
                                    {"a byte before", hexBytes("00 01 40 25 00 02"), none, none},
                                    {"a byte after", hexBytes("01 40 25 00 02 00"), none, none},
                                    {"not BCD", hexBytes("01 4A 25 00 02"), none, none},
                                    {"435.00001 MHz", hexBytes("43 50 00 01 01"), 435.00001, "PH"},
                                });
}

TEST(Yaesu757Decoder, NeedsTenBytes) {
    const std::string head = hexBytes("11 22 33 44 55");
    expectCases(RigKind::Yaesu757, {
                                       {"CW", head + hexBytes("00 25 40 01 02"), 14.025, "CW"},
                                       {"LSB", head + hexBytes("00 25 70 00 00"), 7.025, "PH"},
                                       {"AM", head + hexBytes("00 00 70 00 04"), 7.0, "AM"},
                                       {"FM", head + hexBytes("00 00 99 02 05"), 29.9, "FM"},
                                       {"mode with a letter reads as its first digit",
                                        head + hexBytes("00 25 40 01 2A"), 14.025, "CW"},
                                       {"five bytes are not enough", head, none, none},
                                       {"nine bytes", head + hexBytes("00 25 40 01"), none, none},
                                   });
}

TEST(YaesuStatusBlockDecoder, EachModelReadsItsOwnBytes) {
    // 14.025 MHz is 0x156684 in 10 Hz units, 0x00D60128 in Hz.
    struct Block {
        RigKind kind;
        std::string bytes;
        std::optional<std::string> mode;
    };
    const std::vector<Block> blocks = {
        {RigKind::Yaesu890, hexBytes("00 00 15 66 84 00 00 02"), "CW"},
        {RigKind::Yaesu990, hexBytes("00 15 66 84 00 00 00 01"), "PH"},
        {RigKind::Yaesu1000D, hexBytes("00 15 66 84 00 00 00 02"), "CW"},
        {RigKind::Yaesu1000, hexBytes("00 01 56 68 40 00 00 02"), "CW"},
        {RigKind::Yaesu920, hexBytes("00 00 D6 01 28 00 00 01"), "CW"},
        {RigKind::Yaesu920, hexBytes("00 00 D6 01 28 00 00 02"), "PH"},
        {RigKind::Yaesu890, hexBytes("00 00 15 66 84 00 00 09"), std::nullopt},  // 8-F keep the mode
    };
    for (const auto& b : blocks) {
        const Decoded d = DecodeReply(b.kind, b.bytes, true, "", "");
        EXPECT_EQ(d.frequency, 14.025) << ReplyToHex(b.bytes);
        EXPECT_EQ(d.mode, b.mode) << ReplyToHex(b.bytes);
        // Seven bytes lack the mode digit: nothing is read from them.
        EXPECT_TRUE(DecodeReply(b.kind, b.bytes.substr(0, 7), true, "", "").empty());
    }
}

TEST(TenTecFrontPanelDecoder, FrequencyAndModeAnswers) {
    expectCases(RigKind::TenTecFrontPanel, {
                                               {"frequency", hexBytes("41 00 D6 01 28 0D"), 14.025, none},
                                               {"without the CR", hexBytes("41 00 D6 01 28"), 14.025, none},
                                               {"four bytes are not enough", hexBytes("41 00 D6 01"), none, none},
                                           });
    expectCases(RigKind::TenTecFrontPanel,
                {
                    {"CW", hexBytes("4D 33 0D"), none, "CW"},
                    {"USB", hexBytes("4D 31 0D"), none, "PH"},
                    {"FM keeps the mode", hexBytes("4D 35 0D"), none, none},
                    {"short", hexBytes("4D 33"), none, none},
                },
                "", "", false);
}

TEST(OrionDecoder, SkipsJunkAndNeedsTheCarriageReturn) {
    expectCases(RigKind::Orion, {
                                    {"both", "@AF14025000\r@RMM3\r", 14.025, "CW"},
                                    {"junk before", "X\rOrion\r@AF14025000\r@RMM3\r", 14.025, "CW"},
                                    {"USB", "@AF14250000\r@RMM0\r", 14.25, "PH"},
                                    {"UCW", "@AF07025000\r@RMM2\r", 7.025, "CW"},
                                    {"no CR after the frequency", "@AF1402", none, none},
                                    {"mode without its digit", "@AF14025000\r@RMM", 14.025, none},
                                });
}

TEST(PegasusFile, NumberAndMode) {
    EXPECT_EQ(ReadPegasusFile("14.025\r\nUSB\r\n"), (Decoded{14.025, "PH", {}}));
    EXPECT_EQ(ReadPegasusFile("14.025\r\nCW\r\n"), (Decoded{14.025, "CW", {}}));
    EXPECT_EQ(ReadPegasusFile("14.025\r\n\"\"\r\n"), (Decoded{14.025, "", {}}));
    EXPECT_EQ(ReadPegasusFile("7.1\r\n"), (Decoded{7.1, {}, {}}));  // what was read stays read
    EXPECT_TRUE(ReadPegasusFile("").empty());
}

TEST(RigReading, KeepsWhatAReplyDidNotCarry) {
    RigReading r;
    r.apply({14.025, "CW", {}});
    r.apply({{}, {}, {}});
    r.apply({{}, "PH", 1});
    EXPECT_EQ(r.RigFrequency, 14.025);
    EXPECT_EQ(r.RigMode, "PH");
    EXPECT_EQ(r.VfoFlag, 1);
}

TEST(AnswerIsWhole, EachFamilyKnowsWhenItsAnswerIsIn) {
    struct Case {
        const char* rig;
        std::string reply;
        bool frequencyTurn;
        bool whole;
    };
    const Case cases[] = {
        {"Kenwood", "FA00014025000;MD3;", true, true},
        {"Kenwood", "FA00014025000;", true, false},  // the mode answer is still to come
        {"Kenwood 2", std::string("IF00014025000") + "    +00000" + "000" + "00" + "0" + "30" + "000000;", true, true},
        {"Kenwood 2", "IF00014025000    +0000000000", true, false},
        {"Yaesu FTdx9000", "FA14025000;", true, true},
        {"Yaesu FTdx9000", "FA14025000;", false, false},
        {"Icom", hexBytes("FE FE 64 E0 03 FD"), true, false},
        {"Icom", hexBytes("FE FE 64 E0 03 FD FE FE E0 64 03 00 50 02 14 00 FD"), true, true},
        {"Icom", hexBytes("FE FE E0 64 04 03 01 FD"), false, true},
        {"Ten Tec Orion", "@AF14025000\r", true, false},
        {"Ten Tec Orion", "@AF14025000\r@RMM3\r", true, true},
        {"Yaesu", hexBytes("01 40 25 00"), true, false},
        {"Yaesu", hexBytes("01 40 25 00 02"), true, false},  // another byte may follow: read at the tick
        {"Ten Tec Fnt Pnl", hexBytes("4D 33"), false, false},
        {"Ten Tec Fnt Pnl", hexBytes("4D 33 0D"), false, true},
        {"Other", "FA00014025000;", true, false},  // only shown, at the tick
    };
    for (const auto& c : cases) {
        const RigTypeRow* row = FindRigType(c.rig);
        EXPECT_EQ(AnswerIsWhole(row->kind, c.reply, c.frequencyTurn, row->freqReadString, row->modeReadString), c.whole)
            << c.rig << " " << ReplyToHex(c.reply);
    }
}
