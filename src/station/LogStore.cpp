#include "station/LogStore.h"

#include <algorithm>
#include <cctype>
#include <cstring>

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

namespace {
void appendText(std::string& out, const std::string& value) {
    out += '"';
    if (value.find('"') == std::string::npos) {
        out += value;
    } else {
        for (char c : value) {
            if (c != '"') out += c;  // a quote could never be read back
        }
    }
    out += '"';
}
}  // namespace

void AppendContactLine(std::string& out, const ContactRecord& r) {
    for (const std::string* item : {&r.Call, &r.RstSent, &r.RstReceived, &r.Spc, &r.County, &r.AltState,
                                    &r.CountySent, &r.Spare8, &r.Spare9, &r.Spare10, &r.Spare11, &r.QsoDate,
                                    &r.QsoTime, &r.Mode, &r.Band}) {
        appendText(out, *item);
        out += ',';
    }
    out += formatDouble(r.SpareNumber);
    for (const std::string* item : {&r.Spare17, &r.Spare18, &r.Frequency}) {
        out += ',';
        appendText(out, *item);
    }
    out += "\r\n";
}

std::string ContactLine(const ContactRecord& r) {
    std::string out;
    AppendContactLine(out, r);
    return out;
}

void ReadContact(WriteFormReader& in, ContactRecord& r) {
    in.readText(r.Call);
    in.readText(r.RstSent);
    in.readText(r.RstReceived);
    in.readText(r.Spc);
    in.readText(r.County);
    in.readText(r.AltState);
    in.readText(r.CountySent);
    in.readText(r.Spare8);
    in.readText(r.Spare9);
    in.readText(r.Spare10);
    in.readText(r.Spare11);
    in.readText(r.QsoDate);
    in.readText(r.QsoTime);
    in.readText(r.Mode);
    in.readText(r.Band);
    r.SpareNumber = in.readDouble();
    in.readText(r.Spare17);
    in.readText(r.Spare18);
    in.readText(r.Frequency);
}

namespace {
// Reads one record laid out exactly as AppendContactLine writes it (quoted texts, the bare number,
// one line) straight from the bytes; false, with nothing consumed, for any other layout, which
// the general reader then takes. Every line this program wrote takes this path.
bool readWrittenContact(const std::string& bytes, size_t& pos, ContactRecord& r) {
    const char* d = bytes.data();
    const size_t size = bytes.size();
    size_t p = pos;
    auto quoted = [&](std::string& out) {
        if (p >= size || d[p] != '"') return false;
        size_t end = p + 1;
        while (end < size && d[end] != '"') ++end;  // items are short: a loop beats memchr here
        if (end >= size) return false;
        // A reload mostly finds the text the reused string already holds: compare before copying.
        const size_t n = end - p - 1;
        const char* text = d + p + 1;
        bool same = out.size() == n;
        for (size_t i = 0; same && i < n; ++i) same = out[i] == text[i];  // short: no library call
        if (!same) out.assign(text, n);
        p = end + 1;
        return true;
    };
    auto comma = [&] {
        if (p >= size || d[p] != ',') return false;
        ++p;
        return true;
    };
    for (std::string* item : {&r.Call, &r.RstSent, &r.RstReceived, &r.Spc, &r.County, &r.AltState, &r.CountySent,
                              &r.Spare8, &r.Spare9, &r.Spare10, &r.Spare11, &r.QsoDate, &r.QsoTime, &r.Mode,
                              &r.Band}) {
        if (!quoted(*item) || !comma()) return false;
    }
    const size_t numberStart = p;
    while (p < size && d[p] != ',' && d[p] != '\r' && d[p] != '\n') ++p;
    const std::string_view number(d + numberStart, p - numberStart);
    if (number.empty() || number[0] == '"' || number[0] == ' ' || number[0] == '\t' || number[0] == '#') return false;
    double value = 0;
    r.SpareNumber = parseNumber(number, value) ? value : 0;
    if (!comma() || !quoted(r.Spare17) || !comma() || !quoted(r.Spare18) || !comma() || !quoted(r.Frequency))
        return false;
    if (p < size && d[p] == '\r') ++p;
    if (p < size && d[p] == '\n') ++p;
    else if (p < size && d[p - 1] != '\r') return false;
    pos = p;
    return true;
}
}  // namespace

void ParseLog(const std::string& bytes, std::vector<ContactRecord>& records) {
    size_t count = 0;
    WriteFormReader in(bytes);
    // A written line is some 90 bytes: room for every record at once, so the vector never moves
    // the records it holds while it grows.
    records.reserve(std::min(static_cast<size_t>(ContactLog::MaxContacts), bytes.size() / 60 + 1));
    in.skipEmptyLines();
    while (!in.eof()) {
        if (count >= static_cast<size_t>(ContactLog::MaxContacts)) throw FileError("Too many contacts");
        if (count == records.size()) records.emplace_back();
        size_t pos = in.position();
        if (readWrittenContact(in.bytes(), pos, records[count])) in.seek(pos);
        else ReadContact(in, records[count]);
        ++count;
        in.skipEmptyLines();
    }
    records.resize(count);
}

std::vector<ContactRecord> ParseLog(const std::string& bytes) {
    std::vector<ContactRecord> records;
    ParseLog(bytes, records);
    return records;
}

bool LoadLog(Session& session) {
    auto& files = session.platform.files;
    const std::string path = logPath(session);
    // Parsed into a spare vector that is swapped in only when the whole file was read, so a bad
    // file leaves memory as it was; the spare keeps its storage for the next reload.
    std::vector<ContactRecord>& records = session.log.spare();
    if (!files.exists(path)) {
        records.clear();
    } else {
        try {
            auto bytes = files.readAll(path);
            if (!bytes) throw FileError("Unreadable");
            ParseLog(*bytes, records);
        } catch (const FileError&) {
            session.platform.dialogs.messageBox("Error opening file.", platform::MsgButtons::OK,
                                                platform::MsgIcon::None, "File Error");
            session.platform.exit.endProgram(1);
            return false;
        }
    }
    session.log.records().swap(records);
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
    bytes.reserve(session.log.records().size() * 96);
    for (const auto& r : session.log.records()) AppendContactLine(bytes, r);
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
