#pragma once
// The WinKey window's settings: the port, the five boxes sent to the keyer, the pin
// configuration and the keyer mode; WK.txt in the user folder; the rules the boxes apply when
// the operator leaves them; the options and the texts of the open results.

#include <cstdint>
#include <optional>
#include <string>

namespace keying {

struct WinKeySettings {
    uint8_t WinKeyPort = 0;           // com port; 0 until WK.txt or the port box sets it
    std::string txtWKComPort = "5";   // the port box as designed; the load shows WinKeyPort
    std::string txtWKWPM = "18";
    std::string txtWeight = "50";
    std::string txtLeadIn = "0";
    std::string txtTail = "0";
    std::string txtRatio = "50";
    uint8_t WinKeyPinCfg = 6;         // 4, 5, 6 or 8
    uint8_t WinKeyMode = 0;           // 0, 16, 32 or 48
    friend bool operator==(const WinKeySettings&, const WinKeySettings&) = default;
};

// WK.txt: the port (bare), the five box texts (quoted), then the pin configuration and the mode
// (bare, optional). Reads into `settings` item by item; a damaged item stops the read there,
// keeping what was read before it. Returns false when it stopped at a damaged item.
bool ParseWinKeySettings(const std::string& bytes, WinKeySettings& settings);
std::string FormatWinKeySettings(const WinKeySettings& settings);
inline constexpr const char* kWinKeySettingsFile = "WK.txt";

// What leaving a box does: the text it then shows (nullopt: unchanged) and what is sent.
struct BoxCheck {
    std::optional<std::string> text;
    std::optional<uint8_t> send;
};
// Speed, weight and ratio: text that is not a number becomes the default and nothing is sent; a
// number within [lo, hi] is sent; one outside is neither sent nor changed.
BoxCheck CheckValueBox(const std::string& text, const std::string& defaultText, int lo, int hi);
inline BoxCheck CheckWpm(const std::string& t) { return CheckValueBox(t, "18", 0, 99); }
inline BoxCheck CheckWeight(const std::string& t) { return CheckValueBox(t, "50", 0, 99); }
inline BoxCheck CheckRatio(const std::string& t) { return CheckValueBox(t, "50", 32, 67); }

// Lead-in and tail go together: both numbers 0..255 are sent as a pair; otherwise the box being
// left (not necessarily the one at fault) becomes "0" and nothing is sent.
struct LeadTailCheck {
    std::optional<std::string> leftBoxText;
    std::optional<std::pair<uint8_t, uint8_t>> send;
};
LeadTailCheck CheckLeadTail(const std::string& leadIn, const std::string& tail);

// The port box: text that is not a number becomes "0"; the port takes the value, or 0 when it
// is above 255 (the text then stays).
struct PortCheck {
    std::optional<std::string> text;
    uint8_t port = 0;
};
PortCheck CheckPort(const std::string& text);

// The open results' texts for the status label; nullopt for a value that keeps the label.
std::optional<std::string> OpenResultText(int result);

struct WinKeyOption {
    const char* name;
    const char* caption;
    uint8_t value;
};
// The keyer mode options ("Keyer Mode") and the pin options ("Pin 5 Configuration").
extern const WinKeyOption kModeOptions[4];
extern const WinKeyOption kPinOptions[4];

}  // namespace keying
