#pragma once
// What the rig windows share in their design: positions given in design pixels of 15 twips on the
// 9600 x 7200 twip reference screen (640 x 480), and the design font.

class QWidget;

namespace rig::ui {

inline constexpr double kTwipsPerDesignPixel = 15;

// Places a control (or sizes a window) in design pixels; the window's load scales it.
void place(QWidget* widget, double x, double y, double width, double height);
// The design font: 8.25 pt of a narrow sans face, as the captions were measured for one.
void SetDesignFont(QWidget* window);

}  // namespace rig::ui
