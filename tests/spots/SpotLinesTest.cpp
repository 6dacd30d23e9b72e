// Received text to lines, lines to spots: the receive buffer, the spot-line columns and the
// receiver that every spot source delivers into.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spots/DxSpotLine.h"
#include "spots/ReceiveBuffer.h"
#include "spots/SpotReceiver.h"

using namespace spots;

namespace {
// Lines as DX clusters send them: spotter, frequency right-aligned to column 24, call from
// column 27, comment, time "hhmmZ" from column 71 and, on some clusters, the spotter's locator.
const char* kK1ttt = "DX de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z FN32";
const char* kW3lpl = "DX de W3LPL:      7003.5  VP8/G3ABC    599 TNX                        0102Z";
const char* kN2ic = "DX de N2IC:     144300.0  W1AW/M       FN31>FN42                      1500Z";
const char* kLongSpotter = "DX de DL1ABC-12:  21012.3  ZS6ABC                                      2359Z";

std::vector<std::string> Split(ReceiveBuffer& b, std::vector<std::string> pieces) {
    std::vector<std::string> out;
    for (const auto& p : pieces)
        for (auto& l : b.Take(p)) out.push_back(l);
    return out;
}

// Text as a serial read may deliver it: one character at a time.
std::vector<std::string> Bytes(const std::string& text) {
    std::vector<std::string> out;
    for (char c : text) out.emplace_back(1, c);
    return out;
}

// Pieces as the reads deliver them, into a new buffer: the lines taken and what still waits.
struct PiecesCase {
    const char* what;
    std::vector<std::string> pieces;
    std::vector<std::string> lines;
    std::string partial;
    void check() const {
        ReceiveBuffer b;
        EXPECT_EQ(Split(b, pieces), lines) << what;
        EXPECT_EQ(b.partial(), partial) << what;
    }
};
}  // namespace

TEST(ReceiveBuffer, LinesEndAtCrLfOrCrLfWhereverThePiecesAreCut) {
    const PiecesCase cases[] = {
        {"LF", {"one\ntwo\n"}, {"one", "two"}, ""},
        {"CR LF", {"one\r\ntwo\r\n"}, {"one", "two"}, ""},
        {"CR alone (a cluster or TNC that sends only CR)", {"one\rtwo\r"}, {"one", "two"}, ""},
        {"CR LF split between two reads", {"one\r", "\ntwo\r\n"}, {"one", "two"}, ""},
        {"a line split across reads waits for its end", {"DX de K1", "TTT: 14025", ".0\r\nDX de"}, {"DX de K1TTT: 14025.0"}, "DX de"},
        {"an empty line between lines", {"one\n\ntwo\n"}, {"one", "", "two"}, ""},
        {"LF CR counts as two ends", {"one\n\rtwo\n"}, {"one", "", "two"}, ""},
        {"telnet's CR NUL is a bare CR", {std::string("one\r\0two\r\n", 10)}, {"one", "two"}, ""},
        {"nothing ended yet", {"partial"}, {}, "partial"},
    };
    for (const auto& c : cases) c.check();
}

TEST(ReceiveBuffer, ALineWithoutAnEndIsCutAndItsRestDroppedSoTheBufferStaysBounded) {
    ReceiveBuffer b;
    const std::string noise(ReceiveBuffer::kMaxLineLength * 3 + 10, 'x');
    const auto lines = b.Take(noise);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), ReceiveBuffer::kMaxLineLength);
    EXPECT_TRUE(b.partial().empty());
    // More noise without an end is still dropped; the next line after an end comes through whole.
    EXPECT_TRUE(b.Take(std::string(5000, 'y')).empty());
    EXPECT_TRUE(b.partial().empty());
    EXPECT_EQ(b.Take(std::string("tail\r\n") + kK1ttt + "\r\n"), (std::vector<std::string>{kK1ttt}));
}

TEST(ReceiveBuffer, TextWaitingWithoutALineEndIsALineOfItsOwnWhenTheNextPieceBeginsASpot) {
    const PiecesCase cases[] = {
        {"a login prompt", {"Please enter your call: ", std::string(kK1ttt) + "\r\n"}, {"Please enter your call: ", kK1ttt}, ""},
        {"a node prompt, spot in lower case", {"W1AW de NODE >", "dx de K1TTT: 14025.0\r\n"}, {"W1AW de NODE >", "dx de K1TTT: 14025.0"}, ""},
        {"the spot's first characters alone", {"W1AW de NODE >", "DX", " de K1TTT\r\n"}, {"W1AW de NODE >", "DX de K1TTT"}, ""},
        {"the prompt again, then the next spot", {"W1AW de NODE >", "DX de K1TTT\r\nW1AW de NODE >", "DX de N2IC\r"},
         {"W1AW de NODE >", "DX de K1TTT", "W1AW de NODE >", "DX de N2IC"}, ""},
        // Nothing else ends a line early.
        {"a spot line split anywhere", {"DX de K1", "TTT: 14025.0\r\n"}, {"DX de K1TTT: 14025.0"}, ""},
        {"a TNC header cut before its DX", {"W1AW-1>", "DX <UI>:\r\n"}, {"W1AW-1>DX <UI>:"}, ""},
        {"a talk line cut before a DX", {"CQ ", "DX only\r\n"}, {"CQ DX only"}, ""},
        {"a spot after a blank does not begin the piece", {"text ", " DX de K1TTT\r\n"}, {"text  DX de K1TTT"}, ""},
        // Neither a lone "D" or "d" nor a lone "X" is the start of a spot.
        {"a TNC read one character at a time", Bytes("W1AW-1>DX <UI>:\r\n" + std::string(kK1ttt) + "\r\n"),
         {"W1AW-1>DX <UI>:", kK1ttt}, ""},
        {"nothing waiting", {"one\r\n", "DX de K1TTT"}, {"one"}, "DX de K1TTT"},
    };
    for (const auto& c : cases) c.check();
    // Noise past the length bound is dropped up to its end; a spot that begins a piece ends that.
    ReceiveBuffer b;
    EXPECT_EQ(b.Take(std::string(ReceiveBuffer::kMaxLineLength + 50, 'x')).size(), 1u);
    EXPECT_EQ(b.Take(std::string(kK1ttt) + "\r\n"), (std::vector<std::string>{kK1ttt}));
}

TEST(DxSpotLine, FieldsAreCutFromTheColumnsCountedFromTheDxMark) {
    struct Case {
        std::string line;
        const char* frequency;
        const char* call;
        const char* record;
    };
    const Case cases[] = {
        {kK1ttt, "14025.0", "JA1ABC",
         "de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z FN32"},
        {kW3lpl, "7003.5", "VP8/G3ABC", "de W3LPL:      7003.5  VP8/G3ABC    599 TNX                        0102Z"},
        {kN2ic, "144300.0", "W1AW/M", "de N2IC:     144300.0  W1AW/M       FN31>FN42                      1500Z"},
        // Any letter case marks a spot line.
        {"dx de K1TTT:     14025.0  JA1ABC", "14025.0", "JA1ABC", "de K1TTT:     14025.0  JA1ABC"},
        // A blank or a stray line-end character before the mark shifts every column with it.
        {std::string(" ") + kK1ttt, "14025.0", "JA1ABC",
         "de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z FN32"},
        {std::string("\r") + kW3lpl, "7003.5", "VP8/G3ABC",
         "de W3LPL:      7003.5  VP8/G3ABC    599 TNX                        0102Z"},
        // A spotter call too long for its field pushes the frequency out of its columns: the
        // frequency field holds ":  21012.3" and the spot store refuses it.
        {kLongSpotter, ":  21012.3", "ZS6ABC", "de DL1ABC-12:  21012.3  ZS6ABC                                      2359Z"},
        // A frequency too wide for its columns is read whole, never as the piece inside them.
        {"DX de K1TTT:  10368100.0  W1AW/B       FN31 beacon                    1500Z", "10368100.0", "W1AW/B",
         "de K1TTT:  10368100.0  W1AW/B       FN31 beacon                    1500Z"},
        {"DX de K1TTT: 122250100.0  W1AW", "122250100.0", "W1AW", "de K1TTT: 122250100.0  W1AW"},
        {"DX de W3LPL-1:10368100.0  W1AW", "10368100.0", "W1AW", "de W3LPL-1:10368100.0  W1AW"},
        {"DX de N2IC-5:     7003.51  VP8/G3ABC", "7003.51", "VP8/G3ABC", "de N2IC-5:     7003.51  VP8/G3ABC"},
        // Short lines give short or empty fields.
        {"DX de K1TTT:     1402", "1402", "", "de K1TTT:     1402"},
        {"DX de K1TTT:", "", "", "de K1TTT:"},
        {"DX", "", "", ""},
    };
    for (const auto& c : cases) {
        const auto spot = ParseDxSpotLine(c.line);
        ASSERT_TRUE(spot) << c.line;
        EXPECT_EQ(spot->frequency, c.frequency) << c.line;
        EXPECT_EQ(spot->call, c.call) << c.line;
        EXPECT_EQ(spot->record, c.record) << c.line;
    }
    for (const char* other : {"", "D", "W1AW-1>DX <UI>:", "To ALL de K1TTT: good morning", "  dY de K1TTT"}) {
        EXPECT_FALSE(ParseDxSpotLine(other)) << other;
    }
}

namespace {
struct Posted {
    std::string call, frequency, record;
    bool operator==(const Posted&) const = default;
};
struct Receiver {
    std::vector<Posted> posted;
    SpotReceiver r{[this](const std::string& c, const std::string& f, const std::string& rec) {
        posted.push_back({c, f, rec});
    }};
};
}  // namespace

TEST(SpotReceiver, SpotLinesArePostedAndShownOtherLinesShownUnlessDxOnly) {
    Receiver x;
    const std::string chunk = std::string("Hello K4ABC, this is the cluster\r\n") + kK1ttt + "\r\n" + kW3lpl + "\r\nDX de N";
    auto result = x.r.Receive(chunk);
    EXPECT_EQ(result.shown, "Hello K4ABC, this is the cluster\r\n" + std::string(kK1ttt) + "\r\n" + kW3lpl + "\r\n");
    EXPECT_EQ(result.spotsPosted, 2);
    ASSERT_EQ(x.posted.size(), 2u);
    EXPECT_EQ(x.posted[0], (Posted{"JA1ABC", "14025.0", "de K1TTT:     14025.0  JA1ABC       CQ UP 2                        1234Z FN32"}));
    EXPECT_EQ(x.posted[1].call, "VP8/G3ABC");
    EXPECT_EQ(x.r.buffer().partial(), "DX de N");

    // The rest of the started line completes it.
    result = x.r.Receive(std::string(kN2ic).substr(7) + "\r\n");
    ASSERT_EQ(x.posted.size(), 3u);
    EXPECT_EQ(x.posted[2].frequency, "144300.0");

    // "List DX Only": a talk line is neither shown nor posted, a spot still is.
    x.r.listDxOnly = true;
    result = x.r.Receive("K4ABC de W1XYZ: hello\r\nDX de K1TTT:     21025.0  ZS6XYZ\r\n");
    EXPECT_EQ(result.shown, "DX de K1TTT:     21025.0  ZS6XYZ\r\n");
    EXPECT_EQ(x.posted.size(), 4u);
}

TEST(SpotReceiver, ALineJustShownIsDroppedInAnyLetterCase) {
    Receiver x;
    const std::string line = std::string(kK1ttt) + "\r\n";
    x.r.Receive(line);
    auto again = x.r.Receive(line);
    EXPECT_EQ(again.shown, "");
    std::string lower = kK1ttt;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(x.r.Receive(lower + "\n").shown, "");
    EXPECT_EQ(x.posted.size(), 1u);
    // The start of a longer line shown before is not a repeat: the line end is part of the search.
    x.r.Receive("DX de K1TTT:     14025.0  JA1ABCD\r\n");
    x.r.Receive("DX de K1TTT:     14025.0  JA1ABC\r\n");
    EXPECT_EQ(x.posted.size(), 3u);
    // Once more than the search window has been shown since, the same spot is new again.
    for (int i = 0; i < 20; ++i) x.r.Receive("K4ABC de W1XYZ: a talk line that takes room " + std::to_string(i) + "\r\n");
    x.r.Receive(line);
    EXPECT_EQ(x.posted.size(), 4u);
    // Status lines the spotting window writes count for the filter too.
    x.r.NoteShown("*** Connected\r\n");
    EXPECT_EQ(x.r.Receive("*** Connected\r\n").shown, "");
}

TEST(SpotReceiver, ASpotAfterAPromptIsPosted) {
    Receiver x;
    auto result = x.r.Receive("\r\nW4XYZ de NODE >");
    EXPECT_EQ(result.shown, "\r\n");
    result = x.r.Receive(std::string(kK1ttt) + "\r\n");
    EXPECT_EQ(result.shown, "W4XYZ de NODE >\r\n" + std::string(kK1ttt) + "\r\n");
    ASSERT_EQ(x.posted.size(), 1u);
    EXPECT_EQ(x.posted[0].call, "JA1ABC");
    EXPECT_EQ(x.posted[0].frequency, "14025.0");
}

TEST(SpotReceiver, ResetForgetsTheCutLineAndWhatTheRepeatFilterSaw) {
    Receiver x;
    x.r.Receive("Hello from the cluster\r\n" + std::string(kK1ttt) + "\r\nDX de W3LPL: 14000.2 K2AB");
    ASSERT_EQ(x.posted.size(), 1u);
    x.r.listDxOnly = true;
    x.r.Reset();
    EXPECT_EQ(x.r.buffer().partial(), "");
    EXPECT_TRUE(x.r.listDxOnly);
    x.r.listDxOnly = false;
    // The next connection's greeting and the same spot again: a line each, shown, posted.
    const auto result = x.r.Receive("Hello from the cluster\r\n" + std::string(kK1ttt) + "\r\n");
    EXPECT_EQ(result.shown, "Hello from the cluster\r\n" + std::string(kK1ttt) + "\r\n");
    ASSERT_EQ(x.posted.size(), 2u);
    EXPECT_EQ(x.posted[1].call, "JA1ABC");
}

TEST(SpotReceiver, ALineTooShortForARecordPostsNothingAndEveryDxLineResetsTheRedrawCounter) {
    Receiver x;
    for (int i = 0; i < 100; ++i) x.r.Tick();
    EXPECT_EQ(x.r.Receive("DX\r\n").spotsPosted, 0);
    EXPECT_TRUE(x.posted.empty());
    EXPECT_EQ(x.r.LabelUpdateTimeCounter, 0);
    // The periodic redraw falls due on the 361st tick after a spot, and the count starts again.
    int due = 0, dueAt = 0;
    for (int i = 1; i <= 722; ++i)
        if (x.r.Tick()) {
            ++due;
            if (!dueAt) dueAt = i;
        }
    EXPECT_EQ(dueAt, 361);
    EXPECT_EQ(due, 2);
}

TEST(SpotReceiver, TheDisplayIsBoundedToItsLast9000CharactersAbove10000) {
    std::string display(10000, 'a');
    TrimDisplay(display);
    EXPECT_EQ(display.size(), 10000u);
    display += "b";
    TrimDisplay(display);
    ASSERT_EQ(display.size(), 9000u);
    EXPECT_EQ(display.back(), 'b');
}
