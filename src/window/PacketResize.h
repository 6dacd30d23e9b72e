#pragma once
// The logging window's spot panel: the spot list or the band map, in one rectangle along
// the window's bottom, or nothing while no spot source is chosen. Choosing a source squeezes
// the window's other controls to 90 % of their heights and tops and puts the panel in the room
// this frees, down to the bottom of the window; choosing "None" stretches them back and parks
// the panel; changing the display choice while the panel is shown switches it in place.

#include <string>

#include "window/FormDesign.h"
#include "window/FormGeometry.h"

namespace window {

constexpr float kSqueeze = 0.9f;
constexpr float kParkedTop = 1000.0f;

enum class SpotPanel { Hidden, List, BandMap };

struct PacketResizeInput {
    SpotPanel shown = SpotPanel::Hidden;  // what the panel shows now
    std::string spotSource;               // "None" (or empty), "TNC", "Telnet", "AGW Packet Engine"
    bool listChosen = false;              // the spot list rather than the band map
    float innerHeight = 0;                // the height of the window's client area, twips
};

struct PacketResizeResult {
    SpotPanel shown = SpotPanel::Hidden;  // what the panel shows afterwards
    bool placed = false;                  // the panel was laid out afresh
    bool removed = false;                 // the panel was taken away
};

// Updates the geometry (squeeze, panel, side lists); the window applies it and the visibility.
PacketResizeResult PacketResize(FormGeometry& geometry, const FormDesign& design,
                                const PacketResizeInput& input);

}  // namespace window
