#pragma once
// How each kind of control of the logging windows is dressed: colours, frames and alignment.
// Sizes come from the window's geometry, the font from the window kit (station/ui/WindowKit.h).

#include "window/FormDesign.h"

class QWidget;

namespace window::ui {

void StyleControl(QWidget* widget, const ControlDesign& design);

// The status line's usual background (teal) and the keyboard-CW one (pale yellow).
inline constexpr const char* kStatusTeal = "#00C0C0";
inline constexpr const char* kStatusKeyboardCw = "#FFFFC0";

}  // namespace window::ui
