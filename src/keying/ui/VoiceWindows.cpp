#include "keying/ui/VoiceWindows.h"

#include <QApplication>

#include "keying/ui/BlindFrm.h"
#include "keying/ui/PhoneFrm.h"
#include "keying/ui/frmWinKey.h"
#include "session/Session.h"
#include "window/ui/ToolWindows.h"

namespace keying::ui {

void RegisterVoiceAndWinKeyWindows(Session& session) {
    using window::ToolWindow;
    auto& reg = window::ui::ToolWindows::instance();
    reg.registerFactory(ToolWindow::BlindFrm, [](Session& s, QWidget* parent) -> QWidget* {
        auto* w = new BlindFrm(s, parent);
        w->Form_Load();
        return w;
    });
    reg.registerFactory(ToolWindow::PhoneFrm, [](Session& s, QWidget* parent) -> QWidget* {
        auto* w = new PhoneFrm(s, parent);
        w->Form_Load();
        return w;
    });
    reg.registerFactory(ToolWindow::frmWinKey, [](Session& s, QWidget* parent) -> QWidget* {
        auto* w = new frmWinKey(s, parent);
        w->Form_Load();
        return w;
    });
    session.phoneKeyer.showSettingsModal = [&session] {
        auto& tools = window::ui::ToolWindows::instance();
        QWidget* shown = tools.loaded(ToolWindow::PhoneFrm);
        if (shown && shown->isVisible()) return;
        tools.open(ToolWindow::PhoneFrm, window::OpenWay::Modal, session, QApplication::activeWindow());
    };
    session.keyers.onWinKeyChosen = [&session] {
        window::ui::ToolWindows::instance().load(ToolWindow::frmWinKey, session, QApplication::activeWindow());
    };
}

}  // namespace keying::ui
