// RefuseSameFiles and RefuseUnwritableOutputs: the files that the options name, checked before
// any of them is opened.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "align/corvid.h"
#include "align/fileIdentity.h"
#include "align/frontend/commandLine.h"
#include "align/options.h"
#include "align/outputProbe.h"

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

// A file named by an option, as the commands will open it.
struct NamedFile {
    const FileOption* option;
    const char* value;
    FileIdentity identity;
};

// False when the option is not given or names a stream rather than a file.
bool Resolve(const FileOption& option, NamedFile& file) {
    file.option = &option;
    file.value = ValueOpt(option.name);
    if (!file.value) return false;
    const bool matrix = std::string(option.name) == "Matrix";
    const std::string path = matrix ? MatrixFilePath(file.value) : std::string(file.value);
    if (option.dashIsStream && path == "-") return false;
    file.identity = GetFileIdentity(path);
    return true;
}

// The files that the options name that will be opened: the outputs or the inputs. -loga wins
// over -log: only the log that will be written counts.
std::vector<NamedFile> GivenFiles(bool outputs) {
    const bool appendLog = ValueOpt("LogA") != nullptr;
    std::vector<NamedFile> files;
    for (const FileOption& option : FILE_OPTIONS) {
        if (option.output != outputs || (appendLog && std::string(option.name) == "Log")) continue;
        NamedFile file;
        if (Resolve(option, file)) files.push_back(file);
    }
    return files;
}

// Whether the command that Run will choose writes the main output (-out, standard output when
// it is not given), in Run's order of commands: -spscore writes none, -ppscore prints its score
// instead, and an alignment writes none when its only outputs are the cluster-only tree or the
// weights file.
bool WritesMainOutput() {
    if (FlagOpt("Refine") || FlagOpt("RefineW") || FlagOpt("ProfDB") || FlagOpt("SW")) return true;
    if (ValueOpt("SPScore")) return false;
    if (FlagOpt("Profile")) return true;
    if (FlagOpt("PPScore")) return false;
    if (FlagOpt("PAS") || FlagOpt("MakeTree")) return true;
    return !(FlagOpt("ClusterOnly") && ValueOpt("Tree1")) && !ValueOpt("ComputeWeights");
}

// Whether the run may write on standard output: an output named "-", the main output when it is
// not given and the command writes it, or the score of -ppscore.
bool MayWriteStandardOutput() {
    for (const FileOption& option : FILE_OPTIONS) {
        if (!option.output || !option.dashIsStream) continue;
        const char* value = ValueOpt(option.name);
        if (value && strcmp(value, "-") == 0) return true;
    }
    if (!ValueOpt("out") && WritesMainOutput()) return true;
    const bool earlierCommand = FlagOpt("Refine") || FlagOpt("RefineW") || FlagOpt("ProfDB") || FlagOpt("SW") ||
                                ValueOpt("SPScore") || FlagOpt("Profile");
    return FlagOpt("PPScore") && !earlierCommand;
}

}  // namespace

void RefuseSameFiles() {
    const std::vector<NamedFile> outputs = GivenFiles(true), inputs = GivenFiles(false);
    auto refuse = [](const NamedFile& a, const NamedFile& b) {
        fprintf(stderr, "Options -%s %s and -%s %s name the same file\n", a.option->name, a.value, b.option->name,
                b.value);
        exit(1);
    };
    for (size_t i = 0; i < outputs.size(); ++i) {
        for (size_t j = i + 1; j < outputs.size(); ++j)
            if (SameFile(outputs[i].identity, outputs[j].identity)) refuse(outputs[i], outputs[j]);
        for (const NamedFile& input : inputs)
            if (SameFile(outputs[i].identity, input.identity)) refuse(outputs[i], input);
    }
    // Standard output redirected to a file that an option names too: the two would write over
    // each other.
    if (!MayWriteStandardOutput()) return;
    const FileIdentity standardOutput = GetStreamIdentity(STDOUT_FILENO);
    for (const NamedFile& output : outputs)
        if (SameFile(output.identity, standardOutput)) {
            fprintf(stderr, "Option -%s %s names the same file as the standard output\n", output.option->name,
                    output.value);
            exit(1);
        }
}

void RefuseUnwritableOutputs() {
    for (const NamedFile& output : GivenFiles(true))
        if (const int error = OutputOpenError(output.value)) {
            fprintf(stderr, "Cannot open -%s %s for writing: %s\n", output.option->name, output.value,
                    strerror(error));
            exit(1);
        }
}
