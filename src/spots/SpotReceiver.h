#pragma once
// The one way received text enters the spot machinery. Every spot source (TNC, telnet
// cluster, AGW engine, a test) hands what it received to Receive(), in whatever pieces it
// arrives; the receiver cuts it into lines, drops a line that was just shown, decides what the
// receive display shows, and posts each DX spot line to the live logging window (through the
// function given at construction, which the program points at Form1.BandMapSpots).
//
// The receive display itself (the text box of the spotting window) belongs to that window; it
// appends what Receive() returns in `shown`, keeps itself bounded with TrimDisplay(), and
// reports its own status lines through NoteShown() so the repeat filter sees them too.

#include <functional>
#include <string>
#include <string_view>

#include "spots/ReceiveBuffer.h"

namespace spots {

// The receive display's bound: above kDisplayLimit characters it keeps its last kDisplayKeep.
constexpr size_t kDisplayLimit = 10000;
constexpr size_t kDisplayKeep = 9000;
// The repeat filter looks this far back into what was shown.
constexpr size_t kRepeatWindow = 800;
// Timer ticks (333 ms each) after which the band map is redrawn when no spot came: ~120 s.
constexpr int kLabelRedrawTicks = 360;

// The display bounded after an append: more than kDisplayLimit characters become the last
// kDisplayKeep; exactly kDisplayLimit stays.
void TrimDisplay(std::string& display);

struct ReceiveResult {
    std::string shown;  // lines for the receive display, each ended by CR LF
    int spotsPosted = 0;
};

class SpotReceiver {
public:
    // call, kHz text, record: the three texts BandMapSpots takes.
    using Poster = std::function<void(const std::string& call, const std::string& frequency,
                                      const std::string& record)>;

    explicit SpotReceiver(Poster poster) : poster_(std::move(poster)) {}

    // Received text from any source.
    ReceiveResult Receive(std::string_view text);

    // Text the spotting window wrote into its display itself (status lines): the repeat
    // filter searches it as it searches received lines.
    void NoteShown(std::string_view text);

    // A new connection (Open Port, another source) starts afresh: a line cut when the last one
    // closed is not glued to the first line of the next, and the repeat filter forgets what it
    // saw, as the display that showed it has been replaced. "List DX Only" and the redraw
    // counter stay as they are.
    void Reset();

    // "List DX Only": lines that are not spots are neither shown nor remembered.
    bool listDxOnly = false;

    // One tick of the spotting window's 333 ms timer. True when the band map's labels are due
    // for their periodic redraw (the tick after kLabelRedrawTicks ticks without a spot or
    // redraw); the caller redraws when the band map is shown.
    bool Tick();
    int LabelUpdateTimeCounter = 0;

    const ReceiveBuffer& buffer() const { return buffer_; }

private:
    // Hands one spot line on; false when it had nothing to post.
    bool PostSpot(std::string_view line);
    bool ShownRecently(const std::string& line) const;

    Poster poster_;
    ReceiveBuffer buffer_;
    std::string recent_;  // the tail of what the display was given, at most kRepeatWindow
};

}  // namespace spots
