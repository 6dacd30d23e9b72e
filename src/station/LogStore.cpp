#include "station/LogStore.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "station/ContactLog.h"
#include "station/Profile.h"
#include "station/Station.h"

namespace station {

namespace {
const char* kLogName = "log.txt";

std::string logPath(Station& station) { return station.programFile(kLogName); }

// Copies log.txt into BACKUP under a fresh name; true on success.
bool copyLogToBackup(Station& station) {
    auto& files = station.platform.files;
    const std::string backup = station.folders.BackupFolder();
    if (!files.isDirectory(backup) && !files.makeDirectory(backup)) return false;
    return files.copy(logPath(station), platform::joinPath(backup, BackupFileName(station)), false);
}
}  // namespace

namespace {
// A quote could never be read back and a line break would split the record: neither is written.
// Every other byte stands as read (pass-through items are written back byte-equal).
void appendText(std::string& out, const std::string& value) {
    out += '"';
    if (value.find_first_of("\"\r\n") == std::string::npos) {
        out += value;
    } else {
        for (char c : value) {
            if (c != '"' && c != '\r' && c != '\n') out += c;
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


namespace {
// Reads one line laid out exactly as AppendContactLine writes it (quoted texts, the bare number)
// straight from the bytes; false for any other layout, which the general reader then takes.
// Every line this program wrote takes this path, so it must read exactly what the general
// reader reads, and refuse what it refuses (a CR or a quote where the written layout has none).
bool readWrittenLine(std::string_view line, ContactRecord& r) {
    const char* d = line.data();
    const size_t size = line.size();
    size_t p = 0;
    auto quoted = [&](std::string& out) {
        if (p >= size || d[p] != '"') return false;
        size_t end = p + 1;
        while (end < size && d[end] != '"' && d[end] != '\r') ++end;  // items are short: a loop beats memchr here
        if (end >= size || d[end] != '"') return false;
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
    while (p < size && d[p] != ',') {
        if (d[p] == '"' || d[p] == '\r') return false;
        ++p;
    }
    const std::string_view number(d + numberStart, p - numberStart);
    if (number.empty() || number[0] == ' ' || number[0] == '\t' || number[0] == '#') return false;
    double value = 0;
    r.SpareNumber = parseNumber(number, value) ? value : 0;
    return comma() && quoted(r.Spare17) && comma() && quoted(r.Spare18) && comma() && quoted(r.Frequency) && p == size;
}

bool blank(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t') return false;
    return true;
}

// Reads one line as the write form reads a record's items, strictly: exactly 19 items on the
// line, each quoted text closed on the line and followed by nothing but its comma, no quote
// inside an unquoted item, no CR inside the line. A line that breaks any of these would shift
// every later item of the record and of the log, so it is refused by its number.
void readGeneralLine(std::string_view line, int lineNumber, ContactRecord& r) {
    constexpr int kItems = 19;
    std::string_view items[kItems];
    bool quoted[kItems] = {};
    int n = 0;
    size_t p = 0;
    const size_t size = line.size();
    auto refuse = [&](const std::string& why) { throw LogLineError(lineNumber, why); };
    if (line.find('\r') != std::string_view::npos) refuse("holds a line break inside it");
    for (;;) {
        if (n == kItems) refuse("holds more than the 19 items of a contact");
        while (p < size && (line[p] == ' ' || line[p] == '\t')) ++p;
        if (p < size && line[p] == '"') {
            const size_t close = line.find('"', p + 1);
            if (close == std::string_view::npos) refuse("has a quote that is not closed on the line");
            items[n] = line.substr(p + 1, close - p - 1);
            quoted[n] = true;
            p = close + 1;
            while (p < size && (line[p] == ' ' || line[p] == '\t')) ++p;
            if (p < size && line[p] != ',') refuse("has a stray quote (text after a closing quote)");
        } else {
            const size_t end = std::min(line.find(',', p), size);
            std::string_view text = line.substr(p, end - p);
            while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
            if (text.find('"') != std::string_view::npos) refuse("has a stray quote inside an item");
            items[n] = text;
            p = end;
        }
        ++n;
        if (p >= size) break;
        ++p;  // the comma; one at the end of the line is followed by an empty item
    }
    if (n != kItems) refuse("holds " + std::to_string(n) + (n == 1 ? " item" : " items") + ", not the 19 of a contact");
    std::string* texts[] = {&r.Call, &r.RstSent, &r.RstReceived, &r.Spc, &r.County, &r.AltState,
                            &r.CountySent, &r.Spare8, &r.Spare9, &r.Spare10, &r.Spare11, &r.QsoDate,
                            &r.QsoTime, &r.Mode, &r.Band, nullptr, &r.Spare17, &r.Spare18, &r.Frequency};
    for (int i = 0; i < kItems; ++i)
        if (texts[i]) texts[i]->assign(items[i]);
    // The number as the write form reads one: #TRUE# is -1, anything that is no number 0.
    double value = 0;
    if (!quoted[15] && items[15] == "#TRUE#") r.SpareNumber = -1;
    else r.SpareNumber = parseNumber(items[15], value) ? value : 0;
}

void parseLines(const std::string& bytes, std::vector<ContactRecord>& records, bool writtenLayoutFirst) {
    size_t count = 0;
    // A written line is some 90 bytes: room for every record at once, so the vector never moves
    // the records it holds while it grows.
    records.reserve(std::min(static_cast<size_t>(ContactLog::MaxContacts), bytes.size() / 60 + 1));
    const char* d = bytes.data();
    const size_t size = bytes.size();
    size_t pos = 0;
    int lineNumber = 0;
    int firstBlank = 0;  // the first of the blank lines met since the last record
    while (pos < size) {
        ++lineNumber;
        const void* lf = std::memchr(d + pos, '\n', size - pos);
        const size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - d) : size;
        size_t lineEnd = end;
        if (lineEnd > pos && d[lineEnd - 1] == '\r') --lineEnd;
        const std::string_view line(d + pos, lineEnd - pos);
        pos = lf ? end + 1 : size;
        // Blank lines at the end are left by editors and harmless; one between records is not
        // a record and is refused like any other such line.
        if (blank(line)) {
            if (firstBlank == 0) firstBlank = lineNumber;
            continue;
        }
        if (firstBlank != 0) throw LogLineError(firstBlank, "is empty");
        if (count >= static_cast<size_t>(ContactLog::MaxContacts))
            throw FileError("log.txt holds more than " + std::to_string(ContactLog::MaxContacts) + " contacts");
        if (count == records.size()) records.emplace_back();
        if (!writtenLayoutFirst || !readWrittenLine(line, records[count])) readGeneralLine(line, lineNumber, records[count]);
        ++count;
    }
    records.resize(count);
}
}  // namespace

void ParseLog(const std::string& bytes, std::vector<ContactRecord>& records) { parseLines(bytes, records, true); }

void ParseLogGeneral(const std::string& bytes, std::vector<ContactRecord>& records) {
    parseLines(bytes, records, false);
}

std::vector<ContactRecord> ParseLog(const std::string& bytes) {
    std::vector<ContactRecord> records;
    ParseLog(bytes, records);
    return records;
}

bool LoadLog(Station& station) {
    auto& files = station.platform.files;
    const std::string path = logPath(station);
    // Parsed into a spare vector that is swapped in only when the whole file was read, so a bad
    // file leaves memory as it was; the spare keeps its storage for the next reload.
    std::vector<ContactRecord>& records = station.log.spare();
    if (!files.exists(path)) {
        records.clear();
    } else {
        std::string message = "Error opening file.";
        std::string why;
        const auto bytes = files.readFile(path, why);
        if (!bytes) {
            // Which file and the system's reason: a folder of that name or a permission to mend.
            message += "\r\n\r\n" + platform::PathText(path) + "\r\n\r\n" + platform::PathText(why) +
                       ". log.txt was not changed.";
        } else {
            try {
                ParseLog(*bytes, records);
                message.clear();
            } catch (const FileError& e) {
                // The operator repairs the file in a text editor: the message says where.
                if (const auto* line = dynamic_cast<const LogLineError*>(&e))
                    message += "\r\n\r\nLine " + std::to_string(line->line) + " of log.txt " + line->reason +
                               ". Repair that line in a text editor; log.txt was not changed.";
                else if (std::string(e.what()).rfind("log.txt", 0) == 0)
                    message += "\r\n\r\n" + std::string(e.what()) + ". log.txt was not changed.";
            }
        }
        if (!message.empty()) {
            station.platform.dialogs.messageBox(message, platform::MsgButtons::OK, platform::MsgIcon::None,
                                                "File Error");
            station.platform.exit.endProgram(1);
            return false;
        }
    }
    station.log.records().swap(records);
    if (station.log.LoadedContactCount == 0) station.log.LoadedContactCount = station.log.ContactCount();
    return true;
}

AppendResult AppendQso(Station& station, const ContactRecord& record) {
    if (station.log.ContactCount() >= ContactLog::MaxContacts) return AppendResult::LogFull;
    if (!station.platform.files.append(logPath(station), ContactLine(record))) return AppendResult::WriteFailed;
    station.log.records().push_back(record);
    station.log.ChangedSinceLoad = true;
    return AppendResult::Stored;
}

bool RewriteLog(Station& station) {
    std::string bytes;
    bytes.reserve(station.log.records().size() * 96);
    for (const auto& r : station.log.records()) AppendContactLine(bytes, r);
    if (!station.platform.files.writeAtomic(logPath(station), bytes)) return false;
    station.log.ChangedSinceLoad = true;
    return true;
}

bool DeleteQso(Station& station, int k) {
    auto& records = station.log.records();
    if (k < 1 || k > station.log.ContactCount()) return false;
    const auto where = records.begin() + (k - 1);
    ContactRecord removed = *where;
    records.erase(where);
    if (!RewriteLog(station)) {
        // Keep memory equal to the file that is still there.
        records.insert(records.begin() + (k - 1), std::move(removed));
        return false;
    }
    return true;
}

bool NewLog(Station& station) {
    auto& dialogs = station.platform.dialogs;
    std::string answer = dialogs.inputBox(
        "Are you sure that you want to start a new log file?  This function will ERASE the existing log file!"
        "\r\n\r\nTo verify that you want to start a new log file, please type: YES",
        "WARNING - Your existing log file will be ERASED!", "");
    for (auto& c : answer) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (answer != "YES") return false;

    auto& files = station.platform.files;
    const std::string path = logPath(station);
    auto bytes = files.exists(path) ? files.readAll(path) : std::optional<std::string>(std::string());
    const bool hasContacts = !bytes || bytes->find_first_not_of(" \t\r\n") != std::string::npos;
    if (hasContacts && !copyLogToBackup(station)) {
        dialogs.messageBox("Unable to copy log.txt to the BACKUP folder. The log was not erased.",
                           platform::MsgButtons::OK, platform::MsgIcon::Critical, "File Error");
        return false;
    }
    if (!files.writeAtomic(path, "")) {
        dialogs.messageBox("Unable to write log.txt. The log was not erased.", platform::MsgButtons::OK,
                           platform::MsgIcon::Critical, "File Error");
        return false;
    }
    if (hasContacts) station.log.ChangedSinceLoad = false;
    station.RunningSeconds = 0;
    station.profile.OperatingSeconds = 0;
    station.log.records().clear();
    SavePreferences(station);
    LoadLog(station);
    return true;
}

std::string BackupFileName(Station& station) {
    const std::string stem = station.platform.clock.localNow().format("yyyymmddhhnn");
    const std::string folder = station.folders.BackupFolder();
    std::string name = stem + ".log";
    for (int n = 2; station.platform.files.exists(platform::joinPath(folder, name)); ++n) {
        name = stem + "_" + std::to_string(n) + ".log";
    }
    return name;
}

bool BackupLog(Station& station) {
    const auto& log = station.log;
    if (log.ContactCount() <= 0) return false;
    if (log.ContactCount() == log.LoadedContactCount && !log.ChangedSinceLoad) return false;
    if (!copyLogToBackup(station)) return false;
    station.log.ChangedSinceLoad = false;
    return true;
}

}  // namespace station
