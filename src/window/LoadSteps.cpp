#include "window/LoadSteps.h"

#include <exception>
#include <string>

#include "session/Session.h"
#include "station/Tables.h"

namespace window {

bool LoadCountyTableStep(Session& session) {
    try {
        station::LoadCountyTable(session);
        return true;
    } catch (const std::exception& e) {
        session.platform.dialogs.messageBox(
            std::string("Unable to load the county table county2.txt (") + e.what() +
                ").\r\n\r\nCounties cannot be checked or counted until the file is restored and the program "
                "is started again.",
            platform::MsgButtons::OK, platform::MsgIcon::Critical, "File Error");
        return false;
    }
}

}  // namespace window
