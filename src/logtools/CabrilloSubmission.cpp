#include "logtools/CabrilloSubmission.h"

#include <cmath>

#include "logging/Scoring.h"
#include "logging/Text.h"
#include "platform/Platform.h"
#include "session/Session.h"
#include "station/UserFolders.h"
#include "station/XmlPrefs.h"

namespace logtools {

namespace {

const char* const kSettingKeys[] = {"UserAddressName", "UserAddressLine1", "UserAddressLine2", "UserEMail",
                                    "UserClubName"};
const char* const kXmlKeys[] = {"OWN_ADDRESS_NAME", "OWN_ADDRESS_Line1", "OWN_ADDRESS_Line2", "OWN_EMAIL",
                                "OWN_CLUB_NAME"};

void reportFailure(Session& session, const std::string& path) {
    session.platform.dialogs.beep();
    session.platform.dialogs.messageBox("The file " + path + " could not be written.", platform::MsgButtons::OK,
                                        platform::MsgIcon::None, "Unable to write file.");
}

}  // namespace

SummaryTexts LoadSummaryTexts(Session& session) {
    auto get = [&](const char* key) { return session.platform.settings.get(kSummaryApp, kSummarySection, key, ""); };
    return {get(kSettingKeys[0]), get(kSettingKeys[1]), get(kSettingKeys[2]), get(kSettingKeys[3]),
            get(kSettingKeys[4])};
}

int64_t LiveTotalScore(Session& session) {
    const auto kind = session.profile.OutOfState == 1 ? logging::WindowKind::OutOfState : logging::WindowKind::InState;
    return static_cast<int64_t>(std::llround(logging::TotalScore(session.contest.score, kind)));
}

SubmissionResult WriteCabrilloSubmission(Session& session, const CabrilloOptions& options, int64_t score) {
    auto& dialogs = session.platform.dialogs;
    session.profile.StationCall = logging::Trim(session.profile.StationCall);
    if (const auto refusal = CheckCabrillo(session.profile, session.log, session.counties, options.useAbbreviations)) {
        dialogs.beep();
        dialogs.messageBox(refusal->message, platform::MsgButtons::OK, platform::MsgIcon::Exclamation, refusal->title);
        return SubmissionResult::Refused;
    }

    platform::FileDialogRequest request;
    request.title = "Save As";
    request.defaultName = platform::joinPath(session.folders.UserFolder,
                                             station::CallToFileStem(session.profile.StationCall) + ".log");
    request.filter = "LOG Files (*.log) | *.log";
    request.overwritePrompt = true;
    const auto chosen = dialogs.saveFileDialog(request);
    if (!chosen) return SubmissionResult::Cancelled;
    const std::string& path = *chosen;

    const auto lines = CabrilloLines(session.profile, session.log, session.counties, options, score,
                                     session.ProgramVersion);
    // Through a temporary file: a failure never leaves half a file over an earlier one.
    if (!session.platform.files.writeAtomic(path, CabrilloText(lines))) {
        reportFailure(session, path);
        return SubmissionResult::WriteFailed;
    }

    dialogs.beep();
    dialogs.messageBox("The file was successfully written to the directory:\r\n\r\n" + path +
                           ".\r\n\r\nAttach this file to an e-mail addressed for contest submission.  If you wish to "
                           "print this file, you can open it with Notepad or Wordpad to print.",
                       platform::MsgButtons::OK, platform::MsgIcon::None, "File Written Successfully.");
    dialogs.beep();
    dialogs.messageBox("Thank you for taking part in the Florida QSO Party.  Good luck, and 73!",
                       platform::MsgButtons::OK, platform::MsgIcon::None, "  Thanks!");

    const std::string texts[] = {logging::Trim(options.name), logging::Trim(options.address1), logging::Trim(options.address2),
                                 logging::Trim(options.email), logging::Trim(options.club)};
    for (size_t i = 0; i < 5; ++i) session.platform.settings.save(kSummaryApp, kSummarySection, kSettingKeys[i], texts[i]);

    // The shared preferences are rewritten whole: a file that exists but cannot be read is left
    // alone rather than replaced by the five texts alone.
    bool saved = !session.xmlPrefs.XmlPrefsPath.empty() ||
                 station::OpenXmlPrefs(session, platform::joinPath(session.folders.SharedFolder, "SharedUserPreferences.xml"));
    if (!saved) {
        session.xmlPrefs.XmlPrefsPath.clear();
        reportFailure(session, platform::joinPath(session.folders.SharedFolder, "SharedUserPreferences.xml"));
        return SubmissionResult::StoreFailed;
    }
    for (size_t i = 0; i < 5; ++i) {
        std::string key = kXmlKeys[i];
        saved = station::SetXmlValue(session, key, texts[i], i == 4 ? 1 : 0) && saved;
    }
    if (!saved) {
        reportFailure(session, session.xmlPrefs.XmlPrefsPath);
        return SubmissionResult::StoreFailed;
    }
    return SubmissionResult::Written;
}

}  // namespace logtools
