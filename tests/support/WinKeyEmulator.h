#pragma once
// A WinKey keyer on the far end of a pseudo-terminal, for the link's tests and for running the
// program without the device. It speaks the keyer's host protocol: it answers the echo test and
// host open (with its version byte), takes the settings commands, queues text in a buffer of
// its own size and "sends" it at the set speed, character by character with real Morse
// lengths, reporting its status byte by itself whenever busy or XOFF change (XOFF once the
// buffer is two-thirds full), answers status requests, and honours clear buffer and backspace.
// After host close it goes on sending what its buffer holds, as the keyer does on its own.
// Faults a test can switch on: never answering at all, answering the echo wrongly, ignoring
// host open, or holding XOFF forever (a keyer that never takes more text).
//
// It runs on a thread of its own and is stopped and joined when destroyed.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fakes {

class WinKeyEmulator {
public:
    struct Faults {
        bool silent = false;         // answers nothing
        bool wrongEcho = false;      // answers the echo test with another byte
        bool noVersion = false;      // does not answer host open
        bool stuckXoff = false;      // once text comes, reports busy + XOFF and never sends
    };
    // `ptyPath`: the emulator's end of the pair.
    WinKeyEmulator(const std::string& ptyPath, Faults faults, int bufferSize = 120, uint8_t version = 23);
    explicit WinKeyEmulator(const std::string& ptyPath) : WinKeyEmulator(ptyPath, Faults{}) {}
    ~WinKeyEmulator();
    WinKeyEmulator(const WinKeyEmulator&) = delete;
    WinKeyEmulator& operator=(const WinKeyEmulator&) = delete;

    bool ok() const { return fd_ >= 0; }

    // What happened, read under the emulator's lock.
    std::string received() const;   // every byte the host sent
    // The text the host handed it while open, whether or not its buffer had room: what the
    // host sent, free of how soon its status reports reached the host.
    std::string handed() const;
    std::string keyed() const;      // the characters it has finished sending
    std::string queued() const;     // text waiting in its buffer
    bool hostOpen() const;
    bool busy() const;
    int speed() const;
    int weight() const;
    int leadIn() const;
    int tail() const;
    int ratio() const;
    int pinConfig() const;
    int mode() const;
    int clears() const;
    int hostOpens() const;
    int hostCloses() const;
    std::vector<uint8_t> statusSent() const;  // every status byte it sent, in order

private:
    void run();
    void take(uint8_t b);
    void command(const std::vector<uint8_t>& cmd);
    void send(uint8_t b);
    void report();  // sends the status byte when it changed
    uint8_t statusBits() const;
    int charMs(char c) const;

    int fd_ = -1;
    Faults faults_;
    size_t bufferSize_;
    uint8_t version_;
    std::atomic<bool> stop_{false};
    std::thread thread_;

    mutable std::mutex mutex_;
    std::string received_, handed_, keyed_, queue_;
    std::vector<uint8_t> pending_;  // a command being read
    std::vector<uint8_t> statusSent_;
    bool hostOpen_ = false;
    bool stuck_ = false;
    int speed_ = 20, weight_ = 50, leadIn_ = 0, tail_ = 0, ratio_ = 50, pinConfig_ = 5, mode_ = 0;
    int clears_ = 0, hostOpens_ = 0, hostCloses_ = 0;
    int lastStatus_ = -1;
    long long sendingUntil_ = 0;  // ms on the steady clock: the character in progress ends
    char sending_ = 0;
};

}  // namespace fakes
