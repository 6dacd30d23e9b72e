// The CAT reply decoders on any bytes a radio (or a noisy line) may send: the first byte picks
// the rig type and the request turn, the rest is the reply. Nothing is read outside the reply,
// every reading is a frequency a radio can hold and a mode the logging window knows, and the
// bytes a CI-V reply keeps for the next read are an unfinished frame at its end.
#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "rig/CatDecoders.h"
#include "rig/RigTypeTable.h"

using namespace rig;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const auto& table = RigTypeTable();
    const RigTypeRow& row = table[data[0] % table.size()];
    const bool frequencyTurn = (data[0] / table.size()) % 2 == 0;
    const std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);

    const Decoded d = DecodeReply(row.kind, reply, frequencyTurn, row.freqReadString, row.modeReadString);
    if (d.frequency) {
        FUZZ_CHECK(std::isfinite(*d.frequency));
        FUZZ_CHECK(*d.frequency >= 0 && *d.frequency <= 100000.0);  // 11 digits of Hz at most
        // Readings are kept to 10 Hz.
        FUZZ_CHECK(std::fabs(*d.frequency * 1e5 - std::round(*d.frequency * 1e5)) < 1e-3);
    }
    if (d.mode) FUZZ_CHECK(*d.mode == "CW" || *d.mode == "PH" || *d.mode == "AM" || *d.mode == "FM");
    if (d.vfo) FUZZ_CHECK(*d.vfo >= 0 && *d.vfo <= 9);

    const size_t complete = CivCompleteLength(reply);
    FUZZ_CHECK(complete <= reply.size());
    const std::string tail = CivIncompleteTail(reply);
    FUZZ_CHECK(tail.size() <= reply.size() - complete);
    FUZZ_CHECK(reply.compare(reply.size() - tail.size(), tail.size(), tail) == 0);
    FUZZ_CHECK(tail.empty() || static_cast<unsigned char>(tail[0]) == 0xFE);
    // What stays unfinished adds nothing: only complete frames are read.
    FUZZ_CHECK(DecodeCivFrequency(reply) == DecodeCivFrequency(reply.substr(0, complete)));
    FUZZ_CHECK(DecodeCivMode(reply) == DecodeCivMode(reply.substr(0, complete)));
    return 0;
}
