#pragma once
// The marker the edit and county dialogs show beside a field they refuse ("   Invalid!",
// "  Dupe!"): white on dark red, hidden until a check fails.

#include <QString>

class QLabel;
class QWidget;

namespace logtools::ui {

QLabel* Marker(QWidget* parent, const QString& caption);
inline const QString kInvalid = QStringLiteral("   Invalid!");

}  // namespace logtools::ui
