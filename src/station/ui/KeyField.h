#pragma once
// The key-filtered field of the window kit: a text box whose typed keys go through a key-press
// handler working on the field's text, caret and selection (station/KeyFilters.h), the way the
// windows' handlers are written; and whose loss of focus to another control of the window runs
// a check.

#include <QLineEdit>
#include <functional>

#include "station/KeyFilters.h"

namespace station::ui {

class KeyField : public QLineEdit {
    Q_OBJECT
public:
    explicit KeyField(QWidget* parent = nullptr);

    // Gets the character code (Enter 13, Backspace 8); may change the field and consume the
    // key by setting it to 0. A key left over is entered as usual.
    std::function<void(FieldState&, int16_t&)> KeyPress;
    std::function<void()> LostFocus;
    std::function<void()> GotFocus;

    FieldState state() const;
    void setState(const FieldState& s);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace station::ui
