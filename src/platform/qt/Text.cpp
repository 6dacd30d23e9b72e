#include "platform/qt/Text.h"

#include <QFile>

namespace platform::qt {

namespace {
// Windows-1252 bytes 0x80..0x9F; 0 where the code page has no character.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

QString toQ(const std::string& bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char c : bytes) {
        if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0) out.append(QChar(kHigh[c - 0x80]));
        else out.append(QChar(c));
    }
    return out;
}

std::string fromQ(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += static_cast<char>(u);
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i) {
            if (kHigh[i] == u && u != 0) mapped = static_cast<char>(0x80 + i);
        }
        out += mapped;
    }
    return out;
}

QString pathToQ(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string pathFromQ(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace platform::qt
