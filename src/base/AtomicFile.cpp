#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace kelmaz {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// As many links as the system itself follows before it gives up on a loop.
constexpr int kMaxLinks = 40;

// The path a write replaces: path itself, or the file its chain of symbolic links ends at
// (which need not exist yet). Nothing for a loop or an unreadable link.
std::optional<std::string> followLinks(std::string path) {
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::vector<char> target(static_cast<std::size_t>(PATH_MAX) + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size() - 1);
        if (n < 0) return std::nullopt;
        std::string next(target.data(), static_cast<std::size_t>(n));
        // A relative link is relative to the folder that holds the link.
        if (next.front() != '/') {
            const std::size_t slash = path.rfind('/');
            if (slash != std::string::npos) next = path.substr(0, slash + 1) + next;
        }
        path = std::move(next);
    }
    return std::nullopt;
}

// A device or FIFO takes the bytes as they are. A FIFO is opened without waiting, so that one
// without a reader is an error rather than a hang; the writes themselves then block as usual.
bool writeIntoSpecial(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const int flags = ::fcntl(fd, F_GETFL);
    bool ok = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 && writeAll(fd, bytes);
    ok = (::close(fd) == 0) && ok;
    return ok;
}

// The user may write the file: the access check, and at least one write permission bit, which
// the access check ignores for the superuser.
bool mayReplace(const std::string& path, const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// New files get the usual permissions (0666 less the umask).
mode_t newFilePermissions() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool writeFileAtomically(const std::string& givenPath, std::string_view bytes) {
    if (givenPath.empty()) return false;
    const std::optional<std::string> target = followLinks(givenPath);
    if (!target) return false;
    const std::string& path = *target;
    mode_t permissions = 0;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISCHR(existing.st_mode) || S_ISFIFO(existing.st_mode))
            return writeIntoSpecial(path, bytes);
        if (!S_ISREG(existing.st_mode) || !mayReplace(path, existing)) return false;
        permissions = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    } else {
        permissions = newFilePermissions();
    }
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, permissions) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(name.data(), path.c_str()) == 0;
    if (!ok) ::unlink(name.data());
    return ok;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (info.st_size > kMaxRecordFileBytes) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace kelmaz
