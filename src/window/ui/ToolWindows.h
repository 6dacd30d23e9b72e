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
    // Closes and discards a loaded window; nothing when it is not loaded.
    void unload(ToolWindow which);
    bool isLoaded(ToolWindow which) const;
    QWidget* loaded(ToolWindow which) const;

    // Everything loaded is discarded (tests, and the end of the run).
    void unloadAll();

    // Starts the rig's polling with the stored settings, without showing the rig window; set by
    // rig control. The load calls it unless the rig type is "None".
    std::function<void(Session&)> startRig;

private:
    std::map<ToolWindow, Factory> factories_;
    std::map<ToolWindow, QPointer<QWidget>> loaded_;
};

}  // namespace window::ui
