#pragma once
// Makes the rig windows reachable from the logging windows: registers how the rig setup dialog,
// the privileges chart and the tuning panel are built. The raw-command window is opened by the
// rig setup dialog itself.

namespace rig::ui {

void RegisterRigWindows();

}  // namespace rig::ui
