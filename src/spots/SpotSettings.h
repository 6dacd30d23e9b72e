#pragma once
// PackSpot.txt, the spotting setup's settings: fourteen items in the write form, in the
// program folder, rewritten whole by the setup window's Done and read once when the window is
// created. Beside it, AGWEngine.txt holds where the AGW packet engine listens (host and port;
// 127.0.0.1:8000 when the file is missing), which PackSpot.txt's fourteen items have no room
// for.

#include <cstdint>
#include <string>

#include "spots/AgwLink.h"

class Session;

namespace spots {

inline constexpr const char* kPackSpotFile = "PackSpot.txt";
inline constexpr const char* kAgwEngineFile = "AGWEngine.txt";

struct PackSpotSettings {
    std::string TncBaud;       // 1  "1200" ... "19200"
    std::string TncParity;     // 2  "N", "O", "E"
    std::string TncDataBits;   // 3  "7", "8"
    std::string TncStopBits;   // 4  "1", "2"
    uint8_t TncPort = 0;       // 5  1..10, 0 while the TNC was never opened
    std::string TncPower;      // 6  "N", "R", "D"
    std::string SpotSource;    // 7  "None", "TNC", "Telnet", "AGW Packet Engine", as stored
    int ConvToHex = 0;         // 8  check box state, 0 or 1
    uint8_t TncHandshake = 0;  // 9  1..4, 0 while never read
    int ListDxOnly = 0;        // 10 check box "List DX Only", 0 or 1
    bool OptList = false;      // 11 spot list (true) or band map (false) on the logging window
    std::string Hex;           // 12 the TNC command-mode character as two hex digits
    std::string TelnetPort;    // 13 as typed
    std::string TelnetHost;    // 14 as typed
    friend bool operator==(const PackSpotSettings&, const PackSpotSettings&) = default;
};

// A read of PackSpot.txt. The read stops at the first item that cannot be used (the file
// missing or short, a byte item that is not a number 0..255); `items` says how many were read,
// and the values after them keep what `defaults` held.
struct PackSpotRead {
    PackSpotSettings values;
    int items = 0;
    bool complete() const { return items == 14; }
};

PackSpotRead ParsePackSpot(const std::string& bytes, const PackSpotSettings& defaults);
std::string FormatPackSpot(const PackSpotSettings& settings);

PackSpotRead LoadPackSpot(Session& session, const PackSpotSettings& defaults);
// Rewrites the file through a temporary file; false when it could not be written.
bool SavePackSpot(Session& session, const PackSpotSettings& settings);

// AGWEngine.txt: "host", port. A missing or unreadable file, or a port outside 1..65535,
// gives the default for that value.
AgwEngineAddress ParseAgwEngine(const std::string& bytes);
std::string FormatAgwEngine(const AgwEngineAddress& address);
AgwEngineAddress LoadAgwEngine(Session& session);
bool SaveAgwEngine(Session& session, const AgwEngineAddress& address);

}  // namespace spots
