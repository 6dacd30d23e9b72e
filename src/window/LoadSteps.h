#pragma once
// Load steps of the logging window that can fail. A failure is reported by name and the load
// goes on, so the log is still read and duplicates still checked.

class Session;

namespace window {

// county2.txt into the county table. On failure: a message naming the file and the cause; the
// rows read before the failure stay. False then.
bool LoadCountyTableStep(Session& session);

}  // namespace window
