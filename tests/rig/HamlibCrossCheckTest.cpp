// The rig emulator checked against a third party: Hamlib's rigctl reads the emulated rig over a
// pseudo-terminal and must find the frequency and mode the emulator holds. The program's own
// poll request and decoder then read the same emulator, so the emulator and the decoders are
// not built from the same misreading.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "rig/CatCommands.h"
#include "rig/CatDecoders.h"
#include "support/EmulatorProcess.h"
#include "support/PtyPair.h"

using namespace std::chrono_literals;

namespace {

struct HamlibRig {
    const char* name;       // for the test name
    const char* family;     // rig_emulator --family
    const char* model;      // rigctl -m (rigctl -l lists them)
    const char* rigType;    // the program's rig type for the same protocol
    std::vector<std::string> emulatorArgs;
    std::vector<std::string> rigctlArgs;
    // The operator's read strings when the rig list's defaults name another CI-V address.
    std::string freqString = "";
    std::string modeString = "";
};

std::ostream& operator<<(std::ostream& os, const HamlibRig& r) { return os << r.name; }

const HamlibRig kRigs[] = {
    {"KenwoodTS2000", "kenwood", "2014", "Kenwood", {}, {}},
    // The IC-7300 at the address the emulator answers to, with the bus echo a real CI-V line has.
    {"IcomIC7300", "civ", "3073", "Icom", {"--address", "64", "--echo"}, {"-c", "0x64"}},
    {"YaesuFT817", "yaesu", "1020", "Yaesu", {}, {}},
    {"TenTecOrion", "orion", "16008", "Ten Tec Orion", {}, {}},
    {"YaesuFT920", "yaesu920", "1014", "Yaesu 920", {}, {}},
    {"IcomIC735", "civ4", "3019", "Icom 735", {"--address", "04", "--echo"}, {"-c", "0x04"},
     "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD"},
};

class HamlibReadsTheEmulator : public testing::TestWithParam<HamlibRig> {};

// What the program's poll request brings back from the emulator, decoded. Each reply is read
// until it carries what its request asks for (both values, or the one of its turn): nothing when
// it does not within the time, which only a reply that never comes whole takes.
std::optional<rig::RigReading> programReads(const std::string& device, const HamlibRig& r) {
    const rig::RigTypeRow* row = rig::FindRigType(r.rigType);
    const rig::ReadStrings asked{r.freqString.empty() ? row->freqReadString : r.freqString,
                                 r.modeString.empty() ? row->modeReadString : r.modeString, row->convertToHex};
    fakes::PtyEnd port(device);
    rig::RigReading reading;
    for (bool frequencyTurn : {true, false}) {
        const auto request = rig::BuildPollRequest(row->kind, asked, frequencyTurn);
        if (request.bytes.empty()) continue;
        port.write(request.bytes);
        const bool wantFrequency = !request.alternates || frequencyTurn;
        const bool wantMode = !request.alternates || !frequencyTurn;
        std::string reply;
        rig::Decoded got;
        const auto giveUp = std::chrono::steady_clock::now() + 10s;
        while ((wantFrequency && !got.frequency) || (wantMode && !got.mode)) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
            if (left <= 0ms) return std::nullopt;
            reply += port.read(1, left);
            got = rig::DecodeReply(row->kind, reply, frequencyTurn, asked.freq, asked.mode);
        }
        reading.apply(got);
        if (!request.alternates) break;
    }
    return reading;
}

}  // namespace

TEST_P(HamlibReadsTheEmulator, FrequencyAndMode) {
    if (!fakes::ProgramAvailable("rigctl")) GTEST_SKIP() << "rigctl (libhamlib-utils) is not installed: scripts/setup";
    const HamlibRig& r = GetParam();
    struct State {
        const char* mhz;
        const char* mode;
        const char* hamlibHz;
        double ourMhz;
        const char* ourMode;
    };
    for (const State s : {State{"7.025", "CW", "7025000", 7.025, "CW"}, State{"14.2", "USB", "14200000", 14.2, "PH"},
                          State{"3.8", "LSB", "3800000", 3.8, "PH"}}) {
        fakes::PtyPair pty;
        ASSERT_TRUE(pty.ok());
        std::vector<std::string> args = {"--family", r.family, "--device", pty.a, "--freq", s.mhz, "--mode", s.mode};
        args.insert(args.end(), r.emulatorArgs.begin(), r.emulatorArgs.end());
        fakes::EmulatorProcess emulator(args);
        ASSERT_TRUE(emulator.ok());
        std::vector<std::string> command = {"rigctl", "-m", r.model, "-r", pty.b};
        command.insert(command.end(), r.rigctlArgs.begin(), r.rigctlArgs.end());
        command.push_back("f");
        command.push_back("m");
        const fakes::ProgramRun run = fakes::RunProgram(command, 20s);
        std::istringstream out(run.out);
        std::string hz, mode;
        out >> hz >> mode;
        EXPECT_EQ(run.exitCode, 0) << r.name << " " << run.out;
        EXPECT_EQ(hz, s.hamlibHz) << r.name << " " << s.mhz;
        EXPECT_EQ(mode, s.mode) << r.name << " " << s.mhz;

        const auto ours = programReads(pty.b, r);
        ASSERT_TRUE(ours) << r.name << " " << s.mhz << ": no whole reply";
        EXPECT_DOUBLE_EQ(ours->RigFrequency, s.ourMhz) << r.name << " " << s.mhz;
        EXPECT_EQ(ours->RigMode, s.ourMode) << r.name << " " << s.mhz;
    }
}

INSTANTIATE_TEST_SUITE_P(Rigs, HamlibReadsTheEmulator, testing::ValuesIn(kRigs),
                         [](const testing::TestParamInfo<HamlibRig>& info) { return std::string(info.param.name); });
