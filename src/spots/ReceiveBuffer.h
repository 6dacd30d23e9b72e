#pragma once
// Received text as it arrives from a spot source (a serial read, a TCP chunk, an AGW frame),
// cut into lines. A line ends at LF, at CR, or at CR LF, also when the CR and the LF come in
// different pieces. The partial line is bounded: a line that grows past kMaxLineLength
// characters without an end is delivered cut at that length and the rest of it, up to its
// end, is dropped, so noise without line ends (a wrong baud rate) cannot grow memory.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace spots {

class ReceiveBuffer {
public:
    static constexpr size_t kMaxLineLength = 1024;

    // Adds received text; returns the lines it completes, in order, without their line ends.
    // NUL characters (the telnet filler after a bare CR) are dropped.
    std::vector<std::string> Take(std::string_view text);

    // The line received so far and not yet ended.
    const std::string& partial() const { return partial_; }

private:
    std::string partial_;
    bool afterCr_ = false;    // the last character was a CR: an LF right after it ends nothing
    bool dropping_ = false;   // the current line was cut: its rest is dropped up to its end
};

}  // namespace spots
