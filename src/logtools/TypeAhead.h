#pragma once
// Type-ahead completion of a text field from a table of names, as the edit and county dialogs
// use it, on a field and a key as the key-press handlers see them (station/KeyFilters.h).

#include <cstdint>
#include <string>
#include <vector>

#include "station/KeyFilters.h"

namespace logtools {

// The completion step: typed = text before the caret + the key. The last table row that begins
// with typed (ignoring case) fills the field with typed plus the rest of the row, the rest is
// selected and the key is consumed. Without a match the key stays for ApplyKey.
void CompleteFromTable(station::FieldState& field, int16_t& key, const std::vector<std::string>& table);

enum class CaretStartRule {
    AllButSpace,  // a key at the start replaces the text, except Space (edit dialogs)
    AnyKey,       // every key at the start replaces the text (county change dialogs)
};

// The county fields' rules: a key at the start replaces the text (per rule); a key into an
// empty field, or after a blank with text still after the caret, is capitalised; then the
// completion. Enter is not handled here.
void CountyTypeAhead(station::FieldState& field, int16_t& key, const std::vector<std::string>& counties,
                     CaretStartRule rule);

// The in-state SPC field: a key into an empty field or at its start replaces the text and is
// capitalised; then completion over the country names. Later keys keep their case. Two letters
// that make a state or province code are left as typed: Enter accepts what is shown, so "pa"
// must stay Pennsylvania and not become "Paraguay".
void SpcTypeAhead(station::FieldState& field, int16_t& key, const std::vector<std::string>& countries);

// A whole key: the rule's completion, then ApplyKey when the key was not consumed.
void TypeCountyKey(station::FieldState& field, int16_t key, const std::vector<std::string>& counties,
                   CaretStartRule rule);

}  // namespace logtools
