// The AGW packet engine's byte stream on any bytes, cut into pieces the input chooses: the
// reader never gives a frame over the cap or holds more than one frame's worth, every frame it
// gives encodes back to bytes that decode to the same frame, and what the window decides about
// a frame (shown, to the receiver, a connection notice) and about a typed command keeps its
// promises.
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
    const std::string typed = in.ConsumeRemainingBytesAsString();
    const AgwSendPlan plan = PlanAgwSend(typed, station);
    for (const auto& f : plan.frames) {
        FUZZ_CHECK(f.kind == 'D' || f.kind == 'd' || f.kind == 'c' || f.kind == 'P');
        if (f.kind == 'D') FUZZ_CHECK(!station.empty() && f.toCall == station);
    }
    FUZZ_CHECK(!(plan.message && !plan.frames.empty()));
    return 0;
}
