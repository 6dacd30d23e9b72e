#include <QApplication>
#include <QDir>
#include <clocale>
#include <cstdio>

#include "keying/ui/KeyerWindows.h"
#include "keying/ui/VoiceWindows.h"
#include "logtools/ui/LogToolWindows.h"
#include "platform/PosixFolderLock.h"
#include "platform/qt/QtEndSignals.h"
#include "platform/StdFileSystem.h"
#include "platform/qt/QtServices.h"
#include "session/Session.h"
#include "spots/ui/SpectrumMap.h"
#include "platform/qt/Text.h"
#include "rig/ui/RigWindows.h"
#include "station/ProgramFolderLock.h"
#include "station/ui/Form5.h"
#include "station/ui/Form6.h"
#include "station/ui/WindowFrame.h"
#include "station/ui/frmSplash.h"
#include "window/ui/OpenLoggingWindow.h"
#include "window/ui/ToolWindows.h"

int main(int argc, char** argv) {
    // A file-size limit makes a write fail (reported, the log cut back to whole lines) instead of
    // ending the program in the middle of an append.
    platform::IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    // QApplication takes the user's locale for the C library too; the program's files and texts
    // write numbers with "." whatever the locale, so C-level number formatting stays "C".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Palmetar"));
    // A window sized to fill the screen is mapped with room for the frame the window manager
    // put around the windows shown before it.
    station::ui::WatchFrames(app);
    platform::qt::QtServiceSet services;
    // The program folder is the folder the program was started in. One copy of the logger works
    // on it at a time: a second start, or a folder the lock cannot be made in, says so and ends
    // before it touches any file.
    const std::string programFolder = platform::qt::pathFromQ(QDir::currentPath());
    // Static, so that every orderly end lets go of it and removes its file: Exit, a close box and
    // the end signals finish through exit(), which runs the destructors of statics but not those
    // of main's own objects.
    static platform::PosixFolderLock folderLock(platform::joinPath(programFolder, station::kProgramLockName));
    const station::FolderHold hold = station::HoldProgramFolder(folderLock, programFolder);
    if (!hold.held) {
        // Also on the terminal, for a start from a script or a desktop launcher's log.
        const QString text = platform::qt::toQ(hold.message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::fprintf(stderr, "palmetar: %s\n", text.toLocal8Bit().constData());
        services.services().dialogs.messageBox(hold.message, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                                               hold.title);
        return 1;
    }
    Session session(services.services(), programFolder);
    // A shutdown, a kill or Ctrl+C ends the run as Exit does: the rig gets its closing bytes
    // and its port closes, the key lines let go.
    platform::qt::QtEndSignals endSignals([&session] { window::TerminateRun(session); });

    // Station setup's Done opens the in-state or out-of-state logging window.
    session.openLoggingWindow = [&session] { window::OpenLoggingWindow(session); };
    auto& tools = window::ui::ToolWindows::instance();
    tools.registerFactory(window::ToolWindow::Form5, [](Session& s, QWidget* parent) -> QWidget* {
        auto* page = new Form5(s, parent);
        page->Form_Load();
        return page;
    });
    tools.registerFactory(window::ToolWindow::Form6, [](Session& s, QWidget* parent) -> QWidget* {
        auto* chooser = new Form6(s, parent);
        chooser->Form_Load();
        return chooser;
    });
    logtools::ui::RegisterLogToolWindows();
    keying::ui::RegisterVoiceAndWinKeyWindows(session);
    spots::ui::RegisterSpotWindows();
    rig::ui::RegisterRigWindows();
    keying::ui::RegisterKeyerWindows(session);

    // The logo closes before the setup dialog opens; the program must not end in between.
    QApplication::setQuitOnLastWindowClosed(false);
    frmSplash splash(session);
    splash.Form_Load();
    QApplication::setQuitOnLastWindowClosed(true);
    const int code = app.exec();
    tools.unloadAll();
    return code;
}
