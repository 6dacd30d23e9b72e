#pragma once
// Where a logging window and each of its controls stand, in twips, and the steps that move them:
// the load's scaling from the design to the screen, the reduction to a form size below 100 %,
// the fit to the screen or its work area, and the side lists stretched down to Line3. All
// ratios are single precision, as the stored layouts were computed.

#include <vector>

#include "platform/Platform.h"
#include "window/FormDesign.h"

namespace window {

struct ControlGeometry {
    ControlKind kind;
    float left, top, width, height;  // a line: X1, Y1, X2, Y2
    float fontPt;
    bool spotPanel = false;  // placed by the spot panel's layout, exempt from the squeeze
};

class FormGeometry {
public:
    explicit FormGeometry(const FormDesign& design);

    float left = 0, top = 0, width = 0, height = 0;  // the window
    float fontPt = 0;                                // the window's own font
    std::vector<ControlGeometry> controls;           // in design order
    std::vector<float> listView1Columns;             // empty until CreateColumns
    std::vector<float> txtDXColumns;
    // While the spot panel is shown the other controls stand at this factor of their heights,
    // tops and line heights (0.9), 1 otherwise. Kept as a factor, not multiplied into the
    // values, so showing and removing the panel any number of times leaves no drift.
    float squeeze = 1.0f;

    // The load's pass: window and controls from the design to a screen of sw x sh twips, the
    // window centred; control fonts by the smaller of the two ratios.
    void ScaleToScreen(float sw, float sh);
    // Columns of both list views at N x window width / 9600.
    void CreateColumns(const FormDesign& design);
    // The screen-sized layout reduced to p % (below 100) about the screen's centre. False, with
    // nothing changed, when the screen has no usable size or a value would come out unusable.
    bool ScaleFormToScreen(int percent, float sw, float sh);
    // The window to the work area (taskbar shown) or the whole screen, at that area's corner;
    // controls and spot-list columns follow the size ratios, fonts and ListView1 columns stay.
    void FitToArea(const platform::TwipsRect& area);
    // Side lists from their top down to Line3's Y1; a list never gets a negative height.
    void SizeSideLists(int list1, int list2, int list3, int line3);

    // A control where it stands: its values with the squeeze applied (a line's Y1 and Y2; the
    // height and top of any other kind). The spot panel's own controls are never squeezed.
    ControlGeometry effective(int i) const;

    ControlGeometry& at(int i) { return controls.at(static_cast<size_t>(i)); }
    const ControlGeometry& at(int i) const { return controls.at(static_cast<size_t>(i)); }
};

}  // namespace window
