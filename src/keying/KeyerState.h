#pragma once
// The keyer state the windows and the keyers share for the whole run; one copy, held by the
// session (Session::keyers). Everything but the send buffer belongs to the program's thread.

#include <cstdint>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace keying {

// CWBuffer: the characters still to be sent. The window appends typed characters, drops the
// last with Backspace and empties it with Esc while the keying worker takes characters from its
// front, so every operation locks.
class SendBuffer {
public:
    SendBuffer() = default;
    SendBuffer(const SendBuffer&) = delete;
    SendBuffer& operator=(const SendBuffer&) = delete;
    SendBuffer& operator=(std::string text);

    std::string str() const;
    bool empty() const;
    size_t size() const;
    void clear();
    void push_back(char c);
    void pop_back();  // nothing when empty
    void append(std::string_view text);
    // Removes and returns the first character; nothing when empty.
    std::optional<char> takeFirst();
    bool contains(char c) const;

    friend bool operator==(const SendBuffer& b, std::string_view text) { return b.str() == text; }
    friend std::ostream& operator<<(std::ostream& out, const SendBuffer& b) { return out << '"' << b.str() << '"'; }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

struct KeyerState {
    SendBuffer CWBuffer;      // characters still to be sent
    int CWSending = 0;        // 1 while the CW pump works through CWBuffer (never with WinKey)
    int KeyboardCW = 0;       // 1 while typed keys go to the CW keyer
    int CWInterface = 0;      // 0 none, 1 RTS, 2 DTR, 3 parallel port, 5 WinKey
    int CWRepeat = 0;         // 1 while an F1 repeat is armed in the CW keyer
    int PhoneRepeat = 0;      // 1 while an F1 repeat is armed in the voice keyer
    int WinKeyOpen = 0;       // the keyer's version byte; 0 while the link is closed
    int32_t WinKeyStatus = 0; // the keyer status last read
};

}  // namespace keying
