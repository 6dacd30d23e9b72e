#include "keying/ui/VoiceWindows.h"

#include "keying/ui/BlindFrm.h"
#include "window/ui/ToolWindows.h"

namespace keying::ui {

void RegisterVoiceAndWinKeyWindows() {
    using window::ToolWindow;
    auto& reg = window::ui::ToolWindows::instance();
    reg.registerFactory(ToolWindow::BlindFrm, [](Session& s, QWidget* parent) -> QWidget* {
        auto* w = new BlindFrm(s, parent);
        w->Form_Load();
        return w;
    });
}

}  // namespace keying::ui
