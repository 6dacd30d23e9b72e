#pragma once
// The operator's folders beside the program folder: <documents>/Tervak Software/Florida (user
// folder: backups, archives, exports) and <documents>/Tervak Software/Shared (shared settings,
// the optional logo picture, optional copies of the tables).

#include <cstdint>
#include <string>

namespace station {

class Station;

// The documents folder on this system, in order: the Windows-style profile folder when
// USERPROFILE is set (its "My Documents", made when missing, else its "Documents", else
// USERPROFILE itself and then APPDATA when set), else XDG_DOCUMENTS_DIR or the XDG user-dirs
// file, else $HOME/Documents (made when missing), else $HOME, else the program folder.
// FindUserFolder sets base to <documents>/<sub1> and makes sure <documents>/<sub1> and
// <documents>/<sub1>/<sub2> exist (reporting folders it cannot make). Sub-folders may be
// written with a leading "/" or "\".
void FindUserFolder(Station& station, std::string& base, const std::string& sub1, const std::string& sub2);

// Makes one folder level when it is missing. An empty path is refused with "Invalid Path";
// with report 1 a folder that cannot be made is reported, with 0 nothing is shown.
// Returns true when the folder exists afterwards.
bool MakeFolder(Station& station, const std::string& path, uint8_t report);

// The leading capitals and digits of a call, to name files after it; "YourCall" when it does not
// start with one (N0CALL/M -> N0CALL, VE3/N0CALL -> VE3, n0call -> YourCall).
std::string CallToFileStem(const std::string& call);

}  // namespace station
