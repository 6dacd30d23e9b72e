#pragma once
// The spotting window's serial option groups (port, baud, parity, data bits, stop bits,
// connection power, handshaking): the value each button stands for, and how a group's choice is
// set and read. Shared by the window's files; not for use elsewhere.

#include <QRadioButton>
#include <array>
#include <string>

#include "logging/Text.h"

namespace spots::ui::options {

inline const std::array<const char*, 6> kBaudValues = {"1200", "2400", "4800", "9600", "14400", "19200"};
inline const std::array<const char*, 6> kBaudCaptions = {"1.2k", "2.4k", "4.8k", "9.6k", "14.4k", "19.2k"};
inline const std::array<int, 6> kBaudLefts = {120, 1200, 2280, 3360, 4320, 5400};
inline const std::array<const char*, 3> kParityValues = {"O", "N", "E"};
inline const std::array<const char*, 2> kDataValues = {"7", "8"};
inline const std::array<const char*, 2> kStopValues = {"1", "2"};
inline const std::array<const char*, 3> kPowerValues = {"N", "R", "D"};

// Chooses the button at `index` of a group, or none of them (index -1).
template <size_t N>
void choose(const std::array<QRadioButton*, N>& buttons, int index) {
    for (QRadioButton* b : buttons) b->setAutoExclusive(false);
    for (size_t i = 0; i < N; ++i) buttons[i]->setChecked(static_cast<int>(i) == index);
    for (QRadioButton* b : buttons) b->setAutoExclusive(true);
}
template <size_t N>
int chosen(const std::array<QRadioButton*, N>& buttons) {
    for (size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked()) return static_cast<int>(i);
    return -1;
}
// The index of the value a text names (letter case ignored); -1 for none.
template <size_t N>
int indexOf(const std::array<const char*, N>& values, const std::string& text) {
    for (size_t i = 0; i < N; ++i)
        if (logging::SameText(text, values[i])) return static_cast<int>(i);
    return -1;
}

}  // namespace spots::ui::options
