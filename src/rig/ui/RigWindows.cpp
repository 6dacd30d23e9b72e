#include "rig/ui/RigWindows.h"

#include "rig/ui/RigControlfrm.h"
#include "rig/ui/frmBandPlan.h"
#include "rig/ui/frmRigTune.h"
#include "window/ui/ToolWindows.h"

namespace rig::ui {

void RegisterRigWindows() {
    using window::ToolWindow;
    auto& reg = window::ui::ToolWindows::instance();
    reg.registerFactory(ToolWindow::RigControlfrm, [](Session& s, QWidget* parent) -> QWidget* {
        return new RigControlfrm(s, parent);
    });
    reg.registerFactory(ToolWindow::frmBandPlan, [](Session& s, QWidget* parent) -> QWidget* {
        return new frmBandPlan(s, parent);
    });
    reg.registerFactory(ToolWindow::frmRigTune, [](Session& s, QWidget* parent) -> QWidget* {
        return new frmRigTune(s, parent);
    });
}

}  // namespace rig::ui
