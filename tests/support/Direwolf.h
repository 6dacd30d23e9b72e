#pragma once
// Debian's direwolf as the AGW packet engine of a test: no sound card (ADEVICE null null), its
// AGW port on a free loopback port, no KISS port. Started here and stopped by its process id.
// With null audio nothing is heard on the air, but what one AGW client sends as an unproto
// frame direwolf "transmits" and hands to every monitoring client as a 'T' frame: a spot line
// sent by a second client reaches the program as it would from a cluster node on the air.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "spots/AgwFrame.h"
#include "support/PeerProcess.h"

namespace fakes {

class Direwolf {
public:
    Direwolf();
    ~Direwolf();
    bool ok() const { return ok_; }
    int port() const { return port_; }
    // What direwolf wrote, for a failure message.
    std::string log() const;

private:
    std::filesystem::path dir_;
    std::unique_ptr<PeerProcess> process_;
    int port_ = 0;
    bool ok_ = false;
};

// A plain blocking AGW client for the test's side: sends frames, reads whole frames.
class AgwTestClient {
public:
    explicit AgwTestClient(int port);
    ~AgwTestClient();
    bool ok() const { return fd_ >= 0; }
    bool send(const spots::AgwFrame& frame);
    std::optional<spots::AgwFrame> receive(std::chrono::milliseconds timeout);
    // Registers the call and waits for the engine's answer; true when it took it.
    bool registerCall(const std::string& call);
    // Sends an unproto ('M') frame from the call to the destination on radio port 0.
    bool sendUnproto(const std::string& from, const std::string& to, const std::string& text);

private:
    int fd_ = -1;
    spots::AgwFrameReader reader_;
};

}  // namespace fakes
