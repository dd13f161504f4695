// GetFileIdentity and SameFile: files compared by what they are, not by how their paths are spelt.
#include "align/fileIdentity.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

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
    std::error_code error;
    id.resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error).string();
    // An unsearchable directory or an over-long name: two such paths are one file only when
    // spelt alike, never because both failed to resolve.
    if (error) id.resolved = path;
    return id;
}

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
    if (a.regular && b.regular) return a.device == b.device && a.inode == b.inode;
    return a.missing && b.missing && a.resolved == b.resolved;
}
