#pragma once
#include "platform/FileSystem.h"

namespace platform {

// The real file system through the standard library and POSIX calls.
class StdFileSystem : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    bool isDirectory(const std::string& path) const override;
    bool makeDirectory(const std::string& path) override;
    std::optional<std::string> readAll(const std::string& path) const override;
    bool writeAtomic(const std::string& path, const std::string& bytes) override;
    bool append(const std::string& path, const std::string& bytes) override;
    bool copy(const std::string& from, const std::string& to, bool overwrite) override;
    bool remove(const std::string& path) override;
    std::vector<std::string> list(const std::string& folder) const override;
};

}  // namespace platform
