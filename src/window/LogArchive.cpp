#include "window/LogArchive.h"

#include <exception>

#include "session/Session.h"
#include "station/LogStore.h"
#include "station/UserFolders.h"

namespace window {

namespace {
constexpr const char* kFilter = "Log Files (*.log)|*.log";

void info(Session& session, const std::string& text, const std::string& title) {
    session.platform.dialogs.messageBox(text, platform::MsgButtons::OK, platform::MsgIcon::Information, title);
}

void error(Session& session, const std::string& text, const std::string& title) {
    session.platform.dialogs.messageBox(text, platform::MsgButtons::OK, platform::MsgIcon::None, title);
}

// Restore done: the operator sees that it worked and how big the log now is.
void restored(Session& session, const std::string& from, size_t contacts) {
    info(session,
         "The log was restored from:\r\n\r\n" + platform::PathText(from) + "\r\n\r\nlog.txt now holds " +
             std::to_string(contacts) + (contacts == 1 ? " contact." : " contacts."),
         "Log Restored");
}

bool ensureBackupFolder(Session& session) {
    auto& files = session.platform.files;
    const std::string folder = session.folders.BackupFolder();
    return files.isDirectory(folder) || files.makeDirectory(folder);
}
}  // namespace

std::string ProposedArchiveName(Session& session) {
    return platform::joinPath(session.folders.BackupFolder(),
                              station::CallToFileStem(session.profile.StationCall) +
                                  session.platform.clock.localNow().format("yyyy-mm-dd") + ".log");
}

void mnuArchive_Click(Session& session) {
    info(session,
         "This function is used to create a permanent copy of your currently open log file.  To open your log file "
         "at a later date, click File > Restore from Archive or Backup.",
         "Archive Information");
    ensureBackupFolder(session);
    platform::FileDialogRequest request;
    request.title = "Archive Current Log";
    request.defaultName = ProposedArchiveName(session);
    request.filter = kFilter;
    request.overwritePrompt = true;
    const auto chosen = session.platform.dialogs.saveFileDialog(request);
    if (!chosen) return;
    const std::string log = session.programFile("log.txt");
    if (!session.platform.files.exists(log)) {
        error(session, "There is no log.txt to archive.", "Error Archiving Log");
        return;
    }
    if (!session.platform.files.copy(log, *chosen, true)) {
        error(session, "Unable to copy log.txt to " + *chosen + ".", "Error Archiving Log");
    }
}

bool mnuRestore_Click(Session& session, const std::function<void()>& refresh) {
    auto& files = session.platform.files;
    auto& dialogs = session.platform.dialogs;
    info(session,
         "This action will open an archived log or backup file and creates a working file called log.txt.  If you "
         "make any changes to your archived data that you would like to permanently save, before you click File > "
         "New to start a new contest, be sure to click File > Archive to save your changes.",
         "Opening Archived Data Information");

    // Ask whenever contacts would be replaced: those in memory, or those in the file when the
    // window could not load it.
    const std::string log = session.programFile("log.txt");
    const auto current = files.exists(log) ? files.readAll(log) : std::optional<std::string>(std::string());
    const bool fileHasContacts = !current || current->find_first_not_of(" \t\r\n") != std::string::npos;
    if (session.log.ContactCount() > 0 || fileHasContacts) {
        const auto answer = dialogs.messageBox(
            "Are you sure that you want to open an archived log?  This action will clear and replace existing QSO "
            "data.",
            platform::MsgButtons::YesNo, platform::MsgIcon::None, "Are your sure?");
        if (answer != platform::MsgResult::Yes) return false;
    }

    ensureBackupFolder(session);
    platform::FileDialogRequest request;
    request.title = "Restore from Archive or Backup";
    request.defaultName = session.folders.BackupFolder() + "/";
    request.filter = kFilter;
    const auto chosen = dialogs.openFileDialog(request);
    if (!chosen) return false;

    const auto bytes = files.readAll(*chosen);
    if (!bytes) {
        error(session, "Unable to read " + *chosen + ".", "Error Restoring Log");
        return false;
    }
    size_t contacts = 0;
    try {
        contacts = station::ParseLog(*bytes).size();
    } catch (const std::exception& e) {
        error(session, *chosen + " is not a readable log (" + e.what() + "). log.txt was not changed.",
              "Error Restoring Log");
        return false;
    }
    if (fileHasContacts && current && *current == *bytes) {
        refresh();  // the working log itself, or an identical copy: nothing to replace
        restored(session, *chosen, contacts);
        return true;
    }
    if (fileHasContacts) {
        const std::string copy = platform::joinPath(session.folders.BackupFolder(), station::BackupFileName(session));
        if (!current || !files.writeAtomic(copy, *current)) {
            error(session, "Unable to copy log.txt to the BACKUP folder. log.txt was not changed.",
                  "Error Restoring Log");
            return false;
        }
    }
    if (!files.writeAtomic(log, *bytes)) {
        error(session, "Unable to write log.txt. It was not changed.", "Error Restoring Log");
        return false;
    }
    session.log.ChangedSinceLoad = true;  // the closing backup keeps the restored log too
    refresh();
    restored(session, *chosen, contacts);
    return true;
}

}  // namespace window
