// Leaf sets, height order, horizontal cuts and pruning of trees.
#include "align/treeSubsets.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "align/diagnostics.h"
#include "align/engineTypes.h"
#include "align/textUtils.h"
#include "align/tree.h"

namespace {

void GetLeavesR(const Tree& tree, unsigned node, unsigned leaves[], unsigned* count) {
    if (tree.GetNodeCount() == 1 || tree.IsLeaf(node)) {
        leaves[(*count)++] = node;
        return;
    }
    GetLeavesR(tree, tree.GetLeft(node), leaves, count);
    GetLeavesR(tree, tree.GetRight(node), leaves, count);
}

void GetLeavesExcludingR(const Tree& tree, unsigned node, unsigned excluded, unsigned leaves[], unsigned* count) {
    if (node == excluded) return;
    if (tree.GetNodeCount() == 1 || tree.IsLeaf(node)) {
        leaves[(*count)++] = node;
        return;
    }
    GetLeavesExcludingR(tree, tree.GetLeft(node), excluded, leaves, count);
    GetLeavesExcludingR(tree, tree.GetRight(node), excluded, leaves, count);
}

}  // namespace

void GetLeaves(const Tree& tree, unsigned node, unsigned leaves[], unsigned* count) {
    *count = 0;
    GetLeavesR(tree, node, leaves, count);
}

void GetLeavesExcluding(const Tree& tree, unsigned node, unsigned excluded, unsigned leaves[], unsigned* count) {
    *count = 0;
    GetLeavesExcludingR(tree, node, excluded, leaves, count);
}

void LeafIndexesToIds(const Tree& tree, const unsigned leaves[], unsigned count, unsigned ids[]) {
    for (unsigned i = 0; i < count; ++i) ids[i] = tree.GetLeafId(leaves[i]);
}

void GetInternalNodesInHeightOrder(const Tree& tree, unsigned nodes[]) {
    const unsigned nodeCount = tree.GetNodeCount();
    if (nodeCount < 3) Quit("GetInternalNodesInHeightOrder: %u nodes, none are internal", nodeCount);
    std::vector<double> heights;
    unsigned count = 0;
    for (unsigned node = 0; node < nodeCount; ++node) {
        if (tree.IsLeaf(node)) continue;
        nodes[count++] = node;
        heights.push_back(tree.GetNodeHeight(node));
    }
    if (count != (nodeCount - 1) / 2) Quit("Internal error: GetInternalNodesInHeightOrder");
    // Bubble sort: only strictly greater heights move, so equal heights keep node order.
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (unsigned i = 0; i + 1 < count; ++i) {
            if (heights[i] > heights[i + 1]) {
                std::swap(heights[i], heights[i + 1]);
                std::swap(nodes[i], nodes[i + 1]);
                swapped = true;
            }
        }
    }
}

void ClusterByHeight(const Tree& tree, double height, unsigned subtrees[], unsigned* count) {
    if (!tree.IsRooted()) Quit("ClusterByHeight: requires rooted tree");
    *count = 0;
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node) {
        if (tree.IsRoot(node)) continue;
        const double parentHeight = tree.GetNodeHeight(tree.GetParent(node));
        if (parentHeight > height && height >= tree.GetNodeHeight(node)) subtrees[(*count)++] = node;
    }
}

void ClusterBySubfamCount(const Tree& tree, unsigned wanted, unsigned subfams[], unsigned* count) {
    const unsigned nodeCount = tree.GetNodeCount();
    if (nodeCount == 0) {
        *count = 0;
        return;
    }
    const unsigned leafCount = (nodeCount + 1) / 2;
    if (wanted >= leafCount) {
        for (unsigned i = 0; i < leafCount; ++i) subfams[i] = i;
        *count = leafCount;
        return;
    }
    subfams[0] = tree.GetRootNodeIndex();
    unsigned listed = 1;
    while (listed < wanted) {
        double highest = -1e20;
        unsigned best = NO_INDEX;
        for (unsigned i = 0; i < listed; ++i) {
            const unsigned node = subfams[i];
            if (tree.IsLeaf(node)) continue;
            const double h = std::max(tree.GetNodeHeight(tree.GetLeft(node)), tree.GetNodeHeight(tree.GetRight(node)));
            if (h > highest) {
                highest = h;
                best = i;
            }
        }
        if (best == NO_INDEX) Quit("CBSFCIter: failed to find highest child");
        const unsigned node = subfams[best];
        subfams[best] = tree.GetLeft(node);
        subfams[listed++] = tree.GetRight(node);
    }
    *count = wanted;
}

void Tree::PruneTree(const Tree& source, const unsigned subfams[], unsigned count) {
    if (!source.IsRooted()) Quit("Tree::PruneTree: requires rooted tree");
    if (count == 0) Quit("Tree::PruneTree: no subtrees to keep");
    Clear();
    const unsigned sourceCount = source.GetNodeCount();
    const unsigned nodeCount = 2 * count - 1;
    std::vector<unsigned> sourceToNew(sourceCount, NO_INDEX);
    std::vector<unsigned> newToSource(nodeCount, NO_INDEX);
    unsigned next = 0;
    auto map = [&](unsigned sourceNode) {
        if (next >= nodeCount) Quit("Tree::PruneTree, Internal error");
        sourceToNew[sourceNode] = next;
        newToSource[next] = sourceNode;
        ++next;
    };
    for (unsigned k = 0; k < count; ++k) {
        if (subfams[k] >= sourceCount || sourceToNew[subfams[k]] != NO_INDEX) Quit("Tree::PruneTree, Internal error");
        map(subfams[k]);
    }
    const unsigned sourceRoot = source.GetRootNodeIndex();
    for (unsigned k = 0; k < count; ++k) {
        for (unsigned p = source.GetParent(subfams[k]); p != NO_INDEX && p != sourceRoot; p = source.GetParent(p)) {
            if (sourceToNew[p] != NO_INDEX) break;
            map(p);
        }
    }
    // The root comes last (unless the single subtree is the whole tree).
    if (sourceToNew[sourceRoot] == NO_INDEX) map(sourceRoot);
    if (next != nodeCount) Quit("Tree::PruneTree, Internal error");

    m_uNodeCount = nodeCount;
    InitCache(nodeCount);
    for (unsigned k = 0; k < count; ++k) SetLeafName(k, Format("Subfam_%u", k + 1).c_str());
    for (unsigned node = count; node < nodeCount; ++node) {
        const unsigned s = newToSource[node];
        const unsigned left = source.GetLeft(s);
        const unsigned right = source.GetRight(s);
        // The subtrees must cover every leaf exactly once, so both children are kept.
        if (left == NO_INDEX || right == NO_INDEX || sourceToNew[left] == NO_INDEX || sourceToNew[right] == NO_INDEX)
            Quit("Tree::PruneTree, Internal error");
        LinkChild(node, 1, sourceToNew[left], source.GetEdgeLength(s, left), true);
        LinkChild(node, 2, sourceToNew[right], source.GetEdgeLength(s, right), true);
    }
    m_bRooted = true;
    m_uRootNodeIndex = sourceToNew[sourceRoot];
    Validate();
}
