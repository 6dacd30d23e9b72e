#pragma once
// Window scaling for Qt windows: windows are laid out in twips on the 9600 x 7200 reference
// screen (placeTwips) and scaled to the real screen before they are first shown.

#include <QWidget>
#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "station/FormScaling.h"

namespace station {
class Station;
}

namespace station::ui {

// Pixels per twip on the widget's screen (96 dpi: 1/15).
double pixelsPerTwip(const QWidget* widget = nullptr);
// Design placement of a control or window in twips.
void placeTwips(QWidget* widget, double left, double top, double width, double height);
// The control kind a widget scales as (a QLabel with the "image" property is an image).
ControlKind kindOf(const QWidget* widget);

// Scales the window and its controls to the screen, 170 twips above the middle.
void ResizeForm(QWidget& form, station::Station& station);
// Sizes the window to an area and scales by the change of its client area (see ScaleFormTo);
// a non-empty font name replaces every font's family.
void ResizeFormTo(QWidget& form, station::Station& station, float newWidth, float newHeight, float designWidth,
                  float designHeight, uint8_t exactSize, float fontFactor, const std::string& fontName);
// The steps of ResizeForm with a window's own choices.
void ScaleFormSelf(QWidget& form, station::Station& station, const ScaleChoices& choices);
// The steps of ResizeForm with `area` (a part of the screen, such as the work area) in place of
// the whole screen: the window is sized by the area's two ratios and centred in it.
void ScaleFormToArea(QWidget& form, station::Station& station, const platform::TwipsRect& area, const ScaleChoices& choices);
// The dialogs' common scaling: centred on the screen, controls by the two ratios, control
// fonts by the width ratio but at most 1.5 times.
ScaleChoices DialogScaleChoices();
void ScaleDialogToScreen(QWidget& form, station::Station& station);
// The dialogs' scaling fitted to the work area (sized by its two ratios and centred in it), with
// fonts still following the whole screen's width, at most 1.5 times.
void ScaleToWorkArea(QWidget& form, station::Station& station);

}  // namespace station::ui
