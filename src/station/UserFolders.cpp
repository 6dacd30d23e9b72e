#include "station/UserFolders.h"

#include "station/Station.h"

namespace station {

namespace {
const char* kAccessError = "Path/File access error";

std::string subName(const std::string& sub) {
    size_t start = 0;
    while (start < sub.size() && (sub[start] == '/' || sub[start] == '\\')) ++start;
    return sub.substr(start);
}

std::string join(const std::string& folder, const std::string& sub) {
    std::string name = subName(sub);
    if (name.empty()) return folder;
    return platform::joinPath(folder, name);
}

// The documents folder named by the XDG user-dirs file, "$HOME/..." expanded; empty when none.
std::string xdgDocuments(Station& station, const std::string& home) {
    auto& env = station.platform.environment;
    std::string value = env.get("XDG_DOCUMENTS_DIR");
    if (value.empty()) {
        std::string config = env.get("XDG_CONFIG_HOME");
        if (config.empty() && !home.empty()) config = home + "/.config";
        if (config.empty()) return {};
        auto bytes = station.platform.files.readAll(config + "/user-dirs.dirs");
        if (!bytes) return {};
        const std::string key = "XDG_DOCUMENTS_DIR=";
        size_t at = bytes->find(key);
        if (at == std::string::npos || (at > 0 && (*bytes)[at - 1] != '\n')) return {};
        size_t end = bytes->find('\n', at);
        value = bytes->substr(at + key.size(), end == std::string::npos ? std::string::npos : end - at - key.size());
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) {
        if (home.empty()) return {};
        value = home + value.substr(5);
    }
    // A documents folder equal to the home folder means "no documents folder" in user-dirs.
    if (value.empty() || value == home || value == home + "/") return {};
    return value;
}

void makeBoth(Station& station, const std::string& root, const std::string& sub1, const std::string& sub2,
              std::string& base) {
    base = join(root, sub1);
    MakeFolder(station, base, 1);
    MakeFolder(station, join(base, sub2), 1);
}
}  // namespace

bool MakeFolder(Station& station, const std::string& path, uint8_t report) {
    auto& files = station.platform.files;
    if (path.empty()) {
        station.platform.dialogs.messageBox("Invalid Path", platform::MsgButtons::OK, platform::MsgIcon::None,
                                            "Unable to Create Directory");
        return false;
    }
    if (files.isDirectory(path)) return true;
    if (files.makeDirectory(path)) return true;
    if (report == 1) {
        station.platform.dialogs.messageBox(std::string(kAccessError) + "  " + platform::PathText(path), platform::MsgButtons::OK,
                                            platform::MsgIcon::None, "Unable to create directory.");
    }
    return false;
}

void FindUserFolder(Station& station, std::string& base, const std::string& sub1, const std::string& sub2) {
    auto& env = station.platform.environment;
    auto& files = station.platform.files;
    const std::string profile = env.get("USERPROFILE");
    if (!profile.empty()) {
        const std::string myDocuments = platform::joinPath(profile, "My Documents");
        if (!files.isDirectory(myDocuments)) MakeFolder(station, myDocuments, 0);
        if (files.isDirectory(myDocuments)) return makeBoth(station, myDocuments, sub1, sub2, base);
        const std::string documents = platform::joinPath(profile, "Documents");
        if (files.isDirectory(documents)) return makeBoth(station, documents, sub1, sub2, base);
        makeBoth(station, profile, sub1, sub2, base);
        // An empty APPDATA would put the folders at the root: keep the profile's then.
        const std::string appData = env.get("APPDATA");
        if (!appData.empty()) makeBoth(station, appData, sub1, sub2, base);
        return;
    }
    const std::string home = env.get("HOME");
    std::string documents = xdgDocuments(station, home);
    if (!documents.empty() && !files.isDirectory(documents)) MakeFolder(station, documents, 0);
    if (documents.empty() || !files.isDirectory(documents)) {
        documents = home.empty() ? std::string() : platform::joinPath(home, "Documents");
        if (!documents.empty() && !files.isDirectory(documents)) MakeFolder(station, documents, 0);
    }
    if (documents.empty() || !files.isDirectory(documents)) documents = home;
    if (documents.empty() || !files.isDirectory(documents)) documents = station.folders.ProgramFolder;
    makeBoth(station, documents, sub1, sub2, base);
}

std::string CallToFileStem(const std::string& call) {
    size_t n = 0;
    while (n < call.size() && ((call[n] >= '0' && call[n] <= '9') || (call[n] >= 'A' && call[n] <= 'Z'))) ++n;
    return n == 0 ? std::string("YourCall") : call.substr(0, n);
}

}  // namespace station
