#include "spots/ReceiveBuffer.h"

#include "spots/DxSpotLine.h"

namespace spots {

std::vector<std::string> ReceiveBuffer::Take(std::string_view text) {
    std::vector<std::string> lines;
    if (waiting() && BeginsSpotLine(text)) {
        if (!dropping_) lines.push_back(std::move(partial_));
        Clear();
    }
    for (char ch : text) {
        if (ch == '\0') continue;
        if (ch == '\n' || ch == '\r') {
            const bool secondHalfOfCrLf = ch == '\n' && afterCr_;
            afterCr_ = ch == '\r';
            if (secondHalfOfCrLf) continue;
            if (!dropping_) lines.push_back(std::move(partial_));
            partial_.clear();
            dropping_ = false;
            continue;
        }
        afterCr_ = false;
        if (dropping_) continue;
        partial_.push_back(ch);
        if (partial_.size() >= kMaxLineLength) {
            lines.push_back(std::move(partial_));
            partial_.clear();
            dropping_ = true;
        }
    }
    return lines;
}

void ReceiveBuffer::Clear() {
    partial_.clear();
    afterCr_ = false;
    dropping_ = false;
}

}  // namespace spots
