#include "station/ui/FormResize.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "platform/qt/Text.h"
#include "station/Station.h"
#include "station/ui/WindowFrame.h"

namespace station::ui {

namespace {
struct Captured {
    FormGeometry geometry;
    std::vector<QWidget*> widgets;  // parallel to geometry.controls
};

bool hasFont(ControlKind k) { return k != ControlKind::Image && k != ControlKind::Line && k != ControlKind::Other; }

void collect(QWidget* parent, Captured& out, double k) {
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow()) continue;
        const ControlKind kind = kindOf(w);
        if (kind == ControlKind::Other) {
            if (QString(w->metaObject()->className()) == "QWidget") collect(w, out, k);
            continue;
        }
        ControlGeometry c;
        c.kind = kind;
        c.left = w->x() / k;
        c.top = w->y() / k;
        c.width = w->width() / k;
        c.height = w->height() / k;
        c.fontSize = hasFont(kind) ? w->font().pointSizeF() : 0;
        if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            for (int i = 0; i < tree->columnCount(); ++i) c.columnWidths.push_back(tree->header()->sectionSize(i) / k);
        }
        out.geometry.controls.push_back(c);
        out.widgets.push_back(w);
        if (kind == ControlKind::Frame) collect(w, out, k);
    }
}

Captured capture(QWidget& form) {
    const double k = pixelsPerTwip(&form);
    Captured c;
    c.geometry.left = form.x() / k;
    c.geometry.top = form.y() / k;
    c.geometry.width = form.width() / k;
    c.geometry.height = form.height() / k;
    c.geometry.fontSize = form.font().pointSizeF();
    collect(&form, c, k);
    return c;
}

void setFontSize(QWidget* w, double size, const std::string& family) {
    QFont f = w->font();
    if (!family.empty()) f.setFamily(platform::qt::toQ(family));
    if (std::isfinite(size) && size > 0) f.setPointSizeF(std::max(1.0, size));
    w->setFont(f);
}

// `outerPlaced`: the geometry's left and top already place the window with its frame.
void apply(QWidget& form, const Captured& c, const platform::TwipsRect& screen, const std::string& family = {},
           bool outerPlaced = false) {
    const double k = pixelsPerTwip(&form);
    const auto& g = c.geometry;
    // Fonts are set explicitly on every control, so the window's new font is not inherited on
    // top of a control's own scaling.
    setFontSize(&form, g.fontSize, family);
    for (size_t i = 0; i < c.widgets.size(); ++i) {
        QWidget* w = c.widgets[i];
        const auto& cg = g.controls[i];
        if (hasFont(cg.kind)) setFontSize(w, cg.fontSize, family);
        w->setGeometry(static_cast<int>(std::lround(cg.left * k)), static_cast<int>(std::lround(cg.top * k)),
                       std::max(1, static_cast<int>(std::lround(cg.width * k))),
                       std::max(1, static_cast<int>(std::lround(cg.height * k))));
        if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            for (int col = 0; col < static_cast<int>(cg.columnWidths.size()) && col < tree->columnCount(); ++col)
                tree->header()->resizeSection(col, static_cast<int>(std::lround(cg.columnWidths[col] * k)));
        }
    }
    form.resize(std::max(1, static_cast<int>(std::lround(g.width * k))),
                std::max(1, static_cast<int>(std::lround(g.height * k))));
    // The place was worked out for the window's inner size; the frame the window manager adds
    // goes around it evenly, so a window centred in the area stays centred with its frame and
    // one as tall as the area does not stick out below it. Left and top stay in the area.
    QPoint at(static_cast<int>(std::lround((screen.left + g.left) * k)),
              static_cast<int>(std::lround((screen.top + g.top) * k)));
    if (!outerPlaced) {
        const QMargins frame = FrameMargins(form);
        at -= QPoint((frame.left() + frame.right()) / 2, (frame.top() + frame.bottom()) / 2);
        at = QPoint(std::max(at.x(), static_cast<int>(std::lround(screen.left * k))),
                    std::max(at.y(), static_cast<int>(std::lround(screen.top * k))));
    }
    form.move(at);
}

void reportFailure(station::Station& station, const char* what) {
    station.platform.dialogs.messageBox(what, platform::MsgButtons::OK, platform::MsgIcon::None, "Form Resize Error");
}
}  // namespace

double pixelsPerTwip(const QWidget* widget) {
    const QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / 1440.0;
}

void placeTwips(QWidget* w, double left, double top, double width, double height) {
    const double k = pixelsPerTwip(w);
    w->setGeometry(static_cast<int>(std::lround(left * k)), static_cast<int>(std::lround(top * k)),
                   std::max(1, static_cast<int>(std::lround(width * k))),
                   std::max(1, static_cast<int>(std::lround(height * k))));
}

ControlKind kindOf(const QWidget* w) {
    if (w->property("image").toBool()) return ControlKind::Image;
    if (qobject_cast<const QComboBox*>(w)) return ControlKind::ComboBox;
    if (qobject_cast<const QTreeWidget*>(w) || qobject_cast<const QTableWidget*>(w)) return ControlKind::ListView;
    if (qobject_cast<const QListWidget*>(w)) return ControlKind::ListBox;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w))
        return ControlKind::TextBox;
    if (qobject_cast<const QPushButton*>(w)) return ControlKind::CommandButton;
    if (qobject_cast<const QCheckBox*>(w)) return ControlKind::CheckBox;
    if (qobject_cast<const QRadioButton*>(w)) return ControlKind::OptionButton;
    if (qobject_cast<const QGroupBox*>(w)) return ControlKind::Frame;
    if (qobject_cast<const QLabel*>(w)) return ControlKind::Label;
    if (auto* f = qobject_cast<const QFrame*>(w)) {
        if (f->frameShape() == QFrame::HLine || f->frameShape() == QFrame::VLine) return ControlKind::Line;
    }
    return ControlKind::Other;
}

void ScaleFormSelf(QWidget& form, station::Station& station, const ScaleChoices& choices) {
    try {
        const auto screen = station.platform.screen.screenTwips();
        Captured c = capture(form);
        ScaleForm(c.geometry, screen.width, screen.height, choices);
        apply(form, c, screen);
    } catch (const std::exception& e) {
        reportFailure(station, e.what());
    }
}

void ScaleFormToArea(QWidget& form, station::Station& station, const platform::TwipsRect& area, const ScaleChoices& choices) {
    try {
        Captured c = capture(form);
        ScaleForm(c.geometry, area.width, area.height, choices);
        apply(form, c, area);
    } catch (const std::exception& e) {
        reportFailure(station, e.what());
    }
}

void ResizeForm(QWidget& form, station::Station& station) { ScaleFormSelf(form, station, ScaleChoices{}); }

ScaleChoices DialogScaleChoices() {
    ScaleChoices choices;
    choices.raise = false;
    choices.windowFont = ScaleChoices::WindowFont::WidthRatio;
    choices.controlFont = ScaleChoices::ControlFont::WidthRatioAtMost15;
    return choices;
}

void ScaleToWorkArea(QWidget& form, station::Station& station) {
    ScaleChoices choices = DialogScaleChoices();
    choices.fontWidthRatio = station.platform.screen.screenTwips().width / kDesignScreenWidth;
    ScaleFormToArea(form, station, station.platform.screen.workAreaTwips(), choices);
}

void ScaleDialogToScreen(QWidget& form, station::Station& station) { ScaleFormSelf(form, station, DialogScaleChoices()); }

void ResizeFormTo(QWidget& form, station::Station& station, float newWidth, float newHeight, float designWidth,
                  float designHeight, uint8_t exactSize, float fontFactor, const std::string& fontName) {
    try {
        Captured c = capture(form);
        const double k = pixelsPerTwip(&form);
        if (form.isVisible()) {
            c.geometry.frameWidth = (form.frameGeometry().width() - form.width()) / k;
            c.geometry.frameHeight = (form.frameGeometry().height() - form.height()) / k;
            c.geometry.width += c.geometry.frameWidth;
            c.geometry.height += c.geometry.frameHeight;
        }
        ScaleFormTo(c.geometry, newWidth, newHeight, designWidth, designHeight, exactSize == 1, fontFactor);
        c.geometry.width -= c.geometry.frameWidth;
        c.geometry.height -= c.geometry.frameHeight;
        apply(form, c, platform::TwipsRect{}, fontName, true);
    } catch (const std::exception& e) {
        reportFailure(station, e.what());
    }
}

}  // namespace station::ui
