// ClustalW weights of a tree's leaves, by leaf index, by leaf id and into an MSA.
#include "align/clustalWWeights.h"

#include <vector>

#include "align/diagnostics.h"
#include "align/engineTypes.h"
#include "align/msa.h"
#include "align/numUtils.h"
#include "align/tree.h"

namespace {

unsigned LeafCountOf(const Tree& tree) { return tree.GetNodeCount() == 0 ? 0 : tree.GetLeafCount(); }

unsigned CountSubtreeLeaves(const Tree& tree, unsigned node, std::vector<unsigned>& leavesUnder) {
    unsigned count = 1;
    if (!tree.IsLeaf(node))
        count = CountSubtreeLeaves(tree, tree.GetLeft(node), leavesUnder) +
                CountSubtreeLeaves(tree, tree.GetRight(node), leavesUnder);
    leavesUnder[node] = count;
    return count;
}

}  // namespace

void CalcClustalWWeights(const Tree& tree, float weights[]) {
    const unsigned leafCount = LeafCountOf(tree);
    if (leafCount == 0) return;
    if (leafCount == 1) {
        weights[0] = 1.0f;
        return;
    }
    if (leafCount == 2) {
        weights[0] = 0.5f;
        weights[1] = 0.5f;
        return;
    }
    if (!tree.IsRooted()) Quit("CalcClustalWWeights requires rooted tree");

    const unsigned nodeCount = tree.GetNodeCount();
    const unsigned root = tree.GetRootNodeIndex();
    std::vector<unsigned> leavesUnder(nodeCount, 0);
    const unsigned rootCount = CountSubtreeLeaves(tree, root, leavesUnder);
    if (rootCount != leafCount) Quit("WeightsFromTreee: Internal error, root count %u %u", rootCount, leafCount);

    // Each edge's length is shared equally by the leaves below it.
    std::vector<double> share(nodeCount, 0.0);
    for (unsigned node = 0; node < nodeCount; ++node)
        if (node != root) share[node] = tree.GetEdgeLength(node, tree.GetParent(node)) / leavesUnder[node];

    for (unsigned i = 0; i < leafCount; ++i) {
        const unsigned leaf = tree.LeafIndexToNodeIndex(i);
        if (!tree.IsLeaf(leaf)) Quit("CalcClustalWWeights: leaf");
        double weight = 0;
        for (unsigned node = leaf; node != NO_INDEX; node = tree.IsRoot(node) ? NO_INDEX : tree.GetParent(node))
            weight += share[node];
        // Leaves on edges of (almost) no length would get nothing.
        if (weight < 1e-4) weight = 1.0;
        weights[i] = static_cast<float>(weight);
    }
    Normalize(weights, leafCount);
}

void CalcClustalWWeightsByLeafId(const Tree& tree, float weights[]) {
    const unsigned leafCount = LeafCountOf(tree);
    std::vector<float> byIndex(leafCount);
    CalcClustalWWeights(tree, byIndex.data());
    std::vector<bool> seen(leafCount, false);
    for (unsigned i = 0; i < leafCount; ++i) {
        const unsigned leaf = tree.LeafIndexToNodeIndex(i);
        const unsigned id = tree.GetLeafId(leaf);
        const char* name = tree.GetLeafName(leaf);
        if (id >= leafCount)
            Quit("ClustalW weights: leaf %u (%s) has sequence id %u, expected ids 0 .. %u", leaf, name ? name : "", id,
                 leafCount - 1);
        if (seen[id]) Quit("ClustalW weights: sequence id %u is on two leaves (the second is %u)", id, leaf);
        seen[id] = true;
        weights[id] = byIndex[i];
    }
}

void MSA::SetClustalWWeights(const Tree& tree) {
    const unsigned leafCount = LeafCountOf(tree);
    std::vector<float> weights(leafCount);
    CalcClustalWWeights(tree, weights.data());
    for (unsigned i = 0; i < leafCount; ++i) {
        const unsigned id = tree.GetLeafId(tree.LeafIndexToNodeIndex(i));
        SetSeqWeight(GetSeqIndex(id), weights[i]);
    }
    NormalizeWeights(1.0f);
}
