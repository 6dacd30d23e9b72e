#include "rig/ui/RigWindowStyle.h"

#include <QFont>
#include <QWidget>

#include "station/ui/FormResize.h"

namespace rig::ui {

void place(QWidget* widget, double x, double y, double width, double height) {
    station::ui::placeTwips(widget, x * kTwipsPerDesignPixel, y * kTwipsPerDesignPixel, width * kTwipsPerDesignPixel,
                            height * kTwipsPerDesignPixel);
}

void SetDesignFont(QWidget* window) {
    QFont font = window->font();
    font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(8.25);
    window->setFont(font);
}

}  // namespace rig::ui
