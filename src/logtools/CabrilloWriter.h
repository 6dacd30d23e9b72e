#pragma once
// The Cabrillo submission file: header lines from the profile and the summary sheet, one
// fixed-column QSO line per contact in log order, and "END-OF-LOG:".

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "station/ContactLog.h"
#include "station/StationProfile.h"
#include "station/Tables.h"

namespace logtools {

struct CabrilloOptions {
    enum class Power { QRP, Low, High };
    enum class Category { SingleOp, MultiOp, MultiMulti, School, Mobile, SWL };
    enum class Mode { Mixed, SSB, CW };

    Power power = Power::Low;
    Category category = Category::SingleOp;
    Mode mode = Mode::Mixed;
    bool assisted = false;
    bool useAbbreviations = true;  // county names become their abbreviations in the QSO lines

    // The summary sheet's texts, written as typed.
    std::string name, address1, address2, email, club, operators, soapbox;
};

// The factor of the claimed score: High 1, Low 2, QRP 3.
int PowerMultiplier(CabrilloOptions::Power power);

// The ten fields of a QSO line after "QSO:", each one token (blanks removed): frequency, mode,
// date, time, own call, report sent, exchange sent, call, report received, exchange received.
// Calls are never cut: the other station's log must match them. The exchange sent is the
// county sent in-state and the own state out-of-state, "DX" for a station without one.
std::array<std::string, 10> CabrilloQsoFields(const station::StationProfile& profile, const station::ContactRecord& contact,
                                              const station::CountyTable& counties, bool useAbbreviations);

// One QSO line (without CR LF). Fields start at their columns; a field whose column the text
// already reaches (a 4- or 5-character report, a call of more than 9 characters) follows after
// one blank, so the line is never broken or run together.
std::string CabrilloQsoLine(const station::StationProfile& profile, const station::ContactRecord& contact,
                            const station::CountyTable& counties, bool useAbbreviations);

// Why the file must not be written, or nullopt. A robot reads a QSO line as fields separated by
// blanks, so an empty field makes it take the next one in its place: without an own call every
// line would lack one, and a contact whose line would have an empty field (no band of the
// contest, no county sent, ...) is named so the operator can correct it first.
struct CabrilloRefusal {
    std::string title;
    std::string message;
    int record = 0;  // the contact at fault (1-based), 0 for the own call
};
std::optional<CabrilloRefusal> CheckCabrillo(const station::StationProfile& profile, const station::ContactLog& log,
                                             const station::CountyTable& counties, bool useAbbreviations);

// Every line of the file, without line ends. score is the total score shown by the logging
// window; the claimed score is score x the power multiplier. The profile's StationCall is used
// trimmed.
std::vector<std::string> CabrilloLines(const station::StationProfile& profile, const station::ContactLog& log,
                                       const station::CountyTable& counties, const CabrilloOptions& options,
                                       int64_t score, const std::string& programVersion);

// The lines joined with CR LF after each.
std::string CabrilloText(const std::vector<std::string>& lines);

}  // namespace logtools
