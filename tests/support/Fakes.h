#pragma once
// Fakes of the platform services: scripted answers, recorded calls, injectable failures.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/StdFileSystem.h"
#include "support/FakeDevices.h"
#include "support/FakeTcp.h"

namespace fakes {

struct MessageCall {
    std::string prompt;
    platform::MsgButtons buttons;
    platform::MsgIcon icon;
    std::string title;
};

struct InputCall {
    std::string prompt, title, defaultText;
};

class FakeDialogs : public platform::Dialogs {
public:
    // Scripted answers, taken in order; when a queue is empty: OK/Yes for message boxes
    // (the first button), Cancel ("") for input boxes and dialogs.
    std::deque<platform::MsgResult> messageAnswers;
    std::deque<std::string> inputAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<int32_t>> colorAnswers;

    std::vector<MessageCall> messages;
    std::vector<InputCall> inputs;
    std::vector<platform::FileDialogRequest> fileRequests;
    std::vector<int32_t> colorRequests;
    int beeps = 0;
    // Called as each message box shows, to look at the screen behind it.
    std::function<void(const MessageCall&)> onMessage;

    platform::MsgResult messageBox(const std::string& prompt, platform::MsgButtons buttons,
                                   platform::MsgIcon icon, const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::optional<std::string> saveFileDialog(const platform::FileDialogRequest& request) override;
    std::optional<std::string> openFileDialog(const platform::FileDialogRequest& request) override;
    std::optional<int32_t> colorDialog(int32_t initialBgr) override;
    void beep() override { ++beeps; }
};

class FakeClock : public platform::Clock {
public:
    platform::DateTime local{2026, 4, 25, 12, 0, 0, 0};
    double utcOffsetHours = 4;  // utc = local + offset
    int64_t monotonic = 0;
    platform::DateTime localNow() const override { return local; }
    platform::DateTime utcNow() const override { return local.addMinutes(utcOffsetHours * 60); }
    int64_t monotonicMs() const override { return monotonic; }
    void advanceSeconds(int64_t s) {
        local = local.addSeconds(s);
        monotonic += s * 1000;
    }
    void advanceMs(int64_t ms) {
        const int64_t total = local.msec + ms;
        const int64_t seconds = total >= 0 ? total / 1000 : -((999 - total) / 1000);
        local = local.addSeconds(seconds);
        local.msec = static_cast<int>(total - seconds * 1000);
        monotonic += ms;
    }
};

class FakeEnvironment : public platform::Environment {
public:
    std::map<std::string, std::string> values;
    std::string get(const std::string& name) const override {
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
};

// The real file system, with switches that make chosen operations fail.
class FaultyFileSystem : public platform::StdFileSystem {
public:
    bool failAppend = false, failWrite = false, failCopy = false, failMakeDirectory = false;
    std::string failReadOf;  // a file that exists but cannot be read, for this reason:
    std::string failReadWhy = "Permission denied";
    std::optional<std::string> readFile(const std::string& path, std::string& why) const override {
        if (!failReadOf.empty() && path == failReadOf) {
            why = failReadWhy;
            return std::nullopt;
        }
        return StdFileSystem::readFile(path, why);
    }
    bool append(const std::string& path, const std::string& bytes) override {
        return !failAppend && StdFileSystem::append(path, bytes);
    }
    bool writeAtomic(const std::string& path, const std::string& bytes) override {
        return !failWrite && StdFileSystem::writeAtomic(path, bytes);
    }
    bool copy(const std::string& from, const std::string& to, bool overwrite) override {
        return !failCopy && StdFileSystem::copy(from, to, overwrite);
    }
    bool makeDirectory(const std::string& path) override {
        return !failMakeDirectory && StdFileSystem::makeDirectory(path);
    }
};

class FakeScreen : public platform::Screen {
public:
    platform::TwipsRect screen{0, 0, 1024 * 15.0, 768 * 15.0};
    platform::TwipsRect workArea{0, 0, 1024 * 15.0, 728 * 15.0};
    platform::TwipsRect screenTwips() const override { return screen; }
    platform::TwipsRect workAreaTwips() const override { return workArea; }
};

class FakeClipboard : public platform::Clipboard {
public:
    std::string contents;
    void setText(const std::string& t) override { contents = t; }
    std::string text() const override { return contents; }
};

class FakeSettingsStore : public platform::SettingsStore {
public:
    std::map<std::string, std::string> values;  // "app/section/key"
    std::string get(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& def) const override {
        auto it = values.find(app + "/" + section + "/" + key);
        return it == values.end() ? def : it->second;
    }
    void save(const std::string& app, const std::string& section, const std::string& key,
              const std::string& value) override {
        values[app + "/" + section + "/" + key] = value;
    }
};

class FakeRandom : public platform::Random {
public:
    int seeds = 0;
    std::deque<double> values;  // when empty: 0.5
    void seed() override { ++seeds; }
    double next() override {
        if (values.empty()) return 0.5;
        double v = values.front();
        values.pop_front();
        return v;
    }
};

class FakeProgramExit : public platform::ProgramExit {
public:
    std::vector<int> codes;
    void endProgram(int code) override { codes.push_back(code); }
    bool ended() const { return !codes.empty(); }
};

// Records what was played; a test ends a play with finish().
class FakeWavePlayer : public platform::WavePlayer {
public:
    std::vector<std::string> played;  // paths, in order
    int stops = 0;
    bool isPlaying = false;
    bool failPlay = false;  // the file cannot be played: nothing plays
    // Called as a play starts, to look at the world at that moment (the PTT lines).
    std::function<void(const std::string&)> onPlay;
    bool play(const std::string& path) override {
        played.push_back(path);
        if (onPlay) onPlay(path);
        if (failPlay) return false;
        isPlaying = true;
        return true;
    }
    void stop() override {
        ++stops;
        isPlaying = false;
    }
    bool playing() const override { return isPlaying; }
    void setFinishedHandler(std::function<void()> handler) override { finished_ = std::move(handler); }
    // The file playing comes to its end.
    void finish() {
        if (!isPlaying) return;
        isPlaying = false;
        if (finished_) finished_();
    }

private:
    std::function<void()> finished_;
};

// One of each fake, with the Services view of them.
struct FakeServices {
    FakeDialogs dialogs;
    FakeClock clock;
    FakeEnvironment environment;
    FaultyFileSystem files;
    FakeScreen screen;
    FakeClipboard clipboard;
    FakeSettingsStore settings;
    FakeRandom random;
    FakeProgramExit exit;
    FakeWavePlayer wave;
    FakeScheduler scheduler{clock};
    FakeSerialPorts serial{clock};
    FakeKeyingClock keyingClock;
    FakeKeyLines keyLines{[this] { return keyingClock.nowNs(); }};
    FakeWavePlayer phoneWave;
    FakeTcpClients tcp;
    platform::Services services{dialogs,  clock,  environment, files,     screen, clipboard, settings,    random,
                                exit,     wave,   scheduler,   serial,    keyLines, keyingClock, phoneWave, tcp};
};

}  // namespace fakes
