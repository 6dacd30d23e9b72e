#pragma once
// The shell of the dialogs whose own button (Done, Close) is their only way out: the dialog's
// name, caption, design font and design size, no close box (one the window manager draws anyway
// runs that button, see CloseBox.h), and Esc does nothing. The dialog builds its controls on it.

#include <QDialog>
#include <QString>
#include <functional>

#include "station/ui/WindowKit.h"

namespace station::ui {

class DoneDialog : public QDialog {
    Q_OBJECT
public:
    struct Design {
        const char* name;
        QString caption;
        DesignFace face;
        DesignBox size;              // its width and height; it is placed where its load scales it
        Qt::WindowFlags extra = {};  // such as a fixed size
    };

    // Esc and the program's rejects leave the dialog as it is.
    void reject() override {}

protected:
    // `wayOut` is what the dialog's own Done does.
    DoneDialog(const Design& design, std::function<void()> wayOut, QWidget* parent);
};

}  // namespace station::ui
