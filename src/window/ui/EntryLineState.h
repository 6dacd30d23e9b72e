#pragma once
// Values the entry line of a logging window keeps between events (duplicate display, list
// length, clock). Kept apart from the window class so the entry-line code can grow here.

namespace window::ui {

struct EntryLineState {
    // 1 while the partial-call duplicate list is shown; every load turns it on.
    int PartialDupesOn = 0;
};

}  // namespace window::ui
