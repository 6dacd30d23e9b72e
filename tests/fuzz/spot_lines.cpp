// Received spot-source text on any bytes: the telnet negotiation filter, the receive buffer, the
// spot-line columns, the repeat filter, the spot store and both maps' passes. The input chooses
// where the text is cut into pieces; whatever the cuts, the receiver shows and posts exactly what
// it does for the text in one piece, with a line end wherever a piece beginning a spot line
// ended the text that waited before it, and the telnet filter gives what it gives for the
// whole. Lines stay bounded and end in CR LF; a spot is stored only with a usable frequency, and
// a refused spot leaves the store as it was; every label a pass places stands on its line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "spots/BandMap.h"
#include "spots/DxSpotLine.h"
#include "spots/ReceiveBuffer.h"
#include "spots/SpectrumScales.h"
#include "spots/SpotHistory.h"
#include "spots/SpotList.h"
#include "spots/SpotReceiver.h"
#include "spots/TelnetFilter.h"

using namespace spots;

namespace {
struct Posted {
    std::string call, frequency, record;
    bool operator==(const Posted&) const = default;
};

struct Run {
    std::vector<Posted> posted;
    std::string shown;
    SpotReceiver receiver{[this](const std::string& c, const std::string& f, const std::string& r) {
        posted.push_back({c, f, r});
    }};
    void take(std::string_view piece) {
        const auto r = receiver.Receive(piece);
        shown += r.shown;
        FUZZ_CHECK(receiver.buffer().partial().size() < ReceiveBuffer::kMaxLineLength);
    }
};

void CheckShown(const std::string& shown) {
    size_t start = 0;
    while (start < shown.size()) {
        const size_t end = shown.find("\r\n", start);
        FUZZ_CHECK(end != std::string::npos);  // every line shown is ended
        const std::string_view line(shown.data() + start, end - start);
        FUZZ_CHECK(line.find('\r') == std::string_view::npos && line.find('\n') == std::string_view::npos);
        FUZZ_CHECK(line.find('\0') == std::string_view::npos);
        FUZZ_CHECK(line.size() <= ReceiveBuffer::kMaxLineLength);
        start = end + 2;
    }
}

void Store(SpotHistory& h, const Posted& p, int64_t now) {
    const SpotHistory before = h;
    const auto mhz = StoreSpot(h, p.call, p.frequency, {now, {}, true});
    if (!mhz) {
        FUZZ_CHECK(h.SpotCalls == before.SpotCalls && h.SpotFreqs == before.SpotFreqs);
        return;
    }
    FUZZ_CHECK(*mhz >= 0.001 && *mhz < 1e6);
    FUZZ_CHECK(h.SpotFreqs[49] > 0 && h.SpotCalls[49] == p.call);
    FUZZ_CHECK(h.SpotPrefixes[49].size() <= p.call.size());
    const auto row = SpotListRowFor(p.call, *mhz, p.record, "");
    FUZZ_CHECK(RowFrequency(row[ColFrequency]).has_value());
}

void CheckPasses(const SpotHistory& h, int64_t now) {
    const BandMapGeometry g{1000, 9000, 5000, 600, 255, 7200};
    for (const char* band : {"160", "40", "20", "10", "2"}) {
        const auto labels = BandMapPass(h, SetBandMapScale(h, band), g, now, 4.5f);
        for (const auto& l : labels) {
            FUZZ_CHECK(std::isfinite(l.left));
            FUZZ_CHECK(l.left >= g.x1 - g.labelWidth / 2 - 1e-6 && l.left <= g.x2 - g.labelWidth / 2 + 1e-6);
        }
    }
    const auto layout = LayoutSpectrumMap({0, 0, 15360, 11520}, {0, 0, 15360, 10920});
    const auto scales = SetSpectrumScales(h, layout);
    for (const auto& l : SpectrumPass(h, scales, layout, now, -3.0f)) FUZZ_CHECK(std::isfinite(l.left));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool dxOnly = input.ConsumeBool();
    const std::string cuts = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<size_t>(0, 32));
    const std::string text = input.ConsumeRemainingBytesAsString();

    Run pieces;
    pieces.receiver.listDxOnly = dxOnly;
    TelnetFilter telnetWhole, telnetPieces;
    const std::string strippedWhole = telnetWhole.Strip(text);
    FUZZ_CHECK(strippedWhole.size() <= text.size());
    std::string strippedPieces;
    std::string joined;  // the text with the line ends the cuts made
    size_t at = 0, k = 0;
    while (at < text.size()) {
        const size_t n = cuts.empty() ? text.size() : 1 + static_cast<unsigned char>(cuts[k++ % cuts.size()]) % 97;
        const std::string_view piece = std::string_view(text).substr(at, n);
        strippedPieces += telnetPieces.Strip(piece);
        if (pieces.receiver.buffer().waiting() && BeginsSpotLine(piece)) joined += '\n';
        joined += piece;
        pieces.take(piece);
        at += n;
    }
    FUZZ_CHECK(strippedPieces == strippedWhole);

    Run whole;
    whole.receiver.listDxOnly = dxOnly;
    whole.take(joined);
    FUZZ_CHECK(pieces.shown == whole.shown);
    FUZZ_CHECK(pieces.posted == whole.posted);
    CheckShown(whole.shown);

    SpotHistory h;
    int64_t now = 0;
    for (const auto& p : whole.posted) {
        FUZZ_CHECK(p.record.empty() || (p.record.front() != ' ' && p.record.back() != ' '));
        Store(h, p, now);
        now += 7000;
    }
    CheckPasses(h, now);
    return 0;
}
