// The per-element sums: for every group element, the aligned atoms of each chain paired with the
// same aligned atoms of the chain that the element sends it to.
#include <algorithm>
#include <cstring>
#include <iostream>
#include <utility>

#include "app/cParameters.h"
#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

namespace {

using tPositions = std::vector<std::vector<cVector3>>;

// Bit for bit: a position equal to another but for the sign of a zero, or a NaN, must not pass.
bool samePositions(const tPositions& a, const tPositions& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k].size() != b[k].size() ||
            (!a[k].empty() && std::memcmp(a[k].data(), b[k].data(), a[k].size() * sizeof(cVector3)) != 0))
            return false;
    return true;
}

// The chains of one element's point list P, each with the number of its atoms taken.
using tSources = std::vector<std::pair<int, int>>;

// Chains' positions about one centre at a time, each chain centred when first asked for.
class cCentredChains {
public:
    explicit cCentredChains(const tPositions& positions)
        : positions(positions), centred(positions.size()), centreOf(positions.size(), -1) {}

    // Centre of mass of the sources' positions (summed in order), and their mean squared
    // distance from it; the following calls of `chain` centre on it.
    void centreOn(const tSources& sources, cVector3& centre, double& gyration2) {
        centre = cVector3(0.0);
        int count = 0;
        for (const auto& [k, n] : sources) {
            for (int i = 0; i < n; ++i) centre += positions[k][i];
            count += n;
        }
        centre /= static_cast<double>(count);
        current = centre;
        ++centreNumber;
        double sum = 0.0;
        for (const auto& [k, n] : sources) {
            const cVector3* u = chain(k);
            for (int i = 0; i < n; ++i) sum += u[i].norm2();
        }
        gyration2 = sum / static_cast<double>(count);
    }

    const cVector3* chain(int k) {
        if (centreOf[k] != centreNumber) {
            centred[k].resize(positions[k].size());
            for (std::size_t i = 0; i < positions[k].size(); ++i) centred[k][i] = positions[k][i] - current;
            centreOf[k] = centreNumber;
        }
        return centred[k].data();
    }

private:
    const tPositions& positions;
    tPositions centred;
    std::vector<int> centreOf;  // the centre number that centred[k] is about; -1: none
    cVector3 current{0.0};
    int centreNumber = -1;
};

}  // namespace

void cSym::computeInertiasForAllAxes(cPointSymmetryGroup* group) {
    const int L = permutationLength;
    const int n = std::min(chainCount, static_cast<int>(chains.size()));
    const int elementCount = std::max(0, std::min(L, static_cast<int>(group->permutations.size())));
    // Each chain's aligned positions once, contiguous: every element pairs the same lists.
    tPositions positions(n);
    for (int k = 0; k < n; ++k) {
        positions[k].reserve(chains[k]->alignedAtoms.size());
        for (const cPDBAtom& atom : chains[k]->alignedAtoms) positions[k].push_back(atom.position);
    }

    if (keptInertiaSums && keptInertiaSums->length == L &&
        std::equal(keptInertiaSums->permutations.begin(), keptInertiaSums->permutations.end(),
                   group->permutations.begin(), group->permutations.begin() + elementCount) &&
        samePositions(keptInertiaSums->positions, positions)) {
        const sKeptInertiaSums& kept = *keptInertiaSums;
        for (std::size_t e = 0; e < kept.elements.size(); ++e) {
            sums = kept.sums[e];
            centreOfMass = kept.centres[e];
            W = kept.weights[e];
            saveCoefficients(kept.elements[e], L);
        }
        sums = kept.lastSums;
        centreOfMass = kept.lastCentre;
        W = kept.lastWeight;
        gyrationRadius2 = kept.lastGyration2;
        return;
    }
    keptInertiaSums.reset();

    cCentredChains centred(positions);
    tSources sources, centreSources;
    cVector3 centre(0.0);
    double gyration2 = 0.0;
    int matched = 0;
    std::vector<int> stored;
    std::vector<sCentredBlock> blocks;
    for (int j = 0; j < elementCount; ++j) {
        const std::vector<int>& p = group->permutations[j];
        if (p.empty()) continue;
        sources.clear();
        int pairs = 0;
        // Only slots that are real chains on both sides take part: missing chains have no atoms.
        const int chainSlots = std::min(n, static_cast<int>(p.size()));
        for (int k = 0; k < chainSlots; ++k) {
            const int image = p[k];
            if (image < 0 || image >= n) continue;
            if (positions[k].empty()) continue;
            // The alignment gives every chain the same number of aligned atoms; should two
            // counts differ, only the common prefix is paired rather than reading past one.
            const int common = static_cast<int>(std::min(positions[k].size(), positions[image].size()));
            sources.emplace_back(k, common);
            pairs += common;
        }
        blocks.clear();
        if (pairs > 0) {
            // Every element of a complete copy pairs all chains: one centre serves them all.
            if (sources != centreSources) {
                centred.centreOn(sources, centre, gyration2);
                centreSources = sources;
            }
            for (const auto& [k, common] : sources) blocks.push_back({centred.chain(k), centred.chain(p[k]), common});
            ++matched;
        }
        computeCentredElementSums(blocks, centre, gyration2, j, L);
        stored.push_back(j);
    }
    if (matched < 2) {
        // Permutations of -P are the user's to mend; the search's own say only that it found none.
        if (parameters && !parameters->permutationText.empty())
            endRun(std::cout, "Permutation does not make any existing chain match");
        endRun(std::cout, "No chain correspondence was found for the group " + group->getDescription());
    }

    // From a value: clang 14 takes the nested struct for not default-constructible in emplace().
    sKeptInertiaSums& kept = keptInertiaSums.emplace(sKeptInertiaSums{});
    kept.length = L;
    kept.permutations.assign(group->permutations.begin(), group->permutations.begin() + elementCount);
    kept.positions = std::move(positions);
    kept.elements = std::move(stored);
    for (int j : kept.elements) {
        kept.sums.push_back(elementSums[j]);
        kept.centres.push_back(elementCentres[j]);
        kept.weights.push_back(elementWeights[j]);
    }
    kept.lastSums = sums;
    kept.lastCentre = centreOfMass;
    kept.lastWeight = W;
    kept.lastGyration2 = gyrationRadius2;
}
