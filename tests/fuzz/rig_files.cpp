// The rig's files on any bytes: RigCntrl.txt, BandPlan.txt and PEGASUS.OUT (the first byte
// chooses). Each read stops cleanly; RigCntrl.txt written from what was read reads back to the
// same file; the band plan keeps its capacity and its mode lookup gives only modes a radio can
// be set to.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "rig/BandPlan.h"
#include "rig/CatDecoders.h"
#include "rig/RigSettings.h"

using namespace rig;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 3) {
        case 0: {
            RigSettings first = DesignSettings();
            const RigCntrlRead read = ReadRigCntrl(bytes, first);
            FUZZ_CHECK(read.itemsRead >= 0 && read.itemsRead <= 14);
            const std::string written = WriteRigCntrl(first, read.rigType.value_or("None"));
            RigSettings second = DesignSettings();
            const RigCntrlRead again = ReadRigCntrl(written, second);
            FUZZ_CHECK(again.itemsRead == 14);
            FUZZ_CHECK(WriteRigCntrl(second, again.rigType.value_or("None")) == written);
            FUZZ_CHECK(second.BaudText.size() <= 5);
            break;
        }
        case 1: {
            const BandPlanFile plan = ReadBandPlan(bytes);
            FUZZ_CHECK(plan.rows.size() <= kBandPlanCapacity);
            const auto extra = ExtraRows(bytes);
            FUZZ_CHECK(extra.size() <= kBandPlanCapacity);
            for (const auto& row : extra) {
                FUZZ_CHECK(row.ClassLetter == "E");
                const double mid = (row.LowMhz + row.HighMhz) / 2;
                const std::string mode = BandPlanMode(extra, mid);
                // Phone becomes a sideband; 160 m never sets a mode.
                FUZZ_CHECK(mode != "PH");
                if (row.BandName == "160" && mode.size()) FUZZ_CHECK(BandPlanMode({row}, mid).empty());
            }
            break;
        }
        default: {
            const Decoded d = ReadPegasusFile(bytes);
            if (d.mode) FUZZ_CHECK(d.mode->empty() || *d.mode == "CW" || *d.mode == "PH");
            break;
        }
    }
    return 0;
}
