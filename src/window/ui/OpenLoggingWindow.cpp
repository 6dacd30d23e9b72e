#include "window/ui/OpenLoggingWindow.h"

#include <QTimer>

#include "session/Session.h"
#include "spots/SpotSettings.h"
#include "spots/SpotSetupRules.h"
#include "window/ui/ToolWindows.h"
#include "window/ui/Infrm.h"
#include "window/ui/Outfrm.h"

namespace window {

ui::LoggingWindow* OpenLoggingWindow(Session& session, QWidget* setupWindow) {
    ui::LoggingWindow* w = session.profile.OutOfState != 0 ? static_cast<ui::LoggingWindow*>(new ui::Outfrm(session))
                                                           : static_cast<ui::LoggingWindow*>(new ui::Infrm(session));
    w->setAttribute(Qt::WA_DeleteOnClose);
    if (setupWindow) setupWindow->close();
    w->Form_Load();
    w->show();
    // A spot source chosen in an earlier run opens again: the spotting setup window is loaded
    // hidden (its load opens the source) and lays out the spot panel.
    const auto saved = spots::LoadPackSpot(session, {});
    if (saved.items >= 7 && spots::SourceKind(saved.values.SpotSource) != spots::SpotSourceKind::None) {
        if (QWidget* spotting = ui::ToolWindows::instance().load(ToolWindow::PacketSpotfrm, session, w))
            QMetaObject::invokeMethod(spotting, "LayOutSpotPanel");
    }
    return w;
}

}  // namespace window
