// The AGW frame codec: header layout, lengths, frames in pieces, short and oversized frames.
#include <gtest/gtest.h>

#include "spots/AgwFrame.h"

using spots::AgwDecoded;
using spots::AgwFrame;
using spots::AgwFrameReader;

namespace {
AgwFrame monitorFrame() {
    AgwFrame f;
    f.port = 1;
    f.kind = 'U';
    f.pid = 0xF0;
    f.callFrom = "W1AW-1";
    f.callTo = "DX";
    f.data = " 2:Fm W1AW-1 To DX <UI pid=F0 Len=78 >[12:34:56]\rDX de W1AW-1:    14025.0  JA1ABC       CQ\r";
    return f;
}
}  // namespace

TEST(AgwFrame, HeaderFieldsSitWhereTheEngineReadsThem) {
    const std::string bytes = spots::EncodeAgwFrame(monitorFrame());
    ASSERT_EQ(bytes.size(), 36 + monitorFrame().data.size());
    EXPECT_EQ(bytes[0], 1);                         // port
    EXPECT_EQ(bytes.substr(1, 3), std::string(3, '\0'));
    EXPECT_EQ(bytes[4], 'U');                       // kind
    EXPECT_EQ(static_cast<uint8_t>(bytes[6]), 0xF0);  // PID
    EXPECT_EQ(bytes.substr(8, 10), std::string("W1AW-1\0\0\0\0", 10));
    EXPECT_EQ(bytes.substr(18, 10), std::string("DX\0\0\0\0\0\0\0\0", 10));
    const size_t n = monitorFrame().data.size();
    EXPECT_EQ(bytes.substr(28, 4), std::string({static_cast<char>(n & 0xFF), static_cast<char>(n >> 8), 0, 0}));
    EXPECT_EQ(bytes.substr(32, 4), std::string(4, '\0'));

    const AgwDecoded d = spots::DecodeAgwFrame(bytes);
    ASSERT_EQ(d.status, AgwDecoded::Status::Frame);
    EXPECT_EQ(d.frame, monitorFrame());
    EXPECT_EQ(d.consumed, bytes.size());

    // A call of more than ten characters is cut to the field; a full field has no NUL.
    AgwFrame longCall;
    longCall.kind = 'X';
    longCall.callFrom = "VP2E/W1ABCD";
    const AgwDecoded cut = spots::DecodeAgwFrame(spots::EncodeAgwFrame(longCall));
    EXPECT_EQ(cut.frame.callFrom, "VP2E/W1ABC");
    EXPECT_EQ(cut.dataLength, 0u);
}

TEST(AgwFrame, LengthsAreCheckedBeforeAnyDataIsRead) {
    std::string bytes = spots::EncodeAgwFrame(monitorFrame());
    struct Case {
        const char* what;
        size_t keep;
        AgwDecoded::Status status;
    };
    for (const Case c : {Case{"empty", 0, AgwDecoded::Status::NeedMore},
                         Case{"part of the header", 35, AgwDecoded::Status::NeedMore},
                         Case{"header, data cut short", bytes.size() - 1, AgwDecoded::Status::NeedMore},
                         Case{"whole", bytes.size(), AgwDecoded::Status::Frame}}) {
        EXPECT_EQ(spots::DecodeAgwFrame(std::string_view(bytes).substr(0, c.keep)).status, c.status) << c.what;
    }
    // The length field is trusted only up to the caps: 4000 is the most a frame may carry.
    auto withLength = [](uint32_t n) {
        AgwFrame f;
        f.kind = 'D';
        std::string b = spots::EncodeAgwFrame(f);
        for (int i = 0; i < 4; ++i) b[28 + i] = static_cast<char>((n >> (8 * i)) & 0xFF);
        return b;
    };
    EXPECT_EQ(spots::DecodeAgwFrame(withLength(4000) + std::string(4000, 'a')).status, AgwDecoded::Status::Frame);
    const AgwDecoded over = spots::DecodeAgwFrame(withLength(4001));
    EXPECT_EQ(over.status, AgwDecoded::Status::Oversized);
    EXPECT_EQ(over.dataLength, 4001u);
    EXPECT_EQ(spots::DecodeAgwFrame(withLength(0xFFFFFFFFu)).status, AgwDecoded::Status::Corrupt);
}

TEST(AgwFrame, ReaderReassemblesAStreamInAnyPieces) {
    AgwFrame second;
    second.kind = 'D';
    second.callFrom = "W1XYZ";
    second.callTo = "K1ABC";
    second.data = "Hello\r";
    const std::string stream = spots::EncodeAgwFrame(monitorFrame()) + spots::EncodeAgwFrame(second);
    for (size_t piece : {size_t{1}, size_t{7}, size_t{36}, stream.size()}) {
        AgwFrameReader reader;
        std::vector<AgwFrame> got;
        for (size_t at = 0; at < stream.size(); at += piece) {
            reader.feed(std::string_view(stream).substr(at, piece));
            while (auto f = reader.next()) got.push_back(*f);
        }
        ASSERT_EQ(got.size(), 2u) << "pieces of " << piece;
        EXPECT_EQ(got[0], monitorFrame());
        EXPECT_EQ(got[1], second);
        EXPECT_EQ(reader.buffered(), 0u);
    }
}

TEST(AgwFrame, ReaderSkipsAnOversizedFrameAndStopsAtACorruptLength) {
    AgwFrame big;
    big.kind = 'D';
    big.data = std::string(5000, 'x');
    AgwFrame after = monitorFrame();
    const std::string stream = spots::EncodeAgwFrame(big) + spots::EncodeAgwFrame(after);
    AgwFrameReader reader;
    // The big frame's data comes in pieces; the reader throws it away as it comes, never
    // holding more than a piece of it, and the next frame is read whole.
    for (size_t at = 0; at < stream.size(); at += 1000) {
        reader.feed(std::string_view(stream).substr(at, 1000));
        EXPECT_LE(reader.buffered(), 1000u);
    }
    auto f = reader.next();
    ASSERT_TRUE(f);
    EXPECT_EQ(*f, after);
    EXPECT_FALSE(reader.next());
    const auto dropped = reader.takeDropped();
    EXPECT_EQ(dropped.frames, 1);
    EXPECT_EQ(dropped.largest, 5000u);
    EXPECT_EQ(reader.takeDropped().frames, 0);

    // A length no engine would send: everything after it is out of step and is not read.
    std::string bad = spots::EncodeAgwFrame(after);
    bad[31] = 0x7F;
    AgwFrameReader broken;
    broken.feed(bad + spots::EncodeAgwFrame(after));
    EXPECT_TRUE(broken.corrupt());
    EXPECT_FALSE(broken.next());
    EXPECT_EQ(broken.buffered(), 0u);
}
