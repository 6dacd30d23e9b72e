#include "logtools/ui/LogToolWindows.h"

#include <QListWidget>

#include "logtools/ui/CountyMapFL.h"
#include "logtools/ui/DECabrilloIn.h"
#include "logtools/ui/GraphQSO.h"
#include "logtools/ui/frmCountyChange.h"
#include "logtools/ui/frmCountyChangeRover.h"
#include "logtools/ui/frmCountyList.h"
#include "platform/qt/Text.h"
#include "window/ui/LoggingWindow.h"
#include "window/ui/ToolWindows.h"

namespace logtools::ui {

namespace {

window::ui::LoggingWindow* loggingWindow(QWidget* parent) {
    return parent ? qobject_cast<window::ui::LoggingWindow*>(parent->window()) : nullptr;
}

// The counties the live window lists as worked.
std::vector<std::string> workedCounties(QWidget* parent) {
    std::vector<std::string> names;
    if (auto* w = loggingWindow(parent); w && w->List2) {
        for (int i = 0; i < w->List2->count(); ++i) names.push_back(platform::qt::fromQ(w->List2->item(i)->text()));
    }
    return names;
}

}  // namespace

void RegisterLogToolWindows() {
    using window::ToolWindow;
    auto& reg = window::ui::ToolWindows::instance();
    reg.registerFactory(ToolWindow::DECabrilloIn, [](Session& s, QWidget* parent) -> QWidget* {
        return new DECabrilloIn(s, parent);
    });
    reg.registerFactory(ToolWindow::frmCountyList, [](Session& s, QWidget* parent) -> QWidget* {
        auto* w = loggingWindow(parent);
        return new frmCountyList(s, w ? w->txtSec : nullptr, parent);
    });
    reg.registerFactory(ToolWindow::GraphQSO, [](Session& s, QWidget* parent) -> QWidget* {
        return new GraphQSO(s, parent);
    });
    reg.registerFactory(ToolWindow::CountyMapFL, [](Session& s, QWidget* parent) -> QWidget* {
        return new CountyMapFL(s, workedCounties(parent), parent);
    });
    reg.registerFactory(ToolWindow::frmCountyChangeRover, [](Session& s, QWidget* parent) -> QWidget* {
        return new frmCountyChangeRover(s, parent);
    });
    reg.registerFactory(ToolWindow::frmCountyChange, [](Session& s, QWidget* parent) -> QWidget* {
        // The rover list belongs to the logging window, not to this dialog: it stays loaded
        // after the county change dialog is discarded.
        auto rover = [&s, parent]() -> frmCountyChangeRover* {
            auto& r = window::ui::ToolWindows::instance();
            r.open(ToolWindow::frmCountyChangeRover, window::OpenWay::Modal, s, parent);
            return qobject_cast<frmCountyChangeRover*>(r.loaded(ToolWindow::frmCountyChangeRover));
        };
        return new frmCountyChange(s, rover, parent);
    });
}

}  // namespace logtools::ui
