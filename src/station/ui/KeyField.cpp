#include "station/ui/KeyField.h"

#include <QKeyEvent>

#include "platform/qt/Text.h"

namespace station::ui {

KeyField::KeyField(QWidget* parent) : QLineEdit(parent) {}

FieldState KeyField::state() const {
    FieldState s;
    s.text = platform::qt::fromQ(text());
    if (hasSelectedText()) {
        s.caret = selectionStart();
        s.selLength = static_cast<int>(selectedText().size());
    } else {
        s.caret = cursorPosition();
    }
    return s;
}

void KeyField::setState(const FieldState& s) {
    const QString t = platform::qt::toQ(s.text);
    if (t != text()) setText(t);
    if (s.selLength > 0) {
        setSelection(s.caret, s.selLength);
    } else {
        deselect();
        setCursorPosition(s.caret);
    }
}

void KeyField::keyPressEvent(QKeyEvent* event) {
    int16_t key = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        key = 13;
    } else if (event->key() == Qt::Key_Backspace) {
        key = 8;
    } else if (event->text().size() == 1 && event->text()[0].isPrint() &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const std::string bytes = platform::qt::fromQ(event->text());
        key = static_cast<int16_t>(static_cast<unsigned char>(bytes[0]));
    }
    if (key == 0 || !KeyPress) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    auto s = state();
    KeyPress(s, key);
    if (key != 0 && key != 13) ApplyKey(s, key);
    setState(s);
}

void KeyField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Only a move to another control of the same window counts, not a message box or another
    // window taking the focus.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    if (LostFocus && window()->isVisible()) LostFocus();
}

void KeyField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (GotFocus) GotFocus();
}

}  // namespace station::ui
