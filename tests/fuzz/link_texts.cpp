// The small texts that set up a device link, on any bytes (the first byte chooses): WK.txt,
// PackSpot.txt, AGWEngine.txt, a serial settings text, the hexadecimal texts of the CAT commands
// and the read strings the poll requests are built from. What is read and written back reads
// the same; hex texts give one byte per pair and round-trip through their own display form; a
// read string the setup accepts always gives a request the poll cycle can send.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "keying/WinKeySettings.h"
#include "platform/SerialLine.h"
#include "rig/CatCommands.h"
#include "rig/CatText.h"
#include "rig/RawCommand.h"
#include "rig/RigTypeTable.h"
#include "spots/SpotSettings.h"
#include "station/WriteForm.h"

namespace {
bool clean(const std::string& text) { return station::CleanText(text) == text; }

void WinKeyFile(const std::string& bytes) {
    keying::WinKeySettings read;
    keying::ParseWinKeySettings(bytes, read);
    const std::string written = keying::FormatWinKeySettings(read);
    keying::WinKeySettings again;
    FUZZ_CHECK(keying::ParseWinKeySettings(written, again));
    FUZZ_CHECK(keying::FormatWinKeySettings(again) == written);
    if (clean(read.txtWKWPM) && clean(read.txtWeight) && clean(read.txtLeadIn) && clean(read.txtTail) &&
        clean(read.txtRatio))
        FUZZ_CHECK(again == read);
}

void PackSpotFile(const std::string& bytes) {
    const spots::PackSpotSettings defaults{"9600", "N", "8", "1", 2, "N", "Telnet", 0, 1, 0, true, "03", "7300", "dx.example.net"};
    const spots::PackSpotRead read = spots::ParsePackSpot(bytes, defaults);
    FUZZ_CHECK(read.items >= 0 && read.items <= 14);
    FUZZ_CHECK(read.values.ConvToHex == 0 || read.values.ConvToHex == 1);
    FUZZ_CHECK(read.values.ListDxOnly == 0 || read.values.ListDxOnly == 1);
    if (read.items == 0) FUZZ_CHECK(read.values == defaults);
    const std::string written = spots::FormatPackSpot(read.values);
    const spots::PackSpotRead again = spots::ParsePackSpot(written, defaults);
    FUZZ_CHECK(again.complete());
    FUZZ_CHECK(spots::FormatPackSpot(again.values) == written);
    const auto& v = read.values;
    if (clean(v.TncBaud) && clean(v.TncParity) && clean(v.TncDataBits) && clean(v.TncStopBits) && clean(v.TncPower) &&
        clean(v.SpotSource) && clean(v.Hex) && clean(v.TelnetPort) && clean(v.TelnetHost))
        FUZZ_CHECK(again.values == read.values);
}

void AgwEngineFile(const std::string& bytes) {
    const spots::AgwEngineAddress a = spots::ParseAgwEngine(bytes);
    FUZZ_CHECK(!a.host.empty());
    FUZZ_CHECK(a.port >= 1 && a.port <= 65535);
    const std::string written = spots::FormatAgwEngine(a);
    const spots::AgwEngineAddress again = spots::ParseAgwEngine(written);
    FUZZ_CHECK(spots::FormatAgwEngine(again) == written);
    if (clean(a.host)) FUZZ_CHECK(again == a);
}

void SerialSettingsText(const std::string& text) {
    const auto s = platform::parseSerialSettings(text);
    if (!s) return;
    FUZZ_CHECK(s->baud >= 50 && s->baud <= 4000000);
    FUZZ_CHECK(s->dataBits >= 5 && s->dataBits <= 8);
    FUZZ_CHECK(s->stopBits == 1 || s->stopBits == 2);
    const std::string written = platform::formatSerialSettings(*s);
    FUZZ_CHECK(platform::parseSerialSettings(written) == s);
}

void HexTexts(const std::string& text) {
    // The operator's spaced form: pairs at 0, 3, 6 ...; a single digit at the end is no pair.
    const auto spaced = rig::SpacedHexToBytes(text);
    if (spaced) {
        FUZZ_CHECK(spaced->size() == (text.size() + 1) / 3);
        FUZZ_CHECK(rig::SpacedHexToBytes(rig::ReplyToSpacedHex(*spaced)) == spaced);
        for (int n = 0; n <= static_cast<int>(spaced->size()); ++n)
            FUZZ_CHECK(rig::SpacedHexPairs(text, n) == spaced->substr(0, static_cast<size_t>(n)));
    }
    // The raw-command window reads the same pairs, and takes a single digit at the end as a byte.
    const rig::HexCommand command = rig::ConvertHexCommand(text);
    FUZZ_CHECK(command.ok == command.badPair.empty());
    FUZZ_CHECK(command.ok || command.bytes.empty());
    if (text.size() % 3 != 1) {
        FUZZ_CHECK(command.ok == spaced.has_value());
        if (spaced) FUZZ_CHECK(command.bytes == *spaced);
    } else if (command.ok) {
        FUZZ_CHECK(spaced && command.bytes.compare(0, spaced->size(), *spaced) == 0);
        FUZZ_CHECK(command.bytes.size() == spaced->size() + 1);
        FUZZ_CHECK(static_cast<unsigned char>(command.bytes.back()) < 16);
    }
    // The packed form, two characters a byte.
    if (const auto packed = rig::HexPairsToBytes(text)) {
        FUZZ_CHECK(packed->size() == text.size() / 2);
        const std::string digits = rig::ReplyToHex(*packed);
        FUZZ_CHECK(rig::HexPairsToBytes(digits) == packed);
        for (size_t i = 0; i < digits.size(); ++i)
            FUZZ_CHECK(digits[i] == std::toupper(static_cast<unsigned char>(text[i])));
    }
}

void PollRequests(FuzzedDataProvider& in) {
    const auto& table = rig::RigTypeTable();
    const auto& row = table[in.ConsumeIntegralInRange<size_t>(0, table.size() - 1)];
    rig::ReadStrings s;
    s.convertToHex = in.ConsumeBool();
    // Mostly the row's own strings with a change, sometimes anything.
    s.freq = in.ConsumeBool() ? std::string(row.freqReadString) : in.ConsumeRandomLengthString(24);
    s.mode = in.ConsumeBool() ? std::string(row.modeReadString) : in.ConsumeRandomLengthString(24);
    if (in.ConsumeBool() && !s.freq.empty())
        s.freq[in.ConsumeIntegralInRange<size_t>(0, s.freq.size() - 1)] = in.ConsumeIntegral<char>();
    const bool accepted = !rig::BadReadString(row.kind, s).has_value();
    for (bool frequencyTurn : {true, false}) {
        const rig::PollRequest r = rig::BuildPollRequest(row.kind, s, frequencyTurn);
        if (!r.valid) FUZZ_CHECK(r.bytes.empty());
        // What Test accepts, the poll cycle can send: a refused request would poll nothing for good.
        if (accepted) FUZZ_CHECK(r.valid);
        FUZZ_CHECK(r.bytes.size() <= s.freq.size() + s.mode.size() + 2);
        if (rig::IsKenwoodText(row.kind)) FUZZ_CHECK(r.bytes == s.freq + s.mode);
        if (rig::IsCiv(row.kind)) FUZZ_CHECK(r.bytes.empty() || r.bytes.size() == 6);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 6) {
        case 0: WinKeyFile(bytes); break;
        case 1: PackSpotFile(bytes); break;
        case 2: AgwEngineFile(bytes); break;
        case 3: SerialSettingsText(bytes); break;
        case 4: HexTexts(bytes); break;
        default: {
            FuzzedDataProvider in(data + 1, size - 1);
            PollRequests(in);
            break;
        }
    }
    return 0;
}
