#pragma once
// What a DX cluster's telnet server sends, with the telnet protocol's own bytes taken out. A
// server may open with option negotiation (IAC WILL ECHO around a password prompt, IAC DO
// TERMINAL-TYPE, ...): shown as text it reads "ÿû", and a spot line behind it no longer begins
// with "DX". The program answers none of it; a client that never agrees to an option keeps the
// plain network-terminal defaults, which is all a cluster needs.
//
// Taken out: IAC with a command byte (NOP, GA, AYT, ...), IAC with WILL, WONT, DO or DONT and
// the option byte, and a subnegotiation IAC SB ... IAC SE whole. IAC IAC is a data byte 0xFF.
// A sequence may be cut between two chunks anywhere: the filter remembers where it stopped.
// Inside a subnegotiation an IAC followed by anything but SE or IAC ends it and counts as that
// command, so a server that never sends the SE loses no more than that negotiation.

#include <string>
#include <string_view>

namespace spots {

class TelnetFilter {
public:
    // The data bytes of one received chunk.
    std::string Strip(std::string_view chunk);

    // A new connection starts outside any sequence.
    void Reset() { state_ = State::Data; }

private:
    enum class State { Data, Command, Option, Sub, SubCommand };
    State state_ = State::Data;
};

}  // namespace spots
