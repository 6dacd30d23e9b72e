// The spot panel's layout over the logging window's real design: squeeze, place, switch,
// remove, and no drift however often it is done.

#include <gtest/gtest.h>

#include "window/PacketResize.h"

using namespace window;

namespace {
struct Window {
    window::FormDesign design = window::DesignFor(window::WindowKind::InState, false);
    window::FormGeometry g{design};
    float inner = 0;
    Window() {
        g.ScaleToScreen(1024 * 15.0f, 768 * 15.0f);
        g.SizeSideLists(design.find("List1"), design.find("List2"), design.find("List3"), design.find("Line3"));
        inner = g.height - 52 * 15.0f;  // less the title and menu bars
    }
    int at(const char* name, int index = -1) const { return design.find(name, index); }
    PacketResizeResult run(SpotPanel shown, const char* source, bool list) {
        return PacketResize(g, design, {shown, source, list, inner});
    }
};

// Spot labels are left out: each band-map pass places them.
bool SameGeometry(const window::FormGeometry& a, const window::FormGeometry& b, bool panelToo) {
    const auto design = window::DesignFor(window::WindowKind::InState, false);
    for (size_t i = 0; i < a.controls.size(); ++i) {
        if (a.controls[i].spotPanel && !panelToo) continue;
        if (design.controls[i].name == "lblDXSpot") continue;
        const auto x = a.effective(static_cast<int>(i)), y = b.effective(static_cast<int>(i));
        if (x.left != y.left || x.top != y.top || x.width != y.width || x.height != y.height) return false;
    }
    return true;
}
}  // namespace

TEST(PacketResize, TheTransitionsOfThePanel) {
    using P = SpotPanel;
    struct Row {
        P from;
        const char* source;
        bool list;
        P to;
        bool placed, removed;
    };
    const Row table[] = {
        {P::Hidden, "Telnet", true, P::List, true, false},
        {P::Hidden, "TNC", false, P::BandMap, true, false},
        {P::Hidden, "None", true, P::Hidden, false, false},
        {P::Hidden, "", false, P::Hidden, false, false},  // no source chosen is "None"
        {P::List, "Telnet", true, P::List, false, false},
        {P::List, "AGW Packet Engine", false, P::BandMap, false, false},
        {P::BandMap, "Telnet", false, P::BandMap, false, false},
        {P::BandMap, "Telnet", true, P::List, false, false},
        {P::List, "none", false, P::Hidden, false, true},
        {P::BandMap, "NONE", true, P::Hidden, false, true},
    };
    for (const auto& row : table) {
        Window w;
        if (row.from != P::Hidden) w.run(P::Hidden, "Telnet", row.from == P::List);  // squeezed and placed
        const window::FormGeometry before = w.g;
        const auto r = w.run(row.from, row.source, row.list);
        EXPECT_EQ(r.shown, row.to) << int(row.from) << row.source << row.list;
        EXPECT_EQ(r.placed, row.placed) << int(row.from) << row.source << row.list;
        EXPECT_EQ(r.removed, row.removed) << int(row.from) << row.source << row.list;
        // Only adding or removing the panel moves anything; a switch keeps the rectangle.
        if (!row.placed && !row.removed) {
            EXPECT_TRUE(SameGeometry(before, w.g, true)) << row.source;
        }
    }
}

TEST(PacketResize, AddingThePanelSqueezesEverythingElseAndPlacesItAlongTheBottom) {
    Window w;
    const window::FormGeometry before = w.g;
    w.run(SpotPanel::Hidden, "Telnet", false);
    float lowest = 0;
    for (size_t i = 0; i < before.controls.size(); ++i) {
        const auto& b = before.controls[i];
        const auto a = w.g.effective(static_cast<int>(i));
        if (b.kind == ControlKind::Line) {
            if (b.spotPanel) continue;
            EXPECT_FLOAT_EQ(a.top, b.top * 0.9f) << w.design.controls[i].key();
            EXPECT_FLOAT_EQ(a.left, b.left) << w.design.controls[i].key();
            continue;
        }
        // Hidden controls (the post-contest fields, the panel's own) count as well.
        lowest = std::max(lowest, b.top * 0.9f + b.height * 0.9f);
        if (b.spotPanel || w.design.controls[i].name.rfind("List", 0) == 0) continue;
        EXPECT_FLOAT_EQ(a.top, b.top * 0.9f) << w.design.controls[i].key();
        EXPECT_FLOAT_EQ(a.height, b.height * 0.9f) << w.design.controls[i].key();
    }
    // The side lists reach down to the separator line where it now stands.
    const auto list = w.g.effective(w.at("List1")), line3 = w.g.effective(w.at("Line3"));
    EXPECT_NEAR(list.top + list.height, line3.top, 0.01);

    // The panel itself stands where it was placed, unsqueezed.
    for (const char* name : {"lblDX", "txtDX"}) {
        const auto c = w.g.effective(w.at(name));
        EXPECT_FLOAT_EQ(c.top, lowest) << name;
        EXPECT_FLOAT_EQ(c.top + c.height, w.inner) << name;
        EXPECT_FLOAT_EQ(c.left, 0.01f * w.g.width) << name;
        EXPECT_FLOAT_EQ(c.width, 0.97f * w.g.width) << name;
    }
    const auto strip = w.g.effective(w.at("lblDX"));
    const auto line = w.g.effective(w.at("LineDX"));
    const float half = w.g.at(w.at("lblDXSpot", 0)).width / 2;
    EXPECT_FLOAT_EQ(line.left, strip.left + half);
    EXPECT_FLOAT_EQ(line.width, strip.left + strip.width - half);
    EXPECT_FLOAT_EQ(line.top, strip.top + strip.height / 2);
    EXPECT_FLOAT_EQ(line.height, line.top);
    for (int k = 0; k < 5; ++k) {
        const auto tick = w.g.effective(w.at("lblFreqSpot", k));
        EXPECT_FLOAT_EQ(tick.top, line.top + 0.004f * w.g.height);
        EXPECT_NEAR(tick.left + tick.width / 2, line.left + k * 0.25f * (line.width - line.left), 0.01);
    }
    // The panel lies below every other control and inside the window.
    EXPECT_GE(strip.top, line3.top);
    EXPECT_LT(strip.top, w.inner);
}

TEST(PacketResize, AHiddenControlLowestOfAllSetsThePanelsTop) {
    for (const char* name : {"txtPostConDate", "lblDX"}) {  // the panel's own count too
        Window w;
        auto& low = w.g.at(w.at(name));
        low.top = 6000 * 1.6f;
        const float bottom = low.top * 0.9f + low.height * 0.9f;
        w.run(SpotPanel::Hidden, "TNC", true);
        EXPECT_FLOAT_EQ(w.g.at(w.at("txtDX")).top, bottom) << name;
    }
}

TEST(PacketResize, RemovingThePanelRestoresEveryControlExactlyAndParksThePanel) {
    Window w;
    const window::FormGeometry before = w.g;
    for (int cycle = 0; cycle < 50; ++cycle) {
        w.run(SpotPanel::Hidden, "Telnet", cycle % 2 == 0);
        w.run(cycle % 2 == 0 ? SpotPanel::List : SpotPanel::BandMap, "None", true);
    }
    EXPECT_TRUE(SameGeometry(before, w.g, false));
    EXPECT_FLOAT_EQ(w.g.squeeze, 1.0f);
    EXPECT_FLOAT_EQ(w.g.at(w.at("txtDX")).top, kParkedTop);
    EXPECT_FLOAT_EQ(w.g.at(w.at("lblDX")).top, kParkedTop);
    EXPECT_FLOAT_EQ(w.g.at(w.at("LineDX")).top, kParkedTop);
    EXPECT_FLOAT_EQ(w.g.at(w.at("lblDXSpot", 49)).top, kParkedTop);
    EXPECT_FLOAT_EQ(w.g.at(w.at("lblFreqSpot", 4)).top, kParkedTop);

    // Laid out again afterwards, the panel takes the same place as the first time.
    Window fresh;
    fresh.run(SpotPanel::Hidden, "Telnet", false);
    w.run(SpotPanel::Hidden, "Telnet", false);
    EXPECT_TRUE(SameGeometry(fresh.g, w.g, true));
}
