#include "window/ClipboardText.h"

namespace window {

namespace {
void appendLine(std::string& out, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        out += cells[i];
        out += i + 1 < cells.size() ? "\t" : "\r\n";
    }
    if (cells.empty()) out += "\r\n";
}
}  // namespace

std::string ContactListClipboardText(const std::vector<std::string>& headers,
                                     const std::vector<std::vector<std::string>>& rowsTopToBottom) {
    std::string out;
    appendLine(out, headers);
    for (auto it = rowsTopToBottom.rbegin(); it != rowsTopToBottom.rend(); ++it) appendLine(out, *it);
    return out;
}

}  // namespace window
