#include "station/Profile.h"

#include "station/Station.h"
#include "station/WriteForm.h"

namespace station {

namespace {
const char* kPrefName = "QSOpref.txt";

// A number outside what it can mean (a damaged or hand-edited file) reads as the first-run
// value 0: the clock text, the UTC minutes and the bearings convert these to integers, which a
// value such as 1E+23 would overflow.
float within(float value, float lo, float hi) { return value >= lo && value <= hi ? value : 0; }
}  // namespace

std::string PreferencesText(const StationProfile& p) {
    std::string out;
    auto text = [&](const std::string& v) { out += WriteFormLine().text(v).line(); };
    auto single = [&](float v) { out += WriteFormLine().single(v).line(); };
    auto integer = [&](int64_t v) { out += WriteFormLine().integer(v).line(); };
    text(p.StationCall);
    text(p.StationState);
    text(p.StationCountry);
    text(p.ArrlSection);
    text(p.OperatorName);
    text(p.StationCategory);
    text(p.CurrentCounty);
    text(p.StationCity);
    text(p.CurrentMode);
    text(p.CurrentBand);
    single(p.HoursOffset);
    single(p.StationLongitude);
    single(p.StationLatitude);
    text(p.StationContinent);
    integer(p.FormSizePercent);
    integer(p.WorkedColor);
    integer(p.RemainingColor);
    single(p.OperatingSeconds);
    text(p.HomeState);
    integer(p.OutOfState);
    integer(p.RoverFlag);
    integer(p.VoiceNavMode);
    text(p.RigType);
    integer(p.ShowTaskbar);
    integer(p.ListPrevious);
    return out;
}

bool ReadPreferencesText(const std::string& bytes, StationProfile& p) {
    WriteFormReader in(bytes);
    try {
        p.StationCall = in.readText();
        p.StationState = in.readText();
        p.StationCountry = in.readText();
        p.ArrlSection = in.readText();
        p.OperatorName = in.readText();
        p.StationCategory = in.readText();
        p.CurrentCounty = in.readText();
        p.StationCity = in.readText();
        p.CurrentMode = in.readText();
        p.CurrentBand = in.readText();
        p.HoursOffset = within(in.readSingle(), -kMaxHoursOffset, kMaxHoursOffset);
        p.StationLongitude = within(in.readSingle(), -180, 180);
        p.StationLatitude = within(in.readSingle(), -90, 90);
        p.StationContinent = in.readText();
        p.FormSizePercent = in.readByte();
        p.WorkedColor = in.readInt32();
        p.RemainingColor = in.readInt32();
        p.OperatingSeconds = within(in.readSingle(), 0, kMaxOperatingSeconds);
        p.HomeState = in.readText();
        p.OutOfState = in.readByte();
        p.RoverFlag = in.readByte();
        p.VoiceNavMode = in.readByte();
        p.RigType = in.readText();
        p.ShowTaskbar = in.readByte();
        p.ListPrevious = in.readByte();
    } catch (const FileError&) {
        return false;
    }
    return true;
}

void NormalizeProfile(StationProfile& p) {
    if (p.FormSizePercent < 30 || p.FormSizePercent > 100) p.FormSizePercent = 100;
    if (p.RigType.empty()) p.RigType = "None";
}

void ApplyFirstRunDefaults(StationProfile& p) {
    if (p.WorkedColor == 0 && p.RemainingColor == 0) {
        p.WorkedColor = kDefaultWorkedColor;
        p.RemainingColor = kDefaultRemainingColor;
    }
}

bool ReadPreferences(Station& station) {
    const std::string path = station.programFile(kPrefName);
    auto bytes = station.platform.files.readAll(path);
    bool ok = false;
    if (bytes) {
        ok = ReadPreferencesText(*bytes, station.profile);
    } else {
        ApplyFirstRunDefaults(station.profile);
    }
    NormalizeProfile(station.profile);
    return ok;
}

bool PreferencesFileExists(const Station& station) {
    return station.platform.files.exists(station.programFile(kPrefName));
}

bool SavePreferences(Station& station) {
    return station.platform.files.writeAtomic(station.programFile(kPrefName), PreferencesText(station.profile));
}

}  // namespace station
