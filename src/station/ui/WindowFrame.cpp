#include "station/ui/WindowFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindowStateChangeEvent>
#include <QTimer>

namespace station::ui {

namespace {
// The manager frames the program's windows alike, so one frame serves as the guess for all.
QMargins& noted() {
    static QMargins frame;
    return frame;
}

bool framable(const QWidget& w) {
    const Qt::WindowFlags flags = w.windowFlags();
    return w.isWindow() && !flags.testFlag(Qt::FramelessWindowHint) && w.windowType() != Qt::Popup &&
           w.windowType() != Qt::ToolTip && w.windowType() != Qt::SplashScreen;
}

// The frame Qt knows for a shown window, or none while the manager has not framed it yet.
QMargins actualFrame(const QWidget& w) {
    if (!w.isVisible()) return {};
    const QRect outer = w.frameGeometry(), inner = w.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

class FrameWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        const auto type = e->type();
        if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) && watched->isWidgetType()) {
            const auto& w = *static_cast<QWidget*>(watched);
            if (framable(w)) {
                const QMargins frame = actualFrame(w);
                if (!frame.isNull()) NoteFrame(frame);
            }
        }
        return false;
    }
};
}  // namespace

QMargins FrameMargins(const QWidget& window) {
    if (!framable(window)) return {};
    const QMargins frame = actualFrame(window);
    return frame.isNull() ? noted() : frame;
}

void NoteFrame(const QMargins& frame) { noted() = frame; }

void WatchFrames(QCoreApplication& app) { app.installEventFilter(new FrameWatcher(&app)); }

FrameFit::FrameFit(QWidget& window, std::function<void()> refit)
    : QObject(&window), window_(window), refit_(std::move(refit)) {
    window.installEventFilter(this);
}

// A maximised or minimised window is the manager's to place (its frame may change with it).
bool FrameFit::normal() const {
    return !(window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
}

QMargins FrameFit::frameForFitting() {
    fitted_ = FrameMargins(window_);
    return fitted_;
}

bool FrameFit::eventFilter(QObject*, QEvent* e) {
    const auto type = e->type();
    // Back from maximised, the window takes its fitted place again, whatever the manager restored.
    const bool restored = type == QEvent::WindowStateChange && normal() &&
                          (static_cast<QWindowStateChangeEvent*>(e)->oldState() &
                           (Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!restored && type != QEvent::Move && type != QEvent::Resize && type != QEvent::Show) return false;
    if (pending_ || !normal()) return false;
    if (!restored) {
        const QMargins frame = actualFrame(window_);
        if (frame.isNull() || frame == fitted_) return false;
    }
    // Refitting inside the manager's own move or resize would fight it: once it is done.
    pending_ = true;
    QTimer::singleShot(0, this, [this, restored] {
        pending_ = false;
        if (normal() && refit_ && (restored || actualFrame(window_) != fitted_)) refit_();
    });
    return false;
}

}  // namespace station::ui
