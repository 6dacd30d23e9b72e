#include "platform/qt/QtWavePlayer.h"

#include <algorithm>

#include <QFile>
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

int64_t QtWavePlayer::WaveLengthMs(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray head = f.read(4096);
    auto u32 = [&head](qsizetype at) -> uint32_t {
        if (at + 4 > head.size()) return 0;
        const auto* p = reinterpret_cast<const unsigned char*>(head.constData() + at);
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
    };
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return -1;
    uint32_t byteRate = 0;
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const QByteArray id = head.mid(at, 4);
        const uint32_t size = u32(at + 4);
        if (id == "fmt ") byteRate = u32(at + 8 + 8);
        if (id == "data") {
            if (byteRate == 0) return -1;
            // A header still saying "unknown size" (streamed recordings) reads as the whole file.
            const int64_t bytes = size == 0xFFFFFFFFu || size == 0 ? f.size() - (at + 8) : size;
            return bytes * 1000 / byteRate;
        }
        at += 8 + size + (size & 1);
    }
    return -1;
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
    const int64_t length = WaveLengthMs(file);
    watchdog_.start(static_cast<int>(std::min<int64_t>(std::max<int64_t>(longestPlayMs_, length + kEndMarginMs), 3600000)));
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
