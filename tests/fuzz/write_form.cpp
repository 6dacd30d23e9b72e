// The write-form reader on any bytes, reading items of every type in an order the input
// chooses: it never crashes or hangs, and what it read is written back so that it reads the
// same again (a number within the 15 digits the format keeps).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzCheck.h"
#include "station/WriteForm.h"

using namespace station;

namespace {
// True when the value has a decimal form of at most `digits` significant digits.
template <typename T>
bool fitsDigits(T value, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, static_cast<double>(value));
    return static_cast<T>(std::strtod(buf, nullptr)) == value;
}

void checkDouble(double value) {
    const std::string text = formatDouble(value);
    double back = 0;
    FUZZ_CHECK(parseNumber(text, back));
    FUZZ_CHECK(formatDouble(back) == text);  // written again, the same digits
    if (fitsDigits(value, 15)) FUZZ_CHECK(back == value);
    const std::string mantissa = text.substr(0, text.find('E'));
    FUZZ_CHECK(mantissa.find('.') == std::string::npos || mantissa.back() != '0');  // no trailing zeros
}

void checkSingle(float value) {
    const std::string text = formatSingle(value);
    double back = 0;
    FUZZ_CHECK(parseNumber(text, back));
    FUZZ_CHECK(formatSingle(static_cast<float>(back)) == text);
    if (fitsDigits(value, 7)) FUZZ_CHECK(static_cast<float>(back) == value);
}

void checkVariant(Variant v) {
    v.text = CleanText(v.text);  // what the writer keeps of a text
    WriteFormReader again(WriteFormLine().variant(v).line());
    const Variant back = again.readVariant();
    if (v.kind == Variant::Kind::Number) {
        FUZZ_CHECK(back.kind == Variant::Kind::Number);
        if (fitsDigits(v.number, 15)) FUZZ_CHECK(back.number == v.number);
    } else {
        FUZZ_CHECK(back == v);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string order = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<size_t>(0, 16));
    WriteFormReader in(input.ConsumeRemainingBytesAsString());
    size_t step = 0;
    try {
        while (!in.eof()) {
            const size_t before = in.position();
            const int kind = order.empty() ? 0 : static_cast<unsigned char>(order[step++ % order.size()]) % 9;
            switch (kind) {
            case 0: checkVariant(in.readVariant()); break;
            case 1: {
                std::string text = in.readText();
                text = CleanText(text);  // what the writer keeps of a text
                FUZZ_CHECK(WriteFormReader(WriteFormLine().text(text).line()).readText() == text);
                break;
            }
            case 2: checkDouble(in.readDouble()); break;
            case 3: checkSingle(in.readSingle()); break;
            case 4: in.readByte(); break;
            case 5: in.readInt16(); break;
            case 6: in.readInt32(); break;
            case 7: in.readBool(); break;
            case 8: in.skipEmptyLines(); break;
            }
            FUZZ_CHECK(in.position() > before || kind == 8);  // every read moves on
            if (kind == 8 && in.position() == before && !in.eof()) in.readText();
        }
    } catch (const FileError&) {
        // a cut record or a number outside its type: refused, as the readers handle it
    }
    return 0;
}
