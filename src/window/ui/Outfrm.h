#pragma once
#include "window/ui/LoggingWindow.h"

namespace window::ui {

// The logging window of a station outside the home state.
class Outfrm : public LoggingWindow {
    Q_OBJECT
public:
    explicit Outfrm(Session& session, QWidget* parent = nullptr)
        : LoggingWindow(session, WindowKind::OutOfState, parent) {}
};

}  // namespace window::ui
