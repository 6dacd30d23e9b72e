// The two exports as the logging windows' File menu runs them over the window's loaded log.
#include <QAction>
#include <gtest/gtest.h>

#include "window/ui/LoggingWindowFixture.h"

namespace fs = std::filesystem;

namespace {
size_t occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}
}  // namespace

TEST(LoggingWindowExports, AdifItemWritesEveryLoggedContactToTheChosenFile) {
    for (bool out : {false, true}) {
        LoggingWindowFixture f(out);
        f.ts.copyDataFile("ADIFCnt.txt");
        auto& w = f.open();
        const std::string file = (fs::path(f.ts->folders.UserFolder) / "FL.adi").string();
        f.ts.fakes.dialogs.messages.clear();
        f.ts.fakes.dialogs.inputAnswers = {"100", "Palmetar Contest"};
        f.ts.fakes.dialogs.fileAnswers = {file};
        w.menuItem("mnuexportADIF")->trigger();

        const std::string adif = readFileBytes(file);
        EXPECT_EQ(occurrences(adif, "<eor>"), 3u) << out;
        for (const char* call : {"<Call:4>N2AA ", "<Call:5>VE3BB ", "<Call:4>W5CC "})
            EXPECT_NE(adif.find(call), std::string::npos) << out << " " << call;
        // The out-of-state log's contacts are in Florida counties; the in-state log's in their states.
        EXPECT_NE(adif.find(out ? "<Cnty:10>FL,Alachua " : "<State:2>NY "), std::string::npos) << out;
        ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u) << out;
        EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "File Written Successfully.");
    }
}

TEST(LoggingWindowExports, PendrakeItemStandsSwitchedOffAndItsHandlerWritesTheImportFile) {
    LoggingWindowFixture f(false);
    auto& w = f.open();
    QAction* item = w.menuItem("mnuPendrakeImport");
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled());
    item->trigger();
    EXPECT_FALSE(fs::exists(f.ts.programPath("LogExp.txt")));

    f.ts.fakes.dialogs.messages.clear();
    f.ts.fakes.dialogs.inputAnswers = {"100"};
    w.mnuPendrakeImport_Click();
    const std::string lines = f.ts.readProgramFile("LogExp.txt");
    EXPECT_EQ(occurrences(lines, "\r\n"), 3u);
    EXPECT_EQ(lines.substr(0, lines.find("\r\n")),
              "\"N2AA\",\"2026/04/25\",\"40\",\"CW\",\"100\",\"16:00:00\",\"599\",\"599\",,\"USA\",\"NY\",\"\",,,,"
              "\"QSO Party Contest\"");
    ASSERT_EQ(f.ts.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.ts.fakes.dialogs.messages[0].title, "Export Successful!");
}
