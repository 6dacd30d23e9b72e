#pragma once
// Keeps the apostrophe, the double quote and control characters out of an entry field,
// whatever puts the text there: typing, a paste from the keyboard or the context menu, a drop,
// or another window writing the field. A quote stored in a contact would break the log file's
// quoted fields, and a Tab or line break would split its line.

#include <QValidator>

class QLineEdit;

namespace window::ui {

class EntryFieldFilter : public QValidator {
public:
    using QValidator::QValidator;
    // Takes the characters out and keeps the caret after the same remaining characters.
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

// Puts the filter on a field.
void FilterEntryField(QLineEdit* field);

}  // namespace window::ui
