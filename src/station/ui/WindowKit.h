#pragma once
// The window kit: what every window of the program builds itself with, so that all of them are
// laid out, lettered and scaled alike. Its parts:
//   WindowKit.h    design placement (twips, or design pixels of 15 twips, on the 9600 x 7200
//                  twip reference screen), the design font, and the controls of a design:
//                  labels (word-wrapped for long texts), buttons, options, frames, lines, fields
//   FormResize.h   scaling a window's design to the screen or the work area at its load
//   WindowFrame.h  the window manager's frame, for windows sized to the screen or work area
//   CloseBox.h     windows whose own Done is the way out (no close box)
//   DoneDialog.h   the shell of a dialog that Done alone leaves
//   KeyField.h     the key-filtered field (its handlers work on station/KeyFilters.h)
// It includes nothing above the station: windows of every part may use it.

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace station::ui {

// A place on the reference screen, in twips; Pixels() gives it in design pixels.
struct DesignBox {
    double left = 0, top = 0, width = 0, height = 0;
};
inline constexpr double kTwipsPerDesignPixel = 15;
constexpr DesignBox Twips(double left, double top, double width, double height) { return {left, top, width, height}; }
constexpr DesignBox Pixels(double x, double y, double width, double height) {
    return {x * kTwipsPerDesignPixel, y * kTwipsPerDesignPixel, width * kTwipsPerDesignPixel,
            height * kTwipsPerDesignPixel};
}

// Places a control (or sizes a window) on the design; the window's load scales it.
void place(QWidget* widget, const DesignBox& at);
void place(QWidget* widget, double x, double y, double width, double height);  // design pixels

// The design font's faces: narrow sans faces first, as the captions were measured for one.
QStringList DesignFamilies();
enum class DesignFace {
    Narrow,  // the narrow sans faces above
    System,  // the system's own face (the windows designed in it keep it)
};
// The design font on a window, 8.25 pt; its controls inherit it.
void SetDesignFont(QWidget* window, DesignFace face = DesignFace::Narrow);
// A control font at a size in points, of the narrow faces, sized in pixels so the layout does
// not depend on the screen's DPI setting (as the twip layout does not).
QFont ControlFont(float pointSize, bool bold);

// The controls of a design: created on `parent`, named unless the name is empty (the name the
// window's code and its tests find it by), and placed.
template <class W>
W* Control(QWidget* parent, const QString& name, const DesignBox& at) {
    auto* w = new W(parent);
    if (!name.isEmpty()) w->setObjectName(name);
    place(w, at);
    return w;
}
QLabel* Label(QWidget* parent, const QString& caption, const DesignBox& at, const QString& name = {});
// A word-wrapped label with its text at the top left, as the windows draw their longer texts.
QLabel* WrappedLabel(QWidget* parent, const QString& caption, const DesignBox& at, const QString& name = {});
// A push button that Enter typed elsewhere in the dialog does not press.
QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, const DesignBox& at);
QRadioButton* Option(QWidget* parent, const QString& name, const QString& caption, const DesignBox& at);
QGroupBox* Frame(QWidget* parent, const QString& name, const QString& title, const DesignBox& at);
// A sunken line, across (Qt::Horizontal) or down.
QFrame* Line(QWidget* parent, const QString& name, Qt::Orientation orientation, const DesignBox& at);
// Makes a control's own font bold; gives the control back.
template <class W>
W* Bold(W* widget) {
    QFont f = widget->font();
    f.setBold(true);
    widget->setFont(f);
    return widget;
}

// The title bar of a fixed-size dialog that has a close box.
void FixedDialogWithCloseBox(QWidget& window);

}  // namespace station::ui
