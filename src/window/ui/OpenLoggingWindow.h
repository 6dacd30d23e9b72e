#pragma once
// The entry point station setup's Done uses: builds the logging window the profile's
// OutOfState flag selects, runs its load and shows it. The window deletes itself when closed.
// And the way every run ends.

class QWidget;
class Session;

namespace window {
namespace ui {
class LoggingWindow;
}

// `setupWindow`, when given, is closed as the load's first step.
ui::LoggingWindow* OpenLoggingWindow(Session& session, QWidget* setupWindow = nullptr);

// The end of the run, however it comes (Exit, the close of a logging window, a termination
// signal): the key lines and the WinKey link let go, the rig gets its closing bytes (the lock
// off for radios whose opening bytes lock the front panel) and its port closes, the running
// operating time is saved, and the program ends.
void TerminateRun(Session& session);

}  // namespace window
