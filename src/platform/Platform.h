#pragma once
// The platform services the program uses. The core talks only to these interfaces; the Qt
// program implements them in platform/qt/, and tests use the fakes in tests/support/.
// Text crossing these interfaces is 8-bit (Windows-1252) bytes, as the files hold it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/KeyLine.h"
#include "platform/KeyingClock.h"
#include "platform/Scheduler.h"
#include "platform/SerialLine.h"
#include "platform/TcpClient.h"

namespace platform {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
// Values as Windows message-box result codes number them (IDOK 1 to IDNO 7), so callers can
// compare with them.
enum class MsgResult { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct FileDialogRequest {
    std::string title;
    std::string defaultName;   // full path or bare file name
    std::string filter;        // "Text (*.txt)|*.txt|All (*.*)|*.*"
    bool overwritePrompt = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgResult messageBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                                 const std::string& title) = 0;
    // Returns the answer; Cancel gives empty text, as the operator sees no difference.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // std::nullopt when the operator cancels.
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    // Colours as blue-green-red integers; std::nullopt when cancelled.
    virtual std::optional<int32_t> colorDialog(int32_t initialBgr) = 0;
    virtual void beep() = 0;
};

class Environment {
public:
    virtual ~Environment() = default;
    virtual std::string get(const std::string& name) const = 0;  // empty when unset
};

struct TwipsRect {
    double left = 0, top = 0, width = 0, height = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual TwipsRect screenTwips() const = 0;    // the whole primary screen
    virtual TwipsRect workAreaTwips() const = 0;  // the screen less the task bar
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
};

// The per-user settings store (application, section, key).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& defaultValue) const = 0;
    virtual void save(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) = 0;
};

class Random {
public:
    virtual ~Random() = default;
    virtual void seed() = 0;
    virtual double next() = 0;  // in [0, 1)
};

// Ends the program at once, as after a log that cannot be read.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    virtual void endProgram(int code) = 0;
};

// Plays wave files, one at a time, in the background. play() starts a file and returns at once,
// cutting off the one still playing. The finished handler runs on the program's thread when a
// started play ends by itself or fails while playing; never after stop() or a newer play().
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    // false when the file cannot be played (missing, unreadable): then nothing plays.
    virtual bool play(const std::string& path) = 0;
    virtual void stop() = 0;
    virtual bool playing() const = 0;
    virtual void setFinishedHandler(std::function<void()> handler) = 0;
};

// The set of services one running program (or one test) uses.
struct Services {
    Dialogs& dialogs;
    Clock& clock;
    Environment& environment;
    FileSystem& files;
    Screen& screen;
    Clipboard& clipboard;
    SettingsStore& settings;
    Random& random;
    ProgramExit& exit;
    // The voice-navigation prompts' player.
    WavePlayer& wave;
    Scheduler& scheduler;
    SerialPorts& serial;
    // The CW key and PTT lines, and the clock the keying worker times them by.
    KeyLines& keyLines;
    KeyingClock& keyingClock;
    // The voice keyer's messages: a player of their own, so a prompt never cuts a message off.
    WavePlayer& phoneWave;
    // The telnet DX cluster's and the AGW packet engine's connections.
    TcpClients& tcp;
};

}  // namespace platform
