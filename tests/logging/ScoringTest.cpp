#include "logging/Scoring.h"

#include <gtest/gtest.h>

#include <random>

#include "Fixtures.h"
#include "logging/StateTable.h"
#include "support/TestSession.h"

using namespace logging;
using fixtures::Rec;

namespace {

struct ScoreCase {
    const char* name;
    WindowKind kind;
    std::vector<station::ContactRecord> records;
    double points, ph, cw;
    int multipliers;
    double score;
};

void PrintTo(const ScoreCase& c, std::ostream* os) { *os << c.name; }

class ScoreTable : public testing::TestWithParam<ScoreCase> {};

TEST_P(ScoreTable, PerContactAndRecountAgree) {
    const auto& c = GetParam();
    ScoreState incremental;
    for (const auto& r : c.records) CountContact(incremental, c.kind, r, fixtures::Counties(), fixtures::Countries());
    ScoreState full;
    RecountScore(full, c.kind, c.records, fixtures::Counties(), fixtures::Countries());
    for (const ScoreState* s : {&incremental, &full}) {
        EXPECT_EQ(s->QsoPoints, c.points);
        EXPECT_EQ(s->PhContacts, c.ph);
        EXPECT_EQ(s->CwContacts, c.cw);
        EXPECT_EQ(MultiplierTotal(*s, c.kind), c.multipliers);
        EXPECT_EQ(TotalScore(*s, c.kind), c.score);
    }
}

const auto IN = WindowKind::InState;
const auto OUT = WindowKind::OutOfState;

INSTANTIATE_TEST_SUITE_P(
    BothWindows, ScoreTable,
    testing::Values(
        ScoreCase{"Empty", IN, {}, 0, 0, 0, 0, 0},
        ScoreCase{"SameCodeOnCwAndPh", IN, {Rec("A").spc("GA").mode("PH"), Rec("B").spc("GA").mode("CW")}, 3, 1, 1, 2, 6},
        ScoreCase{"SecondPhOnSameCode", IN,
                  {Rec("A").spc("GA").mode("PH"), Rec("B").spc("GA").mode("CW"), Rec("C").spc("GA").mode("PH")}, 4, 2, 1, 2, 8},
        ScoreCase{"DigitalScoresPointsOnly", IN, {Rec("A").spc("GA").mode("DG"), Rec("B").spc("Germany").mode("DG")}, 4, 0, 0, 0, 0},
        ScoreCase{"UnknownCodePointsOnly", IN, {Rec("A").spc("XX").mode("CW")}, 2, 0, 1, 0, 0},
        ScoreCase{"ShortSpcNoMultiplier", IN, {Rec("A").spc("G").mode("CW")}, 2, 0, 1, 0, 0},
        ScoreCase{"DxOnPhAndCw", IN,
                  {Rec("A").spc("Germany").mode("PH"), Rec("B").spc("Germany").mode("CW"), Rec("C").spc("GERMANY").mode("PH")},
                  4, 2, 1, 2, 8},
        ScoreCase{"NotDxNames", IN,
                  {Rec("A").spc("Not Found").mode("CW"), Rec("B").spc("USA").mode("CW"), Rec("C").spc("canada").mode("PH"),
                   Rec("D").spc("Alaska").mode("CW"), Rec("E").spc("Hawaii").mode("PH")},
                  8, 2, 3, 0, 0},
        ScoreCase{"OnlyCountriesOfTheTableAreDx", IN,
                  {Rec("A").spc("Xxpa").mode("CW"), Rec("B").spc("Pa\x7f").mode("CW"), Rec("C").spc("Germanyy").mode("PH"),
                   Rec("D").spc("Cote dIvoire").mode("CW"), Rec("E").spc("puerto rico").mode("CW")},
                  9, 1, 4, 2, 18},
        ScoreCase{"LowerCaseModeAndCode", IN, {Rec("A").spc("ga").mode("ph"), Rec("B").spc("ga").mode("cw")}, 3, 1, 1, 2, 6},
        ScoreCase{"BandsPlayNoPart", IN, {Rec("A").spc("GA").band("20"), Rec("B").spc("GA").band("40")}, 4, 0, 2, 1, 4},
        ScoreCase{"OutCountyOnBothModes", OUT, {Rec("A").county("Lee").mode("CW"), Rec("B").county("lee").mode("PH")}, 3, 1, 1, 2, 6},
        ScoreCase{"OutUnknownCounty", OUT, {Rec("A").county("Nowhere").mode("CW")}, 2, 0, 1, 0, 0},
        ScoreCase{"OutIgnoresSpc", OUT, {Rec("A").spc("Germany").county("Lee").mode("CW")}, 2, 0, 1, 1, 2}),
    [](const testing::TestParamInfo<ScoreCase>& info) { return info.param.name; });

TEST(Score, PerContactUpdateReportsTheGridLabelAndDxEntry) {
    ScoreState s;
    const auto counties = fixtures::Counties();
    const auto countries = fixtures::Countries();
    EXPECT_EQ(CountContact(s, IN, Rec("A").spc("FL").mode("PH"), counties, countries).gridIndex, 16);
    EXPECT_EQ(CountContact(s, IN, Rec("B").spc("FL").mode("PH"), counties, countries).gridIndex, 0);
    EXPECT_TRUE(CountContact(s, IN, Rec("C").spc("Japan").mode("CW"), counties, countries).dxAdded);
    EXPECT_FALSE(CountContact(s, IN, Rec("D").spc("Japan").mode("CW"), counties, countries).dxAdded);
    EXPECT_FALSE(CountContact(s, IN, Rec("E").spc("Not Found").mode("CW"), counties, countries).dxAdded);
}

TEST(Score, CountiesBeyondOneHundredAreCounted) {
    station::CountyTable big;
    for (int i = 1; i <= 150; ++i) big.rows.push_back({"County" + std::to_string(i), "C" + std::to_string(i)});
    ScoreState s;
    CountContact(s, OUT, Rec("A").county("County150").mode("CW"), big, {});
    CountContact(s, OUT, Rec("B").county("County101").mode("PH"), big, {});
    EXPECT_EQ(MultiplierTotal(s, OUT), 2);
    ScoreState full;
    RecountScore(full, OUT, {Rec("A").county("County150").mode("CW"), Rec("B").county("County101").mode("PH")}, big, {});
    EXPECT_EQ(MultiplierTotal(full, OUT), 2);
    EXPECT_TRUE(full.Worked.isSet(3, 150));
}

TEST(Score, DxListsHoldMoreThanAThousandCountries) {
    ScoreState s;
    std::vector<station::ContactRecord> records;
    for (int i = 0; i < 1001; ++i) {
        records.push_back(Rec("K" + std::to_string(i)).spc("Land " + std::to_string(i)).mode("PH"));
        CountContact(s, IN, records.back(), {}, {});  // no country table: every name counts
    }
    EXPECT_EQ(s.DxWorked.count(0), 1001);
    ScoreState full;
    RecountScore(full, IN, records, {}, {});
    EXPECT_EQ(MultiplierTotal(full, IN), 1001);
}

TEST(Score, ALogOfManyCountriesCountsOnlyTheTablesOnes) {
    // More spellings than the recount looks up one by one: it then indexes the table.
    station::PrefixTable countries;
    for (int i = 0; i < 60; ++i) countries.rows.push_back({"P" + std::to_string(i), "Land " + std::to_string(i), "EU", 0, 0});
    countries.rows.push_back({"TU", "Cote d'Ivoire", "AF", 0, 0});
    std::vector<station::ContactRecord> records;
    for (int i = 0; i < 60; ++i) {
        records.push_back(Rec("K" + std::to_string(i)).spc("Land " + std::to_string(i)).mode("CW"));
        records.push_back(Rec("N" + std::to_string(i)).spc("Nowhere " + std::to_string(i)).mode("CW"));
    }
    records.push_back(Rec("TU2A").spc("COTE DIVOIRE").mode("CW"));
    ScoreState incremental;
    for (const auto& r : records) CountContact(incremental, IN, r, {}, countries);
    ScoreState full;
    RecountScore(full, IN, records, {}, countries);
    EXPECT_EQ(full.DxWorked.count(1), 61);
    EXPECT_EQ(incremental.DxWorked.lists, full.DxWorked.lists);
}

TEST(Score, LabelsGroupThousands) {
    ScoreState s;
    s.QsoPoints = 2345;
    s.PhContacts = 1000;
    s.CwContacts = 999;
    s.MultiplierCount = 1234;
    const auto t = ShowScore(s, OUT);
    EXPECT_EQ(t.PhContacts, "1,000");
    EXPECT_EQ(t.CwContacts, "999");
    EXPECT_EQ(t.Multipliers, "1,234");
    EXPECT_EQ(t.Score, "2,893,730");
    EXPECT_EQ(ShowScore(ScoreState{}, IN).Score, "0");
}

// Logs of random contacts: the per-contact updates (as Mains makes them) must always equal a
// full recount (as a band or mode change makes it), or the score would jump.
TEST(Score, PerContactUpdatesEqualFullRecountOnGeneratedLogs) {
    const std::vector<std::string> spcs = {"FL", "GA", "ga", "ON", "XX", "G", "Germany", "germany", "Japan",
                                           "Not Found", "USA", "Canada", "Alaska", "Hawaii", "", "Xxpa", "Cote dIvoire"};
    const std::vector<std::string> counties = {"Lee", "LEE", "Dade", "Palm Beach", "Nowhere", ""};
    const std::vector<std::string> modes = {"CW", "PH", "DG", "ph"};
    std::mt19937 rng(20260425);
    auto pick = [&](const std::vector<std::string>& v) { return v[rng() % v.size()]; };
    for (int round = 0; round < 50; ++round) {
        for (auto kind : {IN, OUT}) {
            std::vector<station::ContactRecord> records;
            ScoreState incremental;
            for (int i = 0; i < 200; ++i) {
                records.push_back(Rec("K" + std::to_string(i)).spc(pick(spcs)).county(pick(counties)).mode(pick(modes)));
                CountContact(incremental, kind, records.back(), fixtures::Counties(), fixtures::Countries());
            }
            ScoreState full;
            RecountScore(full, kind, records, fixtures::Counties(), fixtures::Countries());
            ASSERT_EQ(incremental.QsoPoints, full.QsoPoints);
            ASSERT_EQ(incremental.PhContacts, full.PhContacts);
            ASSERT_EQ(incremental.CwContacts, full.CwContacts);
            ASSERT_EQ(incremental.MultiplierCount, full.MultiplierCount);
            ASSERT_EQ(incremental.DxWorked.lists, full.DxWorked.lists);
            ASSERT_EQ(TotalScore(incremental, kind), TotalScore(full, kind));
        }
    }
}

TEST(RefreshFromLog, RecountsFromMemoryOrReloadsTheFile) {
    TestSession ts;
    ts.writeProgramFile("log.txt", "");
    auto& s = *ts;
    s.log.records() = {Rec("A").spc("GA").mode("PH"), Rec("B").spc("GA").mode("CW")};
    ASSERT_TRUE(RefreshFromLog(s, IN, false));
    EXPECT_EQ(TotalScore(s.contest.score, IN), 6);
    // The file is empty: reloading it empties memory and the score.
    ASSERT_TRUE(RefreshFromLog(s, IN, true));
    EXPECT_EQ(s.log.ContactCount(), 0);
    EXPECT_EQ(TotalScore(s.contest.score, IN), 0);
    EXPECT_EQ(s.contest.score.QsoPoints, 0);
}

}  // namespace
