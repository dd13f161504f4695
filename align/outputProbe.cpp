// OutputOpenError: an output path opened, or created and removed, without writing anything.
#include "align/outputProbe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "align/fileIdentity.h"

int OutputOpenError(const std::string& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode))
        return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
    int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        // A missing file, or a link to one: the file that writing would create is the link's
        // target, so that is where a missing or read-only folder shows.
        const std::string target = LinkTarget(path);
        if (target.empty()) return ELOOP;
        fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) ::unlink(target.c_str());
        // Something appeared there meanwhile: the results are written through it, and any
        // fault is reported then.
        else if (errno == EEXIST) return 0;
    }
    if (fd >= 0) {
        ::close(fd);
        return 0;
    }
    // A socket, or a pipe made meanwhile: any fault shows when written.
    return errno == ENXIO ? 0 : errno;
}
