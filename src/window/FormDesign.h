#pragma once
// The design of the logging windows on the 9600 x 7200 twip reference screen: every control
// with its place, size, font and design texts, and the columns of the two list views. The
// windows build their widgets from this table; FormGeometry scales it to the real screen.

#include <string>
#include <vector>

#include "window/WindowKind.h"

namespace window {

constexpr float kDesignWidth = 9600.0f;
constexpr float kDesignHeight = 7200.0f;
constexpr float kDesignFontPt = 8.25f;

enum class ControlKind { Label, TextBox, Button, ListBox, ListView, Frame, Line };

// How the window dresses a control; the geometry does not depend on it.
enum class Look {
    Plain,      // ordinary caption
    Heading,    // bold caption over a group
    Value,      // framed value box (band, mode, clocks)
    Number,     // right-aligned score value
    Status,     // the status line
    Marker,     // the "New" marker
    GridCell,   // a state of the grid
    Panel,      // the band map strip: navy, single-line border
    BandMapScale,  // a scale caption under the band line: white, centred, transparent
    BandMapSpot,   // a spot's label above the band line: centred, transparent, coloured by age
    Caption,    // white on navy caption box ("Possible Duplicates")
};

struct ControlDesign {
    std::string name;
    int index = -1;  // element of a control array, -1 for a single control
    ControlKind kind = ControlKind::Label;
    // Twips. A line keeps X1, Y1 in left/top and X2, Y2 in width/height.
    float left = 0, top = 0, width = 0, height = 0;
    float fontPt = kDesignFontPt;
    bool bold = false;
    std::string caption;
    std::string tip;
    bool visible = true;
    int maxLength = 0;
    Look look = Look::Plain;
    // One of the spot panel's controls: placed by the panel layout, never squeezed with the rest.
    bool spotPanel = false;

    std::string key() const { return index < 0 ? name : name + "(" + std::to_string(index) + ")"; }
};

struct ColumnDesign {
    std::string header;
    float width;  // design twips; the window's width / 9600 scales it
    enum Align { Left, Right, Center } align = Left;
};

struct FormDesign {
    WindowKind kind;
    float width = kDesignWidth;
    float height = kDesignHeight;
    float fontPt = kDesignFontPt;
    std::vector<ControlDesign> controls;
    std::vector<ColumnDesign> listView1Columns;
    std::vector<ColumnDesign> txtDXColumns;

    // Position of a control in `controls`, -1 when the design has none of that name.
    int find(const std::string& name, int index = -1) const;
};

// The design of a window; a rover's in-state window has the extra "County Sent" column.
FormDesign DesignFor(WindowKind kind, bool rover);

}  // namespace window
