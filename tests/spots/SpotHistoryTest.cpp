// The spot store, the label captions and the rows of the spot list.

#include <gtest/gtest.h>

#include "spots/SpotHistory.h"
#include "spots/SpotList.h"

using namespace spots;

namespace {
SpotTime At(int64_t seconds) { return {seconds * 1000, platform::DateTime{2026, 4, 25, 12, 0, 0, 0}.addSeconds(seconds), true}; }

int Visible(const SpotHistory& h, const std::string& call) {
    int n = 0;
    for (int i = 0; i < SpotHistory::kSlots; ++i)
        if (h.SpotCalls[i] == call && h.SpotFreqs[i] != 0) ++n;
    return n;
}
}  // namespace

TEST(SpotPrefix, CaptionFromTheCallAlone) {
    const std::pair<const char*, const char*> cases[] = {
        {"QA1BCD", "QA1"}, {"QABC", "QABC"},     {"AB", ""},        {"QB3/QA1BCD", "QB3"}, {"QA1BCD/P", "P"},
        {"QA1BC/4", "QA4"}, {"Q1AB/QRP", "QR"},  {"QA1BC/", ""},    {"W1AW/M", "M"},       {"DL/ON4ABC", "DL"},
        {"JA1ABC", "JA1"}, {"VP8/G3ABC", "VP8"}, {"K1ABC/12", "K12"}, {"KH6/K1A", "KH6"}, {"", ""},
    };
    for (const auto& [call, caption] : cases) EXPECT_EQ(SpotPrefix(call), caption) << call;
}

TEST(SpotHistory, EachSpotShiftsTheStoreAndTheNewestTakesSlot49) {
    SpotHistory h;
    ASSERT_EQ(StoreSpot(h, "JA1ABC", "14025", At(0)), 14.025);
    EXPECT_EQ(h.SpotCalls[49], "JA1ABC");
    EXPECT_FLOAT_EQ(h.SpotFreqs[49], 14.025f);
    EXPECT_EQ(h.SpotPrefixes[49], "JA1");
    EXPECT_TRUE(h.SpotTimes[49].set);
    EXPECT_FALSE(h.SpotTimes[48].set);
    StoreSpot(h, "VP8/G3ABC", "7003.5", At(10));
    EXPECT_EQ(h.SpotCalls[48], "JA1ABC");
    EXPECT_EQ(h.SpotPrefixes[48], "JA1");
    EXPECT_EQ(h.SpotTimes[48].monotonicMs, 0);
    EXPECT_FLOAT_EQ(h.SpotFreqs[49], 7.0035f);

    // The 51st spot pushes the first out.
    for (int i = 0; i < 49; ++i) StoreSpot(h, "W" + std::to_string(i) + "AA", "21000", At(20 + i));
    EXPECT_EQ(h.SpotCalls[0], "VP8/G3ABC");
    EXPECT_EQ(Visible(h, "JA1ABC"), 0);
}

TEST(SpotHistory, AReSpotHidesTheNewestOlderEntryOfTheCallInAnyCaseButNotSlot0) {
    SpotHistory h;
    StoreSpot(h, "JA1ABC", "14025", At(0));
    StoreSpot(h, "K1XYZ", "7010", At(1));
    StoreSpot(h, "ja1abc", "14030", At(2));
    EXPECT_EQ(Visible(h, "JA1ABC"), 0);
    EXPECT_FLOAT_EQ(h.SpotFreqs[47], 0.0f);
    EXPECT_FLOAT_EQ(h.SpotFreqs[49], 14.030f);
    StoreSpot(h, "JA1ABC", "14035", At(3));
    EXPECT_FLOAT_EQ(h.SpotFreqs[48], 0.0f);  // the second spot is hidden by the third
    EXPECT_FLOAT_EQ(h.SpotFreqs[49], 14.035f);

    // A call whose only earlier entry the new spot's shift moves into slot 0 shows twice: slot 0
    // is not looked at.
    SpotHistory s;
    StoreSpot(s, "ZS6ABC", "21010", At(0));
    for (int i = 0; i < 48; ++i) StoreSpot(s, "W" + std::to_string(i) + "AA", "21000", At(1 + i));
    ASSERT_EQ(s.SpotCalls[1], "ZS6ABC");
    StoreSpot(s, "ZS6ABC", "21012", At(60));
    EXPECT_EQ(s.SpotCalls[0], "ZS6ABC");
    EXPECT_EQ(Visible(s, "ZS6ABC"), 2);
}

TEST(SpotHistory, AFrequencyThatIsNotAPlainNumberInRangeChangesNothing) {
    for (const char* bad : {"", " 14025", "14025 ", "1E40", "1e3", "-14025", "+14025", "14,025", "14025.0.0", ".",
                            "0", "0.0", "0.5", "1000000000", "14025Z", ":  21012.", "&H10", "nan", "inf"}) {
        SpotHistory h;
        StoreSpot(h, "K1ABC", "7000", At(0));
        const SpotHistory before = h;
        EXPECT_FALSE(StoreSpot(h, "JA1ABC", bad, At(5))) << bad;
        EXPECT_EQ(h.SpotCalls, before.SpotCalls) << bad;
        EXPECT_EQ(h.SpotFreqs, before.SpotFreqs) << bad;
    }
    const std::pair<const char*, double> goods[] = {
        {"14025.0", 14.025}, {".5E", 0}, {"136", 0.136}, {"10368000.0", 10368.0}, {"7003.", 7.003}};
    for (const auto& good : goods) {
        SpotHistory h;
        const auto mhz = StoreSpot(h, "K1ABC", good.first, At(0));
        if (good.second == 0) EXPECT_FALSE(mhz) << good.first;
        else EXPECT_DOUBLE_EQ(*mhz, good.second) << good.first;
    }
}

TEST(SpotHistory, AgesComeFromTheMonotonicClockWhateverTheWallClockDoes) {
    SpotHistory h;
    SpotTime t = At(0);
    t.local = {2026, 4, 25, 23, 59, 50, 0};
    StoreSpot(h, "JA1ABC", "14025", t);
    // Ten seconds later the wall clock says the next day, or was set back an hour: the age is 10 s.
    EXPECT_EQ(h.AgeSeconds(49, 10'000), 10);
    EXPECT_EQ(h.AgeSeconds(49, 10'999), 10);
    EXPECT_EQ(h.AgeSeconds(49, 3'600'000), 3600);
}

TEST(SpotList, RowsTakeTheirColumnsFromTheRecord) {
    const std::string record = "de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z FN32";
    auto row = SpotListRowFor("JA1ABC", 14.025, record, "Japan");
    EXPECT_EQ(row[ColCall], "JA1ABC");
    EXPECT_EQ(row[ColFrequency], "14.025");
    EXPECT_EQ(row[ColQth], "Japan");
    EXPECT_EQ(row[ColStatus], "");
    EXPECT_EQ(row[ColComments], "de K1TTT:  CQ UP 2");
    EXPECT_EQ(row[ColPrefix], "");
    EXPECT_EQ(row[ColTime], "1234");
    EXPECT_EQ(row[ColFrom], "FN3");

    // A record of 70 characters: a "Time" of three characters and no "From".
    row = SpotListRowFor("JA1ABC", 14.025, record.substr(0, 70), "");
    EXPECT_EQ(row[ColTime], "123");
    EXPECT_EQ(row[ColFrom], "");
    // The time is taken as it stands, blanks and all.
    row = SpotListRowFor("ZS6ABC", 21.0123, "de DL1ABC-12:  21012.3  ZS6ABC                                      2359Z", "");
    EXPECT_EQ(row[ColTime], " 235");
    // Only the text before a CR counts.
    row = SpotListRowFor("JA1ABC", 14.025, "de K1TTT:\r" + record, "");
    EXPECT_EQ(row[ColComments], "de K1TTT:  ");
    EXPECT_EQ(row[ColTime], "");

    for (const auto& [mhz, text] : {std::pair{7.0035, "7.0035"}, {144.3, "144.3"}, {14.0, "14"}, {0.1365, "0.1365"},
                                    {10368.0, "10368"}, {10368.1, "10368.1"}}) {
        EXPECT_EQ(FrequencyText(mhz), text);
        EXPECT_DOUBLE_EQ(*RowFrequency(text), mhz);
    }
    EXPECT_FALSE(RowFrequency(""));
    EXPECT_FALSE(RowFrequency("abc"));
    EXPECT_FALSE(RowFrequency("0"));
}
