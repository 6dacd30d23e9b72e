#include "rig/RigTypeTable.h"

#include "logging/Text.h"

namespace rig {

const std::vector<RigTypeRow>& RigTypeTable() {
    static const SerialDefaults kept{};
    static const SerialDefaults civ{"1200", "N", "8", "1"};
    static const SerialDefaults k4800{"4800", "N", "8", "2"};
    static const SerialDefaults tenTec{"56000", "N", "8", "1"};
    static const std::vector<RigTypeRow> rows = {
        {"None", RigKind::None, kept, "", "", false, false, false, false},
        {"Elecraft", RigKind::Elecraft, k4800, "FA;", "MD;", false, false, false, true},
        {"Icom", RigKind::Icom, civ, "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, false, true, true},
        {"Icom 735", RigKind::Icom735, civ, "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, false, true, true},
        {"Kenwood", RigKind::Kenwood, k4800, "FA;", "MD;", false, false, false, true},
        {"Kenwood 2", RigKind::Kenwood2, k4800, "IF;", "", false, false, false, true},
        {"Ten Tec Omni VI", RigKind::OmniVI, civ, "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", true, false, false, true},
        {"Ten Tec Orion", RigKind::Orion, tenTec, "?AF", "?RMM", false, false, false, true},
        {"Ten Tec Fnt Pnl", RigKind::TenTecFrontPanel, tenTec, "3F 41 0D", "3F 4D 0D", true, false, false, true},
        {"Ten Tec Pegasus", RigKind::Pegasus, kept, "", "", false, false, false, false},
        {"Yaesu", RigKind::Yaesu, k4800, "00 00 00 00 03", "", true, false, false, true},
        {"Yaesu 757 GX II", RigKind::Yaesu757, k4800, "00 00 00 00 10", "", true, false, false, true},
        {"Yaesu 890", RigKind::Yaesu890, k4800, "00 00 00 02 10", "", true, false, false, true},
        {"Yaesu 920", RigKind::Yaesu920, k4800, "00 00 00 02 10", "", true, false, false, true},
        {"Yaesu 990", RigKind::Yaesu990, k4800, "00 00 00 02 10", "", true, false, false, true},
        {"Yaesu 1000 D", RigKind::Yaesu1000D, k4800, "00 00 00 02 10", "", true, false, false, true},
        {"Yaesu 1000", RigKind::Yaesu1000, k4800, "00 00 00 02 10", "", true, false, false, true},
        // The FTdx9000 sets only the speed; parity, data and stop bits stay as they are.
        {"Yaesu FTdx9000", RigKind::Ftdx9000, SerialDefaults{"4800", "", "", ""}, "FA;", "MD0;", false, false, false,
         true},
        {"Other", RigKind::Other, kept, "", "", false, true, false, true},
    };
    return rows;
}

const RigTypeRow* FindRigType(const std::string& name) {
    for (const auto& row : RigTypeTable()) {
        if (logging::SameText(row.name, name)) return &row;
    }
    return nullptr;
}

RigKind KindOf(const std::string& rigType) {
    const RigTypeRow* row = FindRigType(rigType);
    return row ? row->kind : RigKind::Unknown;
}

bool IsCiv(RigKind kind) { return kind == RigKind::Icom || kind == RigKind::Icom735 || kind == RigKind::OmniVI; }

bool IsKenwoodText(RigKind kind) {
    return kind == RigKind::Kenwood || kind == RigKind::Kenwood2 || kind == RigKind::Elecraft;
}

bool IsYaesuStatus(RigKind kind) {
    return kind == RigKind::Yaesu890 || kind == RigKind::Yaesu920 || kind == RigKind::Yaesu990 ||
           kind == RigKind::Yaesu1000D || kind == RigKind::Yaesu1000;
}

bool IsLegacyYaesu(const std::string& rigType) {
    return rigType.size() >= 5 && logging::SameText(rigType.substr(0, 5), "Yaesu") &&
           KindOf(rigType) != RigKind::Ftdx9000;
}

bool HasUnframedReply(RigKind kind) {
    return kind == RigKind::Yaesu || kind == RigKind::Yaesu757 || IsYaesuStatus(kind) ||
           kind == RigKind::TenTecFrontPanel;
}

bool UsesRtsCts(RigKind kind) { return kind == RigKind::Orion || kind == RigKind::TenTecFrontPanel; }

}  // namespace rig
