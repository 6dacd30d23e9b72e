#include "window/ui/EntryFieldFilter.h"

#include <QLineEdit>

namespace window::ui {

namespace {
bool kept(QChar c) { return c != u'\'' && c != u'"' && c.unicode() >= 0x20 && c.unicode() != 0x7F; }
}  // namespace

QValidator::State EntryFieldFilter::validate(QString& input, int& pos) const {
    QString clean;
    clean.reserve(input.size());
    int newPos = pos;
    for (int i = 0; i < input.size(); ++i) {
        if (kept(input[i])) clean += input[i];
        else if (i < pos) --newPos;
    }
    if (clean.size() != input.size()) {
        input = clean;
        pos = std::max(0, newPos);
    }
    return Acceptable;
}

void EntryFieldFilter::fixup(QString& input) const {
    int pos = 0;
    validate(input, pos);
}

void FilterEntryField(QLineEdit* field) { field->setValidator(new EntryFieldFilter(field)); }

}  // namespace window::ui
