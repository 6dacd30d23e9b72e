#pragma once
// The three text forms of the program's files: the write form (typed items, comma separated,
// the form of log.txt, QSOpref.txt and the tables), the print form (raw text lines with column
// stops) and the whole-text read. Lines end with CR LF on write; CR LF or LF is read.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace station {

// Raised by readers and by the file operations that the owning procedure handles.
struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A value that is empty, text, a number or a truth value. Empty writes nothing between the
// commas; text is always quoted, even when empty.
struct Variant {
    enum class Kind { Empty, Text, Number, Bool };
    Kind kind = Kind::Empty;
    std::string text;
    double number = 0;
    bool flag = false;

    static Variant empty() { return {}; }
    static Variant ofText(std::string t) { Variant v; v.kind = Kind::Text; v.text = std::move(t); return v; }
    static Variant ofNumber(double n) { Variant v; v.kind = Kind::Number; v.number = n; return v; }
    static Variant ofBool(bool b) { Variant v; v.kind = Kind::Bool; v.flag = b; return v; }
    bool isEmpty() const { return kind == Kind::Empty; }
    friend bool operator==(const Variant&, const Variant&) = default;
};

// Number formats of the write form: "." as decimal point whatever the locale, no point for a
// whole value, the shortest digits that read back as the same value.
std::string formatSingle(float value);
std::string formatDouble(double value);

// A text as a write-form item can hold it: without double quotes (the reader would end the
// item there and every later item would shift) and without control characters (a CR or LF
// breaks the line, a TAB or DEL is no part of any value an operator means to store).
std::string CleanText(std::string_view text);

// One write-form statement. Items are joined by commas; line() adds CR LF.
class WriteFormLine {
public:
    // The value is written cleaned (CleanText).
    WriteFormLine& text(std::string_view value);
    WriteFormLine& integer(int64_t value);
    WriteFormLine& single(float value);
    WriteFormLine& dbl(double value);
    WriteFormLine& boolean(bool value);
    WriteFormLine& variant(const Variant& value);
    std::string line() const { return items_ + "\r\n"; }

private:
    void separate();
    std::string items_;
    bool first_ = true;
};

// Reads write-form items one after another from the bytes of a whole file.
class WriteFormReader {
public:
    explicit WriteFormReader(std::string bytes) : data_(std::move(bytes)) {}
    bool eof() const { return pos_ >= data_.size(); }
    std::string readText();
    void readText(std::string& out);  // reuses out's storage
    double readDouble();
    float readSingle();
    uint8_t readByte();    // FileError outside 0..255
    int16_t readInt16();   // FileError outside the range
    int32_t readInt32();   // FileError outside the range
    bool readBool();
    Variant readVariant();
    // Skips blank lines at the current position (used by readers that tolerate a trailing
    // empty line).
    void skipEmptyLines();
    size_t position() const { return pos_; }
    // The bytes being read, and a jump to a position in them (for a reader that scanned ahead).
    const std::string& bytes() const { return data_; }
    void seek(size_t position) { pos_ = std::min(position, data_.size()); }

private:
    struct Item {
        std::string_view text;  // points into data_
        bool quoted = false;
    };
    Item next();
    double number(const Item& item);
    std::string data_;
    size_t pos_ = 0;
};

// The reader's item scan is inline: a log reload reads some 200,000 items.
inline WriteFormReader::Item WriteFormReader::next() {
    const size_t size = data_.size();
    if (pos_ >= size) throw FileError("Input past end of file");
    const char* d = data_.data();
    while (pos_ < size && (d[pos_] == ' ' || d[pos_] == '\t')) ++pos_;
    Item item;
    size_t end;
    if (pos_ < size && d[pos_] == '"') {
        item.quoted = true;
        size_t closeAt = pos_ + 1;
        while (closeAt < size && d[closeAt] != '"') ++closeAt;
        item.text = std::string_view(d + pos_ + 1, closeAt - pos_ - 1);
        end = std::min(closeAt + 1, size);
        // Characters between the closing quote and the delimiter are skipped.
        while (end < size && d[end] != ',' && d[end] != '\r' && d[end] != '\n') ++end;
    } else {
        end = pos_;
        while (end < size && d[end] != ',' && d[end] != '\r' && d[end] != '\n') ++end;
        std::string_view text(d + pos_, end - pos_);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
        item.text = text;
    }
    // The comma or line end after the item belongs to it.
    if (end < size) {
        if (d[end] == '\r') {
            ++end;
            if (end < size && d[end] == '\n') ++end;
        } else {
            ++end;
        }
    }
    pos_ = end;
    return item;
}

inline void WriteFormReader::readText(std::string& out) {
    std::string_view text = next().text;
    // resize + memcpy: much cheaper than assign() when the string already has the room,
    // which it has on every reload of the log.
    out.resize(text.size());
    if (!text.empty()) std::memcpy(out.data(), text.data(), text.size());
}

// Parses a decimal number with "." as point (".5", "-.5", "1e3" accepted); nullopt otherwise.
bool parseNumber(std::string_view text, double& out);

// The print form: raw text with column stops, CR LF line ends.
class PrintWriter {
public:
    PrintWriter& write(std::string_view text);
    // Blanks up to the given column (counted from 1); past it, a new line is started first.
    PrintWriter& tab(int column);
    PrintWriter& endLine();
    const std::string& bytes() const { return out_; }

private:
    std::string out_;
    size_t column_ = 1;
};

}  // namespace station
