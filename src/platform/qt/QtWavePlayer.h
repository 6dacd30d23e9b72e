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
    // A play that has not ended after this long counts as ended, so a sound device that never
    // reports the end cannot hold the prompts back or keep a transmitter keyed. A PCM wave
    // file's own length (from its header) plus a margin is used instead when it is longer.
    static constexpr int kLongestPlayMs = 15000;
    static constexpr int kEndMarginMs = 3000;
    // The length of a PCM wave file in milliseconds, from its header; -1 when it cannot be told.
    static int64_t WaveLengthMs(const QString& path);

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
