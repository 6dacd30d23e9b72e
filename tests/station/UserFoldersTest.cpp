#include <gtest/gtest.h>

#include "station/UserFolders.h"
#include "station/XmlPrefs.h"
#include "support/TestSession.h"

using namespace station;
namespace fs = std::filesystem;

namespace {
std::string str(const fs::path& p) { return p.string(); }
}  // namespace

TEST(FindUserFolder, ProfileFolderChain) {
    // My Documents made when missing.
    {
        TestSession t;
        fs::create_directories(t.root / "profile");
        t.fakes.environment.values["USERPROFILE"] = str(t.root / "profile");
        std::string base;
        FindUserFolder(*t, base, "\\Tervak Software", "\\Florida");
        EXPECT_EQ(base, str(t.root / "profile/My Documents/Tervak Software"));
        EXPECT_TRUE(fs::is_directory(t.root / "profile/My Documents/Tervak Software/Florida"));
    }
    // My Documents cannot be made (a file stands there), Documents exists: used, no message.
    {
        TestSession t;
        fs::create_directories(t.root / "profile/Documents");
        writeFileBytes(t.root / "profile/My Documents", "");
        t.fakes.environment.values["USERPROFILE"] = str(t.root / "profile");
        std::string base;
        FindUserFolder(*t, base, "/Tervak Software", "/Shared");
        EXPECT_EQ(base, str(t.root / "profile/Documents/Tervak Software"));
        EXPECT_TRUE(fs::is_directory(t.root / "profile/Documents/Tervak Software/Shared"));
        EXPECT_TRUE(t.fakes.dialogs.messages.empty());
    }
    // Neither: folders under the profile and under APPDATA; APPDATA's are used. An empty
    // APPDATA keeps the profile's instead of the file-system root.
    for (bool withAppData : {true, false}) {
        TestSession t;
        fs::create_directories(t.root / "profile");
        fs::create_directories(t.root / "appdata");
        writeFileBytes(t.root / "profile/My Documents", "");
        t.fakes.environment.values["USERPROFILE"] = str(t.root / "profile");
        if (withAppData) t.fakes.environment.values["APPDATA"] = str(t.root / "appdata");
        std::string base;
        FindUserFolder(*t, base, "/Tervak Software", "/Florida");
        EXPECT_TRUE(fs::is_directory(t.root / "profile/Tervak Software/Florida"));
        EXPECT_EQ(fs::is_directory(t.root / "appdata/Tervak Software/Florida"), withAppData);
        EXPECT_EQ(base, str(t.root / (withAppData ? "appdata" : "profile") / "Tervak Software"));
    }
}

TEST(FindUserFolder, LinuxDocumentsFolder) {
    struct Case {
        const char* name;
        std::string xdgVar;     // XDG_DOCUMENTS_DIR, relative to home
        std::string userDirs;   // contents of ~/.config/user-dirs.dirs, empty for none
        std::string expected;   // relative to home
    } cases[] = {
        {"xdg variable", "Papers", "", "Papers"},
        {"user-dirs file", "", "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
         "Dokumente"},
        {"documents folder made", "", "", "Documents"},
        {"documents dir is home", "", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", "Documents"},
    };
    for (const auto& c : cases) {
        TestSession t;
        const fs::path home = t.root / "home";
        fs::create_directories(home);
        t.fakes.environment.values["HOME"] = str(home);
        if (!c.xdgVar.empty()) t.fakes.environment.values["XDG_DOCUMENTS_DIR"] = str(home / c.xdgVar);
        if (!c.userDirs.empty()) {
            fs::create_directories(home / ".config");
            writeFileBytes(home / ".config/user-dirs.dirs", c.userDirs);
        }
        std::string base;
        FindUserFolder(*t, base, "/Tervak Software", "/Florida");
        EXPECT_EQ(base, str(home / c.expected / "Tervak Software")) << c.name;
        EXPECT_TRUE(fs::is_directory(home / c.expected / "Tervak Software/Florida")) << c.name;
        // A second search for the other sub-folder returns the same base and adds only it.
        std::string again;
        FindUserFolder(*t, again, "/Tervak Software", "/Shared");
        EXPECT_EQ(again, base) << c.name;
        EXPECT_TRUE(fs::is_directory(home / c.expected / "Tervak Software/Shared")) << c.name;
        EXPECT_TRUE(t.fakes.dialogs.messages.empty()) << c.name;
    }
}

TEST(MakeFolder, EmptyPathAndFailuresAreReportedOnlyWhenAsked) {
    TestSession t;
    EXPECT_FALSE(MakeFolder(*t, "", 0));
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fakes.dialogs.messages[0].prompt, "Invalid Path");
    EXPECT_EQ(t.fakes.dialogs.messages[0].title, "Unable to Create Directory");

    const std::string target = str(t.root / "new");
    t.fakes.files.failMakeDirectory = true;
    EXPECT_FALSE(MakeFolder(*t, target, 0));
    EXPECT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_FALSE(MakeFolder(*t, target, 1));
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 2u);
    EXPECT_EQ(t.fakes.dialogs.messages[1].title, "Unable to create directory.");
    EXPECT_NE(t.fakes.dialogs.messages[1].prompt.find(target), std::string::npos);

    t.fakes.files.failMakeDirectory = false;
    EXPECT_TRUE(MakeFolder(*t, target, 1));
    EXPECT_TRUE(MakeFolder(*t, target, 1));  // already there
    EXPECT_TRUE(fs::is_directory(target));
}

TEST(CallToFileStem, LeadingCapitalsAndDigits) {
    const std::pair<std::string, std::string> cases[] = {
        {"N0CALL/M", "N0CALL"}, {"VE3/N0CALL", "VE3"}, {"n0call", "YourCall"}, {"", "YourCall"},
        {" N0CALL", "YourCall"}, {"K4ABC-1", "K4ABC"}, {"W1aw", "W1"},
    };
    for (const auto& [call, stem] : cases) EXPECT_EQ(CallToFileStem(call), stem) << call;
}

class XmlPrefsTest : public ::testing::Test {
protected:
    TestSession t;
    std::string path = str(fs::path(t->folders.SharedFolder) / "SharedUserPreferences.xml");
    std::string file() { return readFileBytes(path); }
    bool set(std::string key, const std::string& value, uint8_t save) { return SetXmlValue(*t, key, value, save); }
};

TEST_F(XmlPrefsTest, NewFileHoldsDeclarationAndOneLinePerKey) {
    ASSERT_TRUE(OpenXmlPrefs(*t, path));
    EXPECT_FALSE(fs::exists(path));  // nothing written on open
    std::string key = "own_call";
    EXPECT_TRUE(SetXmlValue(*t, key, "N0CALL", 1));
    EXPECT_EQ(key, "OWN_CALL");
    EXPECT_EQ(file(), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");

    set("OWN_SPC", "FL", 0);
    set("OWN_CALL", "K4XYZ", 1);  // replaces only the value, keeps the order
    EXPECT_EQ(file(), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K4XYZ</OWN_CALL>\r\n"
                      "<OWN_SPC>FL</OWN_SPC>\r\n");

    // Loaded again, saved again: byte for byte the same file.
    ASSERT_TRUE(OpenXmlPrefs(*t, path));
    const std::string before = file();
    ASSERT_TRUE(SaveXmlPrefs(*t, path));
    EXPECT_EQ(file(), before);
}

TEST_F(XmlPrefsTest, ExistingFilesAreKeptAsTheyStand) {
    struct Case {
        const char* name;
        std::string stored, key, value, expected;
    } cases[] = {
        {"other program's element kept", "<?xml version=\"1.0\"?>\r\n<OTHER>x</OTHER>", "OWN_CALL", "N0CALL",
         "<?xml version=\"1.0\"?>\r\n<OTHER>x</OTHER>\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n"},
        {"no final line end: nothing cut", "<A>1</A>", "A", "2", "<A>2</A>\r\n"},
        {"LF only", "<A>1</A>\n<B>x</B>\n", "A", "2", "<A>2</A>\n<B>x</B>\r\n"},
        {"no closing tag: rest of line replaced", "<A>old junk\r\n<B>x</B>", "A", "new",
         "<A>new</A>\r\n<B>x</B>\r\n"},
        {"one byte file", "x", "A", "1", "x\r\n<A>1</A>\r\n"},
        {"empty file", "", "A", "1", "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<A>1</A>\r\n"},
        {"case-sensitive tag match", "<own_call>a</own_call>", "own_call", "b",
         "<own_call>a</own_call>\r\n<OWN_CALL>b</OWN_CALL>\r\n"},
    };
    for (const auto& c : cases) {
        writeFileBytes(path, c.stored);
        ASSERT_TRUE(OpenXmlPrefs(*t, path)) << c.name;
        set(c.key, c.value, 1);
        EXPECT_EQ(file(), c.expected) << c.name;
    }
}

TEST_F(XmlPrefsTest, ValuesAreEscapedUtf8AndSaveFailuresAreReturned) {
    ASSERT_TRUE(OpenXmlPrefs(*t, path));
    set("OWN_CLUB_NAME", "Fish & <Chips> Caf\xE9 \x80", 1);
    EXPECT_NE(file().find("<OWN_CLUB_NAME>Fish &amp; &lt;Chips&gt; Caf\xC3\xA9 \xE2\x82\xAC</OWN_CLUB_NAME>"),
              std::string::npos);
    t.fakes.files.failWrite = true;
    EXPECT_FALSE(set("OWN_CALL", "N0CALL", 1));
    EXPECT_TRUE(set("OWN_CALL", "N0CALL", 0));  // nothing written, nothing failed
}
