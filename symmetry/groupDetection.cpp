// The last stage of a run: every group tested in turn, with its results printed, and the JSON
// document written at the end; or, without groups, candidates proposed from the chain count.
#include "symmetry/groupDetection.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/cInfo.h"
#include "app/cParameters.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

std::vector<std::unique_ptr<cPointSymmetryGroup>> candidateGroups(int n) {
    std::vector<std::unique_ptr<cPointSymmetryGroup>> groups;
    if (n < 2) return groups;
    if (n % 60 == 0) groups.push_back(std::make_unique<cISymmetry>());
    if (n % 24 == 0) groups.push_back(std::make_unique<cOSymmetry>());
    if (n % 12 == 0) groups.push_back(std::make_unique<cTSymmetry>());
    if (n % 2 == 0 && n > 2) {
        if (n > 23 && !groups.empty()) return groups;
        groups.push_back(std::make_unique<cDnSymmetry>(n / 2));
    }
    if (n <= 23 || groups.empty()) groups.push_back(std::make_unique<cCnSymmetry>(n));
    return groups;
}

namespace {

// The results file, opened (and truncated) once, at the first group that has results.
class cResultsFile {
public:
    explicit cResultsFile(const std::string& path) : path(path) {}
    ~cResultsFile() {
        if (file) std::fclose(file);
    }
    cResultsFile(const cResultsFile&) = delete;
    cResultsFile& operator=(const cResultsFile&) = delete;

    // Standard output without a path.
    std::FILE* stream() {
        if (path.empty()) return stdout;
        if (!file) {
            file = std::fopen(path.c_str(), "w");
            if (!file) endRun(std::cerr, "Cannot open the output file " + path + " for writing: " + std::strerror(errno));
        }
        return file;
    }

    // Everything of the group written so far reaches the file (or the run ends saying why).
    void flush() {
        if (path.empty()) checkStandardOutput();
        if (!file) return;
        if (std::fflush(file) != 0 || std::ferror(file))
            endRun(std::cerr, "Cannot write the output file " + path + ": " + std::strerror(errno));
    }

private:
    std::string path;
    std::FILE* file = nullptr;
};

// Through the C stream, as the results file is, so that a failed write leaves its reason in errno.
void writeJson(const std::string& path, const nlohmann::json& document) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) endRun(std::cerr, "Cannot open the JSON file " + path + " for writing: " + std::strerror(errno));
    const std::string text = document.dump(1) + "\n";
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        endRun(std::cerr, "Cannot write the JSON file " + path + ": " + std::strerror(written ? errno : writeError));
}

}  // namespace

void cSym::detectSymmetry() {
    report->printInfo("Detecting Symmetry");
    nlohmann::json document;  // null until a group is printed
    cResultsFile results(parameters->outputPath);
    const std::string& jsonPath = parameters->jsonPath;
    for (cPointSymmetryGroup* group : parameters->groups) {
        report->printInfo("Symmetry group :", group->getDescription());
        loadAlignment();
        findSymmetry(group);
        if (chainToCluster || !parameters->permutationText.empty()) {
            printResults(group, results.stream(), &document);
            results.flush();
        } else {
            report->printInfo("Unable to perform chain clustering", "");
        }
        // A later group that ends the run must not lose what the groups before it reported.
        if (!jsonPath.empty()) setFatalEndAction([&jsonPath, &document] { writeJson(jsonPath, document); });
        // A damaged trajectory ends the run once the results of its last good frame are out.
        if (!trajectoryError.empty()) endRun(std::cerr, trajectoryError);
    }
    setFatalEndAction(nullptr);
    if (!jsonPath.empty()) writeJson(jsonPath, document);
}

void cSym::autoDetectSymmetry() {
    report->printInfo("Auto-detecting Symmetry");
    report->printInfo("Assumes that the assembly is complete", "");
    if (chainCount < 2) {
        report->printInfo("Not enough chains, finishing", "");
        // No group tested: the document stays null, as when no tested group is printed.
        if (!parameters->jsonPath.empty()) writeJson(parameters->jsonPath, nullptr);
        return;
    }
    for (std::unique_ptr<cPointSymmetryGroup>& group : candidateGroups(chainCount))
        parameters->groups.push_back(keepForProcess(std::move(group)));
    detectSymmetry();
}
