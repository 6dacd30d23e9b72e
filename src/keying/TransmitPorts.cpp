#include "keying/TransmitPorts.h"

namespace keying {

std::vector<TransmitPort> TransmitPorts::Excludes(TransmitPort port) {
    switch (port) {
    case TransmitPort::CwKeyLine: return {TransmitPort::VoicePtt};
    case TransmitPort::VoicePtt: return {TransmitPort::WinKey, TransmitPort::CwKeyLine};
    case TransmitPort::WinKey: return {TransmitPort::CwKeyLine, TransmitPort::VoicePtt};
    }
    return {};
}

void TransmitPorts::setCloser(TransmitPort port, std::function<void()> close) {
    closers_[static_cast<size_t>(port)] = std::move(close);
}

void TransmitPorts::opening(TransmitPort port) {
    for (TransmitPort other : Excludes(port)) {
        // A copy: closing may register again.
        auto close = closers_[static_cast<size_t>(other)];
        if (close) close();
    }
}

}  // namespace keying
