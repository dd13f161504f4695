// Whether two paths name one file, so that an output is never written over an input or over
// another output.
#pragma once

#include <sys/types.h>

#include <string>

// What a path names: an existing regular file by its device and inode (links and other
// spellings of its path included); a file still to be created by its absolute path with every
// existing directory resolved, after the symbolic links that lead to it (the path as given where
// that cannot be resolved). Devices, pipes and the like are never the same file as anything:
// writing one destroys nothing.
struct FileIdentity {
    bool regular = false;
    bool missing = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string resolved;
};

FileIdentity GetFileIdentity(const std::string& path);
// What an open descriptor writes to (standard output, say): a regular file by its device and
// inode; a terminal, a pipe or a device is never the same file as anything.
FileIdentity GetStreamIdentity(int fd);
bool SameFile(const FileIdentity& a, const FileIdentity& b);

// The path that opening `path` reaches: through every symbolic link at its end, relative targets
// read from the folder of their link. Empty when the links loop or a link cannot be read.
std::string LinkTarget(const std::string& path);
