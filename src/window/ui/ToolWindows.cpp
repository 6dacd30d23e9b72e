#include "window/ui/ToolWindows.h"

#include <QDialog>

namespace window::ui {

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

bool ToolWindows::open(ToolWindow which, OpenWay way, Session& session, QWidget* parent) {
    QWidget* w = loaded(which);
    if (w && w->isVisible()) {
        w->showNormal();
        w->raise();
        w->activateWindow();
        return true;
    }
    if (!w) {
        auto it = factories_.find(which);
        if (it == factories_.end()) return false;
        w = it->second(session, parent);
        if (!w) return false;
        loaded_[which] = w;
    }
    if (way == OpenWay::NotModal) {
        w->showNormal();
        w->raise();
        return true;
    }
    if (auto* dialog = qobject_cast<QDialog*>(w)) {
        dialog->exec();
    } else {
        w->setWindowModality(Qt::ApplicationModal);
        w->show();
    }
    if (way == OpenWay::ModalThenUnload) unload(which);
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
