// Output paths refused before the work: unwritable, or naming a file the run reads or writes.
#include "app/outputPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "align/fileIdentity.h"
#include "app/cParameters.h"
#include "symmetry/fatalError.h"

namespace {

struct sNamedPath {
    const char* role;  // as the messages name it
    std::string path;
};

// Opens the path for writing as it is, or creates it and removes it again. A named pipe is
// only asked for permission: opening and closing it would end what its reader reads.
void requireWritable(const sNamedPath& output) {
    const char* path = output.path.c_str();
    auto refuse = [&output] {
        endRun(std::cerr, std::string("Cannot open the ") + output.role + " " + output.path +
                              " for writing: " + std::strerror(errno));
    };
    struct stat status;
    if (::stat(path, &status) == 0 && S_ISFIFO(status.st_mode)) {
        if (::access(path, W_OK) != 0) refuse();
        return;
    }
    int fd = ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) ::unlink(path);
        // Something appeared there meanwhile (or a link points to a missing file): the results
        // are written through it, and any fault is reported then.
        else if (errno == EEXIST) return;
    }
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    if (errno == ENXIO) return;  // a socket, or a pipe made meanwhile: any fault shows when written
    refuse();
}

}  // namespace

void checkOutputPaths(const cParameters& parameters) {
    std::vector<sNamedPath> outputs;
    if (!parameters.outputPath.empty()) outputs.push_back({"output file", parameters.outputPath});
    if (!parameters.jsonPath.empty()) outputs.push_back({"JSON file", parameters.jsonPath});
    // Every file an output could overwrite: the inputs, then the outputs before it.
    std::vector<sNamedPath> taken{{"input PDB file", parameters.inputPath}};
    if (!parameters.trajectoryPath.empty()) taken.push_back({"trajectory", parameters.trajectoryPath});

    for (const sNamedPath& output : outputs) {
        const FileIdentity id = GetFileIdentity(output.path);
        for (const sNamedPath& other : taken)
            if (SameFile(id, GetFileIdentity(other.path)))
                endRun(std::cerr, std::string("Cannot write the ") + output.role + " " + output.path +
                                      ": it is the same file as the " + other.role + " " + other.path);
        taken.push_back(output);
    }
    for (const sNamedPath& output : outputs) requireWritable(output);
}
