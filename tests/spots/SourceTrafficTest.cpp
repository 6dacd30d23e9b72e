// What the sources decide about the traffic itself: an AGW frame shown, sent to the spot
// receiver or taken as a connection notice; the send box's AGW commands; the telnet error
// texts and port numbers, and the telnet negotiation taken out of what a cluster sends.
#include <gtest/gtest.h>

#include "spots/AgwTraffic.h"
#include "spots/TelnetErrors.h"
#include "spots/TelnetFilter.h"

using namespace spots;

namespace {
const std::string kSpot = "DX de W1AW-1:    14025.0  JA1ABC       CQ                             1234Z";

AgwFrameOutcome decide(char kind, const std::string& from, const std::string& data, const std::string& station = "",
                       bool dxOnly = false) {
    return DecideAgwFrame({{kind, from, data}, station, dxOnly});
}
}  // namespace

TEST(AgwFrames, MonitoredSpotLosesItsHeaderAndGoesToTheReceiver) {
    // Direwolf's monitor text: header line, the spot, each ended by CR, and one CR more.
    const auto out = decide('T', "W1AW-1", " 1:Fm W1AW-1 To DX <UI pid=F0 Len=78 PF=0 >[12:34:56]\r" + kSpot + "\r\r");
    ASSERT_TRUE(out.toReceiver);
    EXPECT_EQ(*out.toReceiver, kSpot + "\r\n");
    EXPECT_FALSE(out.show);  // a frame to "DX " is never shown as monitored traffic
    EXPECT_FALSE(out.connectedStation);

    // Data without any line end keeps all its text, blanks at the ends removed.
    EXPECT_EQ(decide('U', "W1AW-1", "  " + kSpot + "  ").toReceiver, kSpot + "\r\n");
    // "DX" one place in still counts as a spot frame (the receiver reads the columns from it).
    EXPECT_EQ(decide('D', "W1XYZ", " " + kSpot + "\r", "W1XYZ").toReceiver, " " + kSpot + "\r\n");
    EXPECT_FALSE(decide('U', "W1AW-1", "hdr\r  x DX de\r").toReceiver);
}

TEST(AgwFrames, WhatIsShownOfOtherTraffic) {
    struct Case {
        const char* what;
        AgwFrameOutcome out;
        std::optional<std::string> show;
    };
    const Case cases[] = {
        {"monitored chatter", decide('U', "W2ABC", " 1:Fm W2ABC To CQ <UI>\rhello there\r"), "hello there\r\n"},
        {"monitored chatter, DX only", decide('U', "W2ABC", " 1:Fm W2ABC To CQ <UI>\rhello\r", "", true), std::nullopt},
        {"monitored non-spot to DX", decide('U', "W2ABC", " 1:Fm W2ABC To DX <UI>\rhello\r"), std::nullopt},
        {"connected station, every time", decide('D', "W1XYZ", "Hello\r", "W1XYZ"), "Hello\r\n"},
        {"connected station, other case", decide('D', "w1xyz", "Hello\r", "W1XYZ"), "Hello\r\n"},
        {"connected, DX only", decide('D', "W1XYZ", "Hello\r", "W1XYZ", true), std::nullopt},
        {"another station while connected", decide('U', "W2ABC", "hdr\rHello\r", "W1XYZ"), std::nullopt},
        {"a lone line end", decide('D', "W1XYZ", "\r", "W1XYZ"), ""},
        {"CR LF is two line ends", decide('D', "W1XYZ", "a\r\n", "W1XYZ"), "a\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.out.show, c.show) << c.what;
}

TEST(AgwFrames, ConnectAndDisconnectNotices) {
    const auto c = decide('c', "W1XYZ", "*** CONNECTED With Station W1XYZ\r");
    EXPECT_EQ(c.connectedStation, "W1XYZ");
    EXPECT_EQ(c.caption, "DX Spotting Setup - Connected to W1XYZ");
    EXPECT_EQ(c.notice, "** Connected to W1XYZ **");
    EXPECT_EQ(c.beeps, 1);
    // A second connect while connected, and a disconnect from another station, change nothing.
    EXPECT_FALSE(decide('c', "W2ABC", "x\r", "W1XYZ").connectedStation);
    const auto other = decide('d', "W2ABC", "x\r", "W1XYZ");
    EXPECT_FALSE(other.connectedStation);
    EXPECT_EQ(other.beeps, 0);
    const auto d = decide('d', "W1XYZ", "*** DISCONNECTED From Station W1XYZ\r", "W1XYZ");
    EXPECT_EQ(d.connectedStation, "");
    EXPECT_EQ(d.caption, "DX Spotting Setup");
    EXPECT_EQ(d.notice, "\r\n** Disconnected from W1XYZ **\r\n");
    EXPECT_EQ(d.beeps, 2);
    EXPECT_EQ(d.show, "*** DISCONNECTED From Station W1XYZ\r\n");
}

TEST(AgwSend, TextAndCommands) {
    using F = AgwSendFrame;
    struct Case {
        const char* text;
        const char* station;
        std::vector<F> frames;
    };
    const Case cases[] = {
        {"SH/DX", "W1XYZ", {F{"W1XYZ", "SH/DX\r", 'D'}}},
        {"SH/DX", "", {}},
        {":c w1xyz ", "", {F{"W1XYZ", "", 'c'}, F{"W1XYZ", "", 'P'}}},
        {":D", "W1XYZ", {F{"W1XYZ", "", 'd'}}},
        {":d", "", {}},
        {":x", "W1XYZ", {}},
        {":", "W1XYZ", {}},
    };
    for (const Case& c : cases) {
        const AgwSendPlan plan = PlanAgwSend(c.text, c.station);
        EXPECT_EQ(plan.frames, c.frames) << c.text;
        EXPECT_FALSE(plan.message) << c.text;
    }
    const AgwSendPlan noCall = PlanAgwSend(":C  ", "");
    EXPECT_TRUE(noCall.frames.empty());
    ASSERT_TRUE(noCall.message);
    EXPECT_EQ(noCall.message->first, "You must enter a call sign to connect to such as :C W1AW");
    EXPECT_EQ(noCall.message->second, "Call sign Required");
}

TEST(Telnet, ErrorTextsAndNumbers) {
    EXPECT_EQ(TelnetErrorText(10060), "ERROR: Socket has been shut down.");
    EXPECT_EQ(TelnetErrorText(10058), "ERROR: Socket has been shut down.");
    EXPECT_EQ(TelnetErrorText(10059), "Error number 10059");
    EXPECT_EQ(TelnetErrorText(-5), "Error number -5");
    EXPECT_EQ(TelnetErrorText(10054), "ERROR: The connection is reset by remote side.!");
    using platform::TcpError;
    EXPECT_EQ(TelnetErrorText(TelnetErrorNumber(TcpError::ConnectionRefused)), "ERROR: Connection is forcefully rejected.");
    EXPECT_EQ(TelnetErrorText(TelnetErrorNumber(TcpError::HostNotFound)), "ERROR: Authoritative answer: Host not found.");
    EXPECT_EQ(TelnetErrorText(TelnetErrorNumber(TcpError::InvalidPort)), "ERROR: The specified port is not supported.");

    EXPECT_EQ(TelnetPortNumber("23"), 23);
    EXPECT_EQ(TelnetPortNumber(" 7300 "), 7300);
    EXPECT_EQ(TelnetPortNumber("23.5"), 24);
    EXPECT_EQ(TelnetPortNumber("22.5"), 22);
    EXPECT_EQ(TelnetPortNumber(""), std::nullopt);
    EXPECT_EQ(TelnetPortNumber("telnet"), std::nullopt);
    EXPECT_EQ(TelnetPortNumber("99999999999"), std::nullopt);
}

namespace {
// Telnet's bytes: IAC and the commands that follow it.
const std::string IAC = "\xff", SB = "\xfa", SE = "\xf0", WILL = "\xfb", WONT = "\xfc", DO = "\xfd", DONT = "\xfe",
                  GA = "\xf9", NOP = "\xf1", AYT = "\xf6";
const std::string OPT_ECHO = "\x01", OPT_TTYPE = "\x18", OPT_NAWS = "\x1f";
const std::string kSpotLine = "DX de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z\r\n";

std::string StripPieces(const std::vector<std::string>& pieces) {
    TelnetFilter f;
    std::string out;
    for (const auto& p : pieces) out += f.Strip(p);
    return out;
}
}  // namespace

TEST(TelnetFilter, NegotiationIsTakenOutAndTheTextKept) {
    struct Case {
        const char* what;
        std::vector<std::string> pieces;
        std::string text;
    };
    const Case cases[] = {
        {"plain text", {"login: "}, "login: "},
        {"option offers and requests", {IAC + WILL + OPT_ECHO + IAC + DO + OPT_TTYPE + IAC + WONT + OPT_NAWS + IAC + DONT + OPT_ECHO + kSpotLine}, kSpotLine},
        {"commands of two bytes", {"a" + IAC + GA + "b" + IAC + NOP + "c" + IAC + AYT}, "abc"},
        {"a subnegotiation", {IAC + SB + OPT_TTYPE + "\x01" + IAC + SE + "Password: "}, "Password: "},
        {"a 0xFF escaped in the text and inside a subnegotiation", {"x" + IAC + IAC + "y" + IAC + SB + OPT_NAWS + IAC + IAC + "\x10" + IAC + SE + "z"},
         "x\xffyz"},
        {"the text's own line ends and CR NUL pass", {std::string("a\r\0b\r\n", 6)}, std::string("a\r\0b\r\n", 6)},
        // Cut between chunks anywhere.
        {"cut after IAC", {"a" + IAC, WILL + OPT_ECHO + "b"}, "ab"},
        {"cut before the option", {"a" + IAC + DO, OPT_TTYPE + "b"}, "ab"},
        {"cut inside a subnegotiation", {IAC + SB, OPT_TTYPE + std::string(1, '\0') + "AN", "SI" + IAC, SE + kSpotLine}, kSpotLine},
        {"cut inside an escaped 0xFF", {"x" + IAC, IAC + "y"}, "x\xffy"},
        // A server that leaves a subnegotiation without its SE loses that negotiation only.
        {"a command ends an unfinished subnegotiation", {IAC + SB + OPT_TTYPE + "junk" + IAC + GA + "text"}, "text"},
        {"an offer ends an unfinished subnegotiation", {IAC + SB + OPT_TTYPE + "junk" + IAC + WILL + OPT_ECHO + "text"}, "text"},
        {"a new subnegotiation inside one", {IAC + SB + OPT_TTYPE + "a" + IAC + SB + OPT_NAWS + "b" + IAC + SE + "text"}, "text"},
    };
    for (const Case& c : cases) EXPECT_EQ(StripPieces(c.pieces), c.text) << c.what;

    // Every cut of a stream full of sequences gives what the whole gives.
    const std::string stream = IAC + DO + OPT_TTYPE + "Welcome" + IAC + SB + OPT_TTYPE + "\x01" + IAC + SE + IAC + WILL + OPT_ECHO +
                               "login: " + IAC + IAC + IAC + GA + kSpotLine;
    const std::string whole = "Welcome" "login: \xff" + kSpotLine;
    ASSERT_EQ(StripPieces({stream}), whole);
    for (size_t cut = 1; cut < stream.size(); ++cut)
        EXPECT_EQ(StripPieces({stream.substr(0, cut), stream.substr(cut)}), whole) << "cut at " << cut;

    // A new connection starts outside the sequence the last one was cut in.
    TelnetFilter f;
    EXPECT_EQ(f.Strip("a" + IAC + SB + OPT_TTYPE), "a");
    f.Reset();
    EXPECT_EQ(f.Strip(kSpotLine), kSpotLine);
}
