#include "station/ui/WindowKit.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <cmath>

#include "station/ui/FormResize.h"

namespace station::ui {

void place(QWidget* widget, const DesignBox& at) { placeTwips(widget, at.left, at.top, at.width, at.height); }

void place(QWidget* widget, double x, double y, double width, double height) {
    place(widget, Pixels(x, y, width, height));
}

QStringList DesignFamilies() {
    return {QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
            QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
}

void SetDesignFont(QWidget* window, DesignFace face) {
    QFont font = window->font();
    if (face == DesignFace::Narrow) font.setFamilies(DesignFamilies());
    font.setPointSizeF(8.25);
    window->setFont(font);
}

QFont ControlFont(float pointSize, bool bold) {
    QFont font;
    font.setFamilies(DesignFamilies());
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(pointSize * 4.0f / 3.0f))));
    font.setBold(bold);
    return font;
}

QLabel* Label(QWidget* parent, const QString& caption, const DesignBox& at, const QString& name) {
    auto* l = Control<QLabel>(parent, name, at);
    l->setText(caption);
    return l;
}

QLabel* WrappedLabel(QWidget* parent, const QString& caption, const DesignBox& at, const QString& name) {
    auto* l = Label(parent, caption, at, name);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, const DesignBox& at) {
    auto* b = Control<QPushButton>(parent, name, at);
    b->setText(caption);
    b->setAutoDefault(false);
    return b;
}

QRadioButton* Option(QWidget* parent, const QString& name, const QString& caption, const DesignBox& at) {
    auto* b = Control<QRadioButton>(parent, name, at);
    b->setText(caption);
    return b;
}

QGroupBox* Frame(QWidget* parent, const QString& name, const QString& title, const DesignBox& at) {
    auto* f = Control<QGroupBox>(parent, name, at);
    f->setTitle(title);
    return f;
}

QFrame* Line(QWidget* parent, const QString& name, Qt::Orientation orientation, const DesignBox& at) {
    auto* f = Control<QFrame>(parent, name, at);
    f->setFrameShape(orientation == Qt::Horizontal ? QFrame::HLine : QFrame::VLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

void FixedDialogWithCloseBox(QWidget& window) {
    window.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
}

}  // namespace station::ui
