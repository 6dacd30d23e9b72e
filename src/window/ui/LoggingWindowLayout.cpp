// Layout of the logging window: the twip geometry of the core applied to the widgets, the
// reduced form size, the fit to the screen or its work area, and the side lists.

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>
#include <QTreeWidget>
#include <QWidget>
#include <cmath>

#include "session/Session.h"
#include "station/Profile.h"
#include "station/ui/WindowKit.h"
#include "window/FormSize.h"
#include "window/ui/LoggingWindow.h"

namespace window::ui {

using station::ui::ControlFont;

namespace {
int px(float twips, double tpp) { return static_cast<int>(std::lround(twips / tpp)); }
}  // namespace

void LoggingWindow::applyWindowGeometry() {
    const double tpp = twipsPerPixel();
    const auto& g = *geometry_;
    // The twip size is the outer size of the window; the frame the window manager adds (title
    // bar, borders) is taken off, so the whole window fits where the size says, from the moment
    // it is mapped (the bottom of a window filling the screen was off it by the title bar).
    const QMargins frame = frameFit_->frameForFitting();
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    // A window narrower than the screen (a form size below 100 %) has room beside it for the
    // side borders: they go around the layout, so its right-hand controls are not cut off.
    const int screenWidth = px(static_cast<float>(session_.platform.screen.screenTwips().width), tpp);
    const bool reduced = session_.profile.FormSizePercent < 100;
    const int sides = reduced && screenWidth - px(g.width, tpp) >= frameExtra.width() ? frameExtra.width() : 0;
    move(px(g.left, tpp) - sides / 2, px(g.top, tpp));
    resize(std::max(1, px(g.width, tpp) - frameExtra.width() + sides),
           std::max(1, px(g.height, tpp) - frameExtra.height()));
}

void LoggingWindow::applyControl(size_t i) {
    const double tpp = twipsPerPixel();
    const auto c = geometry_->effective(static_cast<int>(i));
    const auto& d = design_.controls[i];
    QWidget* w = widgets_[i];
    if (c.kind == ControlKind::Line) {
        // A line is drawn as a thin frame from (X1, Y1) to (X2, Y2).
        const int x1 = px(c.left, tpp), y1 = px(c.top, tpp), x2 = px(c.width, tpp), y2 = px(c.height, tpp);
        w->setGeometry(std::min(x1, x2), std::min(y1, y2) - 1, std::max(2, std::abs(x2 - x1)),
                       std::max(2, std::abs(y2 - y1) + 2));
        return;
    }
    w->setGeometry(px(c.left, tpp), px(c.top, tpp), std::max(0, px(c.width, tpp)), std::max(0, px(c.height, tpp)));
    w->setFont(ControlFont(c.fontPt, d.bold));
    if (auto* tree = qobject_cast<QTreeWidget*>(w)) tree->header()->setFont(ControlFont(c.fontPt, false));
    if (auto* list = qobject_cast<QListWidget*>(w); list && !(inState() && list == List1)) {
        // Columns wide enough for "Hillsborough"; a list narrower than that keeps one column.
        const QFontMetrics fm(list->font());
        const int column = fm.horizontalAdvance(QStringLiteral("Hillsborough")) + fm.averageCharWidth() * 2;
        const int usable = std::max(1, list->width() - list->verticalScrollBar()->sizeHint().width() - 4);
        // Rows as tall as the names' ink and a little air: the face's line height leaves room
        // for accents the county names never have, and showed only four rows at 1024 x 768.
        const int row = fm.tightBoundingRect(QStringLiteral("Hillsborough")).height() + 4;
        list->setGridSize(QSize(std::min(column, usable), std::min(row, fm.height() + 2)));
    }
}

void LoggingWindow::applyGeometry() {
    const double tpp = twipsPerPixel();
    const auto& g = *geometry_;
    applyWindowGeometry();
    for (size_t i = 0; i < widgets_.size(); ++i) applyControl(i);
    auto columns = [tpp](QTreeWidget* tree, const std::vector<float>& widths) {
        for (size_t i = 0; i < widths.size() && static_cast<int>(i) < tree->columnCount(); ++i) {
            tree->setColumnWidth(static_cast<int>(i), px(widths[i], tpp));
        }
    };
    columns(ListView1, g.listView1Columns);
    columns(txtDX, g.txtDXColumns);
}

void LoggingWindow::SizeSideLists() {
    geometry_->SizeSideLists(design_.find("List1"), design_.find("List2"), design_.find("List3"),
                             design_.find("Line3"));
    const double tpp = twipsPerPixel();
    for (auto* list : {List1, List2, List3}) {
        if (!list) continue;
        const auto c = geometry_->effective(design_.find(list->objectName().toStdString()));
        list->setGeometry(px(c.left, tpp), px(c.top, tpp), px(c.width, tpp), std::max(0, px(c.height, tpp)));
    }
}

void LoggingWindow::ScaleFormToScreen() {
    const int p = EffectiveFormSize(session_.profile.FormSizePercent);
    const auto screenArea = session_.platform.screen.screenTwips();
    if (!geometry_->ScaleFormToScreen(p, static_cast<float>(screenArea.width), static_cast<float>(screenArea.height))) {
        // The window stays as the load scaled it, and the next start is at full size.
        session_.profile.FormSizePercent = 100;
        station::SavePreferences(session_);
    }
    applyGeometry();
    SizeSideLists();
}

void LoggingWindow::FitFormToWorkArea() {
    auto& p = session_.profile;
    menuItem("mnuTaskbar")->setChecked(p.ShowTaskbar != 0);
    if (p.FormSizePercent != 100) return;
    setUpdatesEnabled(false);
    // The window goes to the corner of the area it fills: with a panel on the left or at the
    // top, the work area does not start at the screen's corner.
    geometry_->FitToArea(p.ShowTaskbar == 1 ? session_.platform.screen.workAreaTwips()
                                            : session_.platform.screen.screenTwips());
    applyGeometry();
    SizeSideLists();
    setUpdatesEnabled(true);
    if (loaded_) show();
}

void LoggingWindow::mnuFormSize_Click() {
    auto& p = session_.profile;
    auto& dialogs = session_.platform.dialogs;
    const std::string answer = dialogs.inputBox(
        "Enter the % of the screen you would like the form to cover.  Try between 90 and 100 for best results.  "
        "Values below 75 do not display well.",
        "Please enter screen percentage.", std::to_string(int(p.FormSizePercent)));
    const auto percent = ParseFormSizeAnswer(answer);
    if (!percent) {
        dialogs.messageBox("Please enter only numeric values.", platform::MsgButtons::OK, platform::MsgIcon::None,
                           "Numeric Values Required");
        return;
    }
    p.FormSizePercent = *percent;
    dialogs.messageBox("This program must be closed and restarted for this setting to take effect.",
                       platform::MsgButtons::OK, platform::MsgIcon::None,
                       "For this setting to take effect please restart this program.");
    station::SavePreferences(session_);
}

void LoggingWindow::mnuTaskbar_Click() {
    auto& p = session_.profile;
    if (p.FormSizePercent != 100) {
        session_.platform.dialogs.messageBox("The form size must be set to 100% to use the taskbar display option.",
                                             platform::MsgButtons::OK, platform::MsgIcon::None,
                                             "Please set your form size to 100% to use this option.");
        menuItem("mnuTaskbar")->setChecked(p.ShowTaskbar != 0);
        return;
    }
    p.ShowTaskbar = p.ShowTaskbar == 0 ? 1 : 0;
    station::SavePreferences(session_);
    FitFormToWorkArea();
}

}  // namespace window::ui
