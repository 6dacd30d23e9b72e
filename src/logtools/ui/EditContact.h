#pragma once
// What the logging windows' "Edit Contact" runs: the window's edit dialog for one contact,
// then log.txt rewritten and the log reloaded and recounted, whatever the dialog did.

#include <functional>

class QWidget;
class Session;

namespace logtools::ui {

// index: the record number (1-based) of the contact to edit. cmdDelete: the window's delete
// command for "Delete Dupe" (by default the contact is deleted after "Are you sure?").
// refresh: the window's reload and redraw (by default the log is reloaded and recounted).
// Returns false when log.txt could not be rewritten.
bool EditContact(Session& session, int index, QWidget* parent, std::function<void()> cmdDelete = {},
                 std::function<void()> refresh = {});

}  // namespace logtools::ui
