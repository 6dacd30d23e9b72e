#include "support/TestSession.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

std::string readFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFileBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

TestSession::TestSession(const Devices& d) : TestSession(&d) {}

TestSession::TestSession(const Devices* d) : TestSession() {
    if (!d) return;
    auto& f = fakes;
    devices = std::make_unique<platform::Services>(platform::Services{
        f.dialogs, d->clock, f.environment, f.files, f.screen, f.clipboard, f.settings, f.random, f.exit, f.wave,
        d->scheduler, d->serial, f.keyLines, f.keyingClock, f.phoneWave, d->tcp ? *d->tcp : f.tcp});
    const auto folders = session->folders;
    session = std::make_unique<Session>(*devices, folders.ProgramFolder);
    session->folders = folders;
}

TestSession::TestSession() {
    std::random_device rd;
    root = fs::temp_directory_path() / ("palmetar-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(root / "program");
    fs::create_directories(root / "documents/Tervak Software/Florida");
    fs::create_directories(root / "documents/Tervak Software/Shared");
    session = std::make_unique<Session>(fakes.services, (root / "program").string());
    session->folders.UserFolder = (root / "documents/Tervak Software/Florida").string();
    session->folders.SharedFolder = (root / "documents/Tervak Software/Shared").string();
}

TestSession::~TestSession() {
    session.reset();
    std::error_code ec;
    fs::remove_all(root, ec);
}

std::string TestSession::programPath(const std::string& name) const { return (root / "program" / name).string(); }

void TestSession::writeProgramFile(const std::string& name, const std::string& bytes) const {
    writeFileBytes(root / "program" / name, bytes);
}

std::string TestSession::readProgramFile(const std::string& name) const {
    return readFileBytes(root / "program" / name);
}

void TestSession::copyDataFile(const std::string& name) const {
    fs::copy_file(fs::path(PALMETAR_DATA_DIR) / name, root / "program" / name,
                  fs::copy_options::overwrite_existing);
}
