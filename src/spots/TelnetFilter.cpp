#include "spots/TelnetFilter.h"

namespace spots {

namespace {
constexpr unsigned char kSe = 240;    // end of subnegotiation
constexpr unsigned char kSb = 250;    // start of subnegotiation
constexpr unsigned char kWill = 251;  // WILL, WONT, DO, DONT: 251-254, each with an option byte
constexpr unsigned char kDont = 254;
constexpr unsigned char kIac = 255;
}  // namespace

std::string TelnetFilter::Strip(std::string_view chunk) {
    std::string out;
    out.reserve(chunk.size());
    for (const char ch : chunk) {
        const auto b = static_cast<unsigned char>(ch);
        switch (state_) {
            case State::Data:
                if (b == kIac) state_ = State::Command;
                else out.push_back(ch);
                break;
            case State::Command:
                if (b == kIac) {
                    out.push_back(ch);
                    state_ = State::Data;
                } else if (b == kSb) {
                    state_ = State::Sub;
                } else if (b >= kWill && b <= kDont) {
                    state_ = State::Option;
                } else {
                    state_ = State::Data;  // a command of its own, or a stray byte after IAC
                }
                break;
            case State::Option: state_ = State::Data; break;
            case State::Sub:
                if (b == kIac) state_ = State::SubCommand;
                break;
            case State::SubCommand:
                if (b == kSe) state_ = State::Data;
                else if (b == kIac) state_ = State::Sub;  // an escaped 0xFF inside the negotiation
                else if (b == kSb) state_ = State::Sub;
                else if (b >= kWill && b <= kDont) state_ = State::Option;
                else state_ = State::Data;
                break;
        }
    }
    return out;
}

}  // namespace spots
