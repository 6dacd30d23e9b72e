#include "station/StationSetup.h"

#include <cctype>
#include <cmath>

#include "station/Profile.h"
#include "station/Station.h"
#include "station/UserFolders.h"
#include "station/WriteForm.h"
#include "station/XmlPrefs.h"

namespace station {

void PrepareUserFolders(Station& station) {
    std::string base;
    FindUserFolder(station, base, "/Tervak Software", "/Florida");
    FindUserFolder(station, base, "/Tervak Software", "/Shared");
    station.folders.SharedFolder = platform::joinPath(base, "Shared");
    station.folders.UserFolder = platform::joinPath(base, "Florida");
    const std::string xml = platform::joinPath(station.folders.SharedFolder, "SharedUserPreferences.xml");
    if (!OpenXmlPrefs(station, xml)) {
        station.platform.dialogs.messageBox("Error opening file\r\n" + platform::PathText(xml), platform::MsgButtons::OK,
                                            platform::MsgIcon::None, "Error opeining file");
    }
    MakeFolder(station, station.folders.BackupFolder(), 0);
}

void ReportSetupLoadFailure(Station& station, const std::string& fileName) {
    station.platform.dialogs.messageBox("Error opening file\r\n" + fileName, platform::MsgButtons::OK,
                                        platform::MsgIcon::None, "Error opeining file");
}

float RecommendedUtcOffset(Station& station) {
    const auto& clock = station.platform.clock;
    platform::DateTime utc = clock.utcNow(), local = clock.localNow();
    utc.second = local.second = 0;
    utc.msec = local.msec = 0;
    const int64_t minutes = (utc.secondsSinceEpoch() - local.secondsSinceEpoch()) / 60;
    return static_cast<float>(std::round(static_cast<double>(minutes) / 60.0 * 100.0) / 100.0);
}

void CheckUtcOffset(Station& station) {
    auto& profile = station.profile;
    const float kept = profile.HoursOffset;
    const float recommended = RecommendedUtcOffset(station);
    if (recommended == kept) return;
    const auto utc = station.platform.clock.utcNow();
    const auto local = station.platform.clock.localNow();
    const std::string prompt =
        "Would you like to adjust the UTC offset in this program for your local time setting?\r\n\r\n"
        "Current System Time: " + utc.format("hh:nn") + "\r\n\r\n"
        "Current Local Time: " + local.format("hh:nn") + "\r\n\r\n"
        "Recommended Offset Setting: " + SetupNumberText(recommended) + "\r\n\r\n"
        "Current Offset Setting: " + SetupNumberText(kept) + "\r\n\r\n"
        "Please click OK to accept the recommended change or Cancel to keep the current setting.";
    const std::string answer = station.platform.dialogs.inputBox(prompt, "Update the Local Time / UTC Offset?",
                                                                 SetupNumberText(recommended));
    double value = 0;
    std::string trimmed = answer;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.erase(trimmed.begin());
    if (trimmed.empty() || !parseNumber(trimmed, value)) return;
    // No place on earth is more than a day away from UTC; 500 is a typing slip.
    if (!(value >= -24 && value <= 24)) return;
    profile.HoursOffset = static_cast<float>(value);
    SavePreferences(station);
}

void Cap3(int16_t& k) {
    if (k != 9 && k >= 'a' && k <= 'z') k = static_cast<int16_t>(k - 32);
}

void NumBerr(int16_t& k) {
    if (k == 8) return;  // Backspace edits
    if (k < 45 || k > 57) k = 0;
}

void CountyKey(int16_t& k, const std::string& text, int caret) {
    if (k <= 0) return;
    if (text.empty()) Cap3(k);
    if (caret == 0) Cap3(k);
    if (!text.empty() && text.back() == ' ') Cap3(k);
}

int CountryTypeAhead(const PrefixTable& table, const std::string& typed) {
    auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    for (int i = table.PrefixCount() - 1; i >= 0; --i) {
        const std::string& country = table.rows[static_cast<size_t>(i)].Country;
        if (country.size() < typed.size()) continue;
        bool match = true;
        for (size_t j = 0; j < typed.size() && match; ++j) match = lower(country[j]) == lower(typed[j]);
        if (match) return i;
    }
    return -1;
}

std::string SetupNumberText(float value) { return formatSingle(value); }

bool IsSetupNumber(const std::string& text) {
    std::string t = text;
    while (!t.empty() && t.back() == ' ') t.pop_back();
    while (!t.empty() && t.front() == ' ') t.erase(t.begin());
    double v = 0;
    return !t.empty() && parseNumber(t, v) && std::isfinite(v) && std::fabs(v) <= 3.4e38;
}

namespace {
float numberOf(const std::string& text) {
    double v = 0;
    std::string t = text;
    while (!t.empty() && t.front() == ' ') t.erase(t.begin());
    while (!t.empty() && t.back() == ' ') t.pop_back();
    parseNumber(t, v);
    return static_cast<float>(v);
}
}  // namespace

SetupDoneResult ApplySetupDone(Station& station, SetupFields& f) {
    // Without a call the logging window would open with "CALL" as the own call, and setup
    // cannot be reached again in the run.
    if (CleanText(f.Text[1]).find_first_not_of(' ') == std::string::npos) return SetupDoneResult::NoCall;
    // An offset that is not a number would stamp every contact in local time, and one beyond a
    // day (a slip such as 500) with a time nowhere near UTC.
    if (!f.Text[6].empty() && (!IsSetupNumber(f.Text[6]) || std::fabs(numberOf(f.Text[6])) > 24))
        return SetupDoneResult::BadUtcOffset;
    for (int i : {6, 3, 4}) {
        if (!IsSetupNumber(f.Text[i])) f.Text[i] = "0";
    }
    // A pasted TAB or line break is no part of a station's call, county or name.
    for (auto& text : f.Text) text = CleanText(text);
    auto& p = station.profile;
    p.HomeState = "FL";
    p.OutOfState = f.inFlorida ? 0 : 1;
    p.RoverFlag = f.rover ? 1 : 0;
    p.StationCall = f.Text[1];
    p.StationState = f.Text[5];
    p.HoursOffset = numberOf(f.Text[6]);
    p.StationCountry = f.Text[2];
    p.StationLongitude = numberOf(f.Text[3]);
    p.StationLatitude = numberOf(f.Text[4]);
    p.StationContinent = f.Text[7];
    p.CurrentCounty = f.Text[8];
    p.ArrlSection = f.Text[9];
    p.OperatorName = f.Text[10];
    p.StationCategory = f.Text[11];
    p.StationCity = f.Text[12];
    SavePreferences(station);
    const std::pair<const char*, int> keys[] = {{"OWN_CALL", 1},      {"OWN_SPC", 5},       {"OWN_UTC", 6},
                                                {"OWN_COUNTY", 8},    {"OWN_COUNTRY", 2},   {"OWN_LONGITUDE", 3},
                                                {"OWN_LATITUDE", 4},  {"OWN_CONTINENT", 7}, {"OWN_ARRL_SECTION", 9}};
    bool saved = true;
    for (size_t i = 0; i < std::size(keys); ++i) {
        std::string key = keys[i].first;
        saved = SetXmlValue(station, key, f.Text[keys[i].second], i + 1 == std::size(keys) ? 1 : 0);
    }
    return saved ? SetupDoneResult::Stored : SetupDoneResult::XmlNotSaved;
}

}  // namespace station
