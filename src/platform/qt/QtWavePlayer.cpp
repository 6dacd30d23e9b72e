#include "platform/qt/QtWavePlayer.h"

#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "platform/qt/Text.h"

namespace platform::qt {

QtWavePlayer::QtWavePlayer(int longestPlayMs) : longestPlayMs_(longestPlayMs) {
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, this, [this] {
        if (!active_) return;
        drop();
        ended();
    });
}

QtWavePlayer::~QtWavePlayer() { drop(); }

// Forgets the sound playing: stopped, and its later signals go nowhere. It is deleted from the
// event loop, as this may run inside one of its own signals.
void QtWavePlayer::drop() {
    if (!effect_) return;
    QSoundEffect* old = effect_;
    effect_ = nullptr;
    old->disconnect(this);
    old->stop();
    old->deleteLater();
}

void QtWavePlayer::ended() {
    active_ = false;
    watchdog_.stop();
    if (finished_) finished_();
}

bool QtWavePlayer::play(const std::string& path) {
    stop();
    const QString file = toQ(path);
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) return false;
    // Without a sound output nothing would ever be heard, nor would the play ever end.
    if (QMediaDevices::audioOutputs().isEmpty()) return false;
    effect_ = new QSoundEffect(this);
    QSoundEffect* effect = effect_;
    const quint64 play = ++plays_;
    started_ = false;
    // Queued, so the end is never reported from inside play() and a sound already replaced
    // (its number is not the current one) is never looked at again.
    QObject::connect(
        effect, &QSoundEffect::playingChanged, this,
        [this, effect, play] {
            if (play != plays_ || !active_) return;
            if (effect->isPlaying()) {
                started_ = true;
            } else if (started_) {
                ended();
            }
        },
        Qt::QueuedConnection);
    QObject::connect(
        effect, &QSoundEffect::statusChanged, this,
        [this, effect, play] {
            if (play != plays_ || !active_ || effect->status() != QSoundEffect::Error) return;
            drop();
            ended();
        },
        Qt::QueuedConnection);
    active_ = true;
    watchdog_.start(longestPlayMs_);
    effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    effect->play();
    return true;
}

void QtWavePlayer::stop() {
    active_ = false;
    watchdog_.stop();
    drop();
}

}  // namespace platform::qt
