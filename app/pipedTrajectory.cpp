// Piped trajectories copied to an anonymous temporary file before the work.
#include "app/pipedTrajectory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cParameters.h"
#include "symmetry/trajectoryFit.h"

namespace {

[[noreturn]] void failCopy(const std::string& path, const std::string& what, int error) {
    trajectoryFailure(path, what + ": " + std::strerror(error));
}

// An open file in the temporary folder that no name reaches: it goes when the process ends,
// however it ends.
int anonymousFile(const std::string& path, std::string& folder) {
    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec).string();
    if (ec) failCopy(path, "no temporary folder ($TMPDIR, else /tmp) for its copy", ec.value());
    std::string name = (std::filesystem::path(folder) / "quorix-trajectory-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) failCopy(path, "cannot make its copy in " + folder, errno);
    ::unlink(name.c_str());
    return fd;
}

// Writes all of it, through short writes and interruptions; false with errno set on failure.
bool writeAll(int fd, const char* data, ssize_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, static_cast<std::size_t>(n));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        data += w;
        n -= w;
    }
    return true;
}

}  // namespace

void keepPipedTrajectory(cParameters& parameters) {
    const std::string& path = parameters.trajectoryPath;
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISFIFO(info.st_mode)) return;
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) failCopy(path, "cannot open it", errno);
    std::string folder;
    const int copy = anonymousFile(path, folder);
    // In blocks, so that a trajectory of any size takes no more memory than one.
    std::vector<char> block(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in, block.data(), block.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failCopy(path, "cannot read it from its pipe", errno);
        if (n == 0) break;
        if (!writeAll(copy, block.data(), n)) failCopy(path, "cannot write its copy in " + folder, errno);
    }
    ::close(in);
    // The copy stays open until the process ends; the reader opens it anew for every group.
    parameters.trajectorySource = "/proc/self/fd/" + std::to_string(copy);
}
