#include "station/AdifExport.h"

#include <algorithm>
#include <cctype>

#include "station/Station.h"
#include "station/Tables.h"
#include "station/WriteForm.h"

namespace station {

namespace {
const char* kAccessError = "Path/File access error";

std::string trimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}
std::string trim(std::string s) {
    s = trimRight(std::move(s));
    size_t start = s.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : s.substr(start);
}
std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}
// An input-box answer that ends up in a file: a double quote would break the line for readers.
std::string dropQuotes(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    return s;
}
bool usCall(const std::string& call) {
    return !call.empty() && (call[0] == 'A' || call[0] == 'K' || call[0] == 'N' || call[0] == 'W');
}

// "<Name:len>value" followed by a blank, or by CR LF for the fields that end a line.
void field(std::string& out, const std::string& name, const std::string& value, bool endsLine = false) {
    if (value.empty()) return;
    out += "<" + name + ":" + std::to_string(value.size()) + ">" + value;
    out += endsLine ? "\r\n" : " ";
}

bool isDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}
}  // namespace

int DxccTable::Find(const std::string& country) const {
    for (const auto& [name, number] : rows)
        if (name == country) return number;
    return 0;
}

DxccTable ParseDxccTable(const std::string& bytes) {
    DxccTable table;
    WriteFormReader in(bytes);
    in.skipEmptyLines();
    while (!in.eof()) {
        if (static_cast<int>(table.rows.size()) >= DxccTable::Capacity) throw FileError("More than 1000 countries");
        std::string name = in.readText();
        int16_t number = in.readInt16();
        table.rows.emplace_back(std::move(name), number);
        in.skipEmptyLines();
    }
    return table;
}

AdifLocation DeriveAdifLocation(const ContactRecord& r, const std::string& homeState) {
    AdifLocation loc;
    if (r.Spc.size() == 2) {
        if (usCall(r.Call)) {
            loc.country = "USA";
            loc.continent = "NA";
            loc.state = r.Spc;
            if (loc.state == "HI") loc.country = "Hawaii";
            if (loc.state == "AK") loc.country = "Alaska";
        } else {
            loc.country = "Canada";
        }
    } else if (r.Spc.size() > 2) {
        loc.country = r.Spc;
    } else {
        loc.state = homeState;
    }
    if (loc.state.size() > 2) loc.state.resize(2);
    if (!r.County.empty()) {
        loc.country = "USA";
        loc.continent = "NA";
        // A county is always one of the home state's: a Florida station whose call starts with
        // another letter must still get "FL,<county>", not ",<county>".
        if (loc.state.empty()) loc.state = homeState.substr(0, 2);
    }
    return loc;
}

std::string AdifTime(const std::string& qsoTime) {
    std::string t = trim(qsoTime);
    size_t colon = t.find(':');
    if (colon != std::string::npos) t = t.substr(0, colon) + t.substr(colon + 1, 2);
    if (t.size() > 4) t.resize(4);
    while (t.size() < 4) t = "0" + t;
    return t;
}

std::string AdifDate(const std::string& qsoDate) {
    std::string d = trim(qsoDate);
    size_t a = d.find_first_of("/-");
    size_t b = a == std::string::npos ? a : d.find_first_of("/-", a + 1);
    if (b == std::string::npos) return {};
    std::string ys = d.substr(0, a), ms = d.substr(a + 1, b - a - 1), ds = d.substr(b + 1);
    if (!isDigits(ys) || !isDigits(ms) || !isDigits(ds) || ys.size() != 4 || ms.size() > 2 || ds.size() > 2) return {};
    int y = std::stoi(ys), m = std::stoi(ms), day = std::stoi(ds);
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || day < 1) return {};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    int last = kDays[m - 1] + (m == 2 && leap ? 1 : 0);
    if (day > last) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", y, m, day);
    return buf;
}

std::string AdifText(const Station& station, const std::string& power, const std::string& comment,
                     const DxccTable& dxcc, const platform::DateTime& exportedAt) {
    std::string out;
    out += "Exported from Tervak's Palmetar Logging Program " + station.ProgramVersion + "\r\n";
    out += "Log exported on: " + exportedAt.format("yyyy-mm-dd hh:nn:ss") + "\r\n";
    out += "\r\n<EOH>\r\n\r\n";
    const std::string& home = station.profile.HomeState;
    for (const auto& r : station.log.records()) {
        const AdifLocation loc = DeriveAdifLocation(r, home);
        const std::string date = AdifDate(r.QsoDate);
        field(out, "Call", r.Call);
        if (!date.empty()) out += "<Qso_Date:" + std::to_string(date.size()) + ":d>" + date + " ";
        field(out, "Band", r.Band + "M");
        field(out, "Mode", upper(r.Mode == "PH" ? std::string("SSB") : r.Mode), true);
        field(out, "Tx_Pwr", trimRight(power));
        field(out, "Freq", trim(r.Frequency));
        const std::string time = AdifTime(r.QsoTime);
        if (time >= "0000") field(out, "Time_On", time);
        const int number = dxcc.Find(trim(loc.country));
        if (number > 0) field(out, "DXCC", std::to_string(number));
        field(out, "State", loc.state);
        if (!r.County.empty()) field(out, "Cnty", loc.state + "," + r.County);
        field(out, "Cont", loc.continent);
        field(out, "RST_Rcvd", trimRight(r.RstReceived));
        field(out, "RST_Sent", trimRight(r.RstSent));
        field(out, "Comment", comment, true);
        out += "<eor>\r\n\r\n";
    }
    return out;
}

bool ExportAdif(Station& station) {
    auto& dialogs = station.platform.dialogs;
    auto& files = station.platform.files;
    const std::string power = dropQuotes(dialogs.inputBox(
        "Please enter the power value that you would like to record.  This is an optional value that will be "
        "included in each QSO record and displayed in Pendrake's power output column.",
        "Please enter your transmitter output power.", "100"));
    const std::string comment = dropQuotes(dialogs.inputBox(
        "Please enter a comment that you would like to appear on each QSO record.  This is an optional "
        "description that will be displayed in Pendrake's Comments column.",
        "Please enter a comment.", "Palmetar Contest"));

    DxccTable dxcc;
    const std::string tablePath = FindTableFile(station, "ADIFCnt.txt");
    std::optional<std::string> tableBytes;
    if (!tablePath.empty()) tableBytes = files.readAll(tablePath);
    try {
        if (!tableBytes) throw FileError("missing");
        dxcc = ParseDxccTable(*tableBytes);
    } catch (const FileError&) {
        dialogs.beep();
        dialogs.messageBox("The country table ADIFCnt.txt is missing or damaged; it belongs in the program "
                           "folder " + platform::PathText(station.folders.ProgramFolder) + ".",
                           platform::MsgButtons::OK, platform::MsgIcon::None, "ADIFCnt.txt not found");
        return false;
    }

    platform::FileDialogRequest request;
    request.defaultName = platform::joinPath(station.folders.UserFolder, station.profile.HomeState + ".adi");
    request.filter = "ADIF Files (*.adi) | *.adi";
    request.overwritePrompt = true;
    const auto chosen = dialogs.saveFileDialog(request);
    if (!chosen) return false;

    const std::string text = AdifText(station, power, comment, dxcc, station.platform.clock.localNow());
    if (!files.writeAtomic(*chosen, text)) {
        dialogs.beep();
        dialogs.messageBox(kAccessError, platform::MsgButtons::OK, platform::MsgIcon::None, "Unable to write file.");
        return false;
    }
    dialogs.messageBox("The file was successfully written to the directory:\r\n\r\n" + platform::PathText(*chosen) + ".",
                       platform::MsgButtons::OK, platform::MsgIcon::None, "File Written Successfully.");
    return true;
}

std::string LogExpLine(const ContactRecord& r, const std::string& homeState, const std::string& power) {
    std::string country, state;
    if (r.Spc.size() == 2) {
        if (usCall(r.Call)) {
            state = r.Spc;
            country = "USA";
        } else {
            country = "Canada";
        }
    } else if (r.Spc.size() > 2) {
        country = r.Spc;
    } else if (r.Spc.empty()) {
        state = homeState;
    }
    if (!r.AltState.empty()) state = r.AltState;
    if (state == "AK") country = "Alaska";
    if (state == "HI") country = "Hawaii";
    std::string mode = "SSB";
    if (r.Mode == "CW" || r.Mode == "DG") mode = r.Mode;
    WriteFormLine line;
    line.text(r.Call).text(r.QsoDate).text(r.Band).variant(Variant::ofText(mode)).variant(Variant::ofText(power))
        .text(r.QsoTime).text(r.RstSent).text(r.RstReceived).variant(Variant::empty())
        .variant(Variant::ofText(country)).variant(Variant::ofText(state)).text(r.County)
        .variant(Variant::empty()).variant(Variant::empty()).variant(Variant::empty()).text("QSO Party Contest");
    return line.line();
}

bool ExportLogExp(Station& station) {
    auto& dialogs = station.platform.dialogs;
    const std::string power = dropQuotes(
        dialogs.inputBox("Please enter the power value you would like to record.", "Please enter the power value", ""));
    std::string text;
    for (const auto& r : station.log.records()) text += LogExpLine(r, station.profile.HomeState, power);
    if (!station.platform.files.writeAtomic(station.programFile("LogExp.txt"), text)) {
        dialogs.beep();
        dialogs.messageBox(kAccessError, platform::MsgButtons::OK, platform::MsgIcon::None, "Unable to write file.");
        return false;
    }
    dialogs.beep();
    dialogs.messageBox("LogExp.txt has been written to this program's working directory " +
                           platform::PathText(station.folders.ProgramFolder) +
                           ".  Import these contacts into the Pendrake program by clicking File, Import, and "
                           "navigating to this directory from the Pendrake program.",
                       platform::MsgButtons::OK, platform::MsgIcon::None, "Export Successful!");
    return true;
}

}  // namespace station
