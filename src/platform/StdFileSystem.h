#pragma once
#include "platform/FileSystem.h"

namespace platform {

// Makes a write past a file-size limit (ulimit -f) fail like a full disk instead of ending the
// program (SIGXFSZ), so a cut append is cut back to whole lines and reported. main() calls it.
void IgnoreFileSizeSignal();

// The real file system through the standard library and POSIX calls. Whole-file writes and
// copies go to a temporary name in the target's folder and are renamed over it when complete;
// a symbolic link is followed, so its target is replaced and the link stays. After a rename,
// and after an append that created its file, the folder itself is synced, so a power cut
// cannot undo the rename or lose the new file.
class StdFileSystem : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    bool isDirectory(const std::string& path) const override;
    bool makeDirectory(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path, std::string& why) const override;
    bool writeAtomic(const std::string& path, const std::string& bytes) override;
    bool append(const std::string& path, const std::string& bytes) override;
    bool copy(const std::string& from, const std::string& to, bool overwrite) override;
    bool remove(const std::string& path) override;
    std::vector<std::string> list(const std::string& folder) const override;

protected:
    // Flushes the folder's entries (a rename, a new file) to disk.
    virtual void syncFolder(const std::string& folder);
};

}  // namespace platform
