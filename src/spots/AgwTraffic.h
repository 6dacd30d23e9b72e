#pragma once
// What the spotting window does with one frame from the AGW packet engine, and what it sends
// for a line typed in its send box. Decisions only: the window applies them to its display,
// its caption and the spot receiver.

#include <optional>
#include <string>
#include <vector>

#include "spots/AgwLink.h"

namespace spots {

struct AgwFrameInput {
    AgwIncoming frame;
    std::string connectedStation;  // empty: monitoring only
    bool listDxOnly = false;       // chkDX
};

struct AgwFrameOutcome {
    // A spot frame: this text (ending with a line end) goes to the spot receiver, which drops
    // a repeat, shows the lines and posts the spots.
    std::optional<std::string> toReceiver;
    // Traffic shown as it is, without the repeat filter.
    std::optional<std::string> show;
    // The connection changed: the new station (empty after a disconnect), the notice for the
    // display, the caption, and how many beeps.
    std::optional<std::string> connectedStation;
    std::string notice;
    std::optional<std::string> caption;
    int beeps = 0;
};

AgwFrameOutcome DecideAgwFrame(const AgwFrameInput& input);

// Every CR and every LF on its own becomes CR LF (so CR LF becomes two line breaks).
std::string AgwLineEnds(const std::string& text);

struct AgwSendFrame {
    std::string toCall;
    std::string data;
    char kind;
    friend bool operator==(const AgwSendFrame&, const AgwSendFrame&) = default;
};
struct AgwSendPlan {
    std::vector<AgwSendFrame> frames;
    // A message box to show instead: text and title.
    std::optional<std::pair<std::string, std::string>> message;
};
// The send box's text: plain text to the connected station, ":C call" connects, ":D"
// disconnects; nothing for other commands or with no station connected.
AgwSendPlan PlanAgwSend(const std::string& text, const std::string& connectedStation);

// The texts of a start that failed.
inline constexpr const char* kAgwFailTitle = "Unable to connect to the AGW Packet Engine.";
std::string AgwFailMessage();
std::string AgwFailInstructions();

}  // namespace spots
