// The launcher's preparation of the program folder: shipped files arrive, the operator's stay.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "support/TestSession.h"

namespace fs = std::filesystem;

namespace {
int prepare(const fs::path& home) {
    const std::string command =
        "bash '" + std::string(PALMETAR_SOURCE_DIR) + "/scripts/prepare-home' '" + home.string() + "'";
    return std::system(command.c_str());
}

std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename().string());
    return out;
}

std::set<std::string> shippedNames() { return names(PALMETAR_DATA_DIR); }

struct TempFolder {
    fs::path path = fs::temp_directory_path() / ("palmetar-home-" + std::to_string(::getpid()));
    TempFolder() { fs::remove_all(path); }
    ~TempFolder() { fs::remove_all(path); }
};
}  // namespace

TEST(PrepareHome, AFreshFolderGetsEveryShippedFileAsShipped) {
    TempFolder t;
    const fs::path home = t.path / "not" / "there";
    ASSERT_EQ(prepare(home), 0);
    EXPECT_EQ(names(home), shippedNames());
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const auto& name : shippedNames()) {
        const fs::path shipped = fs::path(PALMETAR_DATA_DIR) / name;
        EXPECT_EQ(readFileBytes(home / name), readFileBytes(shipped)) << name;
        // Readable as a plain copy would be, not only by the one who ran the launcher.
        EXPECT_EQ(static_cast<unsigned>(fs::status(home / name).permissions()),
                  static_cast<unsigned>(fs::status(shipped).permissions()) & ~mask & 0777u)
            << name;
    }
}

TEST(PrepareHome, TheOperatorsFilesAreNeverReplacedWhateverTheirLetterCase) {
    TempFolder t;
    const fs::path home = t.path;
    fs::create_directories(home);
    writeFileBytes(home / "wave2.txt", "the operator's keyer settings");
    writeFileBytes(home / "ARRLPRE2.TXT", "the operator's prefix table");
    fs::create_symlink(home / "elsewhere" / "cw.txt", home / "cw.txt");  // points nowhere yet
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(prepare(home), 0);
        EXPECT_EQ(readFileBytes(home / "wave2.txt"), "the operator's keyer settings");
        EXPECT_EQ(readFileBytes(home / "ARRLPRE2.TXT"), "the operator's prefix table");
        EXPECT_FALSE(fs::exists(home / "arrlpre2.txt"));  // no second copy beside it
        EXPECT_FALSE(fs::exists(home / "elsewhere"));     // nothing written through the link
        EXPECT_EQ(readFileBytes(home / "states.txt"), readFileBytes(fs::path(PALMETAR_DATA_DIR) / "states.txt"));
        std::set<std::string> expected = shippedNames();
        expected.erase("arrlpre2.txt");
        expected.insert("ARRLPRE2.TXT");
        EXPECT_EQ(names(home), expected) << "no temporary files are left behind";
    }
}

// The spoken prompts the build made arrive beside the shipped files; a recording of the
// operator's own, in whatever letter case, is kept.
TEST(PrepareHome, BringsTheSpokenPromptsButKeepsTheOperatorsRecordings) {
    TempFolder t;
    const fs::path home = t.path;
    fs::create_directories(home);
    writeFileBytes(home / "call.WAV", "the operator's own voice");
    const std::string command = "bash '" + std::string(PALMETAR_SOURCE_DIR) + "/scripts/prepare-home' '" +
                                home.string() + "' '" + PALMETAR_PROMPT_DIR + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* prompt : {"RstRcvd", "RstSnt", "SPC", "County", "Dupe", "NavEn", "NavDis"}) {
        const std::string name = std::string(prompt) + ".wav";
        ASSERT_TRUE(fs::exists(home / name)) << name;
        const std::string bytes = readFileBytes(home / name);
        EXPECT_EQ(bytes, readFileBytes(fs::path(PALMETAR_PROMPT_DIR) / name)) << name;
        // A real recording: a RIFF/WAVE file with sound in it, not an empty placeholder.
        EXPECT_EQ(bytes.substr(0, 4), "RIFF") << name;
        EXPECT_EQ(bytes.substr(8, 4), "WAVE") << name;
        EXPECT_GT(bytes.size(), 4000u) << name;
    }
    EXPECT_EQ(readFileBytes(home / "call.WAV"), "the operator's own voice");
    EXPECT_FALSE(fs::exists(home / "Call.wav"));
}
