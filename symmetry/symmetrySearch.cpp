// The symmetry search for one group: chain-count checks, the chain permutations of the group's
// elements, and the axis fit (per trajectory frame when a trajectory is given).
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/cParameters.h"
#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"
#include "symmetry/manualPermutations.h"
#include "symmetry/trajectoryFit.h"

namespace {

constexpr double kPi = 3.141592653589793;

bool isCubic(const std::string& type) { return type == "t" || type == "o" || type == "i"; }

// Rotation angles (radians) that clustering expects between chains of one copy of the assembly.
std::vector<double> expectedAngles(const cPointSymmetryGroup& group) {
    std::vector<double> angles;
    const int N = group.order;
    if (group.type == "c") {
        for (int i = 1; i <= N / 2; ++i) angles.push_back((2 * i) * kPi / N);
    } else if (group.type == "d") {
        angles.push_back(kPi);
        for (int i = 1; i <= N / 2; ++i) angles.push_back(2 * kPi * i / N);
    } else if (group.type == "t") {
        angles = {kPi, 2.0943951023931953};
    } else if (group.type == "o") {
        angles = {kPi, 2.0943951023931953, 1.5707963267948966};
    } else if (group.type == "i") {
        angles = {kPi, 2.0943951023931953, 1.2566370614359172, 2.5132741228718345};
    }
    return angles;
}

// Members of the cycle through the first defined slot j of p, counted while the walk stays above
// j (j is the smallest slot of its cycle). Bounded by the length of p.
int cycleFromFirstSlot(const std::vector<int>& p) {
    int j = -1;
    for (int s = 0; s < static_cast<int>(p.size()); ++s)
        if (p[s] != -1) {
            j = s;
            break;
        }
    if (j < 0) return 0;
    int k = 1;
    int x = p[j];
    while (x > j && x < static_cast<int>(p.size()) && k <= static_cast<int>(p.size())) {
        x = p[x];
        ++k;
    }
    return k;
}

// Real chains of cluster set f.
int realChainsInSet(const cSym& sym, int f) {
    const int id = sym.clusterIds[f];
    int count = 0;
    for (int k = 0; k < sym.chainCount && k < static_cast<int>(sym.chainToCluster->size()); ++k)
        if ((*sym.chainToCluster)[k] == id) ++count;
    return count;
}

// Atoms that no rotation can tell apart: every matched atom of every chain at one point (within
// a millionth of an Ångström; coordinates are written to a thousandth). Any axis through that
// point would then fit perfectly, so there is no axis to report.
bool matchedAtomsCoincide(const std::vector<cMolecule*>& chains, cVector3& point) {
    cVector3 sum(0.0);
    long count = 0;
    for (const cMolecule* chain : chains)
        for (const cPDBAtom& atom : chain->alignedAtoms) {
            sum += atom.position;
            ++count;
        }
    if (count == 0) return false;
    point = sum / static_cast<double>(count);
    constexpr double kTolerance = 1e-6;  // Å
    for (const cMolecule* chain : chains)
        for (const cPDBAtom& atom : chain->alignedAtoms)
            if ((atom.position - point).norm2() > kTolerance * kTolerance) return false;
    return true;
}

}  // namespace

void cSym::findSymmetry(cPointSymmetryGroup* group) {
    // The sums kept between the fits of this search serve no later stage: their memory goes back
    // before the results are written, however the search ends.
    struct sForgetKeptSums {
        cSym& sym;
        ~sForgetKeptSums() { sym.keptInertiaSums.reset(); }
    } forgetKeptSums{*this};
    if (chainCount < 1) endRun(std::cerr, "No chain found, exit");
    // A lone chain may be the asymmetric unit of a crystal: replication may complete it.
    if (chainCount == 1 && !parameters->autoreplicate) endRun(std::cerr, "Only one chain found, exit");
    const std::string& type = group->type;
    // Only these kinds have an order, a chain count and element tables.
    if ((type != "c" && type != "d" && !isCubic(type)) || group->order < 1 || group->chainsPerAssembly < 1)
        endRun(std::cerr, "Symmetry group " + group->getDescription() + " cannot be searched");

    if (parameters->autoreplicate) {
        // The whole assembly: 2N chains for a dihedral group of order N.
        const std::string failure = replicateChainsCrystal(group->chainsPerAssembly, type[0]);
        // Without the whole assembly there is nothing to search, whatever the number of chains,
        // and no replicated file to write.
        if (!failure.empty())
            endRun(std::cerr,
                   "Automatic chain replication failed, please provide a file with all the chains\n" + failure);
        if (chainCount == 1)
            endRun(std::cerr, "Automatic chain replication failed, please provide a file with all the chains");
        const std::string& path = parameters->autoreplicateOutputPath;
        if (!path.empty()) {
            std::cout << path << std::endl;
            std::FILE* out = std::fopen(path.c_str(), "w");
            if (!out) endRun(std::cerr, "Cannot open the replicated PDB file for writing: " + path);
            for (const cMolecule* chain : chains)
                for (const cPDBAtom& atom : chain->atoms.empty() ? chain->alignedAtoms : chain->atoms) atom.toFile(out);
            std::fclose(out);
        }
    }
    const int n = chainCount;

    if (type != "c" && n % group->order != 0) {
        if (parameters->autoreplicate)
            endRun(std::cerr, "Automatic chain replication failed, please provide a file with all the chains");
        std::cerr << "Exiting, number of found chains " << n << std::endl;
        std::cerr << "Number of expected chains multiple of " << group->order << std::endl;
        std::cerr << "Only cyclic symmetry supports missing chains " << std::endl;
        endRun(std::cerr, "Try to provide the biological assembly file");
    }
    if (cVector3 point; matchedAtomsCoincide(chains, point)) {
        char where[96];
        std::snprintf(where, sizeof where, "(%.3f, %.3f, %.3f)", point.x, point.y, point.z);
        endRun(std::cerr, std::string("Error: the matched atoms of all chains lie at one point ") + where +
                              ": there is no symmetry axis to find");
    }

    const int m = group->chainsPerAssembly;
    if (parameters->permutationText.empty()) {
        clusterChains(m, expectedAngles(*group), type == "c" ? strictAngles : true);
        if (!chainToCluster) return;

        const int L = permutationLength;
        std::vector<int> merged[2] = {std::vector<int>(L, -1), std::vector<int>(L, -1)};
        const int g = (type == "c" || type == "d") ? group->order : 3;
        cVector3 w0(0.0), b0(0.0);
        double s0 = 0.0;
        // Every cluster that clustering produced, so that no chain is left out of the fit.
        for (int f = 0; f < static_cast<int>(clusterIds.size()); ++f) {
            if (!estimateCorrespondence(group, f)) return;
            initPermutations(group);
            // A copy with one chain present pairs no atoms under any rotation: there is nothing
            // to fit (the fit would end the run), and its generator is chosen with the axes at
            // hand; no orientation of a lone chain's copy can disagree with another copy's.
            if (realChainsInSet(*this, f) > 1) computeAxis(group);

            if (f == 0) {
                w0 = a1 * std::sin(kPi / g);
                int element = -1;
                for (int v : mainPermutation)
                    if (v != -1) {
                        element = v;
                        break;
                    }
                s0 = element >= 0 && element < static_cast<int>(group->q0.size()) ? group->q0[element] : 0.0;
                b0 = a2;
                merged[0] = mainPermutation;
                merged[1] = secondPermutation;
                continue;
            }

            const int id = clusterIds[f];
            const std::vector<int>& slots = *chainToCluster;
            double best0 = -1.0, best1 = -1.0;
            const cVector3 a3 = a1 ^ a2;
            for (int i = 0; i < L && i < static_cast<int>(group->permutations.size()); ++i) {
                const std::vector<int>& p = group->permutations[i];
                if (p.empty() || p[i] == i) continue;
                const cVector3 v = a1 * group->q1[i] + a2 * group->q2[i] + a3 * group->q3[i];
                const int k = cycleFromFirstSlot(p);
                auto copySet = [&](std::vector<int>& into) {
                    for (int l = 0; l < L && l < static_cast<int>(slots.size()); ++l)
                        if (slots[l] == id) into[l] = p[l];
                };
                if (k == 2 && std::fabs(v | b0) > best1) {
                    best1 = std::fabs(v | b0);
                    copySet(merged[1]);
                }
                const bool generatorCycle = isCubic(type) ? k == 3 : k == group->order;
                const double score = std::fabs((v | w0) + s0 * group->q0[i]);
                if (generatorCycle && score > best0) {
                    best0 = score;
                    copySet(merged[0]);
                }
            }
        }
        mainPermutation = merged[0];
        secondPermutation = merged[1];
        initPermutations(group);
    } else {
        const sManualPermutations manual =
            parseManualPermutations(parameters->permutationText, type, group->order, n);
        if (!manual.error.empty()) endRun(std::cout, manual.error);
        permutationLength = static_cast<int>(manual.main.size());
        mainPermutation = manual.main;
        secondPermutation = type == "c" ? std::vector<int>(permutationLength, -1) : manual.second;
        initPermutations(group);
    }

    if (parameters->trajectoryPath.empty()) computeAxis(group);
    else trajectoryError = fitTrajectory(*this, group, parameters->trajectoryPath, parameters->trajectorySource);
}
