#pragma once
// Windows whose design has no close box: Done (or Close) is their way out.

#include <QWidget>
#include <functional>

namespace station::ui {

// Asks the window manager for a title bar without a close box and without minimise and maximise
// buttons (`extra` adds flags such as a fixed size). A manager that draws a close box anyway
// (openbox does, whatever the hints say) sends its click as a close request; `wayOut` then runs
// in its place, so the box does what the window's own Done or Close does, and the window stays
// open when that refuses. The program's own close (unloading the window) is left to the window,
// and Esc is not touched.
void NoCloseBox(QWidget& window, std::function<void()> wayOut, Qt::WindowFlags extra = {});

}  // namespace station::ui
