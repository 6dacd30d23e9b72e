#pragma once
// The recent-contacts list as clipboard text: the column headers joined by Tabs, then the rows
// from the bottom of the list to the top, each line ended by CR LF.

#include <string>
#include <vector>

namespace window {

std::string ContactListClipboardText(const std::vector<std::string>& headers,
                                     const std::vector<std::vector<std::string>>& rowsTopToBottom);

}  // namespace window
