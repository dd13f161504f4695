// Speed of the per-frame symmetry fit over a trajectory: a DCD of rigidly moved copies of the
// complex is written to a temporary file and fitted with the given group.
// Usage: bench_trajectory_fit <pdb> <group, e.g. c3> [frames, default 1000].
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cInfo.h"
#include "app/cParameters.h"
#include "app/symmetryGroupGrammar.h"
#include "structure/cMolecule.h"
#include "symmetry/cSym.h"

namespace {

void record(std::ofstream& out, const void* data, std::int32_t bytes) {
    out.write(reinterpret_cast<const char*>(&bytes), 4);
    out.write(static_cast<const char*>(data), bytes);
    out.write(reinterpret_cast<const char*>(&bytes), 4);
}

// Frames of every atom record of the file (those not kept stay at the origin), each turned a
// little further about a fixed axis.
void writeTrajectory(const std::string& path, const std::vector<cPDBAtom>& atoms, int natom, int frames) {
    std::ofstream out(path, std::ios::binary);
    char header[84] = "CORD";
    std::int32_t control[20] = {};
    control[0] = frames;
    control[3] = frames;
    control[19] = 24;
    std::memcpy(header + 4, control, sizeof control);
    record(out, header, sizeof header);
    char titles[84] = {};
    const std::int32_t one = 1;
    std::memcpy(titles, &one, 4);
    record(out, titles, sizeof titles);
    record(out, &natom, 4);
    std::vector<float> x(natom), y(natom), z(natom);
    for (int t = 0; t < frames; ++t) {
        const double angle = 0.001 * t, c = std::cos(angle), s = std::sin(angle);
        for (const cPDBAtom& atom : atoms) {
            const cVector3& p = atom.position;
            const int k = atom.recordOrdinal;
            x[k] = static_cast<float>(c * p.x - s * p.y);
            y[k] = static_cast<float>(s * p.x + c * p.y);
            z[k] = static_cast<float>(p.z + 0.01 * t);
        }
        record(out, x.data(), 4 * natom);
        record(out, y.data(), 4 * natom);
        record(out, z.data(), 4 * natom);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <pdb file> <group> [frames]\n", argv[0]);
        return 1;
    }
    const int frames = argc > 3 ? std::atoi(argv[3]) : 1000;
    sGroupArgument parsed = parseSymmetryGroup(argv[2]);
    if (!parsed.group) {
        std::fprintf(stderr, "%s: not a symmetry group\n", argv[2]);
        return 1;
    }
    cInfo info(75);
    info.setQuiet(true);
    cParameters parameters(&info);
    parameters.outputPath = "/dev/null";
    parameters.groups.push_back(keepForProcess(std::move(parsed.group)));
    cSym sym(&parameters, &info);
    sym.readPDB(argv[1]);
    sym.cutIntoChains();
    sym.alignChains();
    sym.saveAlignment();

    const std::string dcd =
        (std::filesystem::temp_directory_path() / ("quorix_bench_" + std::to_string(getpid()) + ".dcd")).string();
    writeTrajectory(dcd, sym.atoms, sym.atomRecordCount, frames);

    // The per-frame lines go nowhere; the time is that of the whole search of the group.
    std::stringstream sink;
    std::streambuf* original = std::cout.rdbuf(sink.rdbuf());
    auto start = std::chrono::steady_clock::now();
    sym.detectSymmetry();
    const double once = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    parameters.trajectoryPath = dcd;
    start = std::chrono::steady_clock::now();
    sym.detectSymmetry();
    const double all = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout.rdbuf(original);
    std::filesystem::remove(dcd);

    std::printf("%s, %s: %d chains; search with one fit %.3f s; with %d frames %.3f s (%.3f s beyond one fit, "
                "%.2f ms per frame)\n",
                argv[1], argv[2], sym.chainCount, once, frames, all, all - once, 1e3 * (all - once) / frames);
    return 0;
}
