// Output paths refused before the work: unwritable, or naming a file the run reads or writes.
#include "app/outputPaths.h"

#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "align/fileIdentity.h"
#include "align/outputProbe.h"
#include "app/cParameters.h"
#include "symmetry/fatalError.h"

namespace {

struct sNamedPath {
    const char* role;  // as the messages name it
    std::string path;
};

void requireWritable(const sNamedPath& output) {
    if (const int error = OutputOpenError(output.path))
        endRun(std::cerr, std::string("Cannot open the ") + output.role + " " + output.path +
                              " for writing: " + std::strerror(error));
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
        // The run report (and the table, without --output) goes to standard output: a file
        // there and a named output would write over each other.
        if (SameFile(id, GetStreamIdentity(STDOUT_FILENO)))
            endRun(std::cerr, std::string("Cannot write the ") + output.role + " " + output.path +
                                  ": it is the same file as the standard output");
        taken.push_back(output);
    }
    for (const sNamedPath& output : outputs) requireWritable(output);
}
