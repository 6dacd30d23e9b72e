#include "logtools/TypeAhead.h"

#include <algorithm>

#include "logging/StateTable.h"
#include "logging/Text.h"
#include "station/KeyFilters.h"

namespace logtools {

void CompleteFromTable(station::FieldState& f, int16_t& key, const std::vector<std::string>& table) {
    if (key == 0) return;
    const int caret = std::clamp(f.caret, 0, static_cast<int>(f.text.size()));
    const std::string typed = f.text.substr(0, static_cast<size_t>(caret)) + static_cast<char>(key);
    for (auto row = table.rbegin(); row != table.rend(); ++row) {
        if (logging::StartsWithSameText(*row, typed)) {
            f.text = typed + row->substr(typed.size());
            f.caret = static_cast<int>(typed.size());
            f.selLength = static_cast<int>(row->size() - typed.size());
            key = 0;
            return;
        }
    }
}

void CountyTypeAhead(station::FieldState& f, int16_t& key, const std::vector<std::string>& counties,
                     CaretStartRule rule) {
    if (key == 0) return;
    if (f.caret == 0 && (rule == CaretStartRule::AnyKey || key != ' ')) {
        f.text.clear();
        f.selLength = 0;
    }
    const int len = static_cast<int>(f.text.size());
    if (f.text.empty()) {
        station::CapitalizeKey(key);
    } else if (f.caret > 0 && f.caret < len && f.text[static_cast<size_t>(f.caret - 1)] == ' ') {
        station::CapitalizeKey(key);
    }
    CompleteFromTable(f, key, counties);
}

void SpcTypeAhead(station::FieldState& f, int16_t& key, const std::vector<std::string>& countries) {
    if (key == 0) return;
    if (f.text.empty() || f.caret == 0) {
        f.text.clear();
        f.caret = 0;
        f.selLength = 0;
        station::CapitalizeKey(key);
    }
    const std::string typed = f.text.substr(0, static_cast<size_t>(std::max(0, f.caret))) +
                              static_cast<char>(static_cast<unsigned char>(key));
    if (typed.size() == 2 && logging::StateIndex(typed) != 0) return;
    CompleteFromTable(f, key, countries);
}

void TypeCountyKey(station::FieldState& f, int16_t key, const std::vector<std::string>& counties, CaretStartRule rule) {
    CountyTypeAhead(f, key, counties, rule);
    station::ApplyKey(f, key);
}

}  // namespace logtools
