#include "logtools/CabrilloWriter.h"

#include "logging/Text.h"

namespace logtools {

namespace {

using Options = CabrilloOptions;

// Places text at a 1-based column: blanks fill the gap; when the line already reaches the
// column, one blank separates the field instead.
void placeAt(std::string& line, size_t column, const std::string& text) {
    if (line.size() + 1 < column) {
        line.append(column - 1 - line.size(), ' ');
    } else if (!line.empty()) {
        line += ' ';
    }
    line += text;
}

std::string frequencyOf(const std::string& band) {
    struct Row {
        const char* band;
        const char* freq;
    };
    static const Row rows[] = {{"160", " 1800"}, {"80", " 3500"}, {"40", " 7000"}, {"20", "14000"},
                               {"15", "21000"},  {"10", "28000"}, {"6", "   50"}};
    for (const auto& r : rows) {
        if (logging::SameText(band, r.band)) return r.freq;
    }
    return "";
}

// The abbreviation of the first county named name (ignoring case), or nullptr.
const station::CountyRow* findCounty(const station::CountyTable& counties, const std::string& name) {
    for (const auto& row : counties.rows) {
        if (logging::SameText(row.Name, name)) return &row;
    }
    return nullptr;
}

// A QSO field is one token: readers split the line at blanks, so a county name such as
// "Indian River" is written "IndianRiver".
std::string token(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != ' ') out += c;
    }
    return out;
}

// A header value stays on its own line: line breaks typed into a text become blanks.
std::string oneLine(std::string text) {
    for (size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p)) text.replace(p, 2, " ");
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

const char* powerText(Options::Power p) {
    switch (p) {
        case Options::Power::QRP: return "QRP";
        case Options::Power::Low: return "LOW";
        case Options::Power::High: return "HIGH";
    }
    return "LOW";
}

const char* operatorText(Options::Category c) {
    switch (c) {
        case Options::Category::SingleOp: return "SINGLE-OP";
        case Options::Category::MultiOp: return "MULTI-OP";
        case Options::Category::MultiMulti: return "MULTI-MULTI";
        case Options::Category::School: return "SCHOOL";
        case Options::Category::Mobile: return "MOBILE";
        case Options::Category::SWL: return "SWL";
    }
    return "SINGLE-OP";
}

const char* modeText(Options::Mode m) {
    switch (m) {
        case Options::Mode::Mixed: return "MIXED";
        case Options::Mode::SSB: return "SSB";
        case Options::Mode::CW: return "CW";
    }
    return "MIXED";
}

}  // namespace

int PowerMultiplier(CabrilloOptions::Power power) {
    switch (power) {
        case Options::Power::High: return 1;
        case Options::Power::Low: return 2;
        case Options::Power::QRP: return 3;
    }
    return 1;
}

std::array<std::string, 10> CabrilloQsoFields(const station::StationProfile& profile, const station::ContactRecord& c,
                                              const station::CountyTable& counties, bool useAbbreviations) {
    const std::string ownCall = logging::Trim(profile.StationCall);
    std::string date = c.QsoDate;
    for (char& ch : date) {
        if (ch == '/') ch = '-';
    }
    const std::string time = c.QsoTime.substr(0, 2) + (c.QsoTime.size() > 3 ? c.QsoTime.substr(3, 2) : "");

    std::string sent;
    if (profile.OutOfState == 1) {
        // A station outside the USA and Canada has no state or province: it sends "DX".
        sent = token(profile.StationState).empty() ? std::string("DX") : profile.StationState;
    } else {
        sent = c.CountySent;
        if (useAbbreviations) {
            if (const auto* row = findCounty(counties, sent)) sent = row->Abbrev;
        }
    }
    sent = token(sent).substr(0, 8);

    std::string received = c.Spc.size() > 2 ? std::string("DX") : c.Spc;
    if (!c.County.empty()) received = c.County;
    received = logging::Trim(received);
    if (useAbbreviations) {
        if (const auto* row = findCounty(counties, c.County)) received = logging::Trim(row->Abbrev);
    }

    return {frequencyOf(c.Band), token(c.Mode), token(date),          token(time),          token(ownCall),
            token(c.RstSent),    sent,          token(c.Call),        token(c.RstReceived), token(received)};
}

std::string CabrilloQsoLine(const station::StationProfile& profile, const station::ContactRecord& c,
                            const station::CountyTable& counties, bool useAbbreviations) {
    static const size_t kColumns[10] = {6, 12, 15, 26, 31, 41, 45, 54, 64, 68};
    const auto fields = CabrilloQsoFields(profile, c, counties, useAbbreviations);
    std::string line = "QSO:";
    for (size_t i = 0; i < fields.size(); ++i) placeAt(line, kColumns[i], fields[i]);
    return line;
}

std::optional<CabrilloRefusal> CheckCabrillo(const station::StationProfile& profile, const station::ContactLog& log,
                                             const station::CountyTable& counties, bool useAbbreviations) {
    if (token(profile.StationCall).empty())
        return CabrilloRefusal{"Station Call Missing",
                               "The station call is missing, so no submission file was written.\r\n\r\n"
                               "Enter your call sign in the station setup when the logger starts, then write the "
                               "file again.",
                               0};
    // What each field holds, to name an empty one.
    static const char* const kWhat[10] = {"band",        "mode",        "date", "time",            "own call",
                                          "report sent", "county sent", "call", "report received", "exchange received"};
    for (int k = 1; k <= log.ContactCount(); ++k) {
        const auto& c = log.at(k);
        const auto fields = CabrilloQsoFields(profile, c, counties, useAbbreviations);
        for (size_t i = 0; i < fields.size(); ++i) {
            if (!fields[i].empty()) continue;
            return CabrilloRefusal{"Submission File Not Written",
                                   "Contact " + std::to_string(k) + " (" + (c.Call.empty() ? "no call" : c.Call) + ", " +
                                       c.QsoDate + " " + c.QsoTime + ") has no valid " + kWhat[i] +
                                       ": a contest robot would misread its line, so no submission file was "
                                       "written.\r\n\r\nCorrect it with Edit Contact, then write the file again.",
                                   k};
        }
    }
    return std::nullopt;
}

std::vector<std::string> CabrilloLines(const station::StationProfile& profile, const station::ContactLog& log,
                                       const station::CountyTable& counties, const CabrilloOptions& o,
                                       int64_t score, const std::string& programVersion) {
    const std::string call = logging::Trim(profile.StationCall);
    const bool multiTransmitter = o.category == Options::Category::MultiOp || o.category == Options::Category::MultiMulti;
    std::vector<std::string> lines{
        "START-OF-LOG: 2.0",
        "CREATED-BY: Tervak's Palmetar Program " + programVersion,
        "CALLSIGN: " + call,
        "ARRL-SECTION: " + profile.ArrlSection,
        "CONTEST: FCG-FQP",
        std::string("CATEGORY-POWER: ") + powerText(o.power),
        std::string("CATEGORY-STATION: ") + (profile.RoverFlag == 1 ? "MOBILE" : "FIXED"),
        std::string("CATEGORY-TRANSMITTER: ") + (multiTransmitter ? "MULTI" : "ONE"),
        std::string("CATEGORY-OPERATOR: ") + operatorText(o.category),
        std::string("CATEGORY-ASSISTED: ") + (o.assisted ? "ASSISTED" : "NON-ASSISTED"),
        std::string("CATEGORY-MODE: ") + modeText(o.mode),
    };
    if (!o.club.empty()) lines.push_back("CLUB-NAME: " + oneLine(o.club));
    // A bare number in a text line: the sign position, the digits, a trailing blank.
    const int64_t claimed = score * PowerMultiplier(o.power);
    lines.push_back("CLAIMED-SCORE: " + std::string(claimed < 0 ? "-" : " ") +
                    std::to_string(claimed < 0 ? -claimed : claimed) + " ");
    lines.push_back("OPERATORS: " + (o.operators.empty() ? call : oneLine(o.operators)));
    lines.push_back("NAME: " + oneLine(o.name));
    lines.push_back("ADDRESS: " + oneLine(o.address1));
    lines.push_back("ADDRESS: " + oneLine(o.address2));
    lines.push_back("ADDRESS: (e-mail) " + oneLine(o.email));
    lines.push_back("SOAPBOX: " + oneLine(o.soapbox));
    for (const auto& c : log.records()) lines.push_back(CabrilloQsoLine(profile, c, counties, o.useAbbreviations));
    lines.push_back("END-OF-LOG:");
    return lines;
}

std::string CabrilloText(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

}  // namespace logtools
