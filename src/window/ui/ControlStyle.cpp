#include "window/ui/ControlStyle.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>

namespace window::ui {

void StyleControl(QWidget* widget, const ControlDesign& c) {
    auto* label = qobject_cast<QLabel*>(widget);
    switch (c.look) {
    case Look::Plain:
    case Look::Heading:
        if (label) label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    case Look::Value:
        if (label) {
            label->setAlignment(Qt::AlignCenter);
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            label->setAutoFillBackground(true);
            label->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; }"));
        }
        break;
    case Look::Number:
        if (label) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case Look::Status:
        if (label) {
            // Centred: the operator's eye finds a message in the middle of the line at once.
            label->setAlignment(Qt::AlignCenter);
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            label->setStyleSheet(QStringLiteral("QLabel { background: %1; color: black; padding-left: 3px; }")
                                     .arg(QLatin1String(kStatusTeal)));
        }
        break;
    case Look::Marker:
        if (label) {
            label->setAlignment(Qt::AlignCenter);
            label->setStyleSheet(QStringLiteral("QLabel { color: white; background: #C00000; }"));
        }
        break;
    case Look::GridCell:
        if (label) {
            label->setAlignment(Qt::AlignCenter);
            label->setStyleSheet(QStringLiteral("QLabel { background: #C0C0C0; color: black; }"));
        }
        break;
    case Look::Caption:
        if (label) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setFrameShape(QFrame::Box);
            label->setStyleSheet(QStringLiteral("QLabel { background: #000080; color: white; }"));
        }
        break;
    case Look::Panel:
        if (label) {
            label->setFrameShape(QFrame::Box);
            label->setStyleSheet(QStringLiteral("QLabel { background: #000080; border: 1px solid #808080; }"));
        }
        break;
    case Look::BandMapScale:
        if (label) {
            label->setAlignment(Qt::AlignCenter);
            label->setStyleSheet(QStringLiteral("QLabel { background: transparent; color: white; }"));
        }
        break;
    case Look::BandMapSpot:
        // Coloured through the palette by each pass (a style sheet per label would be re-read
        // at every redraw).
        if (label) label->setAlignment(Qt::AlignCenter);
        break;
    }
}

}  // namespace window::ui
