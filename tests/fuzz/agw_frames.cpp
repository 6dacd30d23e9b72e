// The AGW packet engine's byte stream on any bytes, cut into pieces the input chooses, and a line
// typed in the send box (its own part of the input, taken first): the reader never gives a frame
// over the cap or holds more than one frame's worth, every frame it gives encodes back to bytes
// that decode to the same frame, and what the window decides about a frame (shown, to the
// receiver, a connection notice) and about a typed command keeps its promises.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "spots/AgwFrame.h"
#include "spots/AgwTraffic.h"

using namespace spots;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string station = in.ConsumeBool() ? "W1XYZ" : "";
    const bool dxOnly = in.ConsumeBool();
    const std::string typed = in.ConsumeRandomLengthString(200);
    AgwFrameReader reader;
    size_t fed = 0;
    while (in.remaining_bytes() > 0) {
        const std::string piece = in.ConsumeRandomLengthString(600);
        if (piece.empty() && in.remaining_bytes() == 0) break;
        reader.feed(piece);
        fed += piece.size();
        // What is held is at most one frame not yet whole: a header and the cap's worth of data.
        FUZZ_CHECK(reader.buffered() < kAgwHeaderSize + kAgwMaxData + 600);
        while (auto frame = reader.next()) {
            FUZZ_CHECK(frame->data.size() <= kAgwMaxData);
            FUZZ_CHECK(frame->callFrom.size() <= kAgwCallSize && frame->callTo.size() <= kAgwCallSize);
            const std::string again = EncodeAgwFrame(*frame);
            const AgwDecoded d = DecodeAgwFrame(again);
            FUZZ_CHECK(d.status == AgwDecoded::Status::Frame);
            FUZZ_CHECK(d.consumed == again.size());
            FUZZ_CHECK(d.frame == *frame);

            const AgwFrameOutcome out = DecideAgwFrame({{frame->kind, frame->callFrom, frame->data}, station, dxOnly});
            if (out.toReceiver) {
                FUZZ_CHECK(out.toReceiver->size() >= 2);
                FUZZ_CHECK(out.toReceiver->back() == '\n');
            }
            // With "List DX Only" nothing but spot frames is shown.
            if (dxOnly) FUZZ_CHECK(!out.show);
            if (out.connectedStation) FUZZ_CHECK(frame->kind == 'c' || frame->kind == 'd');
        }
        if (reader.corrupt()) {
            FUZZ_CHECK(reader.buffered() == 0);
            break;
        }
    }
    (void)fed;
    const AgwSendPlan plan = PlanAgwSend(typed, station);
    for (size_t i = 0; i < plan.frames.size(); ++i) {
        const auto& f = plan.frames[i];
        FUZZ_CHECK(f.kind == 'D' || f.kind == 'd' || f.kind == 'c' || f.kind == 'P');
        // Text and the disconnect go to the connected station only.
        if (f.kind == 'D' || f.kind == 'd') FUZZ_CHECK(!station.empty() && f.toCall == station);
        // A connect names a call in capitals, and the login follows it for the same call.
        if (f.kind == 'c') {
            FUZZ_CHECK(!f.toCall.empty());
            for (char c : f.toCall) FUZZ_CHECK(!(c >= 'a' && c <= 'z'));
            FUZZ_CHECK(i + 1 < plan.frames.size() && plan.frames[i + 1].kind == 'P' &&
                       plan.frames[i + 1].toCall == f.toCall);
        }
    }
    FUZZ_CHECK(!(plan.message && !plan.frames.empty()));
    // A line that is no command is sent as it was typed, with the line end the station expects.
    if (typed.empty() || typed[0] != ':') {
        FUZZ_CHECK(!plan.message);
        if (station.empty()) FUZZ_CHECK(plan.frames.empty());
        else FUZZ_CHECK(plan.frames.size() == 1 && plan.frames[0].data == typed + "\r");
    }
    return 0;
}
