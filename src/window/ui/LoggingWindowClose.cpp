// Closing the logging window, which ends the run, and the File commands that act on the log as
// a whole: New, Archive, Restore, Copy Listed Items to Clipboard, Exit.

#include <QCloseEvent>
#include <QTimer>
#include <QTreeWidget>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/LogStore.h"
#include "station/Profile.h"
#include "window/ClipboardText.h"
#include "window/LogArchive.h"
#include "window/ui/LoggingWindow.h"
#include "window/ui/OpenLoggingWindow.h"
#include "window/ui/ToolWindows.h"

namespace window::ui {

using platform::qt::fromQ;

void LoggingWindow::Form_QueryUnload(bool& cancel) {
    // Emptying the buffer lets the sender stop after the character in progress, so the next
    // close request succeeds.
    auto& k = keyer().state();
    k.CWBuffer.clear();
    if (k.CWSending == 1) cancel = true;
}

void LoggingWindow::Form_Unload() {
    // Nothing goes on keying once the window is gone: the line is let up at once.
    session_.keyers.EndRun();
    for (ToolWindow w : UnloadOrder(profile_.kind)) {
        if (w == ToolWindow::Form1) {
            session_.Form1.Unload();
        } else {
            ToolWindows::instance().unload(w);
            // Rig control lives in the session; the rig window's unload ends its polling.
            if (w == ToolWindow::RigControlfrm) session_.rig.Unload();
        }
    }
    station::BackupLog(session_);
}

// Exit ends the program here, without unloading the windows.
void LoggingWindow::Form_Terminate() { TerminateRun(session_); }

void LoggingWindow::closeEvent(QCloseEvent* e) {
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) {
        e->ignore();
        return;
    }
    Timer1->stop();
    Timer2->stop();
    Form_Unload();
    e->accept();
    Form_Terminate();
}

// Exit stores the running operating time and ends at once, exactly as the window's termination
// does: no windows are unloaded and no backup is made.
void LoggingWindow::mnuExit_Click() { Form_Terminate(); }

void LoggingWindow::mnuNew_Click() {
    station::NewLog(session_);
    RefreshFromLog();
    ShowOperatingTime();
    ShowQsoRate();
    station::SavePreferences(session_);
}

void LoggingWindow::mnuArchive_Click() { window::mnuArchive_Click(session_); }

void LoggingWindow::mnuRestore_Click() {
    window::mnuRestore_Click(session_, [this] { RefreshFromLog(); });
}

void LoggingWindow::mnuCopyListtoClipboard_Click() {
    std::vector<std::string> headers;
    for (int c = 0; c < ListView1->columnCount(); ++c) headers.push_back(fromQ(ListView1->headerItem()->text(c)));
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < ListView1->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(r);
        std::vector<std::string> cells;
        for (int c = 0; c < ListView1->columnCount(); ++c) cells.push_back(fromQ(item->text(c)));
        rows.push_back(std::move(cells));
    }
    auto& clipboard = session_.platform.clipboard;
    clipboard.setText("");
    clipboard.setText(ContactListClipboardText(headers, rows));
}

}  // namespace window::ui

namespace window {

void TerminateRun(Session& session) {
    // The devices first: the key line is let up, and a radio whose front panel the opening
    // bytes locked is unlocked, whatever happens after.
    session.keyers.EndRun();
    session.rig.Unload();
    auto& clock = session.contest.clock;
    if (clock.LoggedOn) {
        session.profile.OperatingSeconds = static_cast<float>(session.RunningSeconds);
        station::SavePreferences(session);
        clock.LoggedOn = false;
    }
    session.platform.exit.endProgram(0);
}

}  // namespace window
