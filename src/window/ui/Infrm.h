#pragma once
#include "window/ui/LoggingWindow.h"

namespace window::ui {

// The logging window of a station inside the home state.
class Infrm : public LoggingWindow {
    Q_OBJECT
public:
    explicit Infrm(Session& session, QWidget* parent = nullptr)
        : LoggingWindow(session, WindowKind::InState, parent) {}
};

}  // namespace window::ui
