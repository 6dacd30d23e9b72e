#include "window/ui/ToolWindows.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>

namespace window::ui {

namespace {
// Ends a local event loop when the watched window hides or goes away, the way a dialog's
// modal display ends when its Done hides it.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* w, QEventLoop& loop) : loop_(loop) {
        w->installEventFilter(this);
        connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide) loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

void showModal(QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w)) {
        dialog->exec();
        return;
    }
    QPointer<QWidget> guard(w);
    w->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(w, loop);
    w->show();
    if (w->isVisible()) loop.exec();
    if (guard) w->setWindowModality(Qt::NonModal);
}
}  // namespace

ToolWindows& ToolWindows::instance() {
    static ToolWindows registry;
    return registry;
}

void ToolWindows::registerFactory(ToolWindow which, Factory factory) { factories_[which] = std::move(factory); }

bool ToolWindows::has(ToolWindow which) const { return factories_.count(which) != 0; }

bool ToolWindows::isLoaded(ToolWindow which) const {
    auto it = loaded_.find(which);
    return it != loaded_.end() && !it->second.isNull();
}

QWidget* ToolWindows::loaded(ToolWindow which) const {
    auto it = loaded_.find(which);
    return it == loaded_.end() ? nullptr : it->second.data();
}

QWidget* ToolWindows::load(ToolWindow which, Session& session, QWidget* parent) {
    if (QWidget* w = loaded(which)) return w;
    auto it = factories_.find(which);
    if (it == factories_.end()) return nullptr;
    QWidget* w = it->second(session, parent);
    if (w) loaded_[which] = w;
    return w;
}

bool ToolWindows::open(ToolWindow which, OpenWay way, Session& session, QWidget* parent) {
    QWidget* w = loaded(which);
    if (w && w->isVisible()) {
        w->showNormal();
        w->raise();
        w->activateWindow();
        return true;
    }
    if (!w) w = load(which, session, parent);
    if (!w) return false;
    if (way == OpenWay::NotModal) {
        w->showNormal();
        w->raise();
        return true;
    }
    QPointer<QWidget> guard(w);
    showModal(w);
    if (way == OpenWay::ModalThenUnload && guard) unload(which);
    else if (!guard) loaded_.erase(which);
    return true;
}

void ToolWindows::unload(ToolWindow which) {
    auto it = loaded_.find(which);
    if (it == loaded_.end()) return;
    if (QWidget* w = it->second.data()) {
        w->close();
        w->deleteLater();
    }
    loaded_.erase(it);
}

void ToolWindows::unloadAll() {
    while (!loaded_.empty()) unload(loaded_.begin()->first);
}

}  // namespace window::ui
