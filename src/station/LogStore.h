#pragma once
// The contact log store: ContactLog in memory mirrored in log.txt of the program folder.

#include <optional>
#include <vector>
#include <string>

#include "station/ContactRecord.h"
#include "station/WriteForm.h"

namespace station {

class Station;

// One log.txt line (CR LF included) for a contact.
std::string ContactLine(const ContactRecord& record);
void AppendContactLine(std::string& out, const ContactRecord& record);
// A line of log.txt that does not hold exactly one well-formed record of 19 items: the program
// writes every contact as one such line, and a line that is not one would shift every later
// item. line counts from 1; reason reads after "Line n of log.txt".
struct LogLineError : FileError {
    LogLineError(int lineNumber, std::string why)
        : FileError("line " + std::to_string(lineNumber) + " " + why), line(lineNumber), reason(std::move(why)) {}
    int line;
    std::string reason;
};

// Parses a whole log file into records (their storage is reused). LogLineError names the first
// line that is not one record of 19 items (blank lines at the end are allowed); FileError for
// more than MaxContacts records.
void ParseLog(const std::string& bytes, std::vector<ContactRecord>& records);
// The same without the shortcut for lines laid out as the program writes them: the reference
// that shortcut is checked against.
void ParseLogGeneral(const std::string& bytes, std::vector<ContactRecord>& records);
std::vector<ContactRecord> ParseLog(const std::string& bytes);

// Reloads ContactLog from log.txt. A missing log.txt is an empty log. A file that cannot be
// read shows "Error opening file." (naming the line that is not a record, or the file's path and
// the system's reason when it cannot be opened at all) and ends the program; the file is left as
// it is. Returns false in that case (memory unchanged).
bool LoadLog(Station& station);

enum class AppendResult { Stored, LogFull, WriteFailed };
// Writes and flushes the contact to log.txt, then adds it to memory. On failure memory is
// unchanged. The 11001st contact is refused.
AppendResult AppendQso(Station& station, const ContactRecord& record);

// Rewrites log.txt from memory through a temporary file; false when it could not be written
// (the old file is then untouched).
bool RewriteLog(Station& station);

// Removes contact k (1..ContactCount) and rewrites the file; k out of range changes nothing.
bool DeleteQso(Station& station, int k);

// Asks for the typed "YES", backs up a non-empty log.txt, empties the log, zeroes the
// operating time and saves the profile. Returns true when the log was erased.
bool NewLog(Station& station);

// Copies log.txt to BACKUP when contacts were added, edited or deleted since the load.
bool BackupLog(Station& station);

// The name of a new backup copy: yyyymmddhhnn.log, with _2, _3 ... when that name is taken
// (a second backup in the same minute must not replace the first).
std::string BackupFileName(Station& station);

}  // namespace station
