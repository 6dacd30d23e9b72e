#pragma once
// A spot feed: one of the three ways spots reach the spotting window (a TNC on a serial port,
// a telnet DX cluster, the AGW packet engine). The window owns one of each, opens the chosen one
// with its own settings, and hands it the tick and the lines typed in its send box; a feed
// reports through the window's receive display and ends "Listening" through Close Port, as the
// operator's click would.

#include <string>

namespace spots {

// What a feed asks of the spotting window.
class SpotFeedHost {
public:
    virtual ~SpotFeedHost() = default;
    // A note of the program's own, added to the receive display.
    virtual void note(const std::string& text) = 0;
    // Text the feed received: cut into lines, repeats dropped, spots posted, then shown.
    virtual void received(const std::string& text) = 0;
    // The receive display starts anew with a text.
    virtual void restartDisplay(const std::string& text) = 0;
    // Close Port, as the operator's click does it (it closes every feed).
    virtual void closePort() = 0;
    // "Listening" ends without Close Port: nothing was opened that it could close.
    virtual void stopListening() = 0;
    // The window's tick, which polls the open feed.
    virtual void startTick() = 0;
    virtual void stopTick() = 0;
    virtual bool tickRunning() const = 0;
    // A window loaded hidden comes into view, so the operator can change the settings.
    virtual void comeIntoView() = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // "List DX Only" is ticked.
    virtual bool dxOnly() const = 0;
};

class SpotFeed {
public:
    virtual ~SpotFeed() = default;
    // The feed's part of Close Port.
    virtual void close() = 0;
    // The window's tick: takes in what has arrived since the last one.
    virtual void poll() {}
    // A line typed in the send box.
    virtual void send(const std::string& line) = 0;
};

// How often the window's tick comes.
inline constexpr int kFeedTickMs = 333;

}  // namespace spots
