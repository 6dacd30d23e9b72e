#include "window/WindowKind.h"

#include "logging/Mains.h"

namespace window {

const WindowProfile& ProfileFor(WindowKind kind) {
    static const WindowProfile in{WindowKind::InState,
                                  "Infrm",
                                  logging::kInStatePrompt,
                                  "Press F12 to exit keyboard CW mode.",
                                  "&DG",
                                  true, true, false, true, true, false, true};
    static const WindowProfile out{WindowKind::OutOfState,
                                   "Outfrm",
                                   logging::kOutOfStatePrompt,
                                   "Keyboard CW mode is ON!  Press F12 to exit.",
                                   "&Digital",
                                   false, false, true, false, false, true, false};
    return kind == WindowKind::InState ? in : out;
}

}  // namespace window
