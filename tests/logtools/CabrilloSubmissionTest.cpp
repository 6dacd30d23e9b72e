#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "logging/Scoring.h"
#include "logtools/CabrilloSubmission.h"
#include "support/TestSession.h"

using logtools::SubmissionResult;

namespace {

void prepare(TestSession& ts) {
    ts->profile.StationCall = "  K4ABC ";
    ts->profile.HomeState = "FL";
    ts->profile.ArrlSection = "NFL";
    station::ContactRecord r;
    r.Call = "W1AW";
    r.RstSent = r.RstReceived = "599";
    r.Spc = "CT";
    r.CountySent = "Orange";
    r.QsoDate = "2024/04/27";
    r.QsoTime = "16:00:00";
    r.Band = "20";
    r.Mode = "CW";
    ts->log.records().push_back(r);
}

logtools::CabrilloOptions sheet() {
    logtools::CabrilloOptions o;
    o.name = " Pat Doe ";
    o.address1 = "12 Palm Ave";
    o.address2 = "Orlando & Co <FL>";
    o.email = "k4abc@example.org";
    o.club = "FCG";
    return o;
}

std::string settingKey(const char* key) { return std::string("Tervak_Software/Settings/") + key; }

}  // namespace

TEST(CabrilloSubmission, WritesTheFileConfirmsAndKeepsTheTextsTrimmed) {
    TestSession ts;
    prepare(ts);
    const std::string path = ts.root.string() + "/entry.log";
    ts.fakes.dialogs.fileAnswers.push_back(path);
    EXPECT_EQ(logtools::WriteCabrilloSubmission(*ts, sheet(), 1234), SubmissionResult::Written);

    // The save dialog proposes the call's file in the user folder.
    ASSERT_EQ(ts.fakes.dialogs.fileRequests.size(), 1u);
    const auto& req = ts.fakes.dialogs.fileRequests[0];
    EXPECT_EQ(req.defaultName, ts->folders.UserFolder + "/K4ABC.log");
    EXPECT_EQ(req.filter, "LOG Files (*.log) | *.log");
    EXPECT_TRUE(req.overwritePrompt);
    EXPECT_EQ(ts->profile.StationCall, "K4ABC");

    const std::string text = readFileBytes(path);
    EXPECT_EQ(text, logtools::CabrilloText(logtools::CabrilloLines(ts->profile, ts->log, ts->counties, sheet(), 1234, "2.4")));
    EXPECT_NE(text.find("NAME:  Pat Doe \r\n"), std::string::npos);  // as typed in the file
    EXPECT_NE(text.find("CLAIMED-SCORE:  2468 \r\n"), std::string::npos);

    ASSERT_EQ(ts.fakes.dialogs.messages.size(), 2u);
    EXPECT_EQ(ts.fakes.dialogs.messages[0].title, "File Written Successfully.");
    EXPECT_NE(ts.fakes.dialogs.messages[0].prompt.find(path + "."), std::string::npos);
    EXPECT_EQ(ts.fakes.dialogs.messages[1].title, "  Thanks!");
    EXPECT_EQ(ts.fakes.dialogs.beeps, 2);

    const auto& stored = ts.fakes.settings.values;
    EXPECT_EQ(stored.at(settingKey("UserAddressName")), "Pat Doe");
    EXPECT_EQ(stored.at(settingKey("UserAddressLine2")), "Orlando & Co <FL>");
    EXPECT_EQ(stored.at(settingKey("UserClubName")), "FCG");
    const std::string xml = readFileBytes(ts->folders.SharedFolder + "/SharedUserPreferences.xml");
    EXPECT_NE(xml.find("<OWN_ADDRESS_NAME>Pat Doe</OWN_ADDRESS_NAME>"), std::string::npos);
    EXPECT_NE(xml.find("<OWN_ADDRESS_LINE2>Orlando &amp; Co &lt;FL&gt;</OWN_ADDRESS_LINE2>"), std::string::npos);
    EXPECT_NE(xml.find("<OWN_CLUB_NAME>FCG</OWN_CLUB_NAME>"), std::string::npos);

    // A second write replaces the file whole.
    ts.fakes.dialogs.fileAnswers.push_back(path);
    auto shorter = sheet();
    shorter.club.clear();
    EXPECT_EQ(logtools::WriteCabrilloSubmission(*ts, shorter, 1), SubmissionResult::Written);
    EXPECT_EQ(readFileBytes(path).find("CLUB-NAME"), std::string::npos);
}

TEST(CabrilloSubmission, CancelAndFailureStoreNothingAndKeepTheEarlierFile) {
    TestSession ts;
    prepare(ts);
    const std::string path = ts.root.string() + "/entry.log";
    writeFileBytes(path, "an earlier submission\r\n");

    ts.fakes.dialogs.fileAnswers.push_back(std::nullopt);
    EXPECT_EQ(logtools::WriteCabrilloSubmission(*ts, sheet(), 10), SubmissionResult::Cancelled);
    EXPECT_TRUE(ts.fakes.dialogs.messages.empty());

    ts.fakes.dialogs.fileAnswers.push_back(path);
    ts.fakes.files.failWrite = true;
    EXPECT_EQ(logtools::WriteCabrilloSubmission(*ts, sheet(), 10), SubmissionResult::WriteFailed);
    ASSERT_EQ(ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(ts.fakes.dialogs.messages[0].title, "Unable to write file.");
    EXPECT_EQ(ts.fakes.dialogs.beeps, 1);
    EXPECT_EQ(readFileBytes(path), "an earlier submission\r\n");
    EXPECT_TRUE(ts.fakes.settings.values.empty());
    EXPECT_FALSE(std::filesystem::exists(ts->folders.SharedFolder + "/SharedUserPreferences.xml"));
}

TEST(CabrilloSubmission, AFileARobotWouldMisreadIsRefusedBeforeAnythingIsAsked) {
    struct Case {
        const char* what;
        void (*change)(TestSession&);
        const char* title;
        const char* said;
    };
    const Case cases[] = {
        {"no station call", [](TestSession& t) { t->profile.StationCall = " "; }, "Station Call Missing",
         "The station call is missing"},
        {"a contact without a county sent", [](TestSession& t) { t->log.records()[0].CountySent.clear(); },
         "Submission File Not Written", "Contact 1 (W1AW, 2024/04/27 16:00:00) has no valid county sent"},
    };
    for (const auto& c : cases) {
        TestSession ts;
        prepare(ts);
        c.change(ts);
        ts.fakes.dialogs.fileAnswers.push_back(ts.root.string() + "/entry.log");
        EXPECT_EQ(logtools::WriteCabrilloSubmission(*ts, sheet(), 10), SubmissionResult::Refused) << c.what;
        EXPECT_TRUE(ts.fakes.dialogs.fileRequests.empty()) << c.what;
        ASSERT_EQ(ts.fakes.dialogs.messages.size(), 1u) << c.what;
        EXPECT_EQ(ts.fakes.dialogs.messages[0].title, c.title) << c.what;
        EXPECT_NE(ts.fakes.dialogs.messages[0].prompt.find(c.said), std::string::npos) << ts.fakes.dialogs.messages[0].prompt;
        EXPECT_EQ(ts.fakes.dialogs.beeps, 1) << c.what;
        EXPECT_FALSE(std::filesystem::exists(ts.root / "entry.log")) << c.what;
        EXPECT_TRUE(ts.fakes.settings.values.empty()) << c.what;
    }
}

TEST(CabrilloSubmission, SharedPreferencesThatCannotBeReadAreLeftAlone) {
    TestSession ts;
    prepare(ts);
    const std::string xmlPath = ts->folders.SharedFolder + "/SharedUserPreferences.xml";
    const std::string stationKeys = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K4ABC</OWN_CALL>\r\n";
    writeFileBytes(xmlPath, stationKeys);
    ts.fakes.files.failReadOf = xmlPath;
    const std::string path = ts.root.string() + "/entry.log";
    ts.fakes.dialogs.fileAnswers.push_back(path);
    EXPECT_EQ(logtools::WriteCabrilloSubmission(*ts, sheet(), 10), SubmissionResult::StoreFailed);
    EXPECT_FALSE(readFileBytes(path).empty());  // the submission itself was written
    EXPECT_EQ(ts.fakes.settings.values.at(settingKey("UserClubName")), "FCG");
    EXPECT_EQ(readFileBytes(xmlPath), stationKeys);
    EXPECT_EQ(ts.fakes.dialogs.messages.back().title, "Unable to write file.");

    // Once it can be read again, the texts join the station's keys.
    ts.fakes.files.failReadOf.clear();
    ts.fakes.dialogs.fileAnswers.push_back(path);
    EXPECT_EQ(logtools::WriteCabrilloSubmission(*ts, sheet(), 10), SubmissionResult::Written);
    const std::string xml = readFileBytes(xmlPath);
    EXPECT_NE(xml.find("<OWN_CALL>K4ABC</OWN_CALL>"), std::string::npos);
    EXPECT_NE(xml.find("<OWN_CLUB_NAME>FCG</OWN_CLUB_NAME>"), std::string::npos);
}

TEST(CabrilloSubmission, ClaimedScoreComesFromTheCounts) {
    TestSession ts;
    prepare(ts);
    auto second = ts->log.records()[0];
    second.Call = "VE3ABC";
    second.Spc = "ON";
    second.Mode = "PH";
    ts->log.records().push_back(second);
    logging::RecountScore(ts->contest.score, logging::WindowKind::InState, ts->log.records(), ts->counties, ts->prefixes);
    // 2 points for CW and 1 for PH, times the multipliers CT and ON.
    EXPECT_EQ(logtools::LiveTotalScore(*ts), 6);
}
