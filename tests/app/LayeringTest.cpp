// The folders of src/ stand in layers, and a file includes only from its own folder and the
// layers below it: platform; station (files, profile, log); logging (the contest rules); the
// subsystems rig, keying, spots, logtools and window; session (the run); app. A layer that
// included one above it would tie the ground floor to everything over it again. This reads
// every #include "..." of src/ and names each one that breaks the rules of docs/architecture.md.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace {

enum class Layer { Platform, Station, Rules, Subsystem, Run, Program };

// Every folder of src/ with its layer. A new folder is placed here on purpose, or the check fails.
const std::map<std::string, Layer> kLayers = {
    {"platform", Layer::Platform}, {"station", Layer::Station},    {"logging", Layer::Rules},
    {"rig", Layer::Subsystem},     {"keying", Layer::Subsystem},   {"spots", Layer::Subsystem},
    {"logtools", Layer::Subsystem}, {"window", Layer::Subsystem},  {"session", Layer::Run},
    {"app", Layer::Program},
};

// Within the subsystems' layer the cores stay apart but for these: the window's keys drive the
// keyers through their port (keying/KeyerPort.h). The subsystems' windows (ui/) open and embed
// one another (the tool-window registry, the spot panel, the edit dialog) and may include each
// other's headers.
const std::set<std::pair<std::string, std::string>> kSiblingCores = {{"window", "keying"}};

// The one header above a subsystem that its sources may include: the run they belong to.
// Headers forward-declare Session.
const char* const kRun = "session/Session.h";

struct Place {
    std::string folder;  // "station", "rig", ...
    bool gui = false;    // in a ui/ folder or platform/qt/ (the gui library), or the program
};

Place PlaceOf(const std::string& path) {
    Place p;
    const size_t slash = path.find('/');
    p.folder = path.substr(0, slash);
    const std::string rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    p.gui = rest.starts_with("ui/") || (p.folder == "platform" && rest.starts_with("qt/")) || p.folder == "app";
    return p;
}

// Why `file` (a path under src/, "rig/RigControl.cpp") may not include `target` (as written in
// its #include, "logging/BandSwitch.h"); "" when it may.
std::string Refusal(const std::string& file, const std::string& target) {
    const Place from = PlaceOf(file), to = PlaceOf(target);
    if (target.find('/') == std::string::npos) return "an include names its folder from src/";
    for (const auto* p : {&from, &to}) {
        if (!kLayers.contains(p->folder)) return "folder " + p->folder + "/ has no layer";
    }
    if (to.gui && !from.gui) return "a core file includes the gui library";
    if (to.folder == from.folder) return {};
    const Layer a = kLayers.at(from.folder), b = kLayers.at(to.folder);
    if (b < a) return {};
    if (b == a) {
        if (a == Layer::Subsystem && (from.gui || kSiblingCores.contains({from.folder, to.folder}))) return {};
        return from.folder + "/ includes " + to.folder + "/ of its own layer";
    }
    if (target == kRun && a == Layer::Subsystem) {
        if (file.ends_with(".cpp")) return {};
        return "a header includes the run (forward-declare Session)";
    }
    return from.folder + "/ includes " + to.folder + "/, a layer above it";
}

const std::regex kInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");

}  // namespace

TEST(Layering, EveryIncludeOfSrcPointsDownOrToWhereItsLayerMayLook) {
    const fs::path src = fs::path(PALMETAR_SOURCE_DIR) / "src";
    std::string offenders;
    int includes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        const std::string file = entry.path().lexically_relative(src).generic_string();
        std::ifstream in(entry.path());
        std::string line;
        for (int n = 1; std::getline(in, line); ++n) {
            std::smatch m;
            if (!std::regex_search(line, m, kInclude)) continue;
            ++includes;
            const std::string why = Refusal(file, m[1]);
            if (!why.empty()) offenders += file + ":" + std::to_string(n) + ": " + m[1].str() + ": " + why + "\n";
        }
    }
    EXPECT_GT(includes, 0) << "no #include read under " << src;
    EXPECT_EQ(offenders, "");
}

// The rules themselves: a check that let everything through would pass the test above too.
TEST(Layering, TheRulesRefuseEveryWayUpAndAcross) {
    const struct {
        const char* file;
        const char* target;
        bool allowed;
    } cases[] = {
        {"station/Profile.cpp", "platform/FileSystem.h", true},
        {"station/Profile.cpp", "keying/CwSettings.h", false},
        {"station/ui/frmStationID.cpp", "keying/CwSettings.h", false},
        {"station/ui/frmSplash.cpp", "window/ui/ControlStyle.h", false},
        {"station/ui/frmSplash.cpp", "platform/qt/Text.h", true},
        {"station/Tables.h", "session/Session.h", false},
        {"platform/Clock.cpp", "station/Folders.h", false},
        {"platform/qt/QtSerialLine.cpp", "station/Folders.h", false},
        {"logging/Mains.cpp", "station/LogStore.h", true},
        {"logging/Mains.cpp", "session/Session.h", false},
        {"logging/Mains.cpp", "rig/RigControl.h", false},
        {"rig/RigControl.cpp", "logging/BandSwitch.h", true},
        {"rig/RigControl.cpp", "window/BandLabels.h", false},
        {"rig/CatDecoders.cpp", "keying/Numbers.h", false},
        {"keying/CwKeyer.cpp", "window/KeyRouter.h", false},
        {"spots/SpotReceiver.cpp", "window/FormDesign.h", false},
        {"rig/RigControl.cpp", "session/Session.h", true},
        {"rig/RigControl.h", "session/Session.h", false},
        {"rig/RigControl.cpp", "session/Other.h", false},
        {"window/KeyRouter.h", "keying/KeyerPort.h", true},
        {"window/KeyRouter.h", "rig/RigControl.h", false},
        {"spots/BandMap.cpp", "spots/ui/SpectrumMap.h", false},
        {"spots/ui/SpectrumMap.cpp", "window/ui/ToolWindows.h", true},
        {"window/ui/LoggingWindowSpots.cpp", "spots/ui/SpectrumMap.h", true},
        {"window/ui/LoggingWindow.cpp", "app/main.cpp", false},
        {"session/Session.h", "window/LiveWindowFacade.h", true},
        {"session/Session.h", "window/ui/LoggingWindow.h", false},
        {"app/main.cpp", "window/ui/OpenLoggingWindow.h", true},
        {"newfolder/Thing.cpp", "platform/Clock.h", false},
        {"station/Profile.cpp", "newfolder/Thing.h", false},
        {"station/Profile.cpp", "Profile.h", false},
    };
    for (const auto& c : cases) {
        const std::string why = Refusal(c.file, c.target);
        EXPECT_EQ(why.empty(), c.allowed) << c.file << " -> " << c.target << ": " << why;
    }
}
