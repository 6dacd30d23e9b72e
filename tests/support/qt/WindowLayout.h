#pragma once
// A laid-out window as the operator sees it: every caption fits its control, every box is tall
// enough for its text, and nothing sticks out of the window or out of its frame. A picture of
// the window is written only when PALMETAR_SCREENSHOTS names a folder to write it to.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace testsupport {

inline void ExpectLaidOut(QWidget& window, const std::string& name) {
    for (auto* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window)) continue;
        const std::string what = name + ": " + w->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) {
            EXPECT_LE(label->sizeHint().width(), label->width() + 1) << what << " \"" << label->text().toStdString() << "\"";
            EXPECT_LE(label->fontMetrics().height(), label->height() + 1) << what << " \"" << label->text().toStdString() << "\"";
        } else if (label) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height() + 1)
                << what << " \"" << label->text().toStdString() << "\"";
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            // A push button's size hint has the style's minimum width; the caption is what counts.
            QString caption = button->text();
            caption.remove(QLatin1Char('&'));
            EXPECT_LE(button->fontMetrics().horizontalAdvance(caption) + 8, button->width())
                << what << " \"" << button->text().toStdString() << "\"";
            EXPECT_LE(button->fontMetrics().height(), button->height()) << what;
        } else if (auto* option = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_LE(option->sizeHint().width(), option->width() + 1) << what << " \"" << option->text().toStdString() << "\"";
            EXPECT_LE(option->fontMetrics().height(), option->height()) << what;
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()) + 8, frame->width())
                << what << " \"" << frame->title().toStdString() << "\"";
        } else if (qobject_cast<QLineEdit*>(w)) {
            EXPECT_LE(w->fontMetrics().height(), w->height()) << what;
        }
        if (w->parentWidget() == &window) {
            EXPECT_TRUE(window.rect().contains(w->geometry())) << what;
        }
        if (auto* frame = qobject_cast<QGroupBox*>(w->parentWidget())) {
            EXPECT_TRUE(frame->rect().contains(w->geometry())) << what;
        }
    }
}

// Writes <folder>/<name>.png when PALMETAR_SCREENSHOTS is set; true when it did.
inline bool SavePictureIfAsked(QWidget& window, const std::string& name) {
    const char* folder = std::getenv("PALMETAR_SCREENSHOTS");
    if (!folder) return false;
    EXPECT_TRUE(window.grab().save(QString::fromLocal8Bit(folder) + "/" + QString::fromStdString(name) + ".png"));
    return true;
}

}  // namespace testsupport
