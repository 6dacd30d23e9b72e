#pragma once
// The core keeps text as Windows-1252 bytes, as the files hold it; widgets hold QString.
#include <QString>
#include <string>

namespace platform::qt {
QString toQ(const std::string& bytes);
std::string fromQ(const QString& text);  // characters without a Windows-1252 byte become '?'
}  // namespace platform::qt
