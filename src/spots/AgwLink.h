#pragma once
// The link to the AGW packet engine over its TCP port, in the shape the spotting window uses
// it: start (connect, register the own call, turn monitoring on), fetch the frames that have
// arrived one by one, hand frames to the engine, close. It speaks the engine's TCP protocol
// itself, so no client library of the engine's is needed; every call returns at once, and the
// outcome of a start arrives as an event.
//
// Frame kinds as the window sees them: the engine's monitored frames ('U', 'I', 'S', 'T'),
// connected data 'D' and the disconnect notice 'd' pass unchanged; the engine's connect notice
// 'C' is given as 'c'. Sent kinds: 'D' and 'd' go as they are, 'c' goes as the standard connect
// 'C' (lower-case 'c' is another request in the engine's protocol), and 'P' (the engine's
// login) is not sent: an engine on this machine asks for none.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Scheduler.h"
#include "platform/TcpClient.h"
#include "spots/AgwFrame.h"

namespace spots {

// Where the engine listens; kept beside PackSpot.txt (see SpotSettings.h).
struct AgwEngineAddress {
    std::string host = "127.0.0.1";
    int port = 8000;
    friend bool operator==(const AgwEngineAddress&, const AgwEngineAddress&) = default;
};

// One frame as the window fetches it.
struct AgwIncoming {
    char kind = 0;
    std::string fromCall;
    std::string data;  // trailing NULs (the engine ends monitor text with one) removed
};

class AgwLink {
public:
    enum class State { Stopped, Starting, Running };

    struct Events {
        std::function<void()> started;
        std::function<void(const std::string& why)> startFailed;
        // The engine went away or sent what cannot be a frame; the link is stopped.
        std::function<void(const std::string& why)> lost;
        // Something the operator should read, such as frames dropped for their size.
        std::function<void(const std::string& text)> notice;
    };

    AgwLink(platform::TcpClients& tcp, platform::Scheduler& scheduler);
    ~AgwLink();
    void setEvents(Events events) { events_ = std::move(events); }

    // Connects to the engine, registers the call ('X') and asks for monitored frames ('m').
    // The title is the program's name for the engine; the TCP protocol has no field for it.
    void StartPoll(const AgwEngineAddress& address, const std::string& ownCall, const std::string& title);
    // The oldest frame waiting, if any.
    std::optional<AgwIncoming> GetData();
    // Hands a frame to the engine (kinds as above); false when the link is not running.
    bool PutData(const std::string& toCall, const std::string& data, char kind);
    // Ends the link; harmless when stopped.
    void Close();

    State state() const { return state_; }
    size_t waiting() const { return incoming_.size(); }

    // How long the engine may take to answer the registration.
    static constexpr int kRegisterTimeoutMs = 5000;
    // Frames held for the window at most; older ones are dropped first (and reported).
    static constexpr size_t kMaxWaiting = 1000;

private:
    void onConnected();
    void onData();
    void onClosedByPeer();
    void onFailed(platform::TcpError error, const std::string& text);
    void fail(const std::string& why);
    void handle(const AgwFrame& frame);
    void send(const AgwFrame& frame);

    std::unique_ptr<platform::TcpClient> socket_;
    std::unique_ptr<platform::Timer> registerTimer_;
    Events events_;
    State state_ = State::Stopped;
    AgwEngineAddress address_;
    std::string ownCall_;
    AgwFrameReader reader_;
    std::deque<AgwIncoming> incoming_;
    int overflow_ = 0;
};

// What the engine's connection failures mean, for the operator.
std::string DescribeTcpError(platform::TcpError error);

}  // namespace spots
