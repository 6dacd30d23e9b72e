#pragma once
// The entry point station setup's Done uses: builds the logging window the profile's
// OutOfState flag selects, runs its load and shows it. The window deletes itself when closed.

class QWidget;
class Session;

namespace window {
namespace ui {
class LoggingWindow;
}

// `setupWindow`, when given, is closed as the load's first step.
ui::LoggingWindow* OpenLoggingWindow(Session& session, QWidget* setupWindow = nullptr);

}  // namespace window
