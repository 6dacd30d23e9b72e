#pragma once
#include <cstdint>
#include <string>

namespace station {

// The 25 values of QSOpref.txt, in file order.
struct StationProfile {
    std::string StationCall;
    std::string StationState;
    std::string StationCountry;
    std::string ArrlSection;
    std::string OperatorName;
    std::string StationCategory;
    std::string CurrentCounty;
    std::string StationCity;
    std::string CurrentMode;
    std::string CurrentBand;
    float HoursOffset = 0;       // hours added to local time to get UTC
    float StationLongitude = 0;  // degrees, west positive
    float StationLatitude = 0;
    std::string StationContinent;
    uint8_t FormSizePercent = 0;
    int32_t WorkedColor = 0;     // blue-green-red
    int32_t RemainingColor = 0;
    float OperatingSeconds = 0;
    std::string HomeState;
    uint8_t OutOfState = 0;
    uint8_t RoverFlag = 0;
    uint8_t VoiceNavMode = 0;
    std::string RigType;
    uint8_t ShowTaskbar = 0;
    uint8_t ListPrevious = 0;

    friend bool operator==(const StationProfile&, const StationProfile&) = default;
};

// The widest values the profile's numbers can mean; a file holding more reads as 0.
constexpr float kMaxHoursOffset = 24;
constexpr float kMaxOperatingSeconds = 1e9f;  // some 31 years

// Visible defaults for a first run, when nothing has been stored yet.
// The state grid's labels are silver (C0C0C0): a remaining code is drawn in the labels' own
// black, a worked one in a dark green that stands out from it.
constexpr int32_t kDefaultWorkedColor = 0x008000;      // dark green
constexpr int32_t kDefaultRemainingColor = 0x000000;   // black

}  // namespace station
