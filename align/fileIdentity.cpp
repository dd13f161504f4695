// GetFileIdentity and SameFile: files compared by what they are, not by how their paths are spelt.
#include "align/fileIdentity.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

// As many links as the system itself follows in one path (Linux's limit); a longer chain is a
// loop or close to one, and cannot be written through anyway.
constexpr int kMaxLinks = 40;

}  // namespace

std::string LinkTarget(const std::string& path) {
    std::filesystem::path at = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status;
        if (lstat(at.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return at.string();
        std::vector<char> target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 255) + 1);
        const ssize_t length = readlink(at.c_str(), target.data(), target.size());
        // A link rewritten meanwhile to a longer target: unreadable, like any link that fails here.
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return {};
        const std::filesystem::path next(std::string(target.data(), static_cast<std::size_t>(length)));
        // A relative target is read from the folder that holds the link.
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return {};
}

FileIdentity GetFileIdentity(const std::string& path) {
    FileIdentity id;
    struct stat status;
    if (stat(path.c_str(), &status) == 0) {
        id.regular = S_ISREG(status.st_mode);
        id.device = status.st_dev;
        id.inode = status.st_ino;
        return id;
    }
    id.missing = true;
    // stat follows no link to a missing file, and weakly_canonical resolves only the part of a
    // path that exists, so a dangling link would otherwise compare as a file of its own and an
    // output written through it would land on another.
    const std::filesystem::path target = LinkTarget(path);
    std::error_code error;
    if (!target.empty())
        id.resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(target, error), error).string();
    // An unsearchable directory, an over-long name or a loop of links: two such paths are one
    // file only when spelt alike, never because both failed to resolve.
    if (target.empty() || error) id.resolved = path;
    return id;
}

FileIdentity GetStreamIdentity(int fd) {
    FileIdentity id;
    struct stat status;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        id.regular = true;
        id.device = status.st_dev;
        id.inode = status.st_ino;
    }
    return id;
}

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
    if (a.regular && b.regular) return a.device == b.device && a.inode == b.inode;
    return a.missing && b.missing && a.resolved == b.resolved;
}
