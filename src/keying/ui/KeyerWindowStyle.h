#pragma once
// What the keyer windows share in their design: positions in design pixels of 15 twips on the
// 9600 x 7200 twip reference screen, the design font, and the scaling of their load (sized by
// the work area, fonts by the screen's width but at most 1.5 times).

#include <QString>

class QLabel;
class QWidget;
class Session;

namespace keying::ui {

void place(QWidget* widget, double x, double y, double width, double height);
void SetDesignFont(QWidget* window);
void ScaleToWorkArea(QWidget& window, Session& session);
// A word-wrapped label placed in twips, as the voice windows draw their texts.
QLabel* text(QWidget* parent, const char* caption, double left, double top, double width, double height,
             bool bold = false);
inline QString latin1(const char* text) { return QString::fromLatin1(text); }

}  // namespace keying::ui
