#pragma once
// How a typed key reaches a text field: the key-press handlers of the windows see the key as a
// character code (Enter 13, Backspace 8) and the field as its text, caret and selection; they may
// change the key or consume it (0), and a key left over is entered as the field would enter it.

#include <cstdint>
#include <string>

namespace station {

// A text field as a key-press handler sees it.
struct FieldState {
    std::string text;
    int caret = 0;      // selection start when text is selected
    int selLength = 0;  // selected characters from the caret on
};

// Enters a key that no handler consumed: a character replaces the selection; Backspace (8)
// removes the selection or the character before the caret. Other control codes change nothing.
void ApplyKey(FieldState& field, int16_t key);

// Key filters of the entry fields. The key code is changed in place; 0 swallows the key.
void CapitalizeKey(int16_t& keyAscii);   // a..z become A..Z
void DigitsOnlyKey(int16_t& keyAscii);   // only 0..9 and Backspace pass
void SecondsKey(int16_t& keyAscii);      // only 0..9, "." and Backspace pass (a time in seconds)
// a..z become A..Z and the double quote is swallowed: the settings files that keep such a text
// (a keyer message, a port address) could not hold a quote.
void CapitalNoQuoteKey(int16_t& keyAscii);

}  // namespace station
