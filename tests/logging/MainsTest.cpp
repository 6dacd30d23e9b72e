#include "logging/Mains.h"

#include "logging/StateTable.h"

#include <gtest/gtest.h>

#include "Fixtures.h"
#include "station/LogStore.h"
#include "support/TestSession.h"

using namespace logging;
using fixtures::Rec;

namespace {

struct Station : TestSession {
    explicit Station(WindowKind kind = WindowKind::InState) : kind(kind) {
        auto& p = session->profile;
        p.HomeState = "FL";
        p.CurrentBand = "40";
        p.CurrentMode = "CW";
        p.CurrentCounty = "Lee";
        p.HoursOffset = 4;
        p.OutOfState = kind == WindowKind::OutOfState;
        session->counties = fixtures::Counties();
        session->prefixes = fixtures::Countries();
        fakes.clock.local = {2026, 4, 25, 12, 0, 0, 0};
    }
    MainsResult enter(EntryFields fields) { return Mains(*session, kind, {std::move(fields), false, "", ""}); }
    std::string file() const { return readProgramFile("log.txt"); }
    void preload(std::initializer_list<station::ContactRecord> records) {
        for (const auto& r : records) ASSERT_EQ(station::AppendQso(*session, r), station::AppendResult::Stored);
        RecountScore(session->contest.score, kind, session->log.records(), session->counties, session->prefixes);
    }
    WindowKind kind;
};

std::vector<std::string> Texts(const MainsResult& r) {
    std::vector<std::string> out;
    for (const auto& m : r.messages) out.push_back(m.text);
    return out;
}

TEST(Mains, StoresTheRecordAppendsAndScores) {
    Station st;
    st->contest.PendingFrequency = "7.025";
    st->contest.PendingFrequencyBand = "40";
    const auto r = st.enter({"W1AW", "599", "CT", "", "599"});
    ASSERT_TRUE(r.stored);
    EXPECT_TRUE(r.lineCleared);
    EXPECT_EQ(r.fields, EntryFields{});
    EXPECT_EQ(r.finalDialog(), "");
    EXPECT_TRUE(r.clockStarted);
    EXPECT_TRUE(st->contest.clock.LoggedOn);
    ASSERT_EQ(st->log.ContactCount(), 1);
    const auto& rec = st->log.at(1);
    EXPECT_EQ(rec.Call, "W1AW");
    EXPECT_EQ(rec.Spc, "CT");
    EXPECT_EQ(rec.CountySent, "Lee");
    EXPECT_EQ(rec.QsoDate, "2026/04/25");
    EXPECT_EQ(rec.QsoTime, "16:00:00");
    EXPECT_EQ(rec.Mode, "CW");
    EXPECT_EQ(rec.Band, "40");
    EXPECT_EQ(rec.Frequency, "7.025");
    EXPECT_EQ(st.file(), station::ContactLine(rec));
    EXPECT_EQ(st->contest.PendingFrequency, "");
    EXPECT_EQ(st->contest.PendingFrequencyBand, "");
    EXPECT_EQ(st->contest.score.QsoPoints, 2);
    EXPECT_EQ(r.updates.at(0).gridIndex, StateIndex("CT"));
}

// A contact stores the rig's reading only when it lies in the contact's own band: a rig left on
// 160 m, or a babbling rig read as 2397.472 MHz, gives a 40 m contact no frequency.
TEST(Mains, AContactStoresOnlyAFrequencyOfItsOwnBand) {
    struct Case {
        const char* text;
        const char* band;  // the band the reading was found in
        const char* stored;
    };
    const Case cases[] = {
        {"7.025", "40", "7.025"},
        {"1.830", "160", ""},
        {"2397.472", "2.3", ""},
        {"7.025", "", ""},  // a reading of no band
    };
    for (const auto& c : cases) {
        Station st;
        st->contest.PendingFrequency = c.text;
        st->contest.PendingFrequencyBand = c.band;
        ASSERT_TRUE(st.enter({"W1AW", "599", "CT", "", "599"}).stored) << c.text;
        EXPECT_EQ(st->log.at(1).Frequency, c.stored) << c.text << " " << c.band;
    }
}

TEST(Mains, NothingIsLoggedWithoutABandAndAModeOfTheMenus) {
    struct Case {
        const char *band, *mode;
        bool stored;
    };
    for (WindowKind kind : {WindowKind::InState, WindowKind::OutOfState}) {
        for (const Case c : {Case{"", "", false}, Case{"40", "", false}, Case{"", "CW", false}, Case{"2", "CW", false},
                             Case{"40", "AM", false}, Case{"6", "dg", true}, Case{"160", "ph", true}}) {
            Station st(kind);
            st->profile.CurrentBand = c.band;
            st->profile.CurrentMode = c.mode;
            const auto r = st.enter({"W1AW", "599", "CT", "Lee", "599"});
            EXPECT_EQ(r.stored, c.stored) << c.band << "/" << c.mode;
            if (c.stored) continue;
            EXPECT_EQ(Texts(r), std::vector<std::string>{BandModePrompt(kind)});
            EXPECT_EQ(r.finalFocus(), EntryField::None);  // the focus stays where it is
            EXPECT_EQ(r.fields.Call, "W1AW");
            EXPECT_FALSE(r.clockStarted);
            EXPECT_EQ(st->log.ContactCount(), 0);
        }
    }
}

TEST(Mains, DateAndTimeComeFromOneReadingWithTheOffsetInMinutes) {
    Station st;
    st->profile.HoursOffset = 4.5f;
    st.fakes.clock.local = {2026, 4, 25, 19, 45, 10, 0};
    ASSERT_TRUE(st.enter({"W1AW", "599", "CT", "", "599"}).stored);
    EXPECT_EQ(st->log.at(1).QsoDate, "2026/04/26");
    EXPECT_EQ(st->log.at(1).QsoTime, "00:15:10");
}

struct OrderCase {
    const char* name;
    WindowKind kind;
    EntryFields fields;
    std::vector<std::string> messages;
    EntryField focus;
    EntryFields after;  // the line after a refusal
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class CheckOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(CheckOrder, RefusesWithEveryMessageAndKeepsTheLine) {
    const auto& c = GetParam();
    Station st(c.kind);
    const auto r = st.enter(c.fields);
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(Texts(r), c.messages);
    EXPECT_EQ(r.finalFocus(), c.focus);
    EXPECT_FALSE(r.lineCleared);
    EXPECT_EQ(r.fields, c.after);
    EXPECT_EQ(st->log.ContactCount(), 0);
    EXPECT_EQ(st.file(), "");
}

const auto IN = WindowKind::InState;
const auto OUT = WindowKind::OutOfState;

INSTANTIATE_TEST_SUITE_P(
    BothWindows, CheckOrder,
    testing::Values(
        OrderCase{"InAllEmpty", IN, {}, {"Report Received!", "Need Call Sign!", "Need Country!", "Need Report Sent!"},
                  EntryField::RstSent, {}},
        OrderCase{"OutAllEmpty", OUT, {},
                  {"Need County!", "Report Received!", "Need Call Sign!", "Need Report Sent!", " is not a valid county!"},
                  EntryField::County, {}},
        OrderCase{"InBadCode", IN, {"W1AW", "599", "XX", "Lee", "599"}, {"Invald Section!"}, EntryField::Country,
                  {"W1AW", "599", "XX", "", "599"}},
        OrderCase{"InUnknownAbbreviation", IN, {"K4ABC", "599", "fl", "xyz", "599"}, {"xyz is not a valid county!"},
                  EntryField::County, {"K4ABC", "599", "fl", "xyz", "599"}},
        OrderCase{"OutAbbreviationExpandedBeforeTheRefusal", OUT, {"K4", "599", "", "pbc", "599"}, {"Need Call Sign!"},
                  EntryField::Call, {"K4", "599", "", "Palm Beach", "599"}},
        OrderCase{"InNotFoundCountry", IN, {"Q1AB", "599", "Not Found", "", "599"}, {"Need Country!"}, EntryField::Country,
                  {"Q1AB", "599", "Not Found", "", "599"}}),
    [](const testing::TestParamInfo<OrderCase>& info) { return info.param.name; });

TEST(Mains, AnAcceptedInStateCodeAsksForTheContinentNA) {
    // The section check puts "NA" into an empty continent label, also when the contact is
    // refused for something else; DX names, bad codes and the out-of-state window do not.
    struct Case { WindowKind kind; const char* country; bool na; };
    for (const Case& c : {Case{IN, "on", true}, Case{IN, "XX", false}, Case{IN, "Germany", false},
                          Case{OUT, "ON", false}}) {
        Station st(c.kind);
        const auto r = st.enter({"VE3ABC", "", c.country, "Lee", "599"});
        EXPECT_FALSE(r.stored);
        EXPECT_EQ(r.continentNA, c.na) << c.country;
    }
}

TEST(Mains, InStateEmptiesTheCountyOfAnotherStateAndKeepsItForHome) {
    Station st;
    ASSERT_TRUE(st.enter({"W4ABC", "599", "GA", "Lee", "599"}).stored);
    EXPECT_EQ(st->log.at(1).County, "");
    ASSERT_TRUE(st.enter({"K4ABC", "599", "fl", "ala", "599"}).stored);
    EXPECT_EQ(st->log.at(2).County, "Alachua");
    EXPECT_EQ(st->log.at(2).Spc, "fl");
}

TEST(Mains, DuplicateIsRefusedRedWithTheLineEmptiedAndNothingAppended) {
    Station st;
    st.preload({Rec("W1AW").spc("CT").sent("Lee")});
    const std::string before = st.file();
    st->contest.PendingFrequency = "7025.000";
    const auto r = st.enter({"W1AW", "599", "CT", "", "599"});
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(r.finalDialog(), "Duplicate W1AW 04/23 14:22:05  Rec#  1");
    EXPECT_TRUE(r.dialogRed);
    EXPECT_TRUE(r.duplicate);
    EXPECT_TRUE(r.lineCleared);
    EXPECT_EQ(r.finalFocus(), EntryField::Call);
    EXPECT_EQ(r.fields, EntryFields{});
    EXPECT_TRUE(st->contest.DupeFlag);
    EXPECT_EQ(st.file(), before);
    EXPECT_EQ(st->log.ContactCount(), 1);
    // The rig's frequency waits for a contact that is stored.
    EXPECT_EQ(st->contest.PendingFrequency, "7025.000");
}

TEST(Mains, ADuplicateEmptiesTheLineAlsoWhenAnotherFieldIsRefused) {
    struct Case {
        WindowKind kind;
        station::ContactRecord logged;
        EntryFields entry;
        std::vector<std::string> messages;
    };
    for (const Case& c :
         {Case{IN, Rec("W1AW").spc("CT").sent("Lee"), {"W1AW", "", "CT", "", ""},
               {"Report Received!", "Need Report Sent!", "Duplicate W1AW 04/23 14:22:05  Rec#  1"}},
          // The county of the emptied line is not checked any more.
          Case{IN, Rec("K4ABC").spc("FL").county("Alachua").sent("Lee"), {"K4ABC", "", "FL", "ala", "599"},
               {"Report Received!", "Duplicate K4ABC 04/23 14:22:05  Rec#  1"}},
          Case{OUT, Rec("K4ABC").county("Lee"), {"K4ABC", "", "", "Lee", "599"},
               {"Report Received!", "Duplicate K4ABC  2016/04/23  14:22:05   Rec#  1"}}}) {
        Station st(c.kind);
        st.preload({c.logged});
        const auto r = st.enter(c.entry);
        EXPECT_FALSE(r.stored);
        EXPECT_EQ(Texts(r), c.messages);
        EXPECT_TRUE(r.lineCleared) << c.entry.Call;
        EXPECT_EQ(r.fields, EntryFields{});
        EXPECT_EQ(r.finalFocus(), EntryField::Call);
        EXPECT_EQ(st->log.ContactCount(), 1);
    }
}

TEST(Mains, DuplicateTypedAsAnAbbreviationIsRefused) {
    Station st;
    st.preload({Rec("K4ABC").spc("FL").county("Alachua").sent("Lee")});
    const auto r = st.enter({"K4ABC", "599", "FL", "ala", "599"});
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(r.finalDialog(), "Duplicate K4ABC 04/23 14:22:05  Rec#  1");
    EXPECT_EQ(st->log.ContactCount(), 1);
}

TEST(Mains, OutOfStateDuplicateAfterTheCountyCheck) {
    Station st(OUT);
    st.preload({Rec("K4ABC").county("Lee")});
    const auto r = st.enter({"K4ABC", "599", "", "lee", "599"});
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(Texts(r), std::vector<std::string>{"Duplicate K4ABC  2016/04/23  14:22:05   Rec#  1"});
    // Another county is a new multiplier for the mobile station.
    EXPECT_TRUE(st.enter({"K4ABC", "599", "", "Dade", "599"}).stored);
    EXPECT_EQ(st->log.at(2).Spc, "");
    EXPECT_EQ(st->log.at(2).CountySent, "");
}

TEST(Mains, FailedAppendIsReportedAndChangesNothing) {
    Station st;
    st.preload({Rec("K4AAA").spc("GA").sent("Lee")});
    const std::string before = st.file();
    const auto score = st->contest.score.QsoPoints;
    st.fakes.files.failAppend = true;
    st->contest.PendingFrequency = "7025.000";
    const EntryFields typed{"W1AW", "599", "CT", "", "599"};
    const auto r = st.enter(typed);
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(r.finalDialog(), "Unable to write log.txt - contact NOT logged.");
    EXPECT_TRUE(r.dialogRed);
    EXPECT_FALSE(r.duplicate);  // red, but no "Dupe" prompt
    EXPECT_FALSE(r.lineCleared);
    EXPECT_EQ(r.fields, typed);
    EXPECT_EQ(st->log.ContactCount(), 1);
    EXPECT_EQ(st->contest.score.QsoPoints, score);
    EXPECT_EQ(st.file(), before);
    EXPECT_EQ(st->contest.PendingFrequency, "7025.000");
    // Once the disk takes it again, the same entry is stored (it was never half-logged).
    st.fakes.files.failAppend = false;
    EXPECT_TRUE(st.enter(typed).stored);
}

TEST(Mains, FullLogRefusesTheContact) {
    Station st;
    st->log.records().assign(station::ContactLog::MaxContacts, Rec("K4AAA").spc("GA"));
    const auto r = st.enter({"W1AW", "599", "CT", "", "599"});
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(r.finalDialog(), kLogFull);
    EXPECT_EQ(st->log.ContactCount(), station::ContactLog::MaxContacts);
}

TEST(Mains, QuotesAndControlCharactersNeverReachTheFile) {
    Station st;
    ASSERT_TRUE(st.enter({"W1\"AW\r", "5\n99", "CT", "", "599"}).stored);
    EXPECT_EQ(st->log.at(1).Call, "W1AW");
    EXPECT_EQ(st->log.at(1).RstReceived, "599");
    EXPECT_EQ(station::ParseLog(st.file()).at(0).Call, "W1AW");
}

struct PostCase {
    const char* name;
    std::string date, time;
    std::string message;  // empty: stored
    std::string storedDate, storedTime;
};

void PrintTo(const PostCase& c, std::ostream* os) { *os << c.name; }

class PostContest : public testing::TestWithParam<PostCase> {};

TEST_P(PostContest, TypedDateAndTime) {
    const auto& c = GetParam();
    for (auto kind : {IN, OUT}) {
        Station st(kind);
        MainsInput in{{"W1AW", "599", "CT", "Lee", "599"}, true, c.date, c.time};
        if (kind == OUT) in.fields.Country.clear();
        const auto r = Mains(*st, kind, in);
        if (c.message.empty()) {
            ASSERT_TRUE(r.stored);
            EXPECT_EQ(st->log.at(1).QsoDate, c.storedDate);
            EXPECT_EQ(st->log.at(1).QsoTime, c.storedTime);
            EXPECT_EQ(r.postConDate, c.storedDate);
            EXPECT_EQ(r.postConTime, c.storedTime);
        } else {
            EXPECT_FALSE(r.stored);
            EXPECT_EQ(Texts(r), std::vector<std::string>{c.message});
            EXPECT_EQ(st->log.ContactCount(), 0);
            // The out-of-state window starts the clock before the date check.
            EXPECT_EQ(st->contest.clock.LoggedOn, kind == OUT);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, PostContest,
    testing::Values(PostCase{"ThreeDigits", "2016/4/23", "930", "", "2016/04/23", "09:30"},
                    PostCase{"FourDigits", "2016/04/23", "1405", "", "2016/04/23", "14:05"},
                    PostCase{"WithColon", "2016/04/23", "9:30", "", "2016/04/23", "09:30"},
                    PostCase{"EmptyDate", "", "1405", "Invalid date format!", "", ""},
                    PostCase{"ImpossibleDate", "2016/02/30", "1405", "Invalid date format!", "", ""},
                    PostCase{"LocaleDate", "04/23/2016", "1405", "Invalid date format!", "", ""},
                    // The log tools read no date before 1900: such a contact would be stored
                    // and then left out of the submission file.
                    PostCase{"YearMistyped", "1016/04/23", "1405", "Invalid date format!", "", ""},
                    PostCase{"ImpossibleTime", "2016/04/23", "2460", "Invalid time format!", "", ""},
                    PostCase{"EmptyTime", "2016/04/23", "", "Invalid time format!", "", ""}),
    [](const testing::TestParamInfo<PostCase>& info) { return info.param.name; });

struct Rover : Station {
    Rover() {
        session->profile.RoverFlag = 1;
        session->contest.RoverCounties = {"Lee", "Dade", "Leon"};
    }
};

std::vector<std::string> CountiesSent(const Session& s) {
    std::vector<std::string> out;
    for (const auto& r : s.log.records()) out.push_back(r.CountySent);
    return out;
}

TEST(CountyLine, EachFurtherCountyGetsACopyAndTheCurrentCountyReturns) {
    Rover st;
    const auto r = st.enter({"W1AW", "579", "CT", "", "559"});
    ASSERT_TRUE(r.stored);
    EXPECT_EQ(r.storedRecords, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(CountiesSent(*st), (std::vector<std::string>{"Lee", "Dade", "Leon"}));
    for (const auto& rec : st->log.records()) {
        EXPECT_EQ(rec.Spc, "CT");
        EXPECT_EQ(rec.RstReceived, "579");
        EXPECT_EQ(rec.RstSent, "559");
    }
    EXPECT_EQ(station::ParseLog(st.file()).size(), 3u);
    EXPECT_EQ(st->profile.CurrentCounty, "Lee");
    EXPECT_EQ(st->contest.RoverRelogIndex, 0);
    // Each copy is a contact of its own: 3 x 2 points, CT once on CW.
    EXPECT_EQ(st->contest.score.QsoPoints, 6);
    EXPECT_EQ(MultiplierTotal(st->contest.score, IN), 1);
}

TEST(CountyLine, SkipsACountyAlreadyLoggedAndRunsOnlyAfterAStoredContact) {
    Rover st;
    st.preload({Rec("W1AW").spc("CT").sent("Dade")});
    ASSERT_TRUE(st.enter({"W1AW", "599", "CT", "", "599"}).stored);
    EXPECT_EQ(CountiesSent(*st), (std::vector<std::string>{"Dade", "Lee", "Leon"}));
    // A refused entry relogs nothing, so the previous call is never logged again by it.
    const auto refused = st.enter({"W1", "599", "CT", "", "599"});
    EXPECT_FALSE(refused.stored);
    EXPECT_FALSE(refused.relogged);
    EXPECT_EQ(st->log.ContactCount(), 3);
    // One county in the list: nothing to relog.
    st->contest.RoverCounties = {"Lee"};
    ASSERT_TRUE(st.enter({"W2AW", "599", "NY", "", "599"}).stored);
    EXPECT_EQ(st->log.ContactCount(), 4);
}

TEST(CountyLine, AFailedCopyStillRestoresTheCurrentCounty) {
    Rover st;
    st->log.records().assign(station::ContactLog::MaxContacts - 1, Rec("K4AAA").spc("GA"));
    const auto r = st.enter({"W1AW", "599", "CT", "", "599"});
    EXPECT_TRUE(r.stored);
    EXPECT_EQ(r.storedRecords, std::vector<int>{station::ContactLog::MaxContacts});
    EXPECT_EQ(r.finalDialog(), kLogFull);
    EXPECT_EQ(st->profile.CurrentCounty, "Lee");
    EXPECT_EQ(st->contest.RoverRelogIndex, 0);
}

TEST(Mains, AnEmptyCountyIsRefusedAndFilledFromAnEarlierContactForTheNextEnter) {
    Station st(OUT);
    st.preload({Rec("K4ABC").county("Leon").band("20")});
    const auto r = st.enter({"K4ABC", "599", "", "", "599"});
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(Texts(r), (std::vector<std::string>{"Need County!", " is not a valid county!"}));
    EXPECT_EQ(r.fields.County, "Leon");
    EXPECT_TRUE(r.countyFilled);
    ASSERT_TRUE(st.enter(r.fields).stored);
    EXPECT_EQ(st->log.at(2).County, "Leon");
}

}  // namespace
