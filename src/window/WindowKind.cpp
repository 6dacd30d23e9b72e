#include "window/WindowKind.h"

namespace window {

const WindowProfile& ProfileFor(WindowKind kind) {
    static const WindowProfile in{WindowKind::InState,
                                  "Infrm",
                                  "Select a band, mode and Click Log \"Time On\"!",
                                  "Press F12 to exit keyboard CW mode.",
                                  "&DG",
                                  true, true, false, true, true, false, true};
    static const WindowProfile out{WindowKind::OutOfState,
                                   "Outfrm",
                                   "Select a band and mode. Click Log \"Time On\" below!",
                                   "Keyboard CW mode is ON!  Press F12 to exit.",
                                   "&Digital",
                                   false, false, true, false, false, true, false};
    return kind == WindowKind::InState ? in : out;
}

}  // namespace window
