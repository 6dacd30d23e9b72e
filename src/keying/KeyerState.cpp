#include "keying/KeyerState.h"

namespace keying {

SendBuffer& SendBuffer::operator=(std::string text) {
    std::lock_guard lock(mutex_);
    text_ = std::move(text);
    return *this;
}

std::string SendBuffer::str() const {
    std::lock_guard lock(mutex_);
    return text_;
}

bool SendBuffer::empty() const {
    std::lock_guard lock(mutex_);
    return text_.empty();
}

size_t SendBuffer::size() const {
    std::lock_guard lock(mutex_);
    return text_.size();
}

void SendBuffer::clear() {
    std::lock_guard lock(mutex_);
    text_.clear();
}

void SendBuffer::push_back(char c) {
    std::lock_guard lock(mutex_);
    text_.push_back(c);
}

void SendBuffer::pop_back() {
    std::lock_guard lock(mutex_);
    if (!text_.empty()) text_.pop_back();
}

void SendBuffer::append(std::string_view text) {
    std::lock_guard lock(mutex_);
    text_.append(text);
}

std::optional<char> SendBuffer::takeFirst() {
    std::lock_guard lock(mutex_);
    if (text_.empty()) return std::nullopt;
    const char c = text_.front();
    text_.erase(0, 1);
    return c;
}

bool SendBuffer::contains(char c) const {
    std::lock_guard lock(mutex_);
    return text_.find(c) != std::string::npos;
}

}  // namespace keying
