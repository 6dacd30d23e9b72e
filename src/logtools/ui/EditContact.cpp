#include "logtools/ui/EditContact.h"

#include <memory>

#include "logging/Scoring.h"
#include "logtools/ui/DEEditInfrm.h"
#include "logtools/ui/DEEditOut.h"
#include "platform/Platform.h"
#include "session/Session.h"
#include "station/LogStore.h"

namespace logtools::ui {

bool EditContact(Session& session, int index, QWidget* parent, std::function<void()> cmdDelete,
                 std::function<void()> refresh) {
    session.contest.EditIndex = index;
    const bool outOfState = session.profile.OutOfState == 1;
    {
        std::unique_ptr<ContactEditDialog> dialog;
        if (outOfState) {
            dialog = std::make_unique<DEEditOut>(session, std::move(cmdDelete), parent);
        } else {
            dialog = std::make_unique<DEEditInfrm>(session, std::move(cmdDelete), parent);
        }
        dialog->exec();
    }
    const bool rewritten = station::RewriteLog(session);
    if (!rewritten) {
        // The reload below reads log.txt as it still is: the operator must know the edit is gone.
        session.platform.dialogs.messageBox("Unable to write log.txt - change NOT saved.",
                                            platform::MsgButtons::OK, platform::MsgIcon::Critical, "File Error");
    }
    if (refresh) {
        refresh();
    } else {
        logging::RefreshFromLog(session, outOfState ? logging::WindowKind::OutOfState : logging::WindowKind::InState,
                                true);
    }
    return rewritten;
}

}  // namespace logtools::ui
