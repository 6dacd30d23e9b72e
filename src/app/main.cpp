#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>

#include "platform/qt/QtServices.h"
#include "platform/qt/Text.h"
#include "station/Session.h"
#include "station/ui/frmSplash.h"

namespace {
// Stands in for the logging windows until they are part of the program: shows which one the
// station setup chose.
void openPlaceholderLoggingWindow(Session& session) {
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    const bool outOfState = session.profile.OutOfState == 1;
    window->setWindowTitle(outOfState ? QStringLiteral("Outfrm") : QStringLiteral("Infrm"));
    auto* label = new QLabel(outOfState ? QStringLiteral("The out-of-state logging window (Outfrm) opens here.")
                                        : QStringLiteral("The in-state logging window (Infrm) opens here."),
                             window);
    label->setAlignment(Qt::AlignCenter);
    window->setCentralWidget(label);
    window->resize(640, 360);
    window->show();
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palmetar"));
    platform::qt::QtServiceSet services;
    // The program folder is the folder the program was started in.
    Session session(services.services(), platform::qt::fromQ(QDir::currentPath()));
    session.openLoggingWindow = openPlaceholderLoggingWindow;

    // The logo closes before the setup dialog opens; the program must not end in between.
    QApplication::setQuitOnLastWindowClosed(false);
    frmSplash splash(session);
    splash.Form_Load();
    QApplication::setQuitOnLastWindowClosed(true);
    return app.exec();
}
