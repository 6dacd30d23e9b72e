#pragma once
// Archive and restore of the working log. Archive copies log.txt to a file the operator names
// (by default in BACKUP, named after the own call and today's date). Restore puts a chosen
// archive or backup in place of log.txt: the current log is first copied to BACKUP, and the
// chosen file must read as a log before it replaces anything.

#include <functional>
#include <string>

class Session;

namespace window {

// The name the archive dialog proposes: <BACKUP>/<call stem><yyyy-mm-dd>.log, local date.
std::string ProposedArchiveName(Session& session);

void mnuArchive_Click(Session& session);
// `refresh` reloads the window from the restored log. True when log.txt was replaced.
bool mnuRestore_Click(Session& session, const std::function<void()>& refresh);

}  // namespace window
