// RefuseSameFiles: the files that the options name, checked before any of them is opened.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "align/frontend/commandLine.h"
#include "align/options.h"

namespace {

struct FileOption {
    const char* name;
    bool output;
    // "-" names standard input or output here, not a file.
    bool dashIsStream;
};

// Every option that names a file the program reads or writes.
const FileOption FILE_OPTIONS[] = {
    {"out", true, true},           {"FASTAOut", true, true},        {"MSFOut", true, true},
    {"CLWOut", true, true},        {"CLWStrictOut", true, true},    {"HTMLOut", true, true},
    {"PHYIOut", true, true},       {"PHYSOut", true, true},         {"ScoreFile", true, false},
    {"Log", true, false},          {"LogA", true, false},           {"Tree1", true, true},
    {"Tree2", true, true},         {"ComputeWeights", true, false}, {"DistMx1", true, false},
    {"DistMx2", true, false},      {"in", false, true},             {"in1", false, true},
    {"in2", false, true},          {"SPScore", false, true},        {"Matrix", false, true},
    {"UseTree", false, true},      {"UseTree_NoWarn", false, true},
};

// A file named by an option: an existing file by its device and inode (links and other spellings
// of its path included), one still to be created by its absolute path with the directories that
// exist resolved.
struct NamedFile {
    const FileOption* option;
    const char* value;
    bool exists;
    dev_t device;
    ino_t inode;
    std::string path;
};

bool Same(const NamedFile& a, const NamedFile& b) {
    if (a.exists != b.exists) return false;
    return a.exists ? a.device == b.device && a.inode == b.inode : a.path == b.path;
}

// The file of the option, as the commands will open it; false when the option is not given or
// names a stream, device, pipe or the like, which two options may share without losing anything.
bool Resolve(const FileOption& option, NamedFile& file) {
    file.option = &option;
    file.value = ValueOpt(option.name);
    if (!file.value) return false;
    std::string path = file.value;
    // The matrix is looked up under CORVID_MXPATH when that is set.
    const char* matrixDir = getenv("CORVID_MXPATH");
    const bool underDir = std::string(option.name) == "Matrix" && matrixDir;
    if (underDir) path = std::string(matrixDir) + "/" + path;
    if (option.dashIsStream && !underDir && path == "-") return false;
    struct stat st;
    file.exists = stat(path.c_str(), &st) == 0;
    if (file.exists) {
        if (!S_ISREG(st.st_mode)) return false;
        file.device = st.st_dev;
        file.inode = st.st_ino;
        return true;
    }
    std::error_code error;
    file.path = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error).string();
    return true;
}

}  // namespace

void RefuseSameFiles() {
    // -loga wins over -log: only the log that will be written counts.
    const bool appendLog = ValueOpt("LogA") != nullptr;
    std::vector<NamedFile> outputs, inputs;
    for (const FileOption& option : FILE_OPTIONS) {
        if (appendLog && std::string(option.name) == "Log") continue;
        NamedFile file;
        if (Resolve(option, file)) (option.output ? outputs : inputs).push_back(file);
    }
    auto refuse = [](const NamedFile& a, const NamedFile& b) {
        fprintf(stderr, "Options -%s %s and -%s %s name the same file\n", a.option->name, a.value, b.option->name,
                b.value);
        exit(1);
    };
    for (size_t i = 0; i < outputs.size(); ++i) {
        for (size_t j = i + 1; j < outputs.size(); ++j)
            if (Same(outputs[i], outputs[j])) refuse(outputs[i], outputs[j]);
        for (const NamedFile& input : inputs)
            if (Same(outputs[i], input)) refuse(outputs[i], input);
    }
}
