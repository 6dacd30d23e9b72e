#pragma once
// How each kind of control of the logging windows is dressed: colours, frames, alignment and
// the font family. Sizes come from the window's geometry, not from here.

#include <QFont>

#include "window/FormDesign.h"

class QWidget;

namespace window::ui {

void StyleControl(QWidget* widget, const ControlDesign& design);
// The control font at a size in points (pixel-sized, so the layout does not depend on the
// screen's DPI setting, as the twip layout does not).
QFont ControlFont(float pointSize, bool bold);

// The status line's usual background (teal) and the keyboard-CW one (pale yellow).
inline constexpr const char* kStatusTeal = "#00C0C0";
inline constexpr const char* kStatusKeyboardCw = "#FFFFC0";

}  // namespace window::ui
