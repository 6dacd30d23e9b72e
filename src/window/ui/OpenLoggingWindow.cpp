#include "window/ui/OpenLoggingWindow.h"

#include <QTimer>

#include "station/Session.h"
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
    return w;
}

}  // namespace window
