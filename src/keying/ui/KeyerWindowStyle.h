#pragma once
// What the keyer windows share in their design: positions in design pixels of 15 twips on the
// 9600 x 7200 twip reference screen, the design font, and the scaling of their load (sized by
// the work area, fonts by the screen's width but at most 1.5 times).

#include <QString>

class QWidget;
class Session;

namespace keying::ui {

void place(QWidget* widget, double x, double y, double width, double height);
void SetDesignFont(QWidget* window);
void ScaleToWorkArea(QWidget& window, Session& session);
inline QString latin1(const char* text) { return QString::fromLatin1(text); }

}  // namespace keying::ui
