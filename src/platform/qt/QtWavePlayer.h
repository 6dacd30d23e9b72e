#pragma once
// Wave files played through Qt Multimedia's sound effect: made for short uncompressed prompts,
// it plays in the background while the event loop runs.

#include <QObject>
#include <QTimer>
#include <functional>

#include "platform/Platform.h"

class QSoundEffect;

namespace platform::qt {

class QtWavePlayer : public QObject, public WavePlayer {
public:
    // A play that has not ended after this long counts as ended (a prompt lasts a second or
    // two), so a sound device that never reports the end cannot hold the prompts back.
    static constexpr int kLongestPlayMs = 15000;

    explicit QtWavePlayer(int longestPlayMs = kLongestPlayMs);
    ~QtWavePlayer() override;
    // false when the file is missing or unreadable, or the machine has no sound output.
    bool play(const std::string& path) override;
    void stop() override;
    bool playing() const override { return active_; }
    void setFinishedHandler(std::function<void()> handler) override { finished_ = std::move(handler); }

private:
    void ended();
    void drop();

    QSoundEffect* effect_ = nullptr;
    int longestPlayMs_;
    QTimer watchdog_;
    bool active_ = false;
    bool started_ = false;
    quint64 plays_ = 0;  // numbers each play
    std::function<void()> finished_;
};

}  // namespace platform::qt
