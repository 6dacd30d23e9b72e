#pragma once
// A click on a close box that the window manager drew, as the window receives it: a spontaneous
// close request (the program's own close() sends one that is not spontaneous).

#include <QApplication>
#include <QCloseEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

// True when the window let itself be closed.
inline bool ClickCloseBox(QWidget& window) {
    QCloseEvent e;
    QSpontaneKeyEvent::setSpontaneous(&e);
    // As QTest sends its spontaneous events: sendEvent() would clear the flag.
    qApp->notify(&window, &e);
    return e.isAccepted();
}
