// The poll cycle of every rig type against a rig that answers what it is asked (the tests' rig
// emulator), its answers cut into pieces that arrive wherever the input puts them between the
// ticks, as a serial line delivers them: early, in bits, late, but each answer whole soon after
// its request (a rig that stalls longer in mid-answer is a broken line, below).
// Between them the rig may change its frequency, the operator may tune or restart polling, and
// the line may carry noise or lose bytes, and the adapter may be pulled and plugged in again.
// On a clean line every reading shown is a frequency the rig really had; after any of it, a few
// cycles on a quiet line read the rig's frequency and mode again (after a Test, once a pulled
// adapter is back); nothing kept grows without bound, and End Test and a lost device leave no
// port, timer or byte behind, a lost one no reading either. A rig type without an emulator
// (Other) gets any bytes, and only the bounds are checked.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <set>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzSession.h"
#include "rig/CatText.h"
#include "rig/RigControl.h"
#include "rig/RigTypeTable.h"
#include "support/RigEmulator.h"

using namespace rig;

namespace {
// The emulator family that answers a rig type; empty for a type it does not speak.
std::string FamilyOf(RigKind kind) {
    switch (kind) {
        case RigKind::Kenwood: case RigKind::Kenwood2: case RigKind::Elecraft: return "kenwood";
        case RigKind::Ftdx9000: return "ftdx9000";
        case RigKind::Icom: case RigKind::OmniVI: return "civ";
        case RigKind::Icom735: return "civ4";
        case RigKind::Yaesu: return "yaesu";
        case RigKind::Yaesu757: return "yaesu757";
        case RigKind::Yaesu890: return "yaesu890";
        case RigKind::Yaesu920: return "yaesu920";
        case RigKind::Yaesu990: return "yaesu990";
        case RigKind::Yaesu1000D: return "yaesu1000d";
        case RigKind::Yaesu1000: return "yaesu1000";
        case RigKind::TenTecFrontPanel: return "tentec";
        case RigKind::Orion: return "orion";
        default: return {};
    }
}

// Whether the rig type's answers carry the mode.
bool ReadsMode(RigKind kind) { return kind != RigKind::Yaesu890 && kind != RigKind::Yaesu1000; }

const char* const kModes[] = {"CW", "USB", "LSB"};

// A rig's answer is in whole this long after the request at the latest (a 75-byte status block
// at 4800 baud takes 160 ms), and never after the second tick from it.
constexpr int kLatestMs = 400;

uint64_t HzFrom(FuzzedDataProvider& in) {
    // 1.8 to 54 MHz in 10 Hz steps: every rig type's answer carries such a frequency exactly.
    return 1800000 + 10 * in.ConsumeIntegralInRange<uint64_t>(0, 5220000);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    FuzzedDataProvider in(data, size);
    TestSession& ts = FuzzSession();
    const auto& table = RigTypeTable();
    const RigTypeRow& row = table[in.ConsumeIntegralInRange<size_t>(0, table.size() - 1)];
    if (row.kind == RigKind::None || row.kind == RigKind::Pegasus) return 0;
    const std::string family = FamilyOf(row.kind);

    // A fresh port and rig control for each input; the session's own stays idle.
    ts->profile.RigType = row.name;
    RigControl rig(*ts);
    rig.LoadRigSettings();  // no RigCntrl.txt: the rig list's row
    auto& settings = rig.Settings();
    settings.modeBy = in.ConsumeBool() ? ModeBy::Rig : static_cast<ModeBy>(in.ConsumeIntegralInRange<int>(1, 3));
    settings.PollRate = std::string(1, "FMSR"[in.ConsumeIntegralInRange<int>(0, 3)]);
    settings.ConvertFromHex = in.ConsumeBool();
    const int tickMs = *PollIntervalMs(settings.PollRate);
    fakes::FakeSerialDevice& port = ts.fakes.serial.device(settings.RigPort);
    port = fakes::FakeSerialDevice{};
    ts.fakes.dialogs.messages.clear();  // "Invalid Comm Settings." of an earlier input

    fakes::RigEmulator::Options options;
    options.family = family.empty() ? "kenwood" : family;
    if (IsCiv(row.kind))  // the rig's address: the third pair of its read string
        options.civAddress = static_cast<unsigned char>(HexPairsToBytes(std::string(row.freqReadString).substr(6, 2))->at(0));
    options.echo = in.ConsumeBool();
    fakes::RigEmulator emulator(options);
    std::set<uint64_t> held;  // every frequency the rig has had
    emulator.setFrequencyHz(HzFrom(in));
    emulator.setMode(kModes[in.ConsumeIntegralInRange<int>(0, 2)]);
    held.insert(emulator.frequencyHz());

    // What the rig has sent and the line has not yet delivered, each answer with the moment by
    // which it has arrived whole.
    struct Pending {
        std::string bytes;
        int64_t due;
    };
    std::deque<Pending> outbox;
    auto now = [&] { return ts.fakes.clock.monotonic; };
    port.onWrite = [&](const std::string& bytes) {
        if (family.empty()) return;
        const std::string answer = emulator.receive(bytes);
        if (!answer.empty()) outbox.push_back({answer, now() + std::min(2 * tickMs, kLatestMs) - 1});
        // A frequency the operator tuned to is one the rig has had from now on.
        for (const std::string& c : emulator.changes)
            if (c.rfind("freq ", 0) == 0) held.insert(std::strtoull(c.c_str() + 5, nullptr, 10));
        emulator.changes.clear();
    };
    // The line hands over the next n bytes (all when n is 0).
    auto deliver = [&](size_t n) {
        std::string piece;
        while (!outbox.empty() && (n == 0 || piece.size() < n)) {
            Pending& p = outbox.front();
            const size_t take = n == 0 ? p.bytes.size() : std::min(p.bytes.size(), n - piece.size());
            piece += p.bytes.substr(0, take);
            p.bytes.erase(0, take);
            if (p.bytes.empty()) outbox.pop_front();
        }
        if (!piece.empty()) port.receive(piece);
    };
    // Time passes; what is due arrives in time.
    auto advance = [&](int64_t ms) {
        const int64_t target = now() + ms;
        while (!outbox.empty() && outbox.front().due <= target) {
            if (outbox.front().due > now()) ts.fakes.scheduler.advance(outbox.front().due - now());
            const std::string bytes = std::move(outbox.front().bytes);
            outbox.pop_front();
            port.receive(bytes);
        }
        ts.fakes.scheduler.advance(target - now());
    };
    bool noisy = family.empty();
    rig.events.shown = [&](const RigDisplay& d) {
        if (!d.frequencyText) return;
        const double mhz = std::strtod(d.frequencyText->c_str(), nullptr);
        FUZZ_CHECK(mhz > 0 && mhz <= 100000);
        if (noisy) return;
        const auto hz = static_cast<uint64_t>(std::llround(mhz * 1e6));
        FUZZ_CHECK(held.count(hz) == 1);  // a clean line shows only what the rig had
    };

    auto checkBounds = [&] {
        // Bytes kept of answers not read whole: a CI-V frame still arriving, a cut status block.
        FUZZ_CHECK(rig.BufferedBytes() <= 256 * 16 + 256);
        const double f = rig.Reading().RigFrequency;
        FUZZ_CHECK(std::isfinite(f) && f >= 0 && f <= 100000);
        FUZZ_CHECK(std::fabs(f * 1e5 - std::round(f * 1e5)) < 1e-3);
        const std::string& m = rig.Reading().RigMode;
        FUZZ_CHECK(m.empty() || m == "CW" || m == "PH" || m == "AM" || m == "FM");
    };
    auto checkEnded = [&] {
        FUZZ_CHECK(!rig.Polling() && !rig.PortOpen() && !port.open);
        FUZZ_CHECK(rig.BufferedBytes() == 0 && !rig.CommandInProgress());
        FUZZ_CHECK(ts.fakes.scheduler.activeTimers() == 0);
    };
    // A quiet line for a few cycles, every answer delivered at once: the rig is read again.
    auto settle = [&] {
        ts.fakes.serial.deliver();  // time passes: the event loop tells of a pulled adapter
        if (family.empty() || !rig.Polling()) return;
        port.outputQueue = 0;
        // A frequency command under way finishes first; polling then goes on.
        while (rig.CommandInProgress()) {
            deliver(0);
            ts.fakes.scheduler.advance(10);
        }
        for (int tick = 0; tick < 12; ++tick) {
            deliver(0);
            ts.fakes.scheduler.advance(tickMs);
        }
        deliver(0);
        FUZZ_CHECK(std::llround(rig.Reading().RigFrequency * 1e6) == static_cast<long long>(emulator.frequencyHz()));
        if (settings.modeBy == ModeBy::Rig && ReadsMode(row.kind)) {
            const bool cw = emulator.mode() == "CW";
            FUZZ_CHECK(rig.Reading().RigMode == (cw ? "CW" : "PH"));
        }
    };

    rig.events.portLost = [&](const std::string& why) {
        FUZZ_CHECK(!why.empty());
        checkEnded();
        FUZZ_CHECK(rig.Reading().RigFrequency == 0);  // no reading of a radio no longer heard
    };
    // Test polls when the device is there and says the port failed when it is not.
    auto test = [&] { FUZZ_CHECK(rig.Test() == (port.present ? TestResult::Polling : TestResult::PortFailed)); };

    test();
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, 13)) {
            case 0: case 1:
                // The next piece of the rig's answers arrives.
                deliver(in.ConsumeIntegralInRange<size_t>(1, 40));
                break;
            case 2: advance(tickMs); break;
            case 3: advance(in.ConsumeIntegralInRange<int>(0, tickMs)); break;
            case 4: {
                // Noise on the line, or a piece of an answer lost.
                noisy = true;
                if (in.ConsumeBool()) {
                    port.receive(in.ConsumeRandomLengthString(24));
                } else if (!outbox.empty()) {
                    std::string& next = outbox.front().bytes;
                    next.erase(0, in.ConsumeIntegralInRange<size_t>(1, next.size()));
                    if (next.empty()) outbox.pop_front();
                }
                break;
            }
            case 5:
                emulator.setFrequencyHz(HzFrom(in));
                held.insert(emulator.frequencyHz());
                break;
            case 6: emulator.setMode(kModes[in.ConsumeIntegralInRange<int>(0, 2)]); break;
            case 7: {
                // The operator tunes; the rig takes the frequency its command carries.
                rig.ChangeFrequency(static_cast<double>(HzFrom(in)) / 1e6);
                break;
            }
            case 8:
                rig.EndTest();
                checkEnded();
                outbox.clear();  // what the rig sent meanwhile is lost with the closed port
                test();
                break;
            case 9: settle(); break;
            case 10:
                // Output that does not drain (flow control held) and drains again.
                port.outputQueue = port.outputQueue ? 0 : in.ConsumeIntegralInRange<int>(1, 64);
                break;
            case 11:
                settings.modeBy = ModeBy::Rig;
                rig.ModeByChanged();
                break;
            case 12: port.unplug(); break;  // the adapter is pulled
            default:
                // The event loop tells of the loss; the adapter may be back afterwards.
                ts.fakes.serial.deliver();
                if (in.ConsumeBool()) port.plugIn();
                break;
        }
        checkBounds();
    }
    // Whatever happened, with the device there a Test reads the rig again.
    ts.fakes.serial.deliver();
    if (!port.present || !rig.Polling()) {
        port.plugIn();
        rig.EndTest();
        outbox.clear();
        test();
    }
    settle();
    rig.EndTest();
    checkEnded();
    return 0;
}
