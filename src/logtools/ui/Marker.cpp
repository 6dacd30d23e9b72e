#include "logtools/ui/Marker.h"

#include <QLabel>

namespace logtools::ui {

QLabel* Marker(QWidget* parent, const QString& caption) {
    auto* l = new QLabel(caption, parent);
    l->setStyleSheet(QStringLiteral("color: white; background-color: rgb(128, 0, 0);"));
    l->hide();
    return l;
}

}  // namespace logtools::ui
