// Rig control end to end: the rig emulator on one end of a socat pseudo-terminal, the program's
// rig control on the other through the real QSerialPort and Qt timers, and the real logging
// window following the radio's band and mode.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>

#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtSerialLine.h"
#include "platform/qt/Text.h"
#include "rig/RigSettings.h"
#include "rig/ui/RigControlfrm.h"
#include "rig/ui/RigWindows.h"
#include "station/LogStore.h"
#include "support/EmulatorProcess.h"
#include "support/PtyPair.h"
#include "support/TestSession.h"
#include "window/ui/Outfrm.h"
#include "window/ui/ToolWindows.h"

using namespace std::chrono_literals;
using platform::qt::fromQ;

namespace {

// The fake calendar for the contacts' dates, the real monotonic clock for the rig's waits.
class HybridClock : public platform::Clock {
public:
    explicit HybridClock(const fakes::FakeClock& dates) : dates_(dates) {}
    platform::DateTime localNow() const override { return dates_.localNow(); }
    platform::DateTime utcNow() const override { return dates_.utcNow(); }
    int64_t monotonicMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

private:
    const fakes::FakeClock& dates_;
};

struct RigOnPty {
    fakes::PtyPair pty;
    fakes::FakeEnvironment portNames;
    fakes::FakeClock dates;
    HybridClock clock{dates};
    platform::qt::QtScheduler scheduler;
    platform::qt::QtSerialPorts serial{portNames};
    TestSession ts{TestSession::Devices{scheduler, serial, clock}};
    std::unique_ptr<fakes::EmulatorProcess> emulator;
    std::unique_ptr<window::ui::LoggingWindow> window;

    // The rig type and settings as RigCntrl.txt holds them; the emulator answers as `family`.
    RigOnPty(const char* rigType, const char* family, std::vector<std::string> emulatorArgs = {},
             const char* pollRate = "F") {
        portNames.values["PALMETAR_COM1"] = pty.b;
        auto& p = ts->profile;
        p.StationCall = "K1ABC";
        p.StationState = "MA";
        p.StationCountry = "USA";
        p.CurrentMode = "PH";
        p.CurrentBand = "10";
        p.HomeState = "FL";
        p.OutOfState = 1;
        p.FormSizePercent = 100;
        p.RigType = rigType;
        p.HoursOffset = 4;
        ts.fakes.clock.local = {2026, 4, 25, 12, 0, 0, 0};
        ts.copyDataFile("county2.txt");
        ts.copyDataFile("BandPlan.txt");
        rig::RigSettings s = rig::DesignSettings();
        rig::ApplyRigTypeRow(s, *rig::FindRigType(rigType));
        s.PollRate = pollRate;
        s.CommSettings = rig::CommSettingsText(s);
        ts.writeProgramFile("RigCntrl.txt", rig::WriteRigCntrl(s, rigType));
        std::vector<std::string> args = {"--family", family, "--device", pty.a, "--freq", "28.4", "--mode", "USB"};
        args.insert(args.end(), emulatorArgs.begin(), emulatorArgs.end());
        emulator = std::make_unique<fakes::EmulatorProcess>(args);
        // The logging window's load loads the rig setup dialog hidden and runs its Test.
        rig::ui::RegisterRigWindows();
    }
    ~RigOnPty() {
        if (window) window->Form_Unload();
        window.reset();
        window::ui::ToolWindows::instance().unloadAll();
    }

    window::ui::LoggingWindow& open() {
        window = std::make_unique<window::ui::Outfrm>(*ts);
        window->Form_Load();
        window->show();
        return *window;
    }
    std::string band() const { return fromQ(window->Label24->text()); }
    std::string mode() const { return fromQ(window->Label30->text()); }
    // The emulator's next report starting with `prefix`, waited for while the program runs.
    std::string emulatorSays(const std::string& prefix, int ms = 3000) {
        std::string line;
        (void)QTest::qWaitFor([&] { return !(line = emulator->waitFor(prefix, 0ms)).empty(); }, ms);
        return line;
    }
    bool shows(const char* band, const char* mode, int ms = 5000) {
        return QTest::qWaitFor([&] { return this->band() == band && this->mode() == mode; }, ms);
    }
    // K4ABC, report 57, Lee typed into the entry line and logged with Enter; the log as stored.
    std::vector<station::ContactRecord> logK4abc() {
        window->activateWindow();
        window->txtCall->setFocus();
        QTest::keyClicks(window->txtCall, "k4abc");
        QTest::keyClick(window->txtCall, Qt::Key_Space);
        QTest::keyClicks(QApplication::focusWidget(), "57");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClicks(QApplication::focusWidget(), "lee");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return station::ParseLog(ts.readProgramFile("log.txt"));
    }
};

struct Family {
    const char* name;
    const char* rigType;
    const char* family;
    std::vector<std::string> emulatorArgs;
};
std::ostream& operator<<(std::ostream& os, const Family& f) { return os << f.name; }

const Family kFamilies[] = {
    {"Kenwood", "Kenwood", "kenwood", {}},
    {"Elecraft", "Elecraft", "kenwood", {}},
    {"KenwoodIf", "Kenwood 2", "kenwood", {}},
    {"Ftdx9000", "Yaesu FTdx9000", "ftdx9000", {}},
    // CI-V with the bus echo, replies cut in two and junk in front: the frames are joined.
    {"Icom", "Icom", "civ", {"--address", "64", "--echo", "--split", "7", "--split-ms", "30", "--junk", "00 13"}},
    {"Icom735", "Icom 735", "civ4", {"--address", "64", "--echo"}},
    {"OmniVI", "Ten Tec Omni VI", "civ", {"--address", "04", "--echo"}},
    {"Orion", "Ten Tec Orion", "orion", {"--junk", "5A 21 0D"}},
    {"FrontPanel", "Ten Tec Fnt Pnl", "tentec", {}},
    // A five-byte answer cut in two: waited for and read whole.
    {"Yaesu", "Yaesu", "yaesu", {"--split", "3", "--split-ms", "20"}},
    {"Yaesu757", "Yaesu 757 GX II", "yaesu757", {}},
    {"Yaesu890", "Yaesu 890", "yaesu890", {}},
    {"Yaesu920", "Yaesu 920", "yaesu920", {}},
    {"Yaesu990", "Yaesu 990", "yaesu990", {}},
    {"Yaesu1000D", "Yaesu 1000 D", "yaesu1000d", {}},
    {"Yaesu1000", "Yaesu 1000", "yaesu1000", {}},
};

class EveryFamilyOverAPty : public testing::TestWithParam<Family> {};

}  // namespace

TEST(RigOverPty, TheLoggingWindowFollowsTheRadioAndTheContactStoresItsFrequency) {
    RigOnPty r("Kenwood", "kenwood");
    ASSERT_TRUE(r.pty.ok());
    ASSERT_TRUE(r.emulator->ok());
    r.open();
    EXPECT_TRUE(r.ts->rig.Polling());
    EXPECT_TRUE(r.ts->rig.PortOpen());
    EXPECT_TRUE(r.shows("10", "PH"));
    // The operator tunes the radio to 7.025 MHz CW.
    ASSERT_TRUE(r.emulator->command("freq 7.025"));
    ASSERT_TRUE(r.emulator->command("mode CW"));
    EXPECT_TRUE(r.shows("40", "CW")) << r.band() << " " << r.mode();
    EXPECT_EQ(r.ts->contest.PendingFrequency, "7.025");
    EXPECT_EQ(r.ts->profile.CurrentBand, "40");

    // The next contact stores that frequency.
    const auto records = r.logK4abc();
    ASSERT_EQ(records.size(), 1u) << fromQ(r.window->lblDialog->text());
    EXPECT_EQ(records[0].Call, "K4ABC");
    EXPECT_EQ(records[0].Frequency, "7.025");
    EXPECT_EQ(records[0].Band, "40");
    EXPECT_EQ(records[0].Mode, "CW");

    // Tuning from the program: the band plan's mode first, then the frequency, as bytes the
    // emulated radio takes; the window then follows the radio to 15 m.
    ASSERT_TRUE(r.ts->rig.Polling());
    r.ts->rig.ChangeFrequency(21.3);
    EXPECT_TRUE(r.ts->rig.CommandInProgress());
    EXPECT_EQ(r.emulatorSays("set mode"), "set mode USB");
    EXPECT_EQ(r.emulatorSays("set freq"), "set freq 21300000");
    EXPECT_TRUE(r.shows("15", "PH"));

    // Closing the window ends polling and closes the port.
    r.window->Form_Unload();
    EXPECT_FALSE(r.ts->rig.Polling());
    EXPECT_FALSE(r.ts->rig.PortOpen());
}

// The adapter is pulled while polling (socat ends: the pseudo-terminal hangs up): the operator
// is told in the rig setup and the logging window, the port is closed, a contact logged meanwhile
// stores no frequency of the radio it no longer hears; once the device is back, Test reads the
// radio again.
TEST(RigOverPty, APulledAdapterIsReportedAndTestReadsTheRadioAgainOnceItIsBack) {
    RigOnPty r("Kenwood", "kenwood");
    ASSERT_TRUE(r.pty.ok());
    ASSERT_TRUE(r.emulator->ok());
    r.open();
    ASSERT_TRUE(r.emulator->command("freq 7.025"));
    ASSERT_TRUE(r.emulator->command("mode CW"));
    ASSERT_TRUE(r.shows("40", "CW")) << r.band() << " " << r.mode();
    auto* setup = qobject_cast<RigControlfrm*>(
        window::ui::ToolWindows::instance().loaded(window::ToolWindow::RigControlfrm));
    ASSERT_NE(setup, nullptr);

    r.pty.stop();
    r.emulator.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !r.ts->rig.Polling(); }, 5000));
    EXPECT_FALSE(r.ts->rig.PortOpen());
    EXPECT_EQ(fromQ(setup->lblFreq->text()), "No Response");
    EXPECT_EQ(fromQ(setup->lblUnProcess->text()).rfind("Port lost: " + r.pty.b, 0), 0u)
        << fromQ(setup->lblUnProcess->text());
    EXPECT_EQ(fromQ(r.window->lblDialog->text()), "Rig port lost.  Ctrl+R, Test opens it again.");

    const auto records = r.logK4abc();
    ASSERT_EQ(records.size(), 1u) << fromQ(r.window->lblDialog->text());
    EXPECT_EQ(records[0].Band, "40");
    EXPECT_EQ(records[0].Frequency, "");

    // Plugged in again, the radio now on 14.2 MHz USB: Test reads it.
    ASSERT_TRUE(r.pty.start());
    r.emulator = std::make_unique<fakes::EmulatorProcess>(
        std::vector<std::string>{"--family", "kenwood", "--device", r.pty.a, "--freq", "14.2", "--mode", "USB"});
    ASSERT_TRUE(r.emulator->ok());
    setup->Command1_Click();
    EXPECT_TRUE(r.ts->rig.Polling());
    EXPECT_TRUE(r.shows("20", "PH")) << r.band() << " " << r.mode();
    EXPECT_EQ(r.ts->contest.PendingFrequency, "14.200");
}

TEST_P(EveryFamilyOverAPty, BandAndModeFollowTheRadio) {
    const Family& f = GetParam();
    RigOnPty r(f.rigType, f.family, f.emulatorArgs);
    ASSERT_TRUE(r.pty.ok());
    ASSERT_TRUE(r.emulator->ok());
    r.open();
    ASSERT_TRUE(r.ts->rig.Polling()) << r.ts.fakes.dialogs.messages.size();
    ASSERT_TRUE(r.emulator->command("freq 7.025"));
    ASSERT_TRUE(r.emulator->command("mode CW"));
    EXPECT_TRUE(r.shows("40", "CW")) << r.band() << " " << r.mode();
    ASSERT_TRUE(r.emulator->command("freq 14.2"));
    ASSERT_TRUE(r.emulator->command("mode USB"));
    EXPECT_TRUE(r.shows("20", "PH")) << r.band() << " " << r.mode();
    EXPECT_EQ(r.ts->contest.PendingFrequency, "14.200");
    // The frequency command reaches the radio as bytes it takes.
    r.ts->rig.ChangeFrequency(21.3);
    EXPECT_EQ(r.emulatorSays("set freq"), "set freq 21300000");
    EXPECT_TRUE(r.shows("15", "PH")) << r.band() << " " << r.mode();
    for (const auto& m : r.ts.fakes.dialogs.messages) EXPECT_EQ(m.title, "Open existing log?") << m.prompt;
}

INSTANTIATE_TEST_SUITE_P(Rigs, EveryFamilyOverAPty, testing::ValuesIn(kFamilies),
                         [](const testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });
