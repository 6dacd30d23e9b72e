#pragma once
// The rig list of the setup dialog as data: the 19 rig type names in list order, what choosing a
// name sets (serial options, the two read strings, "Convert to Hex", the Icom note) and which
// command set each name speaks. Names are compared ignoring letter case, as every rig-type
// comparison is.

#include <optional>
#include <string>
#include <vector>

namespace rig {

// One value per name of the list; Unknown for a name that is not on it (a profile written by
// another program), which polls nothing and decodes nothing.
enum class RigKind {
    None,
    Elecraft,
    Icom,
    Icom735,
    Kenwood,
    Kenwood2,
    OmniVI,
    Orion,
    TenTecFrontPanel,
    Pegasus,
    Yaesu,
    Yaesu757,
    Yaesu890,
    Yaesu920,
    Yaesu990,
    Yaesu1000D,
    Yaesu1000,
    Ftdx9000,
    Other,
    Unknown,
};

// Serial options a row selects; an empty text keeps the option as it is.
struct SerialDefaults {
    std::string baud;    // "1200" .. "56000"
    std::string parity;  // "N", "O", "E"
    std::string data;    // "7", "8"
    std::string stop;    // "1", "2"
};

struct RigTypeRow {
    const char* name;
    RigKind kind;
    SerialDefaults serial;
    const char* freqReadString;
    const char* modeReadString;
    bool convertToHex;        // the value a click gives "Convert to Hex"
    bool enableConvertToHex;  // only "Other" lets the operator change it
    bool icomNote;            // the note about the CI-V address
    bool setsReadStrings;     // false for "None" and "Ten Tec Pegasus": the click stops after clearing
};

// The 19 rows in list order.
const std::vector<RigTypeRow>& RigTypeTable();
// The row of a name (ignoring case); nullptr for a name not on the list.
const RigTypeRow* FindRigType(const std::string& name);
RigKind KindOf(const std::string& rigType);

// Command-set families.
bool IsCiv(RigKind kind);            // Icom, Icom 735, Ten Tec Omni VI
bool IsKenwoodText(RigKind kind);    // Kenwood, Kenwood 2, Elecraft
bool IsYaesuStatus(RigKind kind);    // the five status-block Yaesus (890, 920, 990, 1000 D, 1000)
// The Yaesus that are sent 00 00 00 00 00 on opening and 00 00 00 00 80 on closing: every rig
// type whose name starts "Yaesu" but the FTdx9000 (also a Yaesu name not on the list).
bool IsLegacyYaesu(const std::string& rigType);
// Binary replies without a frame marker: they are read by position, so the poll cycle never
// starts a new request while the line still carries bytes of the last answer.
bool HasUnframedReply(RigKind kind);
// The two rigs whose link runs with RTS/CTS handshaking.
bool UsesRtsCts(RigKind kind);

}  // namespace rig
