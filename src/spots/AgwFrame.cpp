#include "spots/AgwFrame.h"

#include <algorithm>

namespace spots {

namespace {
void putCall(std::string& out, const std::string& call) {
    const size_t n = std::min(call.size(), kAgwCallSize);
    out.append(call, 0, n);
    out.append(kAgwCallSize - n, '\0');
}

std::string getCall(std::string_view field) {
    const size_t end = field.find('\0');
    return std::string(field.substr(0, end));
}

void putU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t getU32(std::string_view b) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[static_cast<size_t>(i)]);
    return v;
}
}  // namespace

std::string EncodeAgwFrame(const AgwFrame& f) {
    std::string out;
    out.reserve(kAgwHeaderSize + f.data.size());
    out.push_back(static_cast<char>(f.port));
    out.append(3, '\0');
    out.push_back(f.kind);
    out.push_back('\0');
    out.push_back(static_cast<char>(f.pid));
    out.push_back('\0');
    putCall(out, f.callFrom);
    putCall(out, f.callTo);
    putU32(out, static_cast<uint32_t>(f.data.size()));
    out.append(4, '\0');
    out += f.data;
    return out;
}

AgwDecoded DecodeAgwFrame(std::string_view b) {
    AgwDecoded d;
    if (b.size() < kAgwHeaderSize) return d;
    d.frame.port = static_cast<uint8_t>(b[0]);
    d.frame.kind = b[4];
    d.frame.pid = static_cast<uint8_t>(b[6]);
    d.frame.callFrom = getCall(b.substr(8, kAgwCallSize));
    d.frame.callTo = getCall(b.substr(18, kAgwCallSize));
    d.dataLength = getU32(b.substr(28, 4));
    if (d.dataLength > kAgwMaxSkip) {
        d.status = AgwDecoded::Status::Corrupt;
        return d;
    }
    if (d.dataLength > kAgwMaxData) {
        d.status = AgwDecoded::Status::Oversized;
        d.consumed = kAgwHeaderSize + d.dataLength;
        return d;
    }
    if (b.size() - kAgwHeaderSize < d.dataLength) return d;  // NeedMore
    d.frame.data = std::string(b.substr(kAgwHeaderSize, d.dataLength));
    d.consumed = kAgwHeaderSize + d.dataLength;
    d.status = AgwDecoded::Status::Frame;
    return d;
}

void AgwFrameReader::feed(std::string_view bytes) {
    if (corrupt_) return;
    if (skipping_ > 0) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(skipping_, bytes.size()));
        skipping_ -= n;
        bytes.remove_prefix(n);
    }
    buffer_.append(bytes);
    parse();
}

void AgwFrameReader::parse() {
    size_t pos = 0;
    while (!corrupt_) {
        const AgwDecoded d = DecodeAgwFrame(std::string_view(buffer_).substr(pos));
        if (d.status == AgwDecoded::Status::NeedMore) break;
        if (d.status == AgwDecoded::Status::Corrupt) {
            corrupt_ = true;
            break;
        }
        if (d.status == AgwDecoded::Status::Oversized) {
            ++dropped_.frames;
            dropped_.largest = std::max(dropped_.largest, d.dataLength);
            const size_t available = buffer_.size() - pos - kAgwHeaderSize;
            if (available >= d.dataLength) {
                pos += d.consumed;
                continue;
            }
            skipping_ = d.dataLength - available;
            pos = buffer_.size();
            break;
        }
        ready_.push_back(d.frame);
        pos += d.consumed;
    }
    buffer_.erase(0, corrupt_ ? buffer_.size() : pos);
}

std::optional<AgwFrame> AgwFrameReader::next() {
    if (ready_.empty()) return std::nullopt;
    AgwFrame f = std::move(ready_.front());
    ready_.pop_front();
    return f;
}

AgwFrameReader::Dropped AgwFrameReader::takeDropped() {
    Dropped d = dropped_;
    dropped_ = {};
    return d;
}

}  // namespace spots
