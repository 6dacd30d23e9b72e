#pragma once
// The contact log as an ADIF file for other logging programs, and the Pendrake import file
// LogExp.txt. Each export is a pure builder of the file text plus the dialog flow around it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "station/ContactRecord.h"

namespace station {

class Station;

// ADIFCnt.txt: country names with their DXCC entity numbers, at most 1000 rows.
struct DxccTable {
    static constexpr int Capacity = 1000;
    std::vector<std::pair<std::string, int16_t>> rows;
    int Find(const std::string& country) const;  // first exact match, 0 for none
};
// FileError on a row cut short or a 1001st row.
DxccTable ParseDxccTable(const std::string& bytes);

// What the exports derive from a contact.
struct AdifLocation {
    std::string country, continent, state;
};
AdifLocation DeriveAdifLocation(const ContactRecord& record, const std::string& homeState);

// "hhmm" from a stored time ("16:05:12" -> "1605", "9:05" -> "0905", "" -> "0000").
std::string AdifTime(const std::string& qsoTime);
// "yyyymmdd" from a stored date, empty when it is not a valid date.
std::string AdifDate(const std::string& qsoDate);

// The whole .adi file: header and one record per contact.
std::string AdifText(const Station& station, const std::string& power, const std::string& comment,
                     const DxccTable& dxcc, const platform::DateTime& exportedAt);

// Asks for power and comment, reads ADIFCnt.txt (shared, user, then program folder), asks where
// to save (default <user folder>/<home state>.adi) and writes the file. Cancel writes nothing
// and says nothing. Returns true when the file was written.
bool ExportAdif(Station& station);

// One LogExp.txt line of a contact.
std::string LogExpLine(const ContactRecord& record, const std::string& homeState, const std::string& power);
// Asks for the power and writes LogExp.txt in the program folder; reports a write failure with
// "Unable to write file.". Returns true when the file was written.
bool ExportLogExp(Station& station);

}  // namespace station
