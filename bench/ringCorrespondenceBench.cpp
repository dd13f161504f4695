// Cost of the chain-to-element correspondence on rings: copies of one small chain placed
// around a tilted axis, written as a PDB file with three decimals as real files are, prepared
// as a run prepares them and matched to the cyclic group of their count. Prints, per ring, the
// edges of the initial chain neighbour graph (a ring needs 2n), the search steps of the first
// map search and the time of the whole correspondence.
// Usage: bench_ring_correspondence <pdb with a chain A> [chain counts, default 24 48 60 120].
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/cInfo.h"
#include "app/cParameters.h"
#include "geometry/cMatrix33.h"
#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/chainCorrespondence.h"
#include "symmetry/elementTables.h"

namespace {

constexpr double kPi = 3.141592653589793;

struct sLine {
    std::string text;
    cVector3 position;
};

std::vector<sLine> chainA(const std::string& path) {
    std::ifstream in(path);
    std::vector<sLine> lines;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("ATOM", 0) == 0 && line.size() >= 54 && line[21] == 'A')
            lines.push_back({line, cVector3(std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)),
                                            std::stod(line.substr(46, 8)))});
    return lines;
}

// n copies about the axis (0.3, -0.5, 0.8) through (10, -5, 3), far enough apart not to touch.
std::string ringFile(const std::vector<sLine>& chain, int n) {
    cVector3 centre(0.0);
    for (const sLine& l : chain) centre += l.position;
    centre /= static_cast<double>(chain.size());
    const cVector3 axis = cVector3(0.3, -0.5, 0.8).normalizedVersion();
    const double radius = std::max(30.0, 2.3 * n);
    const cVector3 offset = cVector3(axis.y, -axis.x, 0.0).normalizedVersion() * radius;
    const cVector3 origin(10.0, -5.0, 3.0);
    const std::string ids = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string text;
    int serial = 0;
    char buffer[128];
    for (int k = 0; k < n; ++k) {
        cMatrix33 R;
        R.fromAxisAngle(axis, 2.0 * kPi * k / n);
        for (const sLine& l : chain) {
            const cVector3 p = R * (l.position - centre + offset) + origin;
            std::snprintf(buffer, sizeof buffer, "%s%5d%s%c%s%8.3f%8.3f%8.3f", l.text.substr(0, 6).c_str(),
                          ++serial % 100000, l.text.substr(11, 10).c_str(), ids[k % ids.size()],
                          l.text.substr(22, 8).c_str(), p.x, p.y, p.z);
            text += buffer + l.text.substr(54) + "\n";
        }
        text += "TER\n";
    }
    return text + "END\n";
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void measure(const std::vector<sLine>& chain, int n) {
    const std::string path = "/tmp/quorix_ring_" + std::to_string(n) + ".pdb";
    std::ofstream(path) << ringFile(chain, n);
    cInfo info(75);
    info.setQuiet(true);
    cParameters parameters(&info);
    cSym sym(&parameters, &info);
    sym.readPDB(path);
    sym.cutIntoChains();
    sym.alignChains();
    cCnSymmetry group(n);
    std::vector<double> angles;
    for (int i = 1; i <= n / 2; ++i) angles.push_back((2 * i) * kPi / n);
    sym.clusterChains(n, angles, false);
    std::remove(path.c_str());
    if (!sym.chainToCluster) {
        std::printf("%4d chains: clustering failed\n", n);
        return;
    }

    // The directions the correspondence sees, for the graph and the step count.
    std::vector<cVector3> directions;
    cVector3 mean(0.0);
    for (const cMolecule* c : sym.chains) mean += c->centreOfMass;
    mean /= static_cast<double>(n);
    for (const cMolecule* c : sym.chains) directions.push_back((c->centreOfMass - mean).normalizedVersion());
    const tGraph graph = chainNeighbourGraph(directions.data(), n);
    std::size_t edges = 0;
    for (const std::vector<int>& list : graph) edges += list.size();
    long long budget = kMaxCorrespondenceSteps;
    const std::size_t found = maxInducedSubGraph(graph, groupElementGraph('c', n), &budget).size();

    const auto start = std::chrono::steady_clock::now();
    const bool matched = sym.estimateCorrespondence(&group, 0);
    const double seconds = secondsSince(start);
    std::printf("%4d chains: %5zu graph edges (ring: %d), first search %9lld steps, %4zu maps; "
                "correspondence %s in %.4f s\n",
                n, edges / 2, n, kMaxCorrespondenceSteps - budget, found, matched ? "found" : "FAILED", seconds);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <pdb with a chain A> [chain counts]\n", argv[0]);
        return 1;
    }
    const std::vector<sLine> chain = chainA(argv[1]);
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i) counts.push_back(std::stoi(argv[i]));
    if (counts.empty()) counts = {24, 48, 60, 120};
    // The engine fixes its sequence count at the first alignment: the largest ring goes first.
    std::sort(counts.rbegin(), counts.rend());
    for (int n : counts) measure(chain, n);
    return 0;
}
