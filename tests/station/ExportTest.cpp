#include <gtest/gtest.h>

#include <map>

#include "station/AdifExport.h"
#include "support/TestSession.h"

using namespace station;
namespace fs = std::filesystem;

namespace {
ContactRecord contact(std::string call, std::string spc, std::string county, std::string mode, std::string band,
                      std::string date, std::string time, std::string freq = "", std::string rst = "599") {
    ContactRecord r;
    r.Call = std::move(call);
    r.Spc = std::move(spc);
    r.County = std::move(county);
    r.Mode = std::move(mode);
    r.Band = std::move(band);
    r.QsoDate = std::move(date);
    r.QsoTime = std::move(time);
    r.Frequency = std::move(freq);
    r.RstSent = rst;
    r.RstReceived = rst;
    return r;
}

const char* kDxcc = "\"Alaska\",6\r\n\"Canada\",1\r\n\"Fed. Rep. of Germany\",230\r\n\"Hawaii\",110\r\n\"USA\",291\r\n";

// The in-state window's log: states, provinces, DX and the home state's counties.
void inStateLog(Session& s) {
    s.profile.HomeState = "FL";
    s.profile.OutOfState = 0;
    auto& log = s.log.records();
    log.push_back(contact("K1ABC", "MA", "", "CW", "20", "2026/04/25", "16:05:12", "14.025"));
    log.push_back(contact("VE3XYZ", "ON", "", "PH", "40", "2026/04/25", "9:05", "", "59"));
    log.push_back(contact("KL7AA", "AK", "", "CW", "15", "2026/04/26", "1605"));
    log.push_back(contact("DL1ABC", "Fed. Rep. of Germany", "", "DG", "10", "2026/04/26", "16:30"));
    log.push_back(contact("W4ZZ", "FL", "Alachua", "CW", "80", "2026/04/26", "17:00:00", " 3.550 "));
    log.push_back(contact("VE3XYZ/4", "FL", "St. Johns", "PH", "6", "2026/13/01", "", "", "59 "));
}

// The out-of-state window's log: no St/Prv/Country, every contact is in a home-state county.
void outOfStateLog(Session& s) {
    s.profile.HomeState = "FL";
    s.profile.OutOfState = 1;
    auto& log = s.log.records();
    log.push_back(contact("N4ABC", "", "Dade", "CW", "20", "2026/04/25", "16:05:12", "14.030"));
    log.push_back(contact("K4XX", "", "Palm Beach", "PH", "160", "2026/04/25", "23:59:59", "1.850", "59"));
}

std::string golden(const std::string& name) {
    return readFileBytes(fs::path(PALMETAR_SOURCE_DIR) / "tests/station/golden" / name);
}

// An ADIF reader written from the format's description, independent of the writer: it finds
// each <name:len[:type]> tag and takes exactly len bytes as the value.
std::vector<std::map<std::string, std::string>> readAdif(const std::string& text) {
    std::vector<std::map<std::string, std::string>> records;
    size_t eoh = text.find("<EOH>");
    size_t pos = eoh == std::string::npos ? 0 : eoh + 5;
    std::map<std::string, std::string> current;
    while ((pos = text.find('<', pos)) != std::string::npos) {
        size_t close = text.find('>', pos);
        std::string tag = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
        for (auto& c : tag) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (tag == "eor") {
            records.push_back(current);
            current.clear();
            continue;
        }
        size_t colon = tag.find(':');
        std::string name = tag.substr(0, colon);
        size_t len = std::stoul(tag.substr(colon + 1));
        current[name] = text.substr(pos, len);
        pos += len;
        // After the value there must be a separator, never more of the value.
        if (pos < text.size()) {
            EXPECT_TRUE(text[pos] == ' ' || text[pos] == '\r') << name << " " << current[name];
        }
    }
    return records;
}
}  // namespace

TEST(AdifExport, GoldenFileForEachWindowKind) {
    const platform::DateTime at{2026, 4, 27, 8, 30, 15, 0};
    const DxccTable dxcc = ParseDxccTable(kDxcc);
    {
        TestSession t;
        inStateLog(*t);
        EXPECT_EQ(AdifText(*t, "100  ", "Palmetar Contest", dxcc, at), golden("in-state.adi"));
    }
    {
        TestSession t;
        outOfStateLog(*t);
        EXPECT_EQ(AdifText(*t, "100", "Palmetar Contest", dxcc, at), golden("out-of-state.adi"));
    }
}

TEST(AdifExport, IndependentReaderFindsEveryFieldWithItsLength) {
    TestSession t;
    inStateLog(*t);
    auto records = readAdif(AdifText(*t, "100", "Palmetar Contest", ParseDxccTable(kDxcc), {}));
    ASSERT_EQ(records.size(), 6u);
    struct Expect {
        const char *call, *mode, *band, *country_dxcc, *state, *cnty, *cont, *time, *date;
    } expected[] = {
        {"K1ABC", "CW", "20M", "291", "MA", "", "NA", "1605", "20260425"},
        {"VE3XYZ", "SSB", "40M", "1", "", "", "", "0905", "20260425"},
        {"KL7AA", "CW", "15M", "6", "AK", "", "NA", "1605", "20260426"},
        {"DL1ABC", "DG", "10M", "230", "", "", "", "1630", "20260426"},
        {"W4ZZ", "CW", "80M", "291", "FL", "FL,Alachua", "NA", "1700", "20260426"},
        {"VE3XYZ/4", "SSB", "6M", "291", "FL", "FL,St. Johns", "NA", "0000", ""},
    };
    for (size_t i = 0; i < records.size(); ++i) {
        auto& r = records[i];
        const auto& e = expected[i];
        EXPECT_EQ(r["call"], e.call);
        EXPECT_EQ(r["mode"], e.mode);
        EXPECT_EQ(r["band"], e.band);
        EXPECT_EQ(r["dxcc"], e.country_dxcc) << e.call;
        EXPECT_EQ(r["state"], e.state) << e.call;
        EXPECT_EQ(r["cnty"], e.cnty) << e.call;
        EXPECT_EQ(r["cont"], e.cont) << e.call;
        EXPECT_EQ(r["time_on"], e.time) << e.call;
        EXPECT_EQ(r["qso_date"], e.date) << e.call;
        EXPECT_EQ(r["tx_pwr"], "100");
        EXPECT_EQ(r["comment"], "Palmetar Contest");
    }
    EXPECT_EQ(records[4]["freq"], "3.550");
    EXPECT_EQ(records[5]["rst_sent"], "59");
}

TEST(AdifExport, DerivedValues) {
    struct Case {
        std::string call, spc, county, country, continent, state;
    } cases[] = {
        {"K1ABC", "MA", "", "USA", "NA", "MA"},
        {"VE3XYZ", "ON", "", "Canada", "", ""},
        {"KL7AA", "AK", "", "Alaska", "NA", "AK"},
        {"KH6AA", "HI", "", "Hawaii", "NA", "HI"},
        {"DL1ABC", "Fed. Rep. of Germany", "", "Fed. Rep. of Germany", "", ""},
        {"N4ABC", "", "Dade", "USA", "NA", "FL"},        // out-of-state log
        {"N4ABC", "", "", "", "", "FL"},
        {"VE3XYZ/4", "FL", "Lee", "USA", "NA", "FL"},    // home-state county, any call
        {"K1ABC", "X", "", "", "", "FL"},                // shorter than a state code: the home state
    };
    for (const auto& c : cases) {
        ContactRecord r;
        r.Call = c.call;
        r.Spc = c.spc;
        r.County = c.county;
        auto loc = DeriveAdifLocation(r, "FL");
        EXPECT_EQ(loc.country, c.country) << c.call << "/" << c.spc;
        EXPECT_EQ(loc.continent, c.continent) << c.call << "/" << c.spc;
        EXPECT_EQ(loc.state, c.state) << c.call << "/" << c.spc;
    }
}

TEST(AdifExport, TimeAndDateTexts) {
    const std::pair<std::string, std::string> times[] = {
        {"16:05:12", "1605"}, {"9:05", "0905"}, {"1605", "1605"}, {"", "0000"}, {" 16:05 ", "1605"}, {"5", "0005"}};
    for (const auto& [in, out] : times) EXPECT_EQ(AdifTime(in), out) << in;
    const std::pair<std::string, std::string> dates[] = {
        {"2026/04/25", "20260425"}, {"2024/02/29", "20240229"}, {"2026/02/29", ""}, {"2026/13/01", ""},
        {"garbage", ""}, {"", ""}, {"2026/4/5", "20260405"}};
    for (const auto& [in, out] : dates) EXPECT_EQ(AdifDate(in), out) << in;
}

TEST(AdifExport, EmptyCommentPutsEndOfRecordOnTheSecondLineAndEmptyLogIsHeaderOnly) {
    TestSession t;
    t->profile.HomeState = "FL";
    const DxccTable none;
    EXPECT_EQ(AdifText(*t, "", "", none, {2026, 4, 27, 8, 30, 15, 0}),
              "Exported from Tervak's Palmetar Logging Program 2.4\r\nLog exported on: 2026-04-27 08:30:15\r\n"
              "\r\n<EOH>\r\n\r\n");
    t->log.records().push_back(contact("K1ABC", "MA", "", "", "20", "", "", "", ""));
    EXPECT_EQ(AdifText(*t, "", "", none, {}).substr(AdifText(*t, "", "", none, {}).find("<EOH>") + 9),
              "<Call:5>K1ABC <Band:3>20M <Time_On:4>0000 <State:2>MA <Cont:2>NA <eor>\r\n\r\n");
}

class AdifExportFlow : public ::testing::Test {
protected:
    TestSession t;
    std::string out = (fs::path(t->folders.UserFolder) / "FL.adi").string();
    void SetUp() override {
        inStateLog(*t);
        writeFileBytes(fs::path(t->folders.SharedFolder) / "ADIFCnt.txt", kDxcc);
    }
};

TEST_F(AdifExportFlow, AsksPowerCommentAndFileThenWritesAndSaysSo) {
    t.fakes.dialogs.inputAnswers = {"5\"0", "My \"QP\""};
    t.fakes.dialogs.fileAnswers = {out};
    ASSERT_TRUE(ExportAdif(*t));
    ASSERT_EQ(t.fakes.dialogs.inputs.size(), 2u);
    EXPECT_EQ(t.fakes.dialogs.inputs[0].title, "Please enter your transmitter output power.");
    EXPECT_EQ(t.fakes.dialogs.inputs[0].defaultText, "100");
    EXPECT_EQ(t.fakes.dialogs.inputs[1].title, "Please enter a comment.");
    EXPECT_EQ(t.fakes.dialogs.inputs[1].defaultText, "Palmetar Contest");
    ASSERT_EQ(t.fakes.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(t.fakes.dialogs.fileRequests[0].defaultName, out);
    EXPECT_EQ(t.fakes.dialogs.fileRequests[0].filter, "ADIF Files (*.adi) | *.adi");
    EXPECT_TRUE(t.fakes.dialogs.fileRequests[0].overwritePrompt);
    const std::string written = readFileBytes(out);
    EXPECT_NE(written.find("<Tx_Pwr:2>50 "), std::string::npos);
    EXPECT_NE(written.find("<Comment:5>My QP\r\n"), std::string::npos);
    EXPECT_NE(written.find("<DXCC:3>230 "), std::string::npos);  // table from the shared folder
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fakes.dialogs.messages[0].title, "File Written Successfully.");
    EXPECT_EQ(t.fakes.dialogs.messages[0].prompt, "The file was successfully written to the directory:\r\n\r\n" + out + ".");
}

TEST_F(AdifExportFlow, AFolderNamedWithAnAccentIsWrittenToAndNamedInTheMessage) {
    const fs::path folder = fs::path(t->folders.UserFolder) / "Jos\xc3\xa9";  // UTF-8, as the system names it
    fs::create_directories(folder);
    const std::string chosen = (folder / "FL.adi").string();
    t.fakes.dialogs.fileAnswers = {chosen};
    ASSERT_TRUE(ExportAdif(*t));
    EXPECT_TRUE(fs::exists(folder / "FL.adi"));
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_NE(t.fakes.dialogs.messages[0].prompt.find("Jos\xe9/FL.adi."), std::string::npos);  // the code page's é
}

TEST_F(AdifExportFlow, CancelWritesNothingAndSaysNothing) {
    t.fakes.dialogs.fileAnswers = {std::nullopt};
    EXPECT_FALSE(ExportAdif(*t));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(t.fakes.dialogs.messages.empty());
    EXPECT_EQ(t.fakes.dialogs.beeps, 0);
}

TEST_F(AdifExportFlow, MissingTableIsNamedAndWriteFailureIsReported) {
    fs::remove(fs::path(t->folders.SharedFolder) / "ADIFCnt.txt");
    t.fakes.dialogs.fileAnswers = {out};
    EXPECT_FALSE(ExportAdif(*t));
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_NE(t.fakes.dialogs.messages[0].prompt.find("ADIFCnt.txt"), std::string::npos);
    EXPECT_NE(t.fakes.dialogs.messages[0].title, "Unable to write file.");
    EXPECT_TRUE(t.fakes.dialogs.fileRequests.empty());
    EXPECT_FALSE(fs::exists(out));

    t.writeProgramFile("ADIFCnt.txt", kDxcc);  // the program folder's copy is the last resort
    t.fakes.dialogs.messages.clear();
    t.fakes.files.failWrite = true;
    EXPECT_FALSE(ExportAdif(*t));
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fakes.dialogs.messages[0].title, "Unable to write file.");
    EXPECT_EQ(t.fakes.dialogs.beeps, 2);
}

TEST(LogExpExport, GoldenLinesAndDerivedValues) {
    ContactRecord r = contact("K1ABC", "MA", "", "CW", "20", "2026/04/25", "16:05:12");
    r.RstSent = "59";
    r.RstReceived = "59";
    EXPECT_EQ(LogExpLine(r, "FL", "100"),
              "\"K1ABC\",\"2026/04/25\",\"20\",\"CW\",\"100\",\"16:05:12\",\"59\",\"59\",,\"USA\",\"MA\",\"\",,,,"
              "\"QSO Party Contest\"\r\n");
    struct Case {
        std::string call, spc, alt, mode, country, state, outMode;
    } cases[] = {
        {"N4ABC", "", "", "PH", "", "FL", "SSB"},       // out-of-state log
        {"VE3XYZ", "ON", "", "DG", "Canada", "", "DG"},
        {"KL7AA", "AK", "", "cw", "Alaska", "AK", "SSB"},  // mode compared exactly
        {"K1ABC", "MA", "HI", "CW", "Hawaii", "HI", "CW"},  // AltState before AK/HI
        {"DL1ABC", "Fed. Rep. of Germany", "", "CW", "Fed. Rep. of Germany", "", "CW"},
        {"K1ABC", "X", "", "CW", "", "", "CW"},
    };
    for (const auto& c : cases) {
        ContactRecord x = contact(c.call, c.spc, "", c.mode, "20", "d", "t");
        x.AltState = c.alt;
        WriteFormReader in(LogExpLine(x, "FL", ""));
        std::vector<std::string> items;
        while (!in.eof()) items.push_back(in.readText());
        ASSERT_EQ(items.size(), 16u);
        EXPECT_EQ(items[3], c.outMode) << c.call;
        EXPECT_EQ(items[4], "");
        EXPECT_EQ(items[9], c.country) << c.call;
        EXPECT_EQ(items[10], c.state) << c.call;
    }
}

TEST(LogExpExport, FlowWritesProgramFolderFileAndReportsFailures) {
    TestSession t;
    outOfStateLog(*t);
    t.fakes.dialogs.inputAnswers = {"1\"00"};
    ASSERT_TRUE(ExportLogExp(*t));
    EXPECT_EQ(t.fakes.dialogs.inputs[0].title, "Please enter the power value");
    EXPECT_EQ(t.readProgramFile("LogExp.txt"),
              "\"N4ABC\",\"2026/04/25\",\"20\",\"CW\",\"100\",\"16:05:12\",\"599\",\"599\",,\"\",\"FL\",\"Dade\",,,,"
              "\"QSO Party Contest\"\r\n"
              "\"K4XX\",\"2026/04/25\",\"160\",\"SSB\",\"100\",\"23:59:59\",\"59\",\"59\",,\"\",\"FL\",\"Palm Beach\",,,,"
              "\"QSO Party Contest\"\r\n");
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fakes.dialogs.messages[0].title, "Export Successful!");
    EXPECT_NE(t.fakes.dialogs.messages[0].prompt.find(t->folders.ProgramFolder), std::string::npos);

    // Cancel and an empty log: an empty file, and the message still shown.
    t->log.records().clear();
    ASSERT_TRUE(ExportLogExp(*t));
    EXPECT_EQ(t.readProgramFile("LogExp.txt"), "");
    EXPECT_EQ(t.fakes.dialogs.messages.size(), 2u);

    t.fakes.files.failWrite = true;
    EXPECT_FALSE(ExportLogExp(*t));
    EXPECT_EQ(t.fakes.dialogs.messages.back().title, "Unable to write file.");
}
