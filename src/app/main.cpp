#include <QApplication>
#include <QDir>
#include <QMainWindow>

#include "platform/qt/QtServices.h"
#include "platform/qt/Text.h"
#include "station/Session.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palmetar"));
    platform::qt::QtServiceSet services;
    // The program folder is the folder the program was started in.
    Session session(services.services(), platform::qt::fromQ(QDir::currentPath()));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Palmetar"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
