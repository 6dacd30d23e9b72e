#include "spots/SpotReceiver.h"

#include <algorithm>
#include <cctype>

#include "spots/DxSpotLine.h"

namespace spots {

namespace {
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool ContainsIgnoringCase(std::string_view haystack, std::string_view needle) {
    if (needle.size() > haystack.size()) return false;
    auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                          [](char a, char b) { return Lower(a) == Lower(b); });
    return it != haystack.end();
}
}  // namespace

void TrimDisplay(std::string& display) {
    if (display.size() > kDisplayLimit) display.erase(0, display.size() - kDisplayKeep);
}

void SpotReceiver::NoteShown(std::string_view text) {
    recent_.append(text);
    if (recent_.size() > kRepeatWindow) recent_.erase(0, recent_.size() - kRepeatWindow);
}

void SpotReceiver::Reset() {
    buffer_.Clear();
    recent_.clear();
}

bool SpotReceiver::ShownRecently(const std::string& line) const { return ContainsIgnoringCase(recent_, line); }

ReceiveResult SpotReceiver::Receive(std::string_view text) {
    ReceiveResult result;
    for (std::string& line : buffer_.Take(text)) {
        // The line is searched with its end, so a line that is only the start of a longer
        // one shown before is not taken for a repeat.
        line += "\r\n";
        if (ShownRecently(line)) continue;
        const bool spot = SpotMark(line).has_value();
        if (!spot && listDxOnly) continue;
        result.shown += line;
        NoteShown(line);
        if (spot && PostSpot(line)) ++result.spotsPosted;
    }
    return result;
}

bool SpotReceiver::PostSpot(std::string_view line) {
    LabelUpdateTimeCounter = 0;
    // The line as shown ends in CR LF; the fields are cut from the line alone.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    const auto spot = ParseDxSpotLine(line);
    if (!spot || spot->record.empty()) return false;
    if (poster_) poster_(spot->call, spot->frequency, spot->record);
    return true;
}

bool SpotReceiver::Tick() {
    if (++LabelUpdateTimeCounter <= kLabelRedrawTicks) return false;
    LabelUpdateTimeCounter = 0;
    return true;
}

}  // namespace spots
