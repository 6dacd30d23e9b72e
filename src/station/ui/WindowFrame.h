#pragma once
// The frame a window manager draws around a top-level window: its title bar and borders. A window
// given the size of an area (the screen, the work area) must fit there with that frame. Qt learns
// a window's frame only once the manager has framed it, on X11 some time after show(); until
// then a window goes by the frame the manager put around the program's windows before it.

#include <QMargins>
#include <QObject>
#include <QWidget>
#include <functional>

class QCoreApplication;

namespace station::ui {

// The window's own frame once the manager has framed it; before that, the last one noted.
QMargins FrameMargins(const QWidget& window);
// Notes a frame as the one windows not yet framed go by.
void NoteFrame(const QMargins& frame);
// Notes the frame of each of the program's windows as the manager frames it.
void WatchFrames(QCoreApplication& app);

// Keeps a window that sizes itself to an area fitted with its real frame: `refit` sizes the
// window, asking frameForFitting() for the frame to allow for, and runs again (from the event
// loop) when the manager frames the window otherwise than it was last fitted for.
class FrameFit : public QObject {
public:
    FrameFit(QWidget& window, std::function<void()> refit);
    QMargins frameForFitting();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool normal() const;

    QWidget& window_;
    std::function<void()> refit_;
    QMargins fitted_;
    bool pending_ = false;
};

}  // namespace station::ui
