// PackSpot.txt and AGWEngine.txt, and the setup window's rules that are data: sources, the
// enabling table, help texts, captions, the TNC's serial plan, Spot Last.
#include <gtest/gtest.h>

#include "spots/SpotSettings.h"
#include "spots/SpotSetupRules.h"
#include "support/TestSession.h"

using namespace spots;

namespace {
const char* kGolden =
    "\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n3\r\n\"R\"\r\n\"Telnet\"\r\n0\r\n3\r\n1\r\n#TRUE#\r\n\"03\"\r\n"
    "\"7300\"\r\n\"dxc.example.net\"\r\n";

PackSpotSettings golden() {
    PackSpotSettings s;
    s.TncBaud = "9600";
    s.TncParity = "N";
    s.TncDataBits = "8";
    s.TncStopBits = "1";
    s.TncPort = 3;
    s.TncPower = "R";
    s.SpotSource = "Telnet";
    s.ConvToHex = 0;
    s.TncHandshake = 3;
    s.ListDxOnly = 1;
    s.OptList = true;
    s.Hex = "03";
    s.TelnetPort = "7300";
    s.TelnetHost = "dxc.example.net";
    return s;
}
}  // namespace

TEST(PackSpot, WritesTheFourteenItemsAndReadsThemBack) {
    EXPECT_EQ(FormatPackSpot(golden()), kGolden);
    const PackSpotRead r = ParsePackSpot(kGolden, {});
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.values, golden());

    // Through the program folder: written by rename, found again under another letter case.
    TestSession ts;
    ASSERT_TRUE(SavePackSpot(*ts, golden()));
    EXPECT_EQ(ts.readProgramFile("PackSpot.txt"), kGolden);
    std::filesystem::rename(ts.programPath("PackSpot.txt"), ts.programPath("packspot.TXT"));
    EXPECT_EQ(LoadPackSpot(*ts, {}).values, golden());
    // A failed write leaves the old file whole and says so.
    ts.fakes.files.failWrite = true;
    PackSpotSettings changed = golden();
    changed.SpotSource = "None";
    EXPECT_FALSE(SavePackSpot(*ts, changed));
    EXPECT_EQ(LoadPackSpot(*ts, {}).values, golden());
}

TEST(PackSpot, AReadStopsAtTheFirstItemThatCannotBeUsed) {
    PackSpotSettings defaults;
    defaults.TelnetHost = "design";
    struct Case {
        const char* what;
        std::string bytes;
        int items;
    };
    std::string lines[14];
    {
        std::string g = kGolden;
        for (int i = 0; i < 14; ++i) {
            const size_t end = g.find("\r\n");
            lines[i] = g.substr(0, end + 2);
            g.erase(0, end + 2);
        }
    }
    auto with = [&](int item, const std::string& line) {
        std::string out;
        for (int i = 0; i < 14; ++i) out += i == item - 1 ? line : lines[i];
        return out;
    };
    auto first = [&](int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += lines[i];
        return out;
    };
    for (const Case& c : {Case{"empty file", "", 0}, Case{"thirteen items", first(13), 13},
                          Case{"port 300 is no byte", with(5, "300\r\n"), 4},
                          Case{"handshake -1 is no byte", with(9, "-1\r\n"), 8},
                          // A port of 0 (the TNC never opened) is read; the window keeps its
                          // design port for it and goes on.
                          Case{"port 0", with(5, "0\r\n"), 14}}) {
        const PackSpotRead r = ParsePackSpot(c.bytes, defaults);
        EXPECT_EQ(r.items, c.items) << c.what;
        if (c.items < 14) {
            EXPECT_EQ(r.values.TelnetHost, "design") << c.what;
        }
    }
    // Items read "as any value": a bare number for the port text, a number as the truth value.
    std::string loosely = with(11, "1\r\n");
    loosely.replace(loosely.find("\"7300\""), 6, "7300");
    const PackSpotRead loose = ParsePackSpot(loosely, {});
    EXPECT_TRUE(loose.complete());
    EXPECT_TRUE(loose.values.OptList);
    EXPECT_EQ(loose.values.TelnetPort, "7300");
    EXPECT_FALSE(ParsePackSpot(with(11, "#FALSE#\r\n"), {}).values.OptList);
}

TEST(AgwEngineFile, DefaultsToThePortLinuxEnginesServe) {
    EXPECT_EQ(ParseAgwEngine(""), (AgwEngineAddress{"127.0.0.1", 8000}));
    EXPECT_EQ(ParseAgwEngine("\"10.0.0.5\"\r\n8001\r\n"), (AgwEngineAddress{"10.0.0.5", 8001}));
    EXPECT_EQ(ParseAgwEngine("\"10.0.0.5\"\r\n70000\r\n"), (AgwEngineAddress{"10.0.0.5", 8000}));
    EXPECT_EQ(ParseAgwEngine(FormatAgwEngine({"pi.local", 8010})), (AgwEngineAddress{"pi.local", 8010}));
    // A damaged host is read as it will be saved: control characters dropped, and nothing left
    // is no host at all.
    EXPECT_EQ(ParseAgwEngine("\x1a\x1a"), AgwEngineAddress{});
    EXPECT_EQ(ParseAgwEngine("\"pi\x01.local\"\r\n8010\r\n"), (AgwEngineAddress{"pi.local", 8010}));
    TestSession ts;
    EXPECT_EQ(LoadAgwEngine(*ts), AgwEngineAddress{});
    ASSERT_TRUE(SaveAgwEngine(*ts, {"pi.local", 8010}));
    EXPECT_EQ(LoadAgwEngine(*ts), (AgwEngineAddress{"pi.local", 8010}));
}

TEST(SpotSetupRules, SourcesIgnoreCaseAndAnEmptySourceIsNone) {
    EXPECT_EQ(SourceKind("telnet"), SpotSourceKind::Telnet);
    EXPECT_EQ(SourceKind("AGW PACKET ENGINE"), SpotSourceKind::Agw);
    EXPECT_EQ(SourceKind("Tnc"), SpotSourceKind::Tnc);
    EXPECT_EQ(SourceKind("None"), SpotSourceKind::None);
    EXPECT_EQ(SourceKind(""), SpotSourceKind::None);
}

TEST(SpotSetupRules, EnablingTable) {
    using G = ControlGroup;
    using S = Switch;
    // Rows: Display, Send, TncHex, Serial, Status, Telnet, ConvToHex.
    const std::map<EnableStep, std::vector<S>> table = {
        {EnableStep::DisableAll, {S::Off, S::Off, S::Off, S::Off, S::Keep, S::Off, S::Off}},
        {EnableStep::Tnc, {S::On, S::On, S::On, S::On, S::On, S::Keep, S::Keep}},
        {EnableStep::Telnet, {S::On, S::On, S::Keep, S::Keep, S::Keep, S::On, S::Keep}},
        {EnableStep::Agw, {S::On, S::On, S::Keep, S::Keep, S::Keep, S::Keep, S::Keep}},
    };
    const std::vector<G> groups = {G::Display, G::Send, G::TncHex, G::Serial, G::Status, G::Telnet, G::ConvToHex};
    for (const auto& [step, row] : table) {
        for (size_t i = 0; i < groups.size(); ++i) {
            EXPECT_EQ(EnableSwitch(step, groups[i]), row[i]) << "step " << int(step) << " group " << i;
        }
    }
    EXPECT_EQ(EnableStepFor(SpotSourceKind::None), std::nullopt);
    EXPECT_EQ(EnableStepFor(SpotSourceKind::Agw), EnableStep::Agw);
}

TEST(SpotSetupRules, HelpTextPerSourceAndSendBoxCaptions) {
    auto paragraphs = [](const std::string& text) {
        int n = 0;
        for (size_t at = 0; (at = text.find("\r\n\r\n", at)) != std::string::npos; at += 4) ++n;
        return n;
    };
    struct Case {
        std::optional<std::string> item;
        int paragraphs;
        const char* first;
    };
    for (const Case& c : {Case{"None", 18, "Use this form"}, Case{"TNC", 5, "To use a Packet TNC"},
                          Case{"Telnet", 3, "If you have an Internet"},
                          Case{"AGW Packet Engine", 11, "This program will also interface"},
                          Case{std::nullopt, 0, ""}}) {
        const std::string text = SetupHelpText(c.item);
        EXPECT_EQ(paragraphs(text), c.paragraphs) << c.item.value_or("(none)");
        EXPECT_EQ(text.rfind(c.first, 0), 0u) << c.item.value_or("(none)");
    }
    EXPECT_NE(SetupHelpText("AGW Packet Engine").find(":C W1AW     or to disconnect :D\r\n\r\n"), std::string::npos);
    EXPECT_EQ(SendBoxCaption(SpotSourceKind::Tnc), "Send text  (Ctrl C or Esc for TNC Command mode):");
    EXPECT_EQ(SendBoxCaption(SpotSourceKind::Telnet), "Type text to send and press enter:");
    EXPECT_EQ(SendBoxCaption(SpotSourceKind::Agw), "Send text (use : to send cmds such as :C W1AW or :D)");
    EXPECT_EQ(SendBoxCaption(SpotSourceKind::None), std::nullopt);
}

TEST(SpotSetupRules, TncSerialPlanCommandCharacterAndSpotLast) {
    EXPECT_EQ(TncSettingsText("9600  ", "N", "8", "1"), "9600,N,8,1");
    struct H {
        int value;
        platform::Handshake handshake;
        bool rts;
    };
    for (const H h : {H{1, platform::Handshake::None, false}, H{2, platform::Handshake::XonXoff, false},
                      H{3, platform::Handshake::RtsCts, true}, H{4, platform::Handshake::RtsCtsXonXoff, true}}) {
        auto plan = TncHandshakeFor(h.value);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->handshake, h.handshake);
        EXPECT_EQ(plan->rtsEnabled, h.rts);
    }
    EXPECT_FALSE(TncHandshakeFor(0));
    EXPECT_FALSE(TncHandshakeFor(5));

    EXPECT_EQ(TncCommandCharacter("03"), '\x03');
    EXPECT_EQ(TncCommandCharacter("1B"), '\x1b');
    EXPECT_EQ(TncCommandCharacter("1b"), '\x1b');
    EXPECT_EQ(TncCommandCharacter("ZZ"), std::nullopt);
    EXPECT_EQ(TncCommandCharacter(""), std::nullopt);

    const SpotLastText empty = SpotLast("");
    EXPECT_EQ(empty.text, "DX Frequency in kHz ");
    EXPECT_EQ(empty.text.substr(empty.selectStart, empty.selectLength), "Frequency in kHz");
    EXPECT_EQ(SpotLast("W5CC").text, "DX Frequency in kHz W5CC");
}
