#pragma once
// The core keeps text as Windows-1252 bytes, as the files hold it; widgets hold QString.
#include <QString>
#include <string>

namespace platform::qt {
QString toQ(const std::string& bytes);
std::string fromQ(const QString& text);  // characters without a Windows-1252 byte become '?'
// Paths that come from the system (current folder, environment, file dialogs) stay in the file
// system's own bytes in the core, so a folder named "José" is found again when it is opened.
QString pathToQ(const std::string& path);
std::string pathFromQ(const QString& path);
}  // namespace platform::qt
