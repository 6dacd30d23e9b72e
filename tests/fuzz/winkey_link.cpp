// The WinKey link on any bytes from the keyer, in any order with what the program does: opening,
// closing, text, commands, time passing, a port that refuses to open, the keyer's adapter pulled
// and plugged in again. Status, speed-pot and echo
// bytes arrive wherever the input puts them, answers to the echo test and host open among them.
// What goes to the keyer is always a well-formed command stream: text and commands only between
// host open and host close, text only as printable capitals. The status the link reports is the
// keyer's last status byte (plus busy for text not yet reported on); an opening reports once,
// and never after it was abandoned; a closed or lost link reports nothing, holds no timer and no
// port.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "keying/WinKeyLink.h"
#include "keying/WinKeyProtocol.h"
#include "support/FakeDevices.h"
#include "support/Fakes.h"

using namespace keying;

namespace {
constexpr int kPort = 3;

// Walks what the host wrote. Commands and text may go out only while the host has the keyer
// open (after 00 02, before 00 03); before that only the resync and admin commands.
void CheckHostStream(const std::string& w) {
    bool hostOpen = false;
    size_t i = 0;
    auto arg = [&](size_t n) {
        FUZZ_CHECK(i + n <= w.size());  // no command is cut short
        i += n;
    };
    while (i < w.size()) {
        const auto b = static_cast<uint8_t>(w[i++]);
        if (b == 0x00) {
            arg(1);
            const auto admin = static_cast<uint8_t>(w[i - 1]);
            if (admin == 0x04) {
                arg(1);  // echo test and its probe
            } else if (admin == 0x02) {
                hostOpen = true;
            } else {
                FUZZ_CHECK(admin == 0x03 && hostOpen);
                hostOpen = false;
            }
            continue;
        }
        if (b == 0x13) continue;  // resync
        FUZZ_CHECK(hostOpen);
        switch (b) {
            case 0x02: case 0x03: case 0x09: case 0x0E: case 0x17: arg(1); break;
            case 0x04: arg(2); break;
            case 0x08: case 0x0A: case 0x15: break;
            default:
                // Text: printable, letters in capitals.
                FUZZ_CHECK(b >= 0x20 && b <= 0x7E);
                FUZZ_CHECK(!(b >= 'a' && b <= 'z'));
        }
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fakes::FakeClock clock;
    fakes::FakeScheduler scheduler(clock);
    fakes::FakeSerialPorts ports(clock);
    fakes::FakeSerialDevice& keyer = ports.device(kPort);
    const bool closeOnStatus = in.ConsumeBool();  // as a window that gives up on a stuck keyer
    const bool closeOnFailure = in.ConsumeBool();

    const WinKeyLink::Timing timing{in.ConsumeIntegralInRange<int>(1, 1500), in.ConsumeIntegralInRange<int>(1, 1500)};
    WinKeyLink link(ports, scheduler, timing);
    int openings = 0;         // open() calls that will report later
    int abandoned = 0;        // of those, given up by close() before reporting
    int reports = 0;
    int lastBits = 0;         // the keyer's last status byte since the link opened
    bool bitsKnown = true;    // false after a chunk that opened the link and went on
    bool textSent = false;    // text went out and the keyer has not said it is busy with it
    int64_t textAt = 0;       // when the last text went out (the link asks for a status later)
    bool unplugged = false;   // the device has gone and the link has not heard yet
    link.setStatusHandler([&] {
        FUZZ_CHECK(link.isOpen());
        if (closeOnStatus && (link.status() & winkey::kXoff)) link.close();
    });

    auto checkClosed = [&] {
        FUZZ_CHECK(link.status() == 0);
        FUZZ_CHECK(!link.isOpen() && !link.opening());
        FUZZ_CHECK(!keyer.open);
        FUZZ_CHECK(scheduler.activeTimers() == 0);
        FUZZ_CHECK(!link.sendChar('E'));
    };
    auto onDone = [&](int result, uint8_t version) {
        ++reports;
        FUZZ_CHECK(reports <= openings - abandoned);
        FUZZ_CHECK(result == WinKeyLink::kOpened || result == WinKeyLink::kNoEcho ||
                   result == WinKeyLink::kEchoMismatch || result == WinKeyLink::kNoOpenResponse ||
                   result == WinKeyLink::kComOpenFailed);  // the device went away meanwhile
        if (result == WinKeyLink::kOpened) {
            FUZZ_CHECK(link.isOpen() && keyer.open);
            FUZZ_CHECK(version != 0 && version == link.version());
            lastBits = 0;
            bitsKnown = true;
            textSent = false;
        } else {
            FUZZ_CHECK(version == 0);
            checkClosed();
        }
        if (result != WinKeyLink::kOpened && closeOnFailure) link.close();
    };

    // What the open() under way found; the report handler outlives the call, so these do too.
    bool busy = false, immediate = false, insideOpen = false;
    link.setLostHandler([&] {
        // Only an open link hears of it; the loss ends it as close() would, without the goodbye.
        FUZZ_CHECK(!link.errorText().empty());
        checkClosed();
    });
    while (in.remaining_bytes() > 0) {
        const bool wasOpening = link.opening();
        switch (in.ConsumeIntegralInRange<int>(0, 13)) {
            case 0: {
                keyer.failOpen = in.ConsumeIntegralInRange<int>(0, 7) == 0;
                busy = link.isOpen() || link.opening();
                immediate = false;
                const int before = reports;
                ++openings;
                insideOpen = true;
                link.open(kPort, [&](int result, uint8_t version) {
                    if (insideOpen) {
                        FUZZ_CHECK(result == WinKeyLink::kAlreadyOpen || result == WinKeyLink::kComOpenFailed);
                        immediate = true;
                        FUZZ_CHECK(version == (result == WinKeyLink::kAlreadyOpen ? link.version() : 0));
                        FUZZ_CHECK(result != WinKeyLink::kAlreadyOpen || busy);
                        return;
                    }
                    onDone(result, version);
                });
                insideOpen = false;
                // Only "already open" and a port that will not open are reported from inside open().
                FUZZ_CHECK(reports == before);
                if (immediate) {
                    --openings;
                    if (!busy) checkClosed();
                } else {
                    FUZZ_CHECK(link.opening());
                }
                break;
            }
            case 1:
                if (wasOpening) ++abandoned;
                link.close();
                checkClosed();
                break;
            case 2: {
                // The keyer says something: any bytes, in one read or one at a time.
                const std::string bytes = in.ConsumeRandomLengthString(8);
                const bool oneByOne = in.ConsumeBool();
                for (size_t k = 0; k < bytes.size(); k += oneByOne ? 1 : bytes.size()) {
                    const std::string piece = oneByOne ? bytes.substr(k, 1) : bytes;
                    const bool wasOpen = link.isOpen();
                    const bool heard = keyer.open;  // a pulled device delivers nothing
                    keyer.receive(piece);
                    if (!link.isOpen() || !heard) continue;
                    if (!wasOpen) {
                        // Opened by this read: what followed the version byte is not known here.
                        bitsKnown = piece.size() == 1;
                        continue;
                    }
                    for (char c : piece) {
                        const auto b = static_cast<uint8_t>(c);
                        if (winkey::Classify(b) != winkey::ByteKind::Status) continue;
                        lastBits = winkey::StatusBits(b);
                        bitsKnown = true;
                        if (lastBits & winkey::kBusy) textSent = false;
                    }
                }
                break;
            }
            case 3: {
                // The keyer answers what was asked last, as a working keyer does.
                const std::string& w = keyer.written;
                if (w.size() >= 3 && w.compare(w.size() - 3, 2, std::string("\0\x04", 2)) == 0)
                    keyer.receive(w.substr(w.size() - 1));
                else if (w.size() >= 2 && w.compare(w.size() - 2, 2, std::string("\0\x02", 2)) == 0)
                    keyer.receive(std::string(1, static_cast<char>(in.ConsumeIntegralInRange<int>(1, 40))));
                break;
            }
            case 4: {
                const int code = in.ConsumeIntegralInRange<int>(-1, 300);
                const bool sent = link.sendChar(code);
                FUZZ_CHECK(!sent || link.isOpen());
                if (sent) {
                    textSent = true;
                    textAt = clock.monotonic;
                    FUZZ_CHECK(link.status() & winkey::kBusy);  // text on its way is never idle
                }
                break;
            }
            case 5:
                link.clearBuffer();
                textSent = false;
                break;
            case 6: link.backspace(); break;
            case 7: link.requestStatus(); break;
            case 8: {
                const uint8_t a = in.ConsumeIntegral<uint8_t>(), b = in.ConsumeIntegral<uint8_t>();
                switch (in.ConsumeIntegralInRange<int>(0, 5)) {
                    case 0: link.setSpeed(a); break;
                    case 1: link.setWeight(a); break;
                    case 2: link.setLeadTail(a, b); break;
                    case 3: link.setRatio(a); break;
                    case 4: link.setPinConfig(a); break;
                    default: link.setMode(a); break;
                }
                break;
            }
            case 9: scheduler.advance(in.ConsumeIntegralInRange<int>(0, 2000)); break;
            case 10: scheduler.fireNext(); break;
            case 11:
                // The adapter is pulled; the link hears of it when the event loop runs.
                if (keyer.open) unplugged = true;
                keyer.unplug();
                break;
            case 12:
                ports.deliver();
                unplugged = false;
                break;
            default: keyer.plugIn(); break;
        }
        // Text the keyer has not reported on is asked about after a while, and then counts as
        // reported: the status that answers says.
        if (textSent && clock.monotonic >= textAt + timing.busyReportMs) textSent = false;
        if (wasOpening && !link.opening() && !link.isOpen()) checkClosed();
        if (link.isOpen()) {
            FUZZ_CHECK(keyer.open || unplugged);
            const int s = link.status();
            FUZZ_CHECK((s & ~0x1F) == 0);
            if (bitsKnown) {
                FUZZ_CHECK((s & ~winkey::kBusy) == (lastBits & ~winkey::kBusy));  // speed pot and echo change nothing
                if (lastBits & winkey::kBusy) FUZZ_CHECK(s & winkey::kBusy);
            }
            if (textSent) FUZZ_CHECK(s & winkey::kBusy);
        } else if (!link.opening()) {
            checkClosed();
        }
    }
    link.close();
    checkClosed();
    CheckHostStream(keyer.written);
    return 0;
}
