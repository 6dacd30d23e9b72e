#include "platform/StdFileSystem.h"

#include <fcntl.h>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string PathText(const std::string& path) {
    // Windows-1252 bytes 0x80..0x9F by the character each stands for.
    static constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string out;
    for (size_t i = 0; i < path.size();) {
        const unsigned char b = static_cast<unsigned char>(path[i]);
        size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        bool valid = length > 0 && i + length <= path.size();
        char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
        for (size_t k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(path[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {  // not UTF-8: the byte is kept as it stands
            out += path[i++];
            continue;
        }
        i += length;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k) {
            if (kHigh[k] != 0 && kHigh[k] == c) mapped = static_cast<char>(0x80 + k);
        }
        out += mapped;
    }
    return out;
}

std::string resolveInFolder(const FileSystem& files, const std::string& folder, const std::string& name) {
    std::string exact = joinPath(folder, name);
    if (files.exists(exact)) return exact;
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    const std::string wanted = lower(name);
    for (const auto& entry : files.list(folder)) {
        if (lower(entry) == wanted) return joinPath(folder, entry);
    }
    return exact;
}

namespace {
// No write permission for anyone, or none for this user (the bits count even for root, who could
// otherwise write anything).
bool readOnly(const std::string& path, const struct stat& st) {
    return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// The file a path names once symbolic links are followed, even to a target that does not exist
// yet: a log kept in a synced folder through a link stays there.
std::string followLinks(const std::string& path) {
    fs::path p = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        const fs::path target = fs::read_symlink(p, ec);
        if (ec) break;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    return p.string();
}

std::string folderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

bool writeAllFd(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

bool StdFileSystem::exists(const std::string& path) const {
    std::error_code ec;
    return fs::exists(path, ec);
}

bool StdFileSystem::isDirectory(const std::string& path) const {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool StdFileSystem::makeDirectory(const std::string& path) {
    std::error_code ec;
    fs::create_directory(path, ec);
    return fs::is_directory(path, ec);
}

std::optional<std::string> StdFileSystem::readFile(const std::string& path, std::string& why) const {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = std::system_category().message(errno);
        return std::nullopt;
    }
    std::string bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            why = std::system_category().message(errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

void StdFileSystem::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

namespace {
// Writes bytes to a temporary file beside target, syncs it and renames it over target; the
// temporary file is removed on any failure, so nothing cut is ever left under either name.
bool replaceByRename(const std::string& target, const std::string& bytes, mode_t mode) {
    const std::string temp = target + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, mode) == 0 && writeAllFd(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}
}  // namespace

bool StdFileSystem::writeAtomic(const std::string& path, const std::string& bytes) {
    const std::string target = followLinks(path);
    // The rename would replace even a read-only file: such a file stays as it is, as a plain
    // write would leave it. A replaced file keeps its permissions.
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && readOnly(target, old)) return false;
    if (!replaceByRename(target, bytes, existed ? (old.st_mode & 07777) : 0644)) return false;
    syncFolder(folderOf(target));
    return true;
}

bool StdFileSystem::append(const std::string& path, const std::string& bytes) {
    const std::string target = followLinks(path);
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && readOnly(target, old)) return false;
    // Created here (the first contact of a log), the file exists for good only once its folder
    // is synced too.
    bool created = true;
    int fd = ::open(target.c_str(), O_RDWR | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = ::open(target.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    }
    if (fd < 0) return false;
    struct stat before {};
    const bool sized = ::fstat(fd, &before) == 0;
    // A file whose last line has no line end (edited by hand) would have the new line joined to
    // it: the line end comes first then.
    char last = '\n';
    if (sized && before.st_size > 0 && ::pread(fd, &last, 1, before.st_size - 1) != 1) last = '\n';
    const bool joinsLine = last != '\n' && last != '\r';
    bool ok = sized && writeAllFd(fd, joinsLine ? "\r\n" + bytes : bytes) && ::fsync(fd) == 0;
    // A line written only in part (a full disk, a file-size limit) would run into the next line
    // appended: the file is cut back to where it was, so it still holds whole lines only.
    if (!ok && sized && ::ftruncate(fd, before.st_size) == 0) ::fsync(fd);
    ok = (::close(fd) == 0) && ok;
    if (ok && created) syncFolder(folderOf(target));
    return ok;
}

bool StdFileSystem::copy(const std::string& from, const std::string& to, bool overwrite) {
    // Copied under a temporary name and renamed when complete: a copy cut short (a full disk)
    // must never stand under the real name, where it would pass for a whole backup.
    const std::string target = followLinks(to);
    struct stat st {};
    if (!overwrite && ::lstat(target.c_str(), &st) == 0) return false;
    if (::stat(from.c_str(), &st) != 0) return false;
    const auto bytes = readAll(from);
    if (!bytes || !replaceByRename(target, *bytes, st.st_mode & 0777)) return false;
    syncFolder(folderOf(target));
    return true;
}

bool StdFileSystem::remove(const std::string& path) {
    std::error_code ec;
    return fs::remove(path, ec);
}

std::vector<std::string> StdFileSystem::list(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        names.push_back(it->path().filename().string());
    }
    return names;
}

}  // namespace platform
