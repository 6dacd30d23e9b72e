#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "station/LogStore.h"
#include "station/Profile.h"
#include "support/DiskFull.h"
#include "support/TestSession.h"

using namespace station;
namespace fs = std::filesystem;

namespace {
ContactRecord contact(const std::string& call, const std::string& band = "20") {
    ContactRecord r;
    r.Call = call;
    r.RstSent = "599";
    r.RstReceived = "599";
    r.Spc = "MA";
    r.County = "Alachua";
    r.QsoDate = "2026/04/25";
    r.QsoTime = "16:05:12";
    r.Mode = "CW";
    r.Band = band;
    r.Frequency = "14.025";
    return r;
}

const char* kGoldenLog =
    "\"K1ABC\",\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",\"2024/04/27\",\"16:05:12\",\"CW\",\"20\",0,\"\",\"\",\"14.025\"\r\n"
    "\"W4XYZ\",\"59\",\"59\",\"\",\"Dade\",\"GA\",\"\",\"s8\",\"s9\",\"s10\",\"s11\",\"2024/04/27\",\"16:07\",\"PH\",\"40\",2.5,\"s17\",\"s18\",\"\"\r\n"
    "\"N5DX\",\"599\",\"599\",\"Germany\",\"\",\"\",\"Leon\",\"\",\"\",\"\",\"\",\"2024/04/27\",\"16:09:00\",\"DG\",\"15\",0,\"\",\"\",\"\"\r\n";

std::vector<std::string> backups(TestSession& t) {
    std::vector<std::string> names;
    fs::path dir = fs::path(t->folders.BackupFolder());
    if (!fs::exists(dir)) return names;
    for (auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
}  // namespace

TEST(LogStore, GoldenLogRewritesByteEqualWithPassThroughItems) {
    TestSession t;
    t.writeProgramFile("log.txt", kGoldenLog);
    ASSERT_TRUE(LoadLog(*t));
    ASSERT_EQ(t->log.ContactCount(), 3);
    EXPECT_EQ(t->log.at(2).AltState, "GA");
    EXPECT_EQ(t->log.at(2).Spare11, "s11");
    EXPECT_DOUBLE_EQ(t->log.at(2).SpareNumber, 2.5);
    ASSERT_TRUE(RewriteLog(*t));
    EXPECT_EQ(t.readProgramFile("log.txt"), kGoldenLog);
}

TEST(LogStore, LoadToleratesMissingFileLfAndTrailingEmptyLines) {
    TestSession t;
    ASSERT_TRUE(LoadLog(*t));
    EXPECT_EQ(t->log.ContactCount(), 0);
    EXPECT_FALSE(fs::exists(t.programPath("log.txt")));

    std::string lf = kGoldenLog;
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.replace(p, 2, "\n");
    t.writeProgramFile("Log.TXT", lf + "\n\r\n");
    ASSERT_TRUE(LoadLog(*t));
    EXPECT_EQ(t->log.ContactCount(), 3);
    EXPECT_FALSE(t.fakes.exit.ended());
}

TEST(LogStore, MalformedLogEndsTheProgramAndLeavesTheFile) {
    TestSession t;
    const std::string cut = "\"K1ABC\",\"599\",\"599\"\r\n";
    t.writeProgramFile("log.txt", cut);
    EXPECT_FALSE(LoadLog(*t));
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fakes.dialogs.messages[0].prompt,
              "Error opening file.\r\n\r\nLine 1 of log.txt holds 3 items, not the 19 of a contact. Repair that "
              "line in a text editor; log.txt was not changed.");
    EXPECT_EQ(t.fakes.dialogs.messages[0].title, "File Error");
    EXPECT_TRUE(t.fakes.exit.ended());
    EXPECT_EQ(t.readProgramFile("log.txt"), cut);
}

TEST(LogStore, ALogThatCannotBeOpenedNamesItsPathAndTheSystemsReasonAndEndsTheProgram) {
    struct Case {
        const char* what;
        std::function<void(TestSession&)> arrange;
        std::string reason;
    };
    const Case cases[] = {
        {"a folder named log.txt", [](TestSession& t) { fs::create_directory(t.programPath("log.txt")); },
         "Is a directory"},
        // Root reads every file whatever its permissions: the fake file system refuses instead.
        {"a file it may not read",
         [](TestSession& t) {
             t.writeProgramFile("log.txt", kGoldenLog);
             t.fakes.files.failReadOf = t.programPath("log.txt");
         },
         "Permission denied"},
    };
    for (const auto& c : cases) {
        TestSession t;
        t.writeProgramFile("log.txt", kGoldenLog);
        ASSERT_TRUE(LoadLog(*t));
        fs::remove(t.programPath("log.txt"));
        c.arrange(t);
        EXPECT_FALSE(LoadLog(*t)) << c.what;
        ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u) << c.what;
        const auto& box = t.fakes.dialogs.messages[0];
        EXPECT_EQ(box.title, "File Error") << c.what;
        EXPECT_EQ(box.prompt.rfind("Error opening file.\r\n", 0), 0u) << box.prompt;
        EXPECT_NE(box.prompt.find(t.programPath("log.txt")), std::string::npos) << box.prompt;
        EXPECT_NE(box.prompt.find(c.reason), std::string::npos) << box.prompt;
        EXPECT_TRUE(t.fakes.exit.ended()) << c.what;
        EXPECT_EQ(t->log.ContactCount(), 3) << c.what;  // memory as it was
    }
    // The folder is left as it was.
    TestSession t;
    fs::create_directory(t.programPath("log.txt"));
    EXPECT_FALSE(LoadLog(*t));
    EXPECT_TRUE(fs::is_directory(t.programPath("log.txt")));
    EXPECT_TRUE(fs::is_empty(t.programPath("log.txt")));
}

TEST(LogStore, MoreThanMaxContactsIsMalformed) {
    std::string bytes;
    std::string line = ContactLine(contact("K1ABC"));
    for (int i = 0; i < ContactLog::MaxContacts + 1; ++i) bytes += line;
    EXPECT_THROW(ParseLog(bytes), FileError);
    bytes.resize(bytes.size() - line.size());
    EXPECT_EQ(ParseLog(bytes).size(), static_cast<size_t>(ContactLog::MaxContacts));
}

TEST(LogStore, AppendWritesBeforeCountingAndFailureLeavesMemory) {
    TestSession t;
    ASSERT_EQ(AppendQso(*t, contact("K1ABC")), AppendResult::Stored);
    EXPECT_EQ(t->log.ContactCount(), 1);
    EXPECT_EQ(t.readProgramFile("log.txt"), ContactLine(contact("K1ABC")));

    t.fakes.files.failAppend = true;
    EXPECT_EQ(AppendQso(*t, contact("W1AW")), AppendResult::WriteFailed);
    EXPECT_EQ(t->log.ContactCount(), 1);
    EXPECT_EQ(t.readProgramFile("log.txt"), ContactLine(contact("K1ABC")));
}

TEST(LogStore, AContactAppendedToAHandEditedLogWithoutAFinalLineEndStartsItsOwnLine) {
    TestSession t;
    std::string edited = kGoldenLog;
    edited.resize(edited.size() - 2);  // saved by an editor that drops the last line end
    t.writeProgramFile("log.txt", edited);
    ASSERT_TRUE(LoadLog(*t));
    ASSERT_EQ(AppendQso(*t, contact("K9NEW")), AppendResult::Stored);
    ASSERT_TRUE(LoadLog(*t));
    ASSERT_EQ(t->log.ContactCount(), 4);
    EXPECT_EQ(t->log.at(3).Call, "N5DX");
    EXPECT_EQ(t->log.at(3).Frequency, "");
    EXPECT_EQ(t->log.at(4), contact("K9NEW"));
    EXPECT_EQ(t.readProgramFile("log.txt"), kGoldenLog + ContactLine(contact("K9NEW")));
}

TEST(LogStore, The11001stContactIsRefused) {
    TestSession t;
    t->log.records().assign(ContactLog::MaxContacts, contact("K1ABC"));
    EXPECT_EQ(AppendQso(*t, contact("W1AW")), AppendResult::LogFull);
    EXPECT_EQ(t->log.ContactCount(), ContactLog::MaxContacts);
    EXPECT_FALSE(fs::exists(t.programPath("log.txt")));
}

TEST(LogStore, RewriteFailureLeavesTheOldFile) {
    TestSession t;
    t.writeProgramFile("log.txt", kGoldenLog);
    ASSERT_TRUE(LoadLog(*t));
    t.fakes.files.failWrite = true;
    EXPECT_FALSE(DeleteQso(*t, 1));
    EXPECT_EQ(t->log.ContactCount(), 3);
    EXPECT_EQ(t.readProgramFile("log.txt"), kGoldenLog);
}

TEST(LogStore, DeleteKeepsOrderAndIgnoresOutOfRange) {
    TestSession t;
    for (const char* c : {"A1A", "B2B", "C3C", "D4D", "E5E"}) ASSERT_EQ(AppendQso(*t, contact(c)), AppendResult::Stored);
    for (int k : {0, 6, -1}) EXPECT_FALSE(DeleteQso(*t, k)) << k;
    EXPECT_EQ(t->log.ContactCount(), 5);
    ASSERT_TRUE(DeleteQso(*t, 3));
    ASSERT_EQ(t->log.ContactCount(), 4);
    EXPECT_EQ(t->log.at(3).Call, "D4D");
    EXPECT_EQ(t->log.at(4).Call, "E5E");
    ASSERT_TRUE(LoadLog(*t));
    EXPECT_EQ(t->log.ContactCount(), 4);
}

TEST(LogStore, NewLogNeedsYesAndBacksUpFirst) {
    struct Case {
        const char* answer;
        bool erases;
    };
    for (const Case& c : {Case{"YES", true}, Case{"yEs", true}, Case{"YES ", false}, Case{"no", false}, Case{"", false}}) {
        TestSession t;
        t.writeProgramFile("log.txt", kGoldenLog);
        ASSERT_TRUE(LoadLog(*t));
        t->profile.OperatingSeconds = 500;
        t.fakes.dialogs.inputAnswers.push_back(c.answer);
        EXPECT_EQ(NewLog(*t), c.erases) << c.answer;
        ASSERT_EQ(t.fakes.dialogs.inputs.size(), 1u);
        EXPECT_EQ(t.fakes.dialogs.inputs[0].title, "WARNING - Your existing log file will be ERASED!");
        if (c.erases) {
            EXPECT_EQ(t.readProgramFile("log.txt"), "");
            EXPECT_EQ(t->log.ContactCount(), 0);
            EXPECT_EQ(t->profile.OperatingSeconds, 0);
            // Right after the load the count equals the loaded count, yet the erased log is kept.
            auto names = backups(t);
            ASSERT_EQ(names.size(), 1u);
            EXPECT_EQ(readFileBytes(fs::path(t->folders.BackupFolder()) / names[0]), kGoldenLog);
            EXPECT_NE(t.readProgramFile("QSOpref.txt"), "");
        } else {
            EXPECT_EQ(t.readProgramFile("log.txt"), kGoldenLog);
            EXPECT_TRUE(backups(t).empty());
        }
    }
}

TEST(LogStore, NewLogDoesNotEraseWhenTheBackupFails) {
    TestSession t;
    t.writeProgramFile("log.txt", kGoldenLog);
    ASSERT_TRUE(LoadLog(*t));
    t.fakes.files.failCopy = true;
    t.fakes.dialogs.inputAnswers.push_back("YES");
    EXPECT_FALSE(NewLog(*t));
    EXPECT_EQ(t.readProgramFile("log.txt"), kGoldenLog);
    EXPECT_EQ(t->log.ContactCount(), 3);
    EXPECT_EQ(t.fakes.dialogs.messages.size(), 1u);
}

TEST(LogStore, BackupOnlyWhenChangedAndNeverOverAnEarlierCopy) {
    TestSession t;
    t.writeProgramFile("log.txt", kGoldenLog);
    ASSERT_TRUE(LoadLog(*t));
    EXPECT_FALSE(BackupLog(*t));  // unchanged since the load
    EXPECT_TRUE(backups(t).empty());

    ASSERT_TRUE(DeleteQso(*t, 1));
    ASSERT_EQ(AppendQso(*t, contact("K9NEW")), AppendResult::Stored);  // same count as loaded
    t.fakes.clock.local = {2026, 4, 25, 16, 7, 1, 0};
    EXPECT_TRUE(BackupLog(*t));
    EXPECT_FALSE(BackupLog(*t));  // nothing changed since that backup
    ASSERT_EQ(AppendQso(*t, contact("K9NEX")), AppendResult::Stored);
    EXPECT_TRUE(BackupLog(*t));  // same minute: a second name
    EXPECT_EQ(backups(t), (std::vector<std::string>{"202604251607.log", "202604251607_2.log"}));
}

TEST(LogStore, LoadedContactCountIsSetOnlyWhileZero) {
    TestSession t;
    ASSERT_TRUE(LoadLog(*t));
    EXPECT_EQ(t->log.LoadedContactCount, 0);
    t.writeProgramFile("log.txt", kGoldenLog);
    ASSERT_TRUE(LoadLog(*t));
    EXPECT_EQ(t->log.LoadedContactCount, 3);
    ASSERT_TRUE(DeleteQso(*t, 1));
    ASSERT_TRUE(LoadLog(*t));
    EXPECT_EQ(t->log.LoadedContactCount, 3);
}

TEST(LogStore, EachOfTheNineteenItemsHasItsPlaceInTheFile) {
    // One line with a distinct value in every item: swapping any two fields in both the writer
    // and the readers would still round-trip, but not against this file.
    const std::string golden = readFileBytes(fs::path(PALMETAR_SOURCE_DIR) / "tests/station/golden/log-items.txt");
    std::string general = golden;  // a blank after a comma: the general reader takes the line
    general.insert(general.find(",\"559\"") + 1, " ");
    for (const std::string& bytes : {golden, general}) {
        TestSession t;
        t.writeProgramFile("log.txt", bytes);
        ASSERT_TRUE(LoadLog(*t));
        ASSERT_EQ(t->log.ContactCount(), 1);
        const ContactRecord& r = t->log.at(1);
        const std::pair<const std::string*, const char*> items[] = {
            {&r.Call, "K1ABC"},      {&r.RstSent, "579"},     {&r.RstReceived, "559"}, {&r.Spc, "MA"},
            {&r.County, "Alachua"},  {&r.AltState, "GA"},     {&r.CountySent, "Baker"}, {&r.Spare8, "s8"},
            {&r.Spare9, "s9"},       {&r.Spare10, "s10"},     {&r.Spare11, "s11"},     {&r.QsoDate, "2024/04/27"},
            {&r.QsoTime, "16:05:12"}, {&r.Mode, "CW"},        {&r.Band, "20"},         {&r.Spare17, "s17"},
            {&r.Spare18, "s18"},     {&r.Frequency, "14.025"}};
        for (const auto& [field, expected] : items) EXPECT_EQ(*field, expected);
        EXPECT_DOUBLE_EQ(r.SpareNumber, 2.5);
        ASSERT_TRUE(RewriteLog(*t));
        EXPECT_EQ(t.readProgramFile("log.txt"), golden);
    }
}

TEST(LogStore, ALineThatIsNotOneContactIsRefusedByItsNumberAndTheFileStaysAsItIs) {
    // Five contacts; the last item of line 3 dropped and one added to line 4: read item by item
    // this loaded as five contacts with every later item shifted, and the next rewrite made it
    // permanent.
    std::string five;
    for (const char* c : {"A1A", "B2B", "C3C", "D4D", "E5E"}) five += ContactLine(contact(c));
    std::vector<std::string> lines;
    for (size_t p = 0, q; (q = five.find("\r\n", p)) != std::string::npos; p = q + 2) lines.push_back(five.substr(p, q - p));
    auto join = [](std::vector<std::string> l) {
        std::string out;
        for (auto& x : l) out += x + "\r\n";
        return out;
    };
    struct Case {
        const char* what;
        std::string bytes;
        int line;
    };
    std::vector<Case> cases;
    {
        auto l = lines;
        l[2] = l[2].substr(0, l[2].rfind(','));
        l[3] += ",\"x\"";
        cases.push_back({"an item dropped, one added", join(l), 3});
    }
    {
        auto l = lines;
        l[3] += ",\"x\"";
        cases.push_back({"twenty items", join(l), 4});
    }
    {
        auto l = lines;
        l[1].replace(1, 5, "K\"3XD3");  // "K"3XD3": a stray quote
        cases.push_back({"a stray quote", join(l), 2});
    }
    {
        auto l = lines;
        l[1].replace(0, 5, "K\"3XD");  // unquoted, with a quote inside
        cases.push_back({"a quote inside an unquoted item", join(l), 2});
    }
    {
        auto l = lines;
        l[4].insert(l[4].find("Alachua") + 3, "\r\n");  // a line break inside a quoted item
        cases.push_back({"a line break inside quotes", join(l), 5});
    }
    {
        auto l = lines;
        const size_t cut = l[0].find("\"2026");
        l.insert(l.begin() + 1, l[0].substr(cut));
        l[0] = l[0].substr(0, cut - 1);  // one record spread over two lines
        cases.push_back({"a record over two lines", join(l), 1});
    }
    {
        auto l = lines;
        l.insert(l.begin() + 2, "");
        cases.push_back({"an empty line between contacts", join(l), 3});
    }
    {
        auto l = lines;
        l[3].insert(l[3].find("CW") + 2, "\r");
        cases.push_back({"a lone CR", join(l), 4});
    }
    for (const auto& c : cases) {
        TestSession t;
        t.writeProgramFile("log.txt", five);
        ASSERT_TRUE(LoadLog(*t));
        t.writeProgramFile("log.txt", c.bytes);
        EXPECT_FALSE(LoadLog(*t)) << c.what;
        ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u) << c.what;
        const std::string& prompt = t.fakes.dialogs.messages[0].prompt;
        EXPECT_EQ(prompt.rfind("Error opening file.\r\n\r\nLine " + std::to_string(c.line) + " of log.txt ", 0), 0u)
            << c.what << ": " << prompt;
        EXPECT_NE(prompt.find("text editor"), std::string::npos) << c.what;
        EXPECT_EQ(t.fakes.dialogs.messages[0].title, "File Error");
        EXPECT_TRUE(t.fakes.exit.ended()) << c.what;
        EXPECT_EQ(t.readProgramFile("log.txt"), c.bytes) << c.what;
        EXPECT_EQ(t->log.ContactCount(), 5) << c.what;  // memory as it was
        EXPECT_EQ(t->log.at(4), contact("D4D")) << c.what;
        std::vector<ContactRecord> general;
        EXPECT_THROW(ParseLogGeneral(c.bytes, general), LogLineError) << c.what;
    }
}

TEST(LogStore, HandEditedLinesThatStillHoldOneContactLoadAsTheGeneralReaderReadsThem) {
    const std::string tail = "\"2024/04/27\",\"16:05:12\",\"CW\",\"20\",0,\"\",\"\",\"14.025\"";
    const std::string head = "\"K1ABC\",\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",";
    const std::string written = head + tail + "\r\n";
    const char* layouts[] = {
        "\"K1ABC\", \"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",",  // a blank before an item
        "K1ABC,\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",",       // text without quotes
        "\"K1ABC\" ,\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",",  // a blank after a quote
        "\"K1ABC\",\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\tx\",\"\",\"\",\"\",",  // a tab inside quotes
    };
    std::vector<std::pair<std::string, ContactRecord>> files;
    ContactRecord expected = ParseLog(written).at(0);
    for (const char* h : layouts) {
        ContactRecord r = expected;
        if (std::string(h).find("\tx") != std::string::npos) r.Spare8 = "\tx";
        files.push_back({h + tail + "\r\n" + written, r});
    }
    for (auto [number, value] : {std::pair{"\"2.5\"", 2.5}, {"#TRUE#", -1.0}, {"2.5 ", 2.5}, {"", 0.0},
                                 {"inf", 0.0}, {" 3", 3.0}, {"-.5", -0.5}}) {
        std::string t = tail;
        t.replace(t.find(",0,"), 3, std::string(",") + number + ",");
        ContactRecord r = expected;
        r.SpareNumber = value;
        files.push_back({head + t + "\n" + written, r});
    }
    files.push_back({written + head + tail, expected});               // no line end at the end of the file
    files.push_back({written + head + tail + "\n\r\n  \r\n", expected});  // blank lines at the end
    for (const auto& [bytes, first] : files) {
        std::vector<ContactRecord> general;
        ParseLogGeneral(bytes, general);
        ASSERT_EQ(general.size(), 2u) << bytes;
        EXPECT_EQ(general[0], first) << bytes;
        EXPECT_EQ(ParseLog(bytes), general) << bytes;
        // A reload into the records of another load reads the same.
        std::vector<ContactRecord> reused = ParseLog(written + written + written);
        ParseLog(bytes, reused);
        EXPECT_EQ(reused, general) << bytes;
    }
}

TEST(LogStore, NoLineWrittenBreaksIntoTwo) {
    ContactRecord r = contact("K1ABC");
    r.County = "Ala\r\nchua";  // however a line break got into memory
    r.Spare9 = "a\"b\tc";
    EXPECT_EQ(ParseLog(ContactLine(r)).at(0).County, "Alachua");
    EXPECT_EQ(ParseLog(ContactLine(r)).at(0).Spare9, "ab\tc");
}

TEST(LogStore, OnAFullDiskNoRewriteBackupOrNewLogCutsOrLosesAFile) {
    // The real file system, filled up: every write fails part-way, as it would on a full disk.
    TestSession t;
    t.writeProgramFile("log.txt", kGoldenLog);
    ASSERT_TRUE(LoadLog(*t));
    t->log.at(1).Call = "K1ABD";  // an edit, so the rewrite and the closing backup have work to do
    {
        FileSizeLimit full(100);
        EXPECT_FALSE(RewriteLog(*t));
        EXPECT_FALSE(DeleteQso(*t, 2));
        t->log.ChangedSinceLoad = true;
        EXPECT_FALSE(BackupLog(*t));
        t.fakes.dialogs.inputAnswers.push_back("YES");
        EXPECT_FALSE(NewLog(*t));
    }
    EXPECT_EQ(t.readProgramFile("log.txt"), kGoldenLog);
    EXPECT_EQ(t->log.ContactCount(), 3);
    EXPECT_EQ(t.fakes.files.list(t->folders.ProgramFolder), std::vector<std::string>{"log.txt"});
    EXPECT_TRUE(backups(t).empty());  // no cut copy that would pass for a backup
    EXPECT_TRUE(BackupLog(*t));       // with room again, the backup is whole
    ASSERT_EQ(backups(t).size(), 1u);
    EXPECT_EQ(readFileBytes(fs::path(t->folders.BackupFolder()) / backups(t)[0]), kGoldenLog);
}

TEST(LogStore, DeletingTheOnlyContactLeavesNothingToBackUp) {
    TestSession t;
    t.writeProgramFile("log.txt", ContactLine(contact("K1ABC")));
    ASSERT_TRUE(LoadLog(*t));
    ASSERT_TRUE(DeleteQso(*t, 1));
    EXPECT_EQ(t.readProgramFile("log.txt"), "");
    EXPECT_FALSE(BackupLog(*t));  // an empty log would restore as nothing
    EXPECT_TRUE(backups(t).empty());
}
