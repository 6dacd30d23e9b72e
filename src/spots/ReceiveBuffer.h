#pragma once
// Received text as it arrives from a spot source (a serial read, a TCP chunk, an AGW frame),
// cut into lines. A line ends at LF, at CR, or at CR LF, also when the CR and the LF come in
// different pieces. The partial line is bounded: a line that grows past kMaxLineLength
// characters without an end is delivered cut at that length and the rest of it, up to its
// end, is dropped, so noise without line ends (a wrong baud rate) cannot grow memory.
//
// A piece that begins a spot line ("DX de ...") also ends the text waiting before it: a
// cluster's prompt ("login: ", "W1AW de NODE >") has no line end, and the spot sent after it
// would otherwise be glued to it and no longer begin with "DX".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace spots {

class ReceiveBuffer {
public:
    static constexpr size_t kMaxLineLength = 1024;

    // Adds a received piece; returns the lines it completes, in order, without their line ends.
    // NUL characters (the telnet filler after a bare CR) are dropped.
    std::vector<std::string> Take(std::string_view text);

    // Forgets the line received so far: the next text starts a new line.
    void Clear();

    // The line received so far and not yet ended.
    const std::string& partial() const { return partial_; }
    // Text is waiting for a line end: a partial line, or the dropped rest of a cut one.
    bool waiting() const { return !partial_.empty() || dropping_; }

private:
    std::string partial_;
    bool afterCr_ = false;    // the last character was a CR: an LF right after it ends nothing
    bool dropping_ = false;   // the current line was cut: its rest is dropped up to its end
};

}  // namespace spots
