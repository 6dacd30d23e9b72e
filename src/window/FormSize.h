#pragma once
// The Form Size answer and the stored percentage the window is drawn at.

#include <cstdint>
#include <optional>
#include <string>

namespace window {

constexpr int kMinFormSize = 30;
constexpr int kMaxFormSize = 100;

// A number typed into the Form Size box (blanks around it and a sign allowed), clamped to
// 30..100 and rounded half to even. Anything else (letters, empty, Cancel) gives nothing.
std::optional<uint8_t> ParseFormSizeAnswer(const std::string& answer);
// The stored percentage the load works with: a value outside 30..100 is brought inside.
int EffectiveFormSize(int stored);

}  // namespace window
