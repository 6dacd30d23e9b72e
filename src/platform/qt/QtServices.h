#pragma once
// The Qt implementations of the platform services, bundled for main().

#include <memory>

#include "platform/Platform.h"
#include "platform/PosixKeyLines.h"
#include "platform/StdFileSystem.h"
#include "platform/SteadyKeyingClock.h"
#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtSerialLine.h"
#include "platform/qt/QtTcpClient.h"
#include "platform/qt/QtWavePlayer.h"

namespace platform::qt {

class QtDialogs : public Dialogs {
public:
    MsgResult messageBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<int32_t> colorDialog(int32_t initialBgr) override;
    void beep() override;
};

class QtClock : public Clock {
public:
    DateTime localNow() const override;
    DateTime utcNow() const override;
    int64_t monotonicMs() const override;
};

class QtEnvironment : public Environment {
public:
    std::string get(const std::string& name) const override;
};

class QtScreen : public Screen {
public:
    TwipsRect screenTwips() const override;
    TwipsRect workAreaTwips() const override;
};

class QtClipboard : public Clipboard {
public:
    void setText(const std::string& text) override;
    std::string text() const override;
};

class QtSettingsStore : public SettingsStore {
public:
    std::string get(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& defaultValue) const override;
    void save(const std::string& app, const std::string& section, const std::string& key,
              const std::string& value) override;
};

class QtRandom : public Random {
public:
    void seed() override;
    double next() override;
};

class QtProgramExit : public ProgramExit {
public:
    void endProgram(int code) override;
};

// Owns one of each service and hands out the Services view of them.
class QtServiceSet {
public:
    QtServiceSet();
    Services& services() { return services_; }

private:
    QtDialogs dialogs_;
    QtClock clock_;
    QtEnvironment environment_;
    StdFileSystem files_;
    QtScreen screen_;
    QtClipboard clipboard_;
    QtSettingsStore settings_;
    QtRandom random_;
    QtProgramExit exit_;
    QtWavePlayer wave_;
    QtScheduler scheduler_;
    QtSerialPorts serial_{environment_};
    PosixKeyLines keyLines_{environment_};
    SteadyKeyingClock keyingClock_;
    QtWavePlayer phoneWave_;
    QtTcpClients tcp_;
    Services services_;
};

}  // namespace platform::qt
