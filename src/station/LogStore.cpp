#include "station/LogStore.h"

#include <cctype>

#include "station/ContactLog.h"
#include "station/Profile.h"
#include "station/Session.h"

namespace station {

namespace {
const char* kLogName = "log.txt";

std::string logPath(Session& session) { return session.programFile(kLogName); }

// Copies log.txt into BACKUP under a fresh name; true on success.
bool copyLogToBackup(Session& session) {
    auto& files = session.platform.files;
    const std::string backup = session.folders.BackupFolder();
    if (!files.isDirectory(backup) && !files.makeDirectory(backup)) return false;
    return files.copy(logPath(session), platform::joinPath(backup, BackupFileName(session)), false);
}
}  // namespace

std::string ContactLine(const ContactRecord& r) {
    WriteFormLine line;
    line.text(r.Call).text(r.RstSent).text(r.RstReceived).text(r.Spc).text(r.County).text(r.AltState)
        .text(r.CountySent).text(r.Spare8).text(r.Spare9).text(r.Spare10).text(r.Spare11).text(r.QsoDate)
        .text(r.QsoTime).text(r.Mode).text(r.Band).dbl(r.SpareNumber).text(r.Spare17).text(r.Spare18)
        .text(r.Frequency);
    return line.line();
}

ContactRecord ReadContact(WriteFormReader& in) {
    ContactRecord r;
    r.Call = in.readText();
    r.RstSent = in.readText();
    r.RstReceived = in.readText();
    r.Spc = in.readText();
    r.County = in.readText();
    r.AltState = in.readText();
    r.CountySent = in.readText();
    r.Spare8 = in.readText();
    r.Spare9 = in.readText();
    r.Spare10 = in.readText();
    r.Spare11 = in.readText();
    r.QsoDate = in.readText();
    r.QsoTime = in.readText();
    r.Mode = in.readText();
    r.Band = in.readText();
    r.SpareNumber = in.readDouble();
    r.Spare17 = in.readText();
    r.Spare18 = in.readText();
    r.Frequency = in.readText();
    return r;
}

std::vector<ContactRecord> ParseLog(const std::string& bytes) {
    std::vector<ContactRecord> records;
    WriteFormReader in(bytes);
    in.skipEmptyLines();
    while (!in.eof()) {
        if (static_cast<int>(records.size()) >= ContactLog::MaxContacts) throw FileError("Too many contacts");
        records.push_back(ReadContact(in));
        in.skipEmptyLines();
    }
    return records;
}

bool LoadLog(Session& session) {
    auto& files = session.platform.files;
    const std::string path = logPath(session);
    std::vector<ContactRecord> records;
    if (files.exists(path)) {
        try {
            auto bytes = files.readAll(path);
            if (!bytes) throw FileError("Unreadable");
            records = ParseLog(*bytes);
        } catch (const FileError&) {
            session.platform.dialogs.messageBox("Error opening file.", platform::MsgButtons::OK,
                                                platform::MsgIcon::None, "File Error");
            session.platform.exit.endProgram(1);
            return false;
        }
    }
    session.log.records() = std::move(records);
    if (session.log.LoadedContactCount == 0) session.log.LoadedContactCount = session.log.ContactCount();
    return true;
}

AppendResult AppendQso(Session& session, const ContactRecord& record) {
    if (session.log.ContactCount() >= ContactLog::MaxContacts) return AppendResult::LogFull;
    if (!session.platform.files.append(logPath(session), ContactLine(record))) return AppendResult::WriteFailed;
    session.log.records().push_back(record);
    session.log.ChangedSinceLoad = true;
    return AppendResult::Stored;
}

bool RewriteLog(Session& session) {
    std::string bytes;
    for (const auto& r : session.log.records()) bytes += ContactLine(r);
    if (!session.platform.files.writeAtomic(logPath(session), bytes)) return false;
    session.log.ChangedSinceLoad = true;
    return true;
}

bool DeleteQso(Session& session, int k) {
    auto& records = session.log.records();
    if (k < 1 || k > session.log.ContactCount()) return false;
    const auto where = records.begin() + (k - 1);
    ContactRecord removed = *where;
    records.erase(where);
    if (!RewriteLog(session)) {
        // Keep memory equal to the file that is still there.
        records.insert(records.begin() + (k - 1), std::move(removed));
        return false;
    }
    return true;
}

bool NewLog(Session& session) {
    auto& dialogs = session.platform.dialogs;
    std::string answer = dialogs.inputBox(
        "Are you sure that you want to start a new log file?  This function will ERASE the existing log file!"
        "\r\n\r\nTo verify that you want to start a new log file, please type: YES",
        "WARNING - Your existing log file will be ERASED!", "");
    for (auto& c : answer) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (answer != "YES") return false;

    auto& files = session.platform.files;
    const std::string path = logPath(session);
    auto bytes = files.exists(path) ? files.readAll(path) : std::optional<std::string>(std::string());
    const bool hasContacts = !bytes || bytes->find_first_not_of(" \t\r\n") != std::string::npos;
    if (hasContacts && !copyLogToBackup(session)) {
        dialogs.messageBox("Unable to copy log.txt to the BACKUP folder. The log was not erased.",
                           platform::MsgButtons::OK, platform::MsgIcon::Critical, "File Error");
        return false;
    }
    if (!files.writeAtomic(path, "")) {
        dialogs.messageBox("Unable to write log.txt. The log was not erased.", platform::MsgButtons::OK,
                           platform::MsgIcon::Critical, "File Error");
        return false;
    }
    if (hasContacts) session.log.ChangedSinceLoad = false;
    session.RunningSeconds = 0;
    session.profile.OperatingSeconds = 0;
    session.log.records().clear();
    SavePreferences(session);
    LoadLog(session);
    return true;
}

std::string BackupFileName(Session& session) {
    const std::string stem = session.platform.clock.localNow().format("yyyymmddhhnn");
    const std::string folder = session.folders.BackupFolder();
    std::string name = stem + ".log";
    for (int n = 2; session.platform.files.exists(platform::joinPath(folder, name)); ++n) {
        name = stem + "_" + std::to_string(n) + ".log";
    }
    return name;
}

bool BackupLog(Session& session) {
    const auto& log = session.log;
    if (log.ContactCount() <= 0) return false;
    if (log.ContactCount() == log.LoadedContactCount && !log.ChangedSinceLoad) return false;
    if (!copyLogToBackup(session)) return false;
    session.log.ChangedSinceLoad = false;
    return true;
}

}  // namespace station
