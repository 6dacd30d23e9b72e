#pragma once
// The registry through which the logging windows open the windows of the other parts of the
// program (keyers, rig, spotting, log tools). Each part registers a factory for its windows
// when it is built; until then a command that would open one does nothing.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "window/MenuTable.h"

class Session;

namespace window::ui {

class ToolWindows {
public:
    using Factory = std::function<QWidget*(Session& session, QWidget* parent)>;

    static ToolWindows& instance();

    void registerFactory(ToolWindow which, Factory factory);
    void unregisterFactory(ToolWindow which) { factories_.erase(which); }
    bool has(ToolWindow which) const;

    // Opens the window the way the command asks. Modal ways wait until it hides or closes (a
    // QDialog through exec(), any other window through a local event loop); "modal, then
    // unloaded" discards it afterwards so the next opening starts afresh. A window already open
    // beside the logging window is brought to the front instead of being opened twice (also
    // when a modal opening is asked for it). Returns false when no factory is registered.
    bool open(ToolWindow which, OpenWay way, Session& session, QWidget* parent);
    // Loads the window hidden: a window that must exist and work before the operator first
    // opens it (the rig setup dialog polls the radio while hidden). The factory makes it on
    // first use, and its load runs then; an already loaded window is returned as it is. A later
    // open() shows this same window; it stays loaded until unloaded. The caller then runs the
    // window's public procedure: with the window's class at hand, or as a slot by its name
    // (QMetaObject::invokeMethod(w, "Command1_Click")). nullptr when no factory is registered.
    QWidget* load(ToolWindow which, Session& session, QWidget* parent);
    // Closes and discards a loaded window; nothing when it is not loaded.
    void unload(ToolWindow which);
    bool isLoaded(ToolWindow which) const;
    QWidget* loaded(ToolWindow which) const;

    // Everything loaded is discarded (tests, and the end of the run).
    void unloadAll();

private:
    std::map<ToolWindow, Factory> factories_;
    std::map<ToolWindow, QPointer<QWidget>> loaded_;
};

}  // namespace window::ui
