#include "keying/WinKeySettings.h"

#include <cmath>

#include "station/WriteForm.h"

namespace keying {

const WinKeyOption kModeOptions[4] = {
    {"optIambicB", "Iambic B", 0},
    {"optIambicA", "Iambic A", 16},
    {"optUltimatic", "Ultimatic", 32},
    {"optBug", "Bug Keyer", 48},
};
const WinKeyOption kPinOptions[4] = {
    {"optKey5Off3Out", "P5 Off, P3 Key Out", 4},
    {"optKey5Out3Off", "P5 Key Out, P3 Off", 8},
    {"optPTT", "PTT", 5},
    {"optTone", "Tone", 6},
};

bool ParseWinKeySettings(const std::string& bytes, WinKeySettings& s) {
    station::WriteFormReader in(bytes);
    try {
        s.WinKeyPort = in.readByte();
        s.txtWKWPM = in.readText();
        s.txtWeight = in.readText();
        s.txtLeadIn = in.readText();
        s.txtTail = in.readText();
        s.txtRatio = in.readText();
        in.skipEmptyLines();
        if (in.eof()) return true;
        s.WinKeyPinCfg = in.readByte();
        in.skipEmptyLines();
        if (in.eof()) return true;
        s.WinKeyMode = in.readByte();
    } catch (const station::FileError&) {
        return false;
    }
    return true;
}

std::string FormatWinKeySettings(const WinKeySettings& s) {
    using station::WriteFormLine;
    std::string out;
    out += WriteFormLine().integer(s.WinKeyPort).line();
    for (const std::string* box : {&s.txtWKWPM, &s.txtWeight, &s.txtLeadIn, &s.txtTail, &s.txtRatio})
        out += WriteFormLine().text(*box).line();
    out += WriteFormLine().integer(s.WinKeyPinCfg).line();
    out += WriteFormLine().integer(s.WinKeyMode).line();
    return out;
}

namespace {
// A box's text as a number, blanks around it allowed; nullopt when it is not one.
std::optional<double> number(const std::string& text) {
    size_t b = text.find_first_not_of(' ');
    size_t e = text.find_last_not_of(' ');
    if (b == std::string::npos) return std::nullopt;
    double v = 0;
    if (!station::parseNumber(std::string_view(text).substr(b, e - b + 1), v) || !std::isfinite(v))
        return std::nullopt;
    return v;
}
// A byte from a box's number, rounded half to even like the settings files' integers
// (station/WriteForm.cpp).
uint8_t toByte(double v) { return static_cast<uint8_t>(std::nearbyint(v)); }
}  // namespace

BoxCheck CheckValueBox(const std::string& text, const std::string& defaultText, int lo, int hi) {
    BoxCheck out;
    const auto v = number(text);
    if (!v) {
        out.text = defaultText;
        return out;
    }
    const double r = std::nearbyint(*v);
    if (r >= lo && r <= hi) out.send = toByte(r);
    return out;
}

LeadTailCheck CheckLeadTail(const std::string& leadIn, const std::string& tail) {
    LeadTailCheck out;
    const auto a = number(leadIn);
    const auto b = number(tail);
    if (!a || !b) {
        out.leftBoxText = "0";
        return out;
    }
    const double ra = std::nearbyint(*a), rb = std::nearbyint(*b);
    if (ra < 0 || ra > 255 || rb < 0 || rb > 255) {
        out.leftBoxText = "0";
        return out;
    }
    out.send = std::make_pair(toByte(ra), toByte(rb));
    return out;
}

PortCheck CheckPort(const std::string& text) {
    PortCheck out;
    auto v = number(text);
    if (!v) {
        out.text = "0";
        v = 0;
    }
    const double r = std::nearbyint(*v);
    out.port = (r >= 0 && r <= 255) ? toByte(r) : 0;
    return out;
}

std::optional<std::string> OpenResultText(int result) {
    switch (result) {
        case 0: return "WK Success!";
        case -1: return "No Echo Response";
        case -2: return "Echo Mismatch";
        case -3: return "No Open Response";
        case -4: return "Com Open Failed";
        case -5: return "Get Com ST Failed";
        case -6: return "Set Com ST Failed";
        case -8: return "WK Already Open";
        case -9: return "WK Not Open";
        default: return std::nullopt;
    }
}

}  // namespace keying
