#include "support/Direwolf.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fakes {

Direwolf::Direwolf() {
    char pattern[] = "/tmp/palmetar-direwolf-XXXXXX";
    if (!mkdtemp(pattern)) return;
    dir_ = pattern;
    port_ = FreeLoopbackPort();
    {
        std::ofstream conf(dir_ / "direwolf.conf");
        conf << "ADEVICE null null\nCHANNEL 0\nMYCALL N0CALL\nAGWPORT " << port_ << "\nKISSPORT 0\n";
    }
    const std::string logPath = (dir_ / "direwolf.log").string();
    // -t 0: no colour codes in its log.
    process_ = std::make_unique<PeerProcess>(
        std::vector<std::string>{"direwolf", "-c", (dir_ / "direwolf.conf").string(), "-t", "0"}, logPath, true);
    ok_ = process_->running() && WaitForListening(port_, std::chrono::seconds(15));
}

Direwolf::~Direwolf() {
    process_.reset();
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
}

std::string Direwolf::log() const {
    std::ifstream in(dir_ / "direwolf.log");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

AgwTestClient::AgwTestClient(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    if (fd_ >= 0 && connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

AgwTestClient::~AgwTestClient() {
    if (fd_ >= 0) ::close(fd_);
}

bool AgwTestClient::send(const spots::AgwFrame& frame) {
    const std::string bytes = spots::EncodeAgwFrame(frame);
    size_t done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return fd_ >= 0;
}

std::optional<spots::AgwFrame> AgwTestClient::receive(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (auto f = reader_.next()) return f;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (fd_ < 0 || left.count() <= 0) return std::nullopt;
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char buf[4096];
        const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
        if (n <= 0) return std::nullopt;
        reader_.feed(std::string_view(buf, static_cast<size_t>(n)));
    }
}

bool AgwTestClient::registerCall(const std::string& call) {
    spots::AgwFrame x;
    x.kind = 'X';
    x.callFrom = call;
    if (!send(x)) return false;
    while (auto f = receive(std::chrono::seconds(5))) {
        if (f->kind == 'X') return !f->data.empty() && f->data[0] == 1;
    }
    return false;
}

bool AgwTestClient::sendUnproto(const std::string& from, const std::string& to, const std::string& text) {
    spots::AgwFrame m;
    m.kind = 'M';
    m.pid = 0xF0;
    m.callFrom = from;
    m.callTo = to;
    m.data = text;
    return send(m);
}

}  // namespace fakes
