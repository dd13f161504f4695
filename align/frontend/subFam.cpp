// SubFam, SubFamRecurse and MarkSubtreeNodes.
#include "align/frontend/subFamAlign.h"

#include "align/diagnostics.h"
#include "align/tree.h"

unsigned SubFamRecurse(const Tree& tree, unsigned node, unsigned maxLeaves, unsigned subfams[], unsigned* count) {
    if (tree.GetNodeCount() == 1 || tree.IsLeaf(node)) return 1;
    const unsigned left = tree.GetLeft(node), right = tree.GetRight(node);
    const unsigned nL = SubFamRecurse(tree, left, maxLeaves, subfams, count);
    const unsigned nR = SubFamRecurse(tree, right, maxLeaves, subfams, count);
    const unsigned n = nL + nR;
    if (n > maxLeaves) {
        if (nL <= maxLeaves) subfams[(*count)++] = left;
        if (nR <= maxLeaves) subfams[(*count)++] = right;
    } else if (tree.IsRoot(node)) {
        if (*count != 0) Quit("Error in SubFamRecurse");
        subfams[(*count)++] = node;
    }
    return n;
}

void SubFam(const Tree& tree, unsigned maxLeaves, unsigned subfams[], unsigned* count) {
    *count = 0;
    if (tree.GetNodeCount() == 1 || tree.IsLeaf(tree.GetRootNodeIndex())) return;
    SubFamRecurse(tree, tree.GetRootNodeIndex(), maxLeaves, subfams, count);
}

void MarkSubtreeNodes(const Tree& tree, unsigned node, char flags[]) {
    while (tree.GetNodeCount() > 1 && !tree.IsLeaf(node)) {
        const unsigned left = tree.GetLeft(node), right = tree.GetRight(node);
        flags[left] = flags[right] = 1;
        MarkSubtreeNodes(tree, left, flags);
        node = right;
    }
}
