#pragma once
#include <optional>
#include <string>
#include <vector>

namespace platform {

// File operations the program needs. Paths are full paths; every call opens, works and closes.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool exists(const std::string& path) const = 0;
    virtual bool isDirectory(const std::string& path) const = 0;
    // Creates one folder; true when it exists afterwards.
    virtual bool makeDirectory(const std::string& path) = 0;
    // The whole file as bytes; std::nullopt when it cannot be read.
    std::optional<std::string> readAll(const std::string& path) const {
        std::string why;
        return readFile(path, why);
    }
    // The same, with the system's reason in `why` when the file cannot be read ("Permission
    // denied", "Is a directory"), for a message that tells the operator what to mend.
    virtual std::optional<std::string> readFile(const std::string& path, std::string& why) const = 0;
    // Replaces the file by writing a temporary file in the same folder and renaming it over the
    // old one, so a failure never leaves a cut file.
    virtual bool writeAtomic(const std::string& path, const std::string& bytes) = 0;
    // Appends and flushes to disk before returning true; creates the file when missing. What is
    // appended starts on a line of its own; a failed append leaves the file as it was.
    virtual bool append(const std::string& path, const std::string& bytes) = 0;
    virtual bool copy(const std::string& from, const std::string& to, bool overwrite) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual std::vector<std::string> list(const std::string& folder) const = 0;  // names only
};

// Joins a folder and a name with '/'.
std::string joinPath(const std::string& folder, const std::string& name);

// A path in the file system's bytes (UTF-8) as message text in the program's 8-bit code page, so
// a folder named "José" reads as such in a message; characters the code page lacks become '?'.
std::string PathText(const std::string& path);

// The path of a file named without a folder: the exact name in the folder, or, when that does
// not exist, a file of the folder whose name matches ignoring letter case. Operators' files
// often come from case-blind file systems (Windows, a FAT memory stick); a copied "Log.TXT"
// must still be found.
std::string resolveInFolder(const FileSystem& fs, const std::string& folder, const std::string& name);

}  // namespace platform
