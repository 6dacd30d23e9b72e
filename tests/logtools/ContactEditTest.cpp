#include <gtest/gtest.h>

#include <cctype>

#include "logging/StateTable.h"
#include "logtools/ContactEdit.h"
#include "station/LogStore.h"
#include "support/TestSession.h"

using logtools::EditCheck;
using logtools::EditKind;

namespace {

station::CountyTable counties() {
    station::CountyTable t;
    for (const char* n : {"Dade", "Lee", "Orange", "St. Johns"}) t.rows.push_back({n, ""});
    return t;
}

station::PrefixTable countries() {
    station::PrefixTable t;
    t.rows = {{"DL", "Germany", "EU", -10, 51}, {"ZP", "Paraguay", "SA", 58, -23}};
    return t;
}

station::ContactRecord contact(const char* call, const char* county, const char* sent, const char* band = "20",
                               const char* mode = "CW") {
    station::ContactRecord r;
    r.Call = call;
    r.RstSent = r.RstReceived = "599";
    r.County = county;
    r.CountySent = sent;
    r.QsoDate = "2024/04/27";
    r.QsoTime = "16:00:00";
    r.Band = band;
    r.Mode = mode;
    return r;
}

station::ContactLog threeContacts() {
    station::ContactLog log;
    log.records() = {contact("W1AW", "", "Orange"), contact("K4XYZ", "Lee", "Orange"), contact("W1AW", "", "Orange", "40")};
    return log;
}

}  // namespace

TEST(ContactEdit, DoneChecksEveryFieldBeforeStoring) {
    const auto log = threeContacts();
    struct Case {
        const char* what;
        EditKind kind;
        void (*change)(logtools::ContactEditFields&);
        EditCheck expected;
    };
    const Case cases[] = {
        {"unchanged record", EditKind::InState, [](auto&) {}, EditCheck::Ok},
        {"call emptied", EditKind::InState, [](auto& f) { f.call = ""; }, EditCheck::BadCall},
        {"call emptied out-of-state", EditKind::OutOfState, [](auto& f) { f.call = ""; }, EditCheck::BadCall},
        {"call of two characters", EditKind::InState, [](auto& f) { f.call = "W1"; }, EditCheck::BadCall},
        {"call of blanks", EditKind::InState, [](auto& f) { f.call = "    "; }, EditCheck::BadCall},
        {"two characters and a blank", EditKind::OutOfState, [](auto& f) { f.call = "W1 "; }, EditCheck::BadCall},
        // Quotes and control characters are never stored, so they make no call.
        {"call of double quotes only", EditKind::InState, [](auto& f) { f.call = "\"\"\""; }, EditCheck::BadCall},
        {"call of pasted control characters", EditKind::OutOfState, [](auto& f) { f.call = "\t\r\n\x7f"; },
         EditCheck::BadCall},
        {"call of three characters", EditKind::InState, [](auto& f) { f.call = "K1A"; }, EditCheck::Ok},
        {"empty call and a bad time: the call first", EditKind::InState,
         [](auto& f) { f.call = ""; f.time = "1605"; }, EditCheck::BadCall},
        {"band 17 confirmed with Enter", EditKind::InState, [](auto& f) { f.band = "17"; }, EditCheck::BadBand},
        {"mode lower case accepted", EditKind::InState, [](auto& f) { f.mode = "ph"; }, EditCheck::Ok},
        {"mode RY", EditKind::InState, [](auto& f) { f.mode = "RY"; }, EditCheck::BadMode},
        {"unknown county", EditKind::InState, [](auto& f) { f.county = "Atlantis"; }, EditCheck::BadCounty},
        {"empty county in-state", EditKind::InState, [](auto& f) { f.county = ""; }, EditCheck::Ok},
        {"empty county out-of-state", EditKind::OutOfState, [](auto& f) { f.county = ""; }, EditCheck::BadCounty},
        {"county sent unknown", EditKind::InState, [](auto& f) { f.countySent = "Orang"; }, EditCheck::BadCountySent},
        {"date with dashes", EditKind::InState, [](auto& f) { f.date = "2024-04-27"; }, EditCheck::BadDate},
        {"date empty", EditKind::InState, [](auto& f) { f.date = ""; }, EditCheck::BadDate},
        {"day out of range", EditKind::InState, [](auto& f) { f.date = "2024/02/30"; }, EditCheck::BadDate},
        {"time without seconds", EditKind::InState, [](auto& f) { f.time = "16:05"; }, EditCheck::Ok},
        {"time 1605", EditKind::InState, [](auto& f) { f.time = "1605"; }, EditCheck::BadTime},
        {"time 24:00", EditKind::InState, [](auto& f) { f.time = "24:00"; }, EditCheck::BadTime},
        {"SPC code in lower case", EditKind::InState, [](auto& f) { f.spc = "nt"; }, EditCheck::Ok},
        {"SPC two letters not a code", EditKind::InState, [](auto& f) { f.spc = "XX"; }, EditCheck::BadSpc},
        {"SPC country name", EditKind::InState, [](auto& f) { f.spc = "Germany"; }, EditCheck::Ok},
        {"SPC country in capitals", EditKind::InState, [](auto& f) { f.spc = "PARAGUAY"; }, EditCheck::Ok},
        {"SPC no country", EditKind::InState, [](auto& f) { f.spc = "Xxpa"; }, EditCheck::BadSpc},
        {"SPC one letter", EditKind::InState, [](auto& f) { f.spc = "G"; }, EditCheck::BadSpc},
        {"SPC empty", EditKind::InState, [](auto& f) { f.spc = ""; }, EditCheck::Ok},
        {"same as record 3", EditKind::InState, [](auto& f) { f.call = "w1aw"; f.county = ""; f.band = "40"; },
         EditCheck::Duplicate},
    };
    for (const auto& c : cases) {
        auto fields = logtools::EditFieldsOf(log.at(2));
        fields.county = c.kind == EditKind::OutOfState ? "Lee" : fields.county;
        fields.call = "K4XYZ";
        c.change(fields);
        EXPECT_EQ(logtools::CheckEditDone(c.kind, fields, log, 2, counties(), countries()).check, c.expected) << c.what;
    }
}

TEST(ContactEdit, EveryStateCodeIsAcceptedInSpcAndUpperCasedAtDone) {
    const auto log = threeContacts();
    for (int i = 1; i <= logging::StateCount; ++i) {
        std::string code(logging::StateAbbrev(i));
        for (char& ch : code) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        auto fields = logtools::EditFieldsOf(log.at(2));
        fields.spc = code;
        EXPECT_EQ(logtools::CheckEditDone(EditKind::InState, fields, log, 2, counties(), countries()).check, EditCheck::Ok) << code;
        EXPECT_EQ(fields.spc, std::string(logging::StateAbbrev(i)));
    }
}

TEST(ContactEdit, DuplicateScanSkipsOnlyTheEditedRecord) {
    auto log = threeContacts();
    // Record 1 edited to band 40 equals record 3; record 3 edited to 20 equals record 1.
    auto first = logtools::EditFieldsOf(log.at(1));
    first.band = "40";
    EXPECT_EQ(logtools::FindEditDuplicates(EditKind::InState, first, log, 1), std::vector<int>{3});
    auto last = logtools::EditFieldsOf(log.at(3));
    last.band = "20";
    EXPECT_EQ(logtools::FindEditDuplicates(EditKind::InState, last, log, 3), std::vector<int>{1});
    // Two stored records already equal: Done on either reports the other, every one is listed.
    log.records().push_back(contact("W1AW", "", "Orange", "40"));
    auto third = logtools::EditFieldsOf(log.at(3));
    EXPECT_EQ(logtools::FindEditDuplicates(EditKind::InState, third, log, 3), std::vector<int>{4});
    third.band = "20";
    third.call = "w1aw";
    EXPECT_EQ(logtools::FindEditDuplicates(EditKind::InState, third, log, 3), std::vector<int>{1});
    // Out-of-state the county sent is no part of the key.
    auto other = logtools::EditFieldsOf(log.at(1));
    other.countySent = "Lee";
    EXPECT_TRUE(logtools::FindEditDuplicates(EditKind::InState, other, log, 2).empty());
    EXPECT_EQ(logtools::FindEditDuplicates(EditKind::OutOfState, other, log, 2), std::vector<int>{1});
}

TEST(ContactEdit, OutOfStateComparesAndStoresTrimmedValues) {
    station::ContactLog log;
    log.records() = {contact("W1AW", "Lee", ""), contact("K4XYZ", "Lee", "")};
    auto f = logtools::EditFieldsOf(log.at(2));
    f.call = "W1AW ";
    f.county = " Lee";
    // A trailing blank would be trimmed on storing: it is the same contact, so a duplicate.
    EXPECT_EQ(logtools::CheckEditDone(EditKind::OutOfState, f, log, 2, counties(), countries()).check, EditCheck::Duplicate);
    f.call = " N4ZZ ";
    f.rstSent = " 59 ";
    ASSERT_EQ(logtools::CheckEditDone(EditKind::OutOfState, f, log, 2, counties(), countries()).check, EditCheck::Ok);
    logtools::StoreEdit(EditKind::OutOfState, f, log.at(2));
    EXPECT_EQ(log.at(2).Call, "N4ZZ");
    EXPECT_EQ(log.at(2).RstSent, "59");
    EXPECT_EQ(log.at(2).County, "Lee");
    // In-state values are stored as they stand, Spc and county sent included.
    auto in = logtools::EditFieldsOf(log.at(1));
    in.spc = "ct";
    in.countySent = "Dade";
    ASSERT_EQ(logtools::CheckEditDone(EditKind::InState, in, log, 1, counties(), countries()).check, EditCheck::Ok);
    logtools::StoreEdit(EditKind::InState, in, log.at(1));
    EXPECT_EQ(log.at(1).Spc, "CT");
    EXPECT_EQ(log.at(1).CountySent, "Dade");
}

TEST(ContactEdit, DeleteAsksAndNoKeepsTheContact) {
    TestSession ts;
    ts->log.records() = {contact("W1AW", "", "Orange"), contact("K4XYZ", "Lee", "Orange")};
    ASSERT_TRUE(station::RewriteLog(*ts));
    ts.fakes.dialogs.messageAnswers = {platform::MsgResult::No, platform::MsgResult::Yes};
    EXPECT_FALSE(logtools::ConfirmAndDelete(*ts, 2));
    EXPECT_EQ(ts->log.ContactCount(), 2);
    const auto& ask = ts.fakes.dialogs.messages[0];
    EXPECT_EQ(ask.prompt, "Are you sure?");
    EXPECT_EQ(ask.title, "Are you sure?");
    EXPECT_EQ(ask.buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(ask.icon, platform::MsgIcon::None);
    EXPECT_TRUE(logtools::ConfirmAndDelete(*ts, 2));
    EXPECT_EQ(ts->log.ContactCount(), 1);
    EXPECT_EQ(station::ParseLog(ts.readProgramFile("log.txt")).size(), 1u);
    EXPECT_EQ(ts.fakes.dialogs.messages.size(), 2u);  // the two questions, no error
}

TEST(ContactEdit, DeleteThatCannotRewriteTheLogIsReportedAndKeepsTheContact) {
    TestSession ts;
    ts->log.records() = {contact("W1AW", "", "Orange"), contact("K4XYZ", "Lee", "Orange")};
    ASSERT_TRUE(station::RewriteLog(*ts));
    ts.fakes.files.failWrite = true;
    ts.fakes.dialogs.messageAnswers = {platform::MsgResult::Yes};
    EXPECT_FALSE(logtools::ConfirmAndDelete(*ts, 1));
    ASSERT_EQ(ts.fakes.dialogs.messages.size(), 2u);
    const auto& report = ts.fakes.dialogs.messages[1];
    EXPECT_EQ(report.prompt, "Unable to write log.txt - contact NOT deleted.");
    EXPECT_EQ(report.title, "File Error");
    ASSERT_EQ(ts->log.ContactCount(), 2);
    EXPECT_EQ(ts->log.at(1).Call, "W1AW");
    EXPECT_EQ(station::ParseLog(ts.readProgramFile("log.txt")).size(), 2u);
}
