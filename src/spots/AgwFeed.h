#pragma once
// The AGW feed: the packet engine's monitored frames and one connected station, through the
// engine's TCP port (AgwLink). It needs the operator's call to register with the engine; a start
// the engine does not answer, and an engine that goes away, are said in the display and end
// "Listening".

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "spots/AgwLink.h"
#include "spots/SpotFeed.h"

namespace spots {

class AgwFeed : public SpotFeed {
public:
    // `engine` tells where the engine listens, read afresh at each start.
    AgwFeed(SpotFeedHost& host, platform::Services& services, std::function<AgwEngineAddress()> engine);

    // Registers `stationCall` with the engine; `title` is the program's name for it.
    void StartAGW(const std::string& stationCall, const std::string& title);
    // A line for the engine, whether or not the tick runs (see send()).
    void SendAGW(const std::string& text);
    // The station connected through the engine, if any.
    const std::string& ConnectedStation() const { return connectedStation_; }
    // The window is unloaded: the connected station is told, and the link ends when the feed is
    // the chosen source.
    void Unload(bool chosen);

    void close() override;
    void poll() override { PollAGW(); }
    // Sent only while the tick runs (the engine has answered).
    void send(const std::string& line) override;

private:
    void PollAGW();
    void agwStartFailed(const std::string& why);

    SpotFeedHost& host_;
    platform::Dialogs& dialogs_;
    std::function<AgwEngineAddress()> engine_;
    AgwLink agw_;
    std::string connectedStation_;
};

}  // namespace spots
