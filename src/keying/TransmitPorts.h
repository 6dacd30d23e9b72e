#pragma once
// The CW keyer's serial key line, the voice keyer's PTT port and the WinKey link are set up as
// one interface to the transmitter: each has a port setting of its own, but opening one closes
// the others it would clash with. Each registers how it closes; whoever opens calls opening()
// first.
//
//   opening           closes
//   CW key line       voice PTT port          (the WinKey link stays open)
//   voice PTT port    CW key line, WinKey link
//   WinKey link       CW key line, voice PTT port

#include <array>
#include <functional>
#include <vector>

namespace keying {

enum class TransmitPort { CwKeyLine, VoicePtt, WinKey };

class TransmitPorts {
public:
    // How a port is closed; nothing registered means nothing to close.
    void setCloser(TransmitPort port, std::function<void()> close);
    // Closes the ports that `port` excludes, in the order of the table.
    void opening(TransmitPort port);
    // The ports `port` excludes.
    static std::vector<TransmitPort> Excludes(TransmitPort port);

private:
    std::array<std::function<void()>, 3> closers_;
};

}  // namespace keying
