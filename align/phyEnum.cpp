// Edge and bipartition enumerators.
#include "align/phyEnum.h"

#include "align/diagnostics.h"
#include "align/engineTypes.h"
#include "align/tree.h"

namespace {

// The leaves reached from node without crossing back to from.
void GetBiPartLeaves(const Tree& tree, unsigned node, unsigned from, unsigned leaves[], unsigned* count) {
    if (tree.IsLeaf(node)) {
        leaves[(*count)++] = node;
        return;
    }
    const unsigned first = tree.GetFirstNeighbor(node, from);
    const unsigned second = tree.GetSecondNeighbor(node, from);
    if (first != NO_INDEX) GetBiPartLeaves(tree, first, node, leaves, count);
    if (second != NO_INDEX) GetBiPartLeaves(tree, second, node, leaves, count);
}

bool Deliver(const Tree& tree, PhyEnumEdgeState& state, unsigned node) {
    state.m_uNodeIndex1 = node;
    state.m_uNodeIndex2 = node == NO_INDEX ? NO_INDEX : tree.GetParent(node);
    return node != NO_INDEX;
}

}  // namespace

bool PhyEnumEdges(const Tree& tree, PhyEnumEdgeState& state) {
    unsigned node;
    if (!state.m_bInit) {
        if (tree.GetNodeCount() < 2) return Deliver(tree, state, NO_INDEX);
        node = tree.FirstDepthFirstNode();
        state.m_bInit = true;
    } else {
        node = tree.NextDepthFirstNode(state.m_uNodeIndex1);
        if (node == NO_INDEX) return Deliver(tree, state, NO_INDEX);
        if (tree.IsRooted() && tree.IsRoot(node)) node = tree.NextDepthFirstNode(node);
    }
    return Deliver(tree, state, node);
}

bool PhyEnumEdgesR(const Tree& tree, PhyEnumEdgeState& state) {
    unsigned node;
    if (!state.m_bInit) {
        if (tree.GetNodeCount() < 2) return Deliver(tree, state, NO_INDEX);
        node = tree.FirstDepthFirstNodeR();
        state.m_bInit = true;
    } else {
        node = tree.NextDepthFirstNodeR(state.m_uNodeIndex1);
        if (node == NO_INDEX) return Deliver(tree, state, NO_INDEX);
        if (tree.IsRooted() && tree.IsRoot(node)) node = tree.NextDepthFirstNode(node);
    }
    return Deliver(tree, state, node);
}

bool PhyEnumBiParts(const Tree& tree, PhyEnumEdgeState& state, unsigned leaves1[], unsigned* count1,
                    unsigned leaves2[], unsigned* count2) {
    *count1 = 0;
    *count2 = 0;
    bool ok = PhyEnumEdges(tree, state);
    if (ok && tree.IsRooted()) {
        const unsigned root = tree.GetRootNodeIndex();
        if (state.m_uNodeIndex2 == root && state.m_uNodeIndex1 == tree.GetRight(root)) ok = PhyEnumEdges(tree, state);
    }
    if (!ok) return false;
    const unsigned a = state.m_uNodeIndex1;
    const unsigned b = state.m_uNodeIndex2;
    GetBiPartLeaves(tree, a, b, leaves1, count1);
    GetBiPartLeaves(tree, b, a, leaves2, count2);
    const unsigned leafCount = tree.GetLeafCount();
    if (*count1 + *count2 != leafCount) Quit("PhyEnumBiParts %u + %u != %u", *count1, *count2, leafCount);
    return true;
}
