#include "station/ui/CloseBox.h"

#include <QCloseEvent>

namespace station::ui {

namespace {
class CloseRequestAsWayOut : public QObject {
public:
    CloseRequestAsWayOut(QWidget& window, std::function<void()> wayOut)
        : QObject(&window), wayOut_(std::move(wayOut)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* e) override {
        // A close the window manager asks for arrives as a spontaneous event; the program's own
        // close() does not.
        if (e->type() != QEvent::Close || !e->spontaneous()) return false;
        e->ignore();
        if (static_cast<QWidget*>(watched)->isVisible() && wayOut_) wayOut_();
        return true;
    }

private:
    std::function<void()> wayOut_;
};
}  // namespace

void NoCloseBox(QWidget& window, std::function<void()> wayOut, Qt::WindowFlags extra) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | extra);
    new CloseRequestAsWayOut(window, std::move(wayOut));
}

}  // namespace station::ui
