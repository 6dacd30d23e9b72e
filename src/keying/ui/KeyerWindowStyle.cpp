#include "keying/ui/KeyerWindowStyle.h"

#include <QFont>
#include <QLabel>
#include <QWidget>

#include "session/Session.h"
#include "station/ui/FormResize.h"

namespace keying::ui {

void place(QWidget* widget, double x, double y, double width, double height) {
    constexpr double twips = 15;
    station::ui::placeTwips(widget, x * twips, y * twips, width * twips, height * twips);
}

QLabel* text(QWidget* parent, const char* caption, double left, double top, double width, double height,
             bool bold) {
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    station::ui::placeTwips(l, left, top, width, height);
    return l;
}

void SetDesignFont(QWidget* window) {
    QFont font = window->font();
    font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(8.25);
    window->setFont(font);
}

void ScaleToWorkArea(QWidget& window, Session& session) {
    station::ScaleChoices choices = station::ui::DialogScaleChoices();
    choices.fontWidthRatio = session.platform.screen.screenTwips().width / station::kDesignScreenWidth;
    station::ui::ScaleFormToArea(window, session, session.platform.screen.workAreaTwips(), choices);
}

}  // namespace keying::ui
