// Runs GoogleTest inside a QApplication, so window tests can create real widgets.
#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

#include "support/qt/AnswerModal.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // as the program does: numbers keep "." under any locale
    ::testing::InitGoogleTest(&argc, argv);
    // A modal window nothing answers fails its test within seconds instead of hanging it.
    testsupport::WatchForUnansweredModals();
    return RUN_ALL_TESTS();
}
