#include <gtest/gtest.h>

#include <algorithm>

#include "Bytes.h"
#include "rig/RigControl.h"
#include "support/RigEmulator.h"
#include "support/TestSession.h"

using namespace rig;

namespace {

struct CommandFixture {
    TestSession ts;
    RigControl& rig = ts->rig;
    fakes::FakeSerialDevice& port = ts.fakes.serial.device(1);
    // Each write with the fake clock's time.
    std::vector<std::pair<int64_t, std::string>> writes;

    explicit CommandFixture(const char* rigType, const char* bandPlan = nullptr) {
        ts->profile.RigType = rigType;
        if (bandPlan) ts.writeProgramFile("BandPlan.txt", bandPlan);
        else ts.copyDataFile("BandPlan.txt");
        rig.LoadRigSettings();
        // Poll requests are left out: the commands are what these tests look at.
        for (bool turn : {true, false}) polls.push_back(BuildPollRequest(KindOf(rigType), rig.Settings().readStrings(), turn).bytes);
        port.onWrite = [this](const std::string& bytes) { record(bytes); };
    }
    void record(const std::string& bytes) {
        if (std::find(polls.begin(), polls.end(), bytes) == polls.end()) writes.emplace_back(ts.fakes.clock.monotonic, bytes);
    }
    std::vector<std::string> polls;
    void startPolling() {
        port.outputQueue = 1;  // no poll requests: only the commands are written
        rig.Test();
        port.outputQueue = 0;
        writes.clear();
    }
    void advance(int64_t ms) { ts.fakes.scheduler.advance(ms); }
    int64_t now() const { return ts.fakes.clock.monotonic; }
    const auto& messages() const { return ts.fakes.dialogs.messages; }
};

}  // namespace

TEST(ChangeFrequency, KenwoodSetsTheBandPlansModeThenTheFrequencyAndResumesPolling) {
    CommandFixture f("Kenwood");
    f.startPolling();
    const int64_t start = f.now();
    f.rig.ChangeFrequency(14.025);
    EXPECT_TRUE(f.rig.Polling());                           // still polling for the operator
    EXPECT_EQ(f.ts.fakes.scheduler.activeTimers(), 1);      // only the command's timer: the poll is paused
    f.advance(2000);
    ASSERT_EQ(f.writes.size(), 2u);
    EXPECT_EQ(f.writes[0].second, "MD3;");
    EXPECT_EQ(f.writes[0].first - start, 99);
    EXPECT_EQ(f.writes[1].second, "FA00014025000;");
    EXPECT_EQ(f.writes[1].first - f.writes[0].first, 205);
    // The poll timer runs again, where the cycle had stopped.
    EXPECT_FALSE(f.rig.CommandInProgress());
    EXPECT_TRUE(f.rig.Polling());
    const std::string before = f.port.written;
    f.advance(500);
    EXPECT_GT(f.port.written.size(), before.size());
}

TEST(ChangeFrequency, DelaysAndModesPerRigType) {
    struct Case {
        const char* rig;
        double mhz;
        std::string mode;  // empty: no mode command
        std::string frequency;
        int delay;  // from the mode command (or the start) to the frequency command
    };
    const Case cases[] = {
        {"Elecraft", 14.025, "MD3;", "FA00014025000;", 1205},
        {"Icom", 14.2, hexBytes("FE FE 64 E0 06 01 FD"), hexBytes("FE FE 64 E0 05 00 00 20 14 00 FD"), 140},
        {"Ten Tec Omni VI", 7.2, hexBytes("FE FE 04 E0 06 00 FD"), hexBytes("FE FE 04 E0 05 00 00 20 07 00 FD"), 360},
        {"Icom 735", 14.025, "", hexBytes("FE FE 64 E0 05 00 50 02 14 00 FD"), 140},
        {"Yaesu 1000", 14.025, hexBytes("00 00 00 02 0C"), hexBytes("00 25 40 01 0A"), 10},
        {"Kenwood", 1.83, "", "FA00001830000;", 205},   // 160 m: the mode is left alone
        {"Kenwood", 5.332, "MD2;", "FA00005332000;", 205},  // 60 m phone is USB
        {"Ten Tec Orion", 14.025, "", "*AF14.025\r", 205},
    };
    for (const auto& c : cases) {
        CommandFixture f(c.rig);
        f.startPolling();
        const int64_t start = f.now();
        f.rig.ChangeFrequency(c.mhz);
        f.advance(3000);
        ASSERT_EQ(f.writes.size(), c.mode.empty() ? 1u : 2u) << c.rig;
        if (!c.mode.empty()) {
            EXPECT_EQ(ReplyToSpacedHex(f.writes[0].second), ReplyToSpacedHex(c.mode)) << c.rig;
        }
        EXPECT_EQ(ReplyToSpacedHex(f.writes.back().second), ReplyToSpacedHex(c.frequency)) << c.rig;
        const int64_t from = c.mode.empty() ? start : f.writes[0].first;
        EXPECT_EQ(f.writes.back().first - from, c.delay) << c.rig;
    }
}

TEST(ChangeFrequency, KenwoodTwoTunesTheVfoOfTheLastIfAnswer) {
    CommandFixture f("Kenwood 2");
    f.port.onWrite = [&](const std::string& bytes) {
        f.record(bytes);
        // IF, frequency, step, RIT, flags, memory, TX, mode 3, VFO 1, the rest.
        if (bytes == "IF;") f.port.receive(std::string("IF00014025000") + "    " + "+00000" + "000" + "00" + "0" + "31" + "000000;");
    };
    f.rig.Test();
    f.advance(250);
    EXPECT_EQ(f.rig.Reading().VfoFlag, 1);
    f.writes.clear();
    f.rig.ChangeFrequency(14.03);
    f.advance(1000);
    ASSERT_FALSE(f.writes.empty());
    EXPECT_EQ(f.writes[1].second, "FB00014030000;");
}

TEST(ChangeFrequency, DoesNothingUnlessPollingAndNothingTwiceAtOnce) {
    CommandFixture f("Kenwood");
    f.rig.ChangeFrequency(14.025);  // not polling
    f.advance(2000);
    EXPECT_TRUE(f.writes.empty());
    EXPECT_TRUE(f.messages().empty());
    f.startPolling();
    f.rig.ChangeFrequency(14.025);
    f.rig.ChangeFrequency(7.025);  // the poll timer is paused: this one does nothing
    f.advance(2000);
    ASSERT_EQ(f.writes.size(), 2u);
    EXPECT_EQ(f.writes[1].second, "FA00014025000;");
}

TEST(ChangeFrequency, RefusesAFrequencyTheRigCannotTakeAndKeepsPolling) {
    for (double mhz : {0.0, -7.0, 1300.0}) {
        CommandFixture f("Yaesu");
        f.startPolling();
        f.rig.ChangeFrequency(mhz);
        EXPECT_FALSE(f.rig.CommandInProgress()) << mhz;
        ASSERT_EQ(f.messages().size(), 1u) << mhz;
        EXPECT_EQ(f.messages()[0].title, "Error Changing Frequency");
        f.advance(250);
        EXPECT_TRUE(f.rig.Polling());
        EXPECT_EQ(f.ts.fakes.scheduler.activeTimers(), 1);  // the poll timer
    }
}

TEST(ChangeFrequency, AFailedCommandReportsAndPollingGoesOnOnlyWhenThePortIsOpen) {
    {
        CommandFixture f("Kenwood");
        f.startPolling();
        f.port.failWrite = true;
        f.rig.ChangeFrequency(21.3);
        f.advance(2000);
        ASSERT_EQ(f.messages().size(), 2u);
        EXPECT_EQ(f.messages()[0].title, "Error Changing Mode");
        EXPECT_EQ(f.messages()[0].prompt, "write failed USB");
        EXPECT_EQ(f.messages()[1].title, "Error Changing Frequency");
        EXPECT_EQ(f.messages()[1].prompt, "write failed");
        EXPECT_TRUE(f.rig.Polling());
        f.port.failWrite = false;
        const std::string before = f.port.written;
        f.advance(500);
        EXPECT_GT(f.port.written.size(), before.size());  // polling really runs again
    }
    {
        // The port went away (the adapter was unplugged): polling ends and says so.
        CommandFixture f("Kenwood");
        std::vector<bool> polling;
        f.rig.events.pollingChanged = [&](bool on) { polling.push_back(on); };
        f.startPolling();
        f.rig.ChangeFrequency(1.83);
        f.ts->rig.WriteRaw("");  // nothing
        f.port.failWrite = true;
        f.port.open = false;
        f.advance(2000);
        ASSERT_EQ(f.messages().size(), 1u);
        EXPECT_EQ(f.messages()[0].title, "Error Changing Frequency");
        EXPECT_FALSE(f.rig.Polling());
        EXPECT_EQ(polling, (std::vector<bool>{true, false}));
    }
}

TEST(ChangeFrequency, EndTestDuringTheCommandEndsIt) {
    CommandFixture f("Kenwood");
    f.startPolling();
    f.rig.ChangeFrequency(14.025);
    f.advance(150);  // the mode command has gone
    f.rig.EndTest();
    f.advance(2000);
    ASSERT_EQ(f.writes.size(), 1u);
    EXPECT_EQ(f.writes[0].second, "MD3;");
    EXPECT_FALSE(f.rig.Polling());
    EXPECT_EQ(f.ts.fakes.scheduler.activeTimers(), 0);
}

TEST(ChangeFrequency, TheRestOfAnAnswerTheCommandCutIsNotReadAsAnAnswer) {
    // The operator tunes while a status block is on its way: the command drops what has arrived,
    // and the rest, arriving after, must not be read from its middle.
    const std::pair<const char*, const char*> rigs[] = {
        {"Yaesu 920", "yaesu920"}, {"Yaesu 990", "yaesu990"}, {"Yaesu 757 GX II", "yaesu757"}};
    for (const auto& [type, family] : rigs) {
        SCOPED_TRACE(type);
        CommandFixture f(type, "");
        const std::string request = BuildPollRequest(KindOf(type), f.rig.Settings().readStrings(), true).bytes;
        fakes::RigEmulator::Options options;
        options.family = family;
        fakes::RigEmulator rigEnd(options);
        rigEnd.setFrequencyHz(14025000);
        const std::string block = rigEnd.receive(request);
        ASSERT_GT(block.size(), 10u);
        f.rig.Test();
        f.port.receive(block.substr(0, 1));
        f.rig.ChangeFrequency(7.025);
        f.port.receive(block.substr(1));
        f.advance(3000);  // the command ends and polling goes on (the rig answers no more)
        const double read = f.rig.Reading().RigFrequency;
        EXPECT_TRUE(read == 0 || read == 14.025) << read;
    }
}

TEST(ChangeFrequency, WaitsForTheOutputToDrainAtMostTwoSeconds) {
    CommandFixture f("Kenwood");
    f.startPolling();
    f.port.outputQueue = 40;
    const int64_t start = f.now();
    f.rig.ChangeFrequency(1.83);  // no mode command: drain, 205 ms, send
    f.advance(1000);
    EXPECT_TRUE(f.writes.empty());
    f.port.outputQueue = 0;
    f.advance(1000);
    ASSERT_EQ(f.writes.size(), 1u);
    EXPECT_GE(f.writes[0].first - start, 1000 + 205);
    EXPECT_LE(f.writes[0].first - start, 1000 + 205 + 5);
    // A queue that never empties is waited for 2 s, not for ever.
    f.writes.clear();
    f.port.outputQueue = 40;
    const int64_t again = f.now();
    f.advance(400);  // the poll is back; let it settle into its cycle
    f.rig.ChangeFrequency(1.84);
    const int64_t asked = f.now();
    f.advance(5000);
    ASSERT_FALSE(f.writes.empty());
    EXPECT_EQ(f.writes[0].second, "FA00001840000;");
    EXPECT_GE(f.writes[0].first - asked, 2000 + 205);
    EXPECT_LE(f.writes[0].first - asked, 2000 + 205 + 5);
    (void)again;
}

TEST(ChangeMode, ActsWithoutPollingAndReportsAClosedPort) {
    CommandFixture f("Kenwood");
    f.rig.ChangeMode(0, "USB");  // the port is not open (End Test)
    f.advance(500);
    ASSERT_EQ(f.messages().size(), 1u);
    EXPECT_EQ(f.messages()[0].title, "Error Changing Mode");
    EXPECT_EQ(f.messages()[0].prompt, "Operation valid only when the port is open USB");
    // With the port open and polling stopped it is sent after 99 ms.
    CommandFixture g("Yaesu 990");
    g.startPolling();
    g.rig.EndTest();
    g.port.outputQueue = 0;
    g.rig.Test();
    g.writes.clear();
    const int64_t start = g.now();
    g.rig.ChangeMode(0, "USB");
    g.advance(99);
    ASSERT_FALSE(g.writes.empty());
    EXPECT_EQ(g.writes.back().second, hexBytes("00 00 00 01 0C"));
    EXPECT_EQ(g.writes.back().first - start, 99);
    g.writes.clear();
    g.rig.ChangeMode(0, "DIG");  // no command for it on the 990
    g.advance(200);
    for (const auto& w : g.writes) EXPECT_NE(w.second.back(), '\x0C');
}

TEST(ChangeMode, NothingForNoneOrWhereTheBandPlanHasNoMode) {
    CommandFixture f("None");
    f.rig.ChangeMode(14.2, "USB");
    f.advance(500);
    EXPECT_TRUE(f.messages().empty());
    CommandFixture g("Kenwood");
    g.startPolling();
    g.rig.ChangeMode(1.83, "");   // 160 m
    g.rig.ChangeMode(11.0, "");   // outside every band
    g.advance(500);
    for (const auto& w : g.writes) EXPECT_EQ(w.second.substr(0, 2), "FA");
}

TEST(RigSettingsFile, LoadAndSaveInTheProgramFolder) {
    {
        // No file: the dialog's design state with the profile's rig type and its row's strings.
        TestSession ts;
        ts->profile.RigType = "Yaesu";
        const LoadSettingsResult r = ts->rig.LoadRigSettings();
        EXPECT_FALSE(r.fileFound);
        EXPECT_EQ(ts->rig.RigType(), "Yaesu");
        EXPECT_EQ(ts->rig.Settings().FreqReadString, "00 00 00 00 03");
        EXPECT_EQ(ts->rig.Settings().RigPort, 1);
        EXPECT_EQ(ts->rig.Settings().PollRate, "M");
        EXPECT_TRUE(ts->rig.Settings().UseFrequency);
    }
    {
        // The file's rig type replaces the profile's; the name is found ignoring case.
        TestSession ts;
        ts->profile.RigType = "Yaesu";
        RigSettings s = DesignSettings();
        ApplyRigTypeRow(s, *FindRigType("Kenwood"));
        s.RigPort = 3;
        ts.writeProgramFile("rigcntrl.TXT", WriteRigCntrl(s, "Kenwood"));
        const LoadSettingsResult r = ts->rig.LoadRigSettings();
        EXPECT_TRUE(r.fileFound);
        EXPECT_EQ(r.itemsRead, 14);
        EXPECT_EQ(ts->profile.RigType, "Kenwood");
        EXPECT_EQ(ts->rig.Settings().RigPort, 3);
        // Saving rewrites the file found.
        ts->rig.Settings().PollRate = "F";
        EXPECT_TRUE(ts->rig.SaveRigSettings());
        EXPECT_NE(ts.readProgramFile("rigcntrl.TXT").find("\r\n\"F\"\r\n"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(ts.programPath("RigCntrl.txt")));
    }
    {
        // A port outside 1..10: port 1, the rest of the file kept, and the caller told.
        TestSession ts;
        RigSettings s = DesignSettings();
        ApplyRigTypeRow(s, *FindRigType("Kenwood"));
        s.RigPort = 0;
        s.PollRate = "S";
        ts.writeProgramFile("RigCntrl.txt", WriteRigCntrl(s, "Kenwood"));
        const LoadSettingsResult r = ts->rig.LoadRigSettings();
        EXPECT_EQ(r.badPortInFile, 0);
        EXPECT_EQ(ts->rig.Settings().RigPort, 1);
        EXPECT_EQ(ts->rig.Settings().PollRate, "S");
        EXPECT_EQ(ts->rig.Test(), TestResult::Polling);
    }
    {
        // A write that fails says so.
        TestSession ts;
        ts.fakes.files.failWrite = true;
        EXPECT_FALSE(ts->rig.SaveRigSettings());
        ASSERT_EQ(ts.fakes.dialogs.messages.size(), 1u);
        EXPECT_EQ(ts.fakes.dialogs.messages[0].title, "Unable to write file.");
    }
}
