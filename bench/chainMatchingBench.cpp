// Speed of a whole run's stages on one complex: chain matching (with and without the engine
// result cache) and the detection of its candidate groups. Usage: bench_chain_matching <pdb>.
#include <chrono>
#include <cstdio>
#include <string>

#include "align/msa.h"
#include "app/cInfo.h"
#include "app/cParameters.h"
#include "symmetry/cSym.h"
#include "symmetry/engineCallCache.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct sTimes {
    int chains = 0;
    double read = 0.0, match = 0.0, detect = 0.0;
};

// One run as main performs it, its report silenced and its results table sent nowhere.
sTimes run(const std::string& path, bool cache, bool detect) {
    engineCallCache().clear();
    engineCallCache().setEnabled(cache);
    cInfo info(75);
    info.setQuiet(true);
    cParameters parameters(&info);
    parameters.outputPath = "/dev/null";
    cSym sym(&parameters, &info);
    sTimes times;
    auto start = std::chrono::steady_clock::now();
    sym.readPDB(path);
    sym.cutIntoChains();
    times.read = secondsSince(start);
    times.chains = sym.chainCount;
    start = std::chrono::steady_clock::now();
    sym.alignChains();
    sym.saveAlignment();
    times.match = secondsSince(start);
    if (detect) {
        start = std::chrono::steady_clock::now();
        sym.autoDetectSymmetry();
        times.detect = secondsSince(start);
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <pdb file>\n", argv[0]);
        return 1;
    }
    const std::string path = argv[1];
    const sTimes cached = run(path, true, true);
    const std::size_t hits = engineCallCache().hits(), misses = engineCallCache().misses();
    const int n = cached.chains;
    std::printf("%s: %d chains, %d engine calls for chain matching ((n-1) + n^2 + 1)\n", path.c_str(), n,
                (n - 1) + n * n + 1);
    std::printf("  reading and cutting          %8.3f s\n", cached.read);
    std::printf("  chain matching, cached       %8.3f s  (two-chain results reused %zu times, computed %zu times)\n",
                cached.match, hits, misses);
    const sTimes uncached = run(path, false, false);
    std::printf("  chain matching, no cache     %8.3f s\n", uncached.match);
    std::printf("  detection of candidate groups %7.3f s\n", cached.detect);
    std::printf("  whole run (cached)           %8.3f s\n", cached.read + cached.match + cached.detect);
    return 0;
}
