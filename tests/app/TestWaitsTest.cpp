// QTest's QTRY wait macros report their failures to QTest's own log, which a GoogleTest program
// never reads: inside a GoogleTest test they pass whatever happens. Waits are written
// EXPECT_TRUE(QTest::qWaitFor(...)) instead, and this keeps it so.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

TEST(TestWaits, NoTestUsesAWaitMacroThatCannotFail) {
    const std::string macro = std::string("QTRY") + "_";  // spelled apart so this file does not match
    std::string offenders;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(PALMETAR_SOURCE_DIR) / "tests")) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::ifstream in(entry.path());
        std::ostringstream text;
        text << in.rdbuf();
        if (text.str().find(macro) != std::string::npos) offenders += entry.path().string() + "\n";
    }
    EXPECT_EQ(offenders, "");
}
