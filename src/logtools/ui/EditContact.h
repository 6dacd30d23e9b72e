#pragma once
// What the logging windows' "Edit Contact" runs: the window's edit dialog for one contact,
// then log.txt rewritten and the log reloaded and recounted, whatever the dialog did.

#include <functional>

class QWidget;
class Session;

namespace logtools::ui {

// index: the record number (1-based) of the contact to edit. cmdDelete: the window's delete
// command for "Delete Dupe" (by default the contact is deleted after "Are you sure?").
// Returns false when the rewrite or the reload failed (the reload has reported it).
bool EditContact(Session& session, int index, QWidget* parent, std::function<void()> cmdDelete = {});

}  // namespace logtools::ui
