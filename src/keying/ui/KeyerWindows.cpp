#include "keying/ui/KeyerWindows.h"

#include <QApplication>

#include "keying/ui/CWFrm.h"
#include "session/Session.h"
#include "window/ui/ToolWindows.h"

namespace keying::ui {

void RegisterKeyerWindows(Session& session) {
    using window::ToolWindow;
    auto& reg = window::ui::ToolWindows::instance();
    reg.registerFactory(ToolWindow::CWFrm, [](Session& s, QWidget* parent) -> QWidget* { return new CWFrm(s, parent); });
    session.keyers.cw.showSettingsModal = [&session] {
        auto& tools = window::ui::ToolWindows::instance();
        QWidget* shown = tools.loaded(ToolWindow::CWFrm);
        if (shown && shown->isVisible()) return;
        tools.open(ToolWindow::CWFrm, window::OpenWay::Modal, session, QApplication::activeWindow());
    };
}

}  // namespace keying::ui
