#include <gtest/gtest.h>

#include <filesystem>

#include "station/LogStore.h"
#include "station/Profile.h"
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
    EXPECT_EQ(t.fakes.dialogs.messages[0].prompt, "Error opening file.");
    EXPECT_EQ(t.fakes.dialogs.messages[0].title, "File Error");
    EXPECT_TRUE(t.fakes.exit.ended());
    EXPECT_EQ(t.readProgramFile("log.txt"), cut);
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

namespace {
// The general write-form reader, item by item: what every layout of a record must read as.
std::vector<ContactRecord> readItemByItem(const std::string& bytes) {
    std::vector<ContactRecord> out;
    WriteFormReader in(bytes);
    in.skipEmptyLines();
    while (!in.eof()) {
        out.emplace_back();
        ReadContact(in, out.back());
        in.skipEmptyLines();
    }
    return out;
}
}  // namespace

TEST(LogStore, HandEditedLayoutsLoadAsTheWriteFormReadsThem) {
    const std::string tail = "\"2024/04/27\",\"16:05:12\",\"CW\",\"20\",0,\"\",\"\",\"14.025\"";
    const std::string head = "\"K1ABC\",\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",";
    const std::string written = head + tail + "\r\n";
    const char* layouts[] = {
        "\"K1ABC\", \"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",",  // a blank before an item
        "K1ABC,\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",",       // text without quotes
        "\"K1ABC\"x,\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",",  // bytes after a quote
        "\"K1ABC\",\"599\",\"599\",\"MA\",\"\"\r\n\"\",\"Alachua\",\"\",\"\",\"\",\"\",",  // spread over two lines
        "\"K1\r\nABC\",\"599\",\"599\",\"MA\",\"\",\"\",\"Alachua\",\"\",\"\",\"\",\"\",",  // a line end inside quotes
    };
    std::vector<std::string> files;
    for (const char* h : layouts) files.push_back(h + tail + "\r\n" + written);
    for (const char* number : {"\"2.5\"", "#TRUE#", "2.5 ", "", "inf", " 3"}) {
        std::string t = tail;
        t.replace(t.find(",0,"), 3, std::string(",") + number + ",");
        files.push_back(written + head + t + "\n");
    }
    files.push_back(written + head + tail);  // no line end at the end of the file
    files.push_back(written + head + tail + "\n\r\n");
    for (const auto& bytes : files) {
        const auto expected = readItemByItem(bytes);
        ASSERT_EQ(expected.size(), 2u) << bytes;
        EXPECT_EQ(ParseLog(bytes), expected) << bytes;
        // A reload into the records of another load reads the same.
        std::vector<ContactRecord> reused = ParseLog(kGoldenLog);
        ParseLog(bytes, reused);
        EXPECT_EQ(reused, expected) << bytes;
    }
    std::vector<ContactRecord> reused = ParseLog(kGoldenLog);
    ParseLog(written, reused);
    EXPECT_EQ(reused, readItemByItem(written));
    EXPECT_THROW(ParseLog(head + "\"2024/04/27\",\"16:05:12\"\r\n"), FileError);  // cut short
}
