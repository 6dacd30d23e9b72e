#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "logtools/CabrilloWriter.h"
#include "station/Tables.h"

using logtools::CabrilloOptions;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

station::CountyTable floridaCounties() {
    station::CountyTable t;
    station::ParseCountyTable(readFile(std::string(PALMETAR_DATA_DIR) + "/county2.txt"), "FL", t);
    return t;
}

station::ContactRecord qso(const char* call, const char* sent, const char* rcvd, const char* spc, const char* county,
                           const char* countySent, const char* time, const char* band, const char* mode) {
    station::ContactRecord r;
    r.Call = call;
    r.RstSent = sent;
    r.RstReceived = rcvd;
    r.Spc = spc;
    r.County = county;
    r.CountySent = countySent;
    r.QsoDate = "2024/04/27";
    r.QsoTime = time;
    r.Band = band;
    r.Mode = mode;
    return r;
}

station::StationProfile inState() {
    station::StationProfile p;
    p.StationCall = " K4ABC ";
    p.StationState = "FL";
    p.ArrlSection = "NFL";
    p.CurrentCounty = "Orange";
    p.HomeState = "FL";
    return p;
}

station::ContactLog inStateLog() {
    station::ContactLog log;
    auto& r = log.records();
    r.push_back(qso("W1AW", "599", "599", "CT", "", "Orange", "16:01:10", "20", "CW"));
    r.push_back(qso("K4XYZ", "59", "59", "", "Hillsborough", "Orange", "16:03:55", "40", "PH"));
    r.push_back(qso("N4ZZ", "599", "599", "", "indian river", "Orange", "16:10:00", "15", "CW"));
    r.push_back(qso("VE3ABC", "59", "57", "ON", "", "Lee", "16:12:30", "20", "PH"));
    r.push_back(qso("KB4LONGCALL", "599", "599", "", "St. Johns", "Lee", "16:20", "10", "DG"));
    r.push_back(qso("W9XX", "599", "599", "IL", "", "Lee", "16:25:00", "160", "CW"));
    r.push_back(qso("KP4AA", "59", "59", "PR", "", "Lee", "16:30:00", "80", "PH"));
    r.push_back(qso("W4SIX", "59", "59", "", "Dade", "Lee", "16:35:00", "6", "PH"));
    return log;
}

// The Cabrillo QSO fields by the template's columns.
const int kColumns[] = {1, 6, 12, 15, 26, 31, 41, 45, 54, 64, 68};

struct QsoFields {
    std::vector<std::string> fields;
    std::vector<size_t> starts;  // 1-based columns
};

// A reader written from the file format alone: whitespace-separated tokens with their columns.
QsoFields readQso(const std::string& line) {
    QsoFields q;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        size_t j = line.find(' ', i);
        if (j == std::string::npos) j = line.size();
        q.fields.push_back(line.substr(i, j - i));
        q.starts.push_back(i + 1);
        i = j;
    }
    return q;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, p - start));
        start = p + 2;
    }
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF, nothing after the last";
    return lines;
}

// Checks a whole file the way a contest robot would read it.
void checkCabrillo(const std::string& text, const station::ContactLog& log) {
    const auto lines = splitLines(text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "START-OF-LOG: 2.0");
    EXPECT_EQ(lines.back(), "END-OF-LOG:");
    const std::set<std::string> freqs{"1800", "3500", "7000", "14000", "21000", "28000", "50"};
    const std::set<std::string> modes{"CW", "PH", "DG"};
    size_t contact = 0;
    for (const auto& line : lines) {
        for (char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
        if (&line == &lines.back()) break;
        if (line.rfind("QSO:", 0) != 0) {
            EXPECT_NE(line.find(": "), std::string::npos) << "header line is TAG: value: " << line;
            continue;
        }
        const auto q = readQso(line);
        ASSERT_EQ(q.fields.size(), 11u) << line;
        EXPECT_EQ(q.starts[0], 1u) << line;
        // The frequency is right-aligned in columns 6 to 10.
        EXPECT_EQ(q.starts[1] + q.fields[1].size() - 1, 10u) << line;
        for (size_t f = 2; f < 11; ++f) {
            // At its column, or one blank after a field that did not fit.
            const size_t prevEnd = q.starts[f - 1] + q.fields[f - 1].size() - 1;
            const size_t expected = prevEnd + 1 >= static_cast<size_t>(kColumns[f]) ? prevEnd + 2 : static_cast<size_t>(kColumns[f]);
            EXPECT_EQ(q.starts[f], expected) << "field " << f << " of " << line;
        }
        EXPECT_TRUE(freqs.count(q.fields[1])) << line;
        EXPECT_TRUE(modes.count(q.fields[2])) << line;
        ASSERT_LT(contact, static_cast<size_t>(log.ContactCount()));
        const auto& r = log.records()[contact++];
        EXPECT_EQ(q.fields[3], r.QsoDate.substr(0, 4) + "-" + r.QsoDate.substr(5, 2) + "-" + r.QsoDate.substr(8, 2));
        EXPECT_EQ(q.fields[4], r.QsoTime.substr(0, 2) + r.QsoTime.substr(3, 2));
        EXPECT_EQ(q.fields[8], r.Call);  // whole: the other side's log must match it
    }
    EXPECT_EQ(contact, static_cast<size_t>(log.ContactCount()));
}

void compareGolden(const std::string& name, const std::string& text) {
    const std::string path = std::string(PALMETAR_SOURCE_DIR) + "/tests/logtools/golden/" + name;
    if (std::getenv("PALMETAR_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << text;
    }
    EXPECT_EQ(text, readFile(path)) << name;
}

}  // namespace

TEST(CabrilloWriter, GoldenFiles) {
    const auto counties = floridaCounties();
    ASSERT_EQ(counties.CountyCount(), 67);

    struct Case {
        const char* file;
        station::StationProfile profile;
        station::ContactLog log;
        CabrilloOptions options;
        int64_t score;
    };
    std::vector<Case> cases;

    CabrilloOptions sheet;
    sheet.name = "Pat Doe";
    sheet.address1 = "12 Palm Ave";
    sheet.address2 = "Orlando, FL 32801";
    sheet.email = "k4abc@example.org";
    sheet.club = "Florida Contest Group";
    sheet.soapbox = "Great conditions.\r\nSee you next year!";
    cases.push_back({"in-state-abbreviations.log", inState(), inStateLog(), sheet, 1234});

    CabrilloOptions names = sheet;
    names.useAbbreviations = false;
    names.club = "";
    names.mode = CabrilloOptions::Mode::CW;
    names.assisted = true;
    names.operators = "K4ABC N4OPS";
    names.category = CabrilloOptions::Category::MultiOp;
    cases.push_back({"in-state-names.log", inState(), inStateLog(), names, 1234});

    station::StationProfile out = inState();
    out.StationCall = "W1AW";
    out.StationState = "CT";
    out.ArrlSection = "CT";
    out.OutOfState = 1;
    station::ContactLog outLog;
    outLog.records().push_back(qso("K4XYZ", "599", "599", "", "Hillsborough", "", "16:01:00", "20", "CW"));
    outLog.records().push_back(qso("N4ZZ", "59", "5999", "", "Leon", "", "16:05:00", "40", "PH"));
    outLog.records().push_back(qso("W4SIX", "59999", "59", "", "Monroe", "", "16:09:00", "10", "PH"));
    CabrilloOptions high;
    high.power = CabrilloOptions::Power::High;
    cases.push_back({"out-of-state.log", out, outLog, high, 300});

    station::StationProfile rover = inState();
    rover.RoverFlag = 1;
    station::ContactLog roverLog;
    roverLog.records().push_back(qso("W1AW", "599", "599", "CT", "", "Lake", "14:00:00", "20", "CW"));
    roverLog.records().push_back(qso("W1AW", "599", "599", "CT", "", "Sumter", "14:00:00", "20", "CW"));
    CabrilloOptions mobile;
    mobile.category = CabrilloOptions::Category::Mobile;
    cases.push_back({"rover.log", rover, roverLog, mobile, 4});

    station::ContactLog dxLog;
    dxLog.records().push_back(qso("DL1ABC", "599", "599", "Germany", "", "Orange", "18:00:00", "20", "CW"));
    dxLog.records().push_back(qso("JA1XX", "59", "59", "Japan", "", "Orange", "18:02:00", "15", "PH"));
    dxLog.records().push_back(qso("G4AAA", "599", "599", "EN", "", "Orange", "18:04:00", "40", "CW"));
    CabrilloOptions qrp;
    qrp.power = CabrilloOptions::Power::QRP;
    cases.push_back({"dx-qrp.log", inState(), dxLog, qrp, 150});

    cases.push_back({"empty.log", inState(), station::ContactLog{}, CabrilloOptions{}, 0});

    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string text = logtools::CabrilloText(
            logtools::CabrilloLines(c.profile, c.log, counties, c.options, c.score, "2.4"));
        compareGolden(c.file, text);
        checkCabrillo(text, c.log);
    }
}

TEST(CabrilloWriter, QsoLineColumns) {
    const auto counties = floridaCounties();
    struct Case {
        const char* what;
        station::ContactRecord contact;
        bool abbreviations;
        const char* line;
    };
    const Case cases[] = {
        {"the template's own example", qso("W1AW", "599", "599", "CT", "", "Orange", "14:05:00", "20", "CW"), false,
         "QSO: 14000 CW 2024-04-27 1405 K4ABC     599 Orange   W1AW      599 CT"},
        {"names with blanks stay one field", qso("W4PB", "599", "599", "", "Palm Beach", "Indian River", "14:05:00", "20", "CW"), false,
         "QSO: 14000 CW 2024-04-27 1405 K4ABC     599 IndianRi W4PB      599 PalmBeach"},
        {"abbreviations both ways", qso("K4XYZ", "59", "59", "", "hillsborough", "Orange", "14:05:00", "40", "PH"), true,
         "QSO:  7000 PH 2024-04-27 1405 K4ABC     59  ORA      K4XYZ     59  HIL"},
        {"sent name cut to 8, received whole", qso("K4XYZ", "59", "59", "", "Hillsborough", "Hillsborough", "14:05", "40", "PH"), false,
         "QSO:  7000 PH 2024-04-27 1405 K4ABC     59  Hillsbor K4XYZ     59  Hillsborough"},
        {"4-character reports keep a blank", qso("W1AW", "5999", "5999", "CT", "", "Orange", "14:05:00", "20", "CW"), false,
         "QSO: 14000 CW 2024-04-27 1405 K4ABC     5999 Orange  W1AW      5999 CT"},
        {"5-character reports stay on the line", qso("W1AW", "59999", "59999", "CT", "", "Orange", "14:05:00", "20", "CW"), false,
         "QSO: 14000 CW 2024-04-27 1405 K4ABC     59999 Orange W1AW      59999 CT"},
        {"unknown band leaves the frequency empty", qso("W1AW", "599", "599", "CT", "", "Orange", "14:05:00", "17", "CW"), false,
         "QSO:       CW 2024-04-27 1405 K4ABC     599 Orange   W1AW      599 CT"},
        {"a long call is whole and pushes the report, DX country", qso("VP2VLONGCALL", "599", "599", "Brit. Virgin Is.", "", "Orange", "14:05:00", "6", "CW"), true,
         "QSO:    50 CW 2024-04-27 1405 K4ABC     599 ORA      VP2VLONGCALL 599 DX"},
        {"three characters are past the codes: a DX country", qso("K1ABC", "599", "599", "USA", "", "Orange", "14:05:00", "20", "CW"), true,
         "QSO: 14000 CW 2024-04-27 1405 K4ABC     599 ORA      K1ABC     599 DX"},
        {"a portable call of 10 characters is whole", qso("W1ABC/VE3X", "599", "599", "ON", "", "Orange", "14:05:00", "20", "CW"), true,
         "QSO: 14000 CW 2024-04-27 1405 K4ABC     599 ORA      W1ABC/VE3X 599 ON"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(logtools::CabrilloQsoLine(inState(), c.contact, counties, c.abbreviations), c.line) << c.what;
    }
    // The own call is whole too, and a DX entrant, who has no state, sends "DX".
    station::StationProfile dx = inState();
    dx.StationCall = "DL1ABC";
    dx.StationState = "";
    dx.OutOfState = 1;
    EXPECT_EQ(logtools::CabrilloQsoLine(dx, qso("K4XYZ", "599", "599", "", "Orange", "", "16:01:00", "20", "CW"), counties, true),
              "QSO: 14000 CW 2024-04-27 1601 DL1ABC    599 DX       K4XYZ     599 ORA");
    dx.StationCall = "DL1ABC/VE3X";
    dx.StationState = " ";
    EXPECT_EQ(logtools::CabrilloQsoLine(dx, qso("K4XYZ", "599", "599", "", "Orange", "", "16:01:00", "20", "CW"), counties, true),
              "QSO: 14000 CW 2024-04-27 1601 DL1ABC/VE3X 599 DX     K4XYZ     599 ORA");
}

TEST(CabrilloWriter, AFileARobotWouldMisreadIsRefusedNamingTheFault) {
    const auto counties = floridaCounties();
    struct Case {
        const char* what;
        void (*change)(station::StationProfile&, station::ContactRecord&);
        int record;            // -1: the file may be written
        const char* named;     // in the message
    };
    const Case cases[] = {
        {"a whole contact", [](auto&, auto&) {}, -1, nullptr},
        {"no own call", [](auto& p, auto&) { p.StationCall = ""; }, 0, "station call is missing"},
        {"an own call of blanks", [](auto& p, auto&) { p.StationCall = "   "; }, 0, "station call is missing"},
        {"no county sent", [](auto&, auto& c) { c.CountySent = ""; }, 2, "has no valid county sent"},
        {"a band of no contest", [](auto&, auto& c) { c.Band = "17"; }, 2, "has no valid band"},
        {"no band", [](auto&, auto& c) { c.Band = ""; }, 2, "has no valid band"},
        {"no mode", [](auto&, auto& c) { c.Mode = ""; }, 2, "has no valid mode"},
        {"no report received", [](auto&, auto& c) { c.RstReceived = " "; }, 2, "has no valid report received"},
        {"no exchange received", [](auto&, auto& c) { c.Spc = ""; c.County = ""; }, 2, "has no valid exchange received"},
        {"no time", [](auto&, auto& c) { c.QsoTime = ""; }, 2, "has no valid time"},
        {"a DX entrant has DX", [](auto& p, auto&) { p.OutOfState = 1; p.StationState = ""; }, -1, nullptr},
    };
    for (const auto& c : cases) {
        station::StationProfile p = inState();
        station::ContactLog log = inStateLog();
        c.change(p, log.records()[1]);
        log.records()[2].CountySent = c.record == 2 ? "" : log.records()[2].CountySent;  // a later fault is not named
        const auto refusal = logtools::CheckCabrillo(p, log, counties, true);
        if (c.record < 0) {
            EXPECT_FALSE(refusal.has_value()) << c.what;
            continue;
        }
        ASSERT_TRUE(refusal.has_value()) << c.what;
        EXPECT_EQ(refusal->record, c.record) << c.what;
        EXPECT_NE(refusal->message.find(c.named), std::string::npos) << c.what << ": " << refusal->message;
        if (c.record > 0) {
            EXPECT_EQ(refusal->message.rfind("Contact 2 (K4XYZ, 2024/04/27", 0), 0u) << refusal->message;
        }
    }
}

TEST(CabrilloWriter, HeaderValues) {
    const auto counties = floridaCounties();
    auto header = [&](const station::StationProfile& p, const CabrilloOptions& o, int64_t score) {
        return logtools::CabrilloLines(p, station::ContactLog{}, counties, o, score, "2.4");
    };
    auto has = [](const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    CabrilloOptions o;
    EXPECT_TRUE(has(header(inState(), o, 1234), "CLAIMED-SCORE:  2468 "));
    o.power = CabrilloOptions::Power::QRP;
    EXPECT_TRUE(has(header(inState(), o, 1234), "CLAIMED-SCORE:  3702 "));
    o.power = CabrilloOptions::Power::High;
    EXPECT_TRUE(has(header(inState(), o, 0), "CLAIMED-SCORE:  0 "));

    // Empty operators give the trimmed own call; an empty club gives no line, blanks one.
    auto lines = header(inState(), o, 0);
    EXPECT_TRUE(has(lines, "OPERATORS: K4ABC"));
    EXPECT_TRUE(has(lines, "CALLSIGN: K4ABC"));
    EXPECT_EQ(lines.size(), 19u - 1u + 1u);  // 18 header lines and END-OF-LOG
    o.club = "  ";
    EXPECT_TRUE(has(header(inState(), o, 0), "CLUB-NAME:   "));

    // The station category follows the rover flag only; the category group sets the operator.
    o.category = CabrilloOptions::Category::Mobile;
    lines = header(inState(), o, 0);
    EXPECT_TRUE(has(lines, "CATEGORY-STATION: FIXED"));
    EXPECT_TRUE(has(lines, "CATEGORY-OPERATOR: MOBILE"));
    EXPECT_TRUE(has(lines, "CATEGORY-TRANSMITTER: ONE"));
    o.category = CabrilloOptions::Category::MultiMulti;
    auto rover = inState();
    rover.RoverFlag = 1;
    lines = header(rover, o, 0);
    EXPECT_TRUE(has(lines, "CATEGORY-STATION: MOBILE"));
    EXPECT_TRUE(has(lines, "CATEGORY-TRANSMITTER: MULTI"));

    // A soapbox typed over several lines stays one tagged line.
    o.soapbox = "line one\r\nline two\nthree";
    EXPECT_TRUE(has(header(inState(), o, 0), "SOAPBOX: line one line two three"));
}
