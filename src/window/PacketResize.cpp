#include "window/PacketResize.h"

#include <algorithm>
#include <cctype>

namespace window {

namespace {

bool IsNone(const std::string& source) {
    std::string s;
    for (char c : source) s.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return s.empty() || s == "NONE";
}

// Labels, text boxes, buttons, list boxes and list views: the kinds that are squeezed.
bool Squeezable(ControlKind kind) { return kind != ControlKind::Line && kind != ControlKind::Frame; }

void SizeSideLists(FormGeometry& g, const FormDesign& d) {
    g.SizeSideLists(d.find("List1"), d.find("List2"), d.find("List3"), d.find("Line3"));
}

void Place(FormGeometry& g, const FormDesign& d, float top, float innerHeight) {
    for (const char* name : {"txtDX", "lblDX"}) {
        auto& c = g.at(d.find(name));
        c.top = top;
        c.height = innerHeight - top;
        c.left = 0.01f * g.width;
        c.width = 0.97f * g.width;
    }
    const auto& strip = g.at(d.find("lblDX"));
    const float half = g.at(d.find("lblDXSpot", 0)).width / 2;
    auto& line = g.at(d.find("LineDX"));
    line.left = strip.left + half;                 // X1
    line.width = strip.left + strip.width - half;  // X2
    line.top = line.height = strip.top + strip.height / 2;
    for (int k = 0; k < 5; ++k) {
        auto& tick = g.at(d.find("lblFreqSpot", k));
        tick.top = line.top + 0.004f * g.height;
        tick.left = line.left + k * 0.25f * (line.width - line.left) - tick.width / 2;
    }
}

void Park(FormGeometry& g, const FormDesign& d) {
    g.at(d.find("txtDX")).top = kParkedTop;
    g.at(d.find("lblDX")).top = kParkedTop;
    auto& line = g.at(d.find("LineDX"));
    line.top = line.height = kParkedTop;
    for (int i = 0; i < 50; ++i) g.at(d.find("lblDXSpot", i)).top = kParkedTop;
    for (int k = 0; k < 5; ++k) g.at(d.find("lblFreqSpot", k)).top = kParkedTop;
}
}  // namespace

PacketResizeResult PacketResize(FormGeometry& g, const FormDesign& d, const PacketResizeInput& in) {
    PacketResizeResult r;
    r.shown = in.shown;
    const bool none = IsNone(in.spotSource);

    // A shown panel switches its kind in place.
    if (r.shown == SpotPanel::List && !in.listChosen) r.shown = SpotPanel::BandMap;
    else if (r.shown == SpotPanel::BandMap && in.listChosen) r.shown = SpotPanel::List;

    if (r.shown == SpotPanel::Hidden && !none) {
        // The panel starts below the lowest control as it stands squeezed, hidden ones and the
        // panel's own included.
        float lowest = 0;
        for (const auto& c : g.controls) {
            if (Squeezable(c.kind)) lowest = std::max(lowest, c.top * kSqueeze + c.height * kSqueeze);
        }
        g.squeeze = kSqueeze;
        SizeSideLists(g, d);
        Place(g, d, lowest, in.innerHeight);
        r.shown = in.listChosen ? SpotPanel::List : SpotPanel::BandMap;
        r.placed = true;
    } else if (r.shown != SpotPanel::Hidden && none) {
        g.squeeze = 1.0f;
        SizeSideLists(g, d);
        Park(g, d);
        r.shown = SpotPanel::Hidden;
        r.removed = true;
    }
    return r;
}

}  // namespace window
