// The per-element sums: for every group element, the aligned atoms of each chain paired with the
// same aligned atoms of the chain that the element sends it to.
#include <algorithm>
#include <iostream>

#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

void cSym::computeInertiasForAllAxes(cPointSymmetryGroup* group) {
    const int L = permutationLength;
    const int n = std::min(chainCount, static_cast<int>(chains.size()));
    int matched = 0;
    std::vector<cVector3> P, Q;
    for (int j = 0; j < L && j < static_cast<int>(group->permutations.size()); ++j) {
        const std::vector<int>& p = group->permutations[j];
        if (p.empty()) continue;
        P.clear();
        Q.clear();
        // Only slots that are real chains on both sides take part: missing chains have no atoms.
        const int chainSlots = std::min(n, static_cast<int>(p.size()));
        for (int k = 0; k < chainSlots; ++k) {
            const int image = p[k];
            if (image < 0 || image >= n) continue;
            const std::vector<cPDBAtom>& source = chains[k]->alignedAtoms;
            const std::vector<cPDBAtom>& target = chains[image]->alignedAtoms;
            if (source.empty()) continue;
            // The alignment gives every chain the same number of aligned atoms; should two
            // counts differ, only the common prefix is paired rather than reading past one.
            const std::size_t common = std::min(source.size(), target.size());
            for (std::size_t l = 0; l < common; ++l) {
                P.push_back(source[l].position);
                Q.push_back(target[l].position);
            }
        }
        const int pairs = static_cast<int>(P.size());
        computeCOM(P.data(), pairs, nullptr);
        computeGyrRad(P.data(), pairs, nullptr);
        incrementInertias(P.data(), Q.data(), pairs, nullptr, group, j, L);
        if (pairs > 0) ++matched;
    }
    if (matched < 2) endRun(std::cout, "Permutation does not make any existing chain match");
}
