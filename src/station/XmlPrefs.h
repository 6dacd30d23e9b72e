#pragma once
// SharedUserPreferences.xml of the shared folder: settings other programs of the same family
// read. A declaration line, then one <KEY>value</KEY> line per key in the order first stored.
// The program only ever rewrites it; values are never read back. Other programs' elements are
// kept as they stand.

#include <cstdint>
#include <string>

namespace station {

class Station;

struct XmlPrefs {
    std::string XmlPrefsText;  // the file without its final line end
    std::string XmlPrefsPath;  // where SetXmlValue saves
};

extern const char* const kXmlDeclaration;

// Loads the file into memory (a missing or empty file starts a new one with the declaration
// alone; nothing is written yet). False when the file exists but cannot be read.
bool OpenXmlPrefs(Station& station, const std::string& path);
// Writes the text and a final CR LF through a temporary file; false when it cannot be written.
bool SaveXmlPrefs(Station& station, const std::string& path);
// Upper-cases key in place and stores value (Windows-1252 text, written as escaped UTF-8) as the
// first element of that key, or appends a new element. With save 1 the file is written; the
// result is false only when that write fails.
bool SetXmlValue(Station& station, std::string& key, const std::string& value, uint8_t save);

// Windows-1252 bytes as UTF-8 with & < > escaped.
std::string XmlEscapeUtf8(const std::string& cp1252);

}  // namespace station
