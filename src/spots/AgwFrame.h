#pragma once
// Frames of the AGW packet engine's TCP protocol: a 36-byte header (port, kind letter, PID, the
// from and to calls, the data length, little-endian) followed by the data. The reader takes the
// byte stream as it arrives, in any pieces, and gives back whole frames; it checks each length
// against a cap before it waits for the data, so a bad length never makes it read past a frame
// or hold an unbounded amount.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace spots {

struct AgwFrame {
    uint8_t port = 0;       // the engine's radio port, counted from 0
    char kind = 0;          // the frame kind letter ('X', 'm', 'D', 'U', ...)
    uint8_t pid = 0;
    std::string callFrom;   // at most 10 characters on the wire
    std::string callTo;
    std::string data;
    friend bool operator==(const AgwFrame&, const AgwFrame&) = default;
};

constexpr size_t kAgwHeaderSize = 36;
constexpr size_t kAgwCallSize = 10;
// The most data a frame may carry: the client library's 4000-character data buffer.
constexpr uint32_t kAgwMaxData = 4000;
// A length beyond this cannot be a frame of a working engine: the stream is out of step.
constexpr uint32_t kAgwMaxSkip = 1u << 20;

// The header and data of one frame. Calls longer than 10 characters are cut to 10.
std::string EncodeAgwFrame(const AgwFrame& frame);

// One frame decoded from the start of a buffer.
struct AgwDecoded {
    enum class Status { Frame, NeedMore, Oversized, Corrupt };
    Status status = Status::NeedMore;
    AgwFrame frame;        // Frame: the frame; Oversized: its header, without data
    uint32_t dataLength = 0;
    size_t consumed = 0;   // bytes the frame takes (header + data) when whole
};
// Frame: a whole frame of at most kAgwMaxData bytes of data. NeedMore: fewer bytes than the
// header and its data. Oversized: the header names more than kAgwMaxData bytes (the data is
// not read). Corrupt: more than kAgwMaxSkip. A call field is read up to its first NUL.
AgwDecoded DecodeAgwFrame(std::string_view bytes);

// Reassembles frames from a byte stream. A frame over the cap is skipped as its data arrives
// and counted; a corrupt length stops the reader for good (the connection must be dropped).
class AgwFrameReader {
public:
    void feed(std::string_view bytes);
    std::optional<AgwFrame> next();
    bool corrupt() const { return corrupt_; }
    // Frames dropped for their size since the last call, with the largest length seen.
    struct Dropped {
        int frames = 0;
        uint32_t largest = 0;
    };
    Dropped takeDropped();
    size_t buffered() const { return buffer_.size(); }

private:
    void parse();
    std::string buffer_;
    std::deque<AgwFrame> ready_;
    uint64_t skipping_ = 0;  // data bytes of an oversized frame still to discard
    bool corrupt_ = false;
    Dropped dropped_;
};

}  // namespace spots
