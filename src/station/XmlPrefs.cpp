#include "station/XmlPrefs.h"

#include <algorithm>
#include <cctype>

#include "station/Station.h"

namespace station {

const char* const kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

namespace {
// Unicode code points of the bytes 0x80..0x9F in Windows-1252 (0 where the code page has none).
constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
}  // namespace

std::string XmlEscapeUtf8(const std::string& text) {
    std::string out;
    for (unsigned char b : text) {
        switch (b) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default:
            if (b < 0x80) out += static_cast<char>(b);
            else if (b < 0xA0) appendUtf8(out, kHigh[b - 0x80] ? kHigh[b - 0x80] : U'?');
            else appendUtf8(out, b);
        }
    }
    return out;
}

bool OpenXmlPrefs(Station& station, const std::string& path) {
    auto& xml = station.xmlPrefs;
    auto& files = station.platform.files;
    xml.XmlPrefsPath = path;
    xml.XmlPrefsText = kXmlDeclaration;
    if (!files.exists(path) || files.isDirectory(path)) return true;
    auto bytes = files.readAll(path);
    if (!bytes) return false;
    std::string text = *bytes;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    else if (!text.empty() && text.back() == '\n') text.pop_back();
    if (text.find_first_not_of(" \t\r\n") != std::string::npos) xml.XmlPrefsText = text;
    return true;
}

bool SaveXmlPrefs(Station& station, const std::string& path) {
    station.xmlPrefs.XmlPrefsPath = path;
    return station.platform.files.writeAtomic(path, station.xmlPrefs.XmlPrefsText + "\r\n");
}

bool SetXmlValue(Station& station, std::string& key, const std::string& value, uint8_t save) {
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
    std::string& text = station.xmlPrefs.XmlPrefsText;
    const std::string open = "<" + key + ">";
    const std::string close = "</" + key + ">";
    const std::string stored = XmlEscapeUtf8(value);
    size_t p = text.find(open);
    if (p != std::string::npos) {
        size_t start = p + open.size();
        size_t e = text.find(close, start);
        if (e != std::string::npos) {
            text = text.substr(0, start) + stored + text.substr(e);
        } else {
            // No closing tag: the rest of that line is the old value.
            size_t lineEnd = text.find_first_of("\r\n", start);
            std::string rest = lineEnd == std::string::npos ? std::string() : text.substr(lineEnd);
            text = text.substr(0, start) + stored + close + rest;
        }
    } else {
        text += "\r\n" + open + stored + close;
    }
    if (save == 1) return SaveXmlPrefs(station, station.xmlPrefs.XmlPrefsPath);
    return true;
}

}  // namespace station
