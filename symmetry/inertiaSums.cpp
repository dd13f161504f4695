// The per-element sums: for every group element, the aligned atoms of each chain paired with the
// same aligned atoms of the chain that the element sends it to.
#include <algorithm>
#include <iostream>

#include "app/cParameters.h"
#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

void cSym::computeInertiasForAllAxes(cPointSymmetryGroup* group) {
    const int L = permutationLength;
    const int n = std::min(chainCount, static_cast<int>(chains.size()));
    // Each chain's aligned positions once, contiguous: every element pairs the same lists.
    std::vector<std::vector<cVector3>> positions(n);
    for (int k = 0; k < n; ++k) {
        positions[k].reserve(chains[k]->alignedAtoms.size());
        for (const cPDBAtom& atom : chains[k]->alignedAtoms) positions[k].push_back(atom.position);
    }
    int matched = 0;
    std::vector<sPointBlock> blocks;
    for (int j = 0; j < L && j < static_cast<int>(group->permutations.size()); ++j) {
        const std::vector<int>& p = group->permutations[j];
        if (p.empty()) continue;
        blocks.clear();
        int pairs = 0;
        // Only slots that are real chains on both sides take part: missing chains have no atoms.
        const int chainSlots = std::min(n, static_cast<int>(p.size()));
        for (int k = 0; k < chainSlots; ++k) {
            const int image = p[k];
            if (image < 0 || image >= n) continue;
            const std::vector<cVector3>& source = positions[k];
            const std::vector<cVector3>& target = positions[image];
            if (source.empty()) continue;
            // The alignment gives every chain the same number of aligned atoms; should two
            // counts differ, only the common prefix is paired rather than reading past one.
            const int common = static_cast<int>(std::min(source.size(), target.size()));
            blocks.push_back({source.data(), target.data(), common});
            pairs += common;
        }
        computeElementSums(blocks, j, L);
        if (pairs > 0) ++matched;
    }
    if (matched < 2) {
        // Permutations of -P are the user's to mend; the search's own say only that it found none.
        if (parameters && !parameters->permutationText.empty())
            endRun(std::cout, "Permutation does not make any existing chain match");
        endRun(std::cout, "No chain correspondence was found for the group " + group->getDescription());
    }
}
