#include "station/ui/DoneDialog.h"

#include "station/ui/CloseBox.h"

namespace station::ui {

DoneDialog::DoneDialog(const Design& design, std::function<void()> wayOut, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::fromLatin1(design.name));
    setWindowTitle(design.caption);
    NoCloseBox(*this, std::move(wayOut), design.extra);
    SetDesignFont(this, design.face);
    place(this, design.size);
}

}  // namespace station::ui
