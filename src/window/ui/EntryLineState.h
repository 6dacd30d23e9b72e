#pragma once
// What the entry line of a logging window keeps between events besides the session's
// contest state: its event filter, the field whose enter handling ran, the Mains guard.

#include "logging/Entry.h"

class QObject;
class QTimer;

namespace window::ui {

struct EntryLineState {
    // The key and focus handling of the entry fields, the lists and the grid, installed with
    // the first refresh of the load.
    QObject* filter = nullptr;
    // The entry field whose enter handling ran last (None after the focus left the line).
    logging::EntryField focused = logging::EntryField::None;
    // Mains runs to its end; an Enter (or the keyer's "!") reaching it meanwhile runs after it.
    bool mainsRunning = false;
    bool mainsPending = false;
    // Set when leaving the call field refused a duplicate: the focus returns to the call.
    bool backToCall = false;
    // Drops the duplicate flag three seconds after the duplicate, while keys go on being taken.
    QTimer* dupeFlagTimer = nullptr;
};

}  // namespace window::ui
