#include "spots/TelnetErrors.h"

#include <cmath>
#include <limits>
#include <map>

#include "station/WriteForm.h"

namespace spots {

std::string TelnetErrorText(int number) {
    static const std::map<int, const char*> texts = {
        {7, "ERROR: Out of memory."},
        {380, "ERROR: The property value is invalid."},
        {383, "ERROR: The property is read-only."},
        {394, "ERROR: The property can't be read."},
        {1004, "ERROR: The operation was canceled."},
        {10014, "ERROR: The requested address is a broadcast address, but flag is not set."},
        {10035, "ERROR: Socket is non-blocking and the specified operation will block."},
        {10036, "ERROR: A blocking Winsock operation in progress."},
        {10037, "ERROR: The operation is completed. No blocking operation in progress"},
        {10038, "ERROR: The descriptor is not a socket."},
        {10040, "ERROR: The datagram is too large to fit into the buffer and is truncated."},
        {10043, "ERROR: The specified port is not supported."},
        {10048, "ERROR: Address in use."},
        {10049, "ERROR: Address not available from the local machine."},
        {10050, "ERROR: Network subsystem failed."},
        {10051, "ERROR: The network cannot be reached from this host at this time."},
        {10052, "ERROR: Connection has timed out when SO_KEEPALIVE is set."},
        {10053, "ERROR: Connection is aborted due to timeout or other failure."},
        {10054, "ERROR: The connection is reset by remote side.!"},
        {10055, "ERROR: No buffer space is available."},
        {10056, "ERROR: Socket is already connected."},
        {10057, "ERROR: Socket is not connected."},
        {10058, "ERROR: Socket has been shut down."},
        {10060, "ERROR: Socket has been shut down."},
        {10061, "ERROR: Connection is forcefully rejected."},
        {10093, "ERROR: WinsockInit should be called first."},
        {11001, "ERROR: Authoritative answer: Host not found."},
        {11002, "ERROR: Non-Authoritative answer: Host not found."},
        {11003, "ERROR: Non-recoverable errors."},
        {11004, "ERROR: Valid name, no data record of requested type."},
    };
    auto it = texts.find(number);
    if (it != texts.end()) return it->second;
    return "Error number " + std::to_string(number);
}

int TelnetErrorNumber(platform::TcpError error) {
    using platform::TcpError;
    switch (error) {
        case TcpError::ConnectionRefused: return 10061;
        case TcpError::HostNotFound: return 11001;
        case TcpError::Timeout: return 10060;
        case TcpError::NetworkUnreachable: return 10051;
        case TcpError::ConnectionReset: return 10054;
        case TcpError::AddressInUse: return 10048;
        case TcpError::AddressNotAvailable: return 10049;
        case TcpError::InvalidPort: return 10043;
        case TcpError::Other: break;
    }
    return 10050;
}

std::optional<int32_t> TelnetPortNumber(const std::string& text) {
    size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return std::nullopt;
    size_t e = text.find_last_not_of(' ');
    double v = 0;
    if (!station::parseNumber(std::string_view(text).substr(b, e - b + 1), v) || !std::isfinite(v)) return std::nullopt;
    const double r = std::nearbyint(v);  // half to even under the default rounding mode
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(r);
}

std::string TelnetBadPortNote(const std::string& portText) {
    return "** The telnet port \"" + portText + "\" is not a number: nothing was opened **\r\n\r\n";
}

}  // namespace spots
