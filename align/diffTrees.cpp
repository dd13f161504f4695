// DiffTrees and DiffTreesE.
#include "align/diffTrees.h"

#include <vector>

#include "align/diagnostics.h"
#include "align/engineTypes.h"
#include "align/tree.h"
#include "align/treeSubsets.h"

namespace {

void CheckLeafId(unsigned id, unsigned nodeCount) {
    if (id >= nodeCount) Quit("Diff trees requires existing leaf ids in range 0 .. (N-1)");
}

struct DiffState {
    const Tree& oldTree;
    Tree& diffs;
    unsigned* idToDiffsLeaf;
    std::vector<bool> different;
    std::vector<unsigned> leaves;
};

// Whether the node is the top of a common subtree: not different, and the root or below a
// different node.
bool IsCommonTop(const DiffState& s, unsigned node) {
    if (s.different[node]) return false;
    return s.oldTree.IsRoot(node) || s.different[s.oldTree.GetParent(node)];
}

void BuildDiffs(DiffState& s, unsigned oldNode, unsigned diffsNode) {
    if (IsCommonTop(s, oldNode)) {
        unsigned count = 0;
        GetLeaves(s.oldTree, oldNode, s.leaves.data(), &count);
        const unsigned leafCount = s.oldTree.GetLeafCount();
        for (unsigned i = 0; i < count; ++i) {
            const unsigned id = s.oldTree.GetLeafId(s.leaves[i]);
            if (id >= leafCount) Quit("BuildDiffs, id out of range");
            s.idToDiffsLeaf[id] = diffsNode;
        }
        return;
    }
    if (s.oldTree.IsLeaf(oldNode)) Quit("BuildDiffs: should never reach leaf");
    const unsigned first = s.diffs.AppendBranch(diffsNode);
    BuildDiffs(s, s.oldTree.GetLeft(oldNode), first);
    BuildDiffs(s, s.oldTree.GetRight(oldNode), first + 1);
}

}  // namespace

void DiffTrees(const Tree& oldTree, const Tree& newTree, Tree& diffs, unsigned idToDiffsLeaf[]) {
    if (!oldTree.IsRooted() || !newTree.IsRooted()) Quit("DiffTrees: requires rooted trees");
    const unsigned nodeCount = oldTree.GetNodeCount();
    if (newTree.GetNodeCount() != nodeCount) Quit("DiffTrees: different node counts");
    const unsigned leafCount = (nodeCount + 1) / 2;

    // nodeCount means "unset" in both maps.
    std::vector<unsigned> oldNodeToCluster(nodeCount, nodeCount);
    std::vector<unsigned> clusterToNewNode(nodeCount, nodeCount);
    for (unsigned node = 0; node < nodeCount; ++node) {
        if (oldTree.IsLeaf(node)) {
            const unsigned id = oldTree.GetLeafId(node);
            CheckLeafId(id, nodeCount);
            oldNodeToCluster[node] = id;
        }
        if (newTree.IsLeaf(node)) {
            const unsigned id = newTree.GetLeafId(node);
            CheckLeafId(id, nodeCount);
            clusterToNewNode[id] = node;
        }
    }
    for (unsigned id = 0; id < leafCount; ++id)
        if (clusterToNewNode[id] == nodeCount) Quit("DiffTrees, check 2");

    DiffState s{oldTree, diffs, idToDiffsLeaf, std::vector<bool>(nodeCount, false), std::vector<unsigned>(nodeCount)};
    unsigned nextCluster = leafCount;
    for (unsigned node = oldTree.FirstDepthFirstNode(); node != NO_INDEX; node = oldTree.NextDepthFirstNode(node)) {
        if (oldTree.IsLeaf(node) || s.different[node]) continue;
        const unsigned left = oldTree.GetLeft(node);
        const unsigned right = oldTree.GetRight(node);
        if (s.different[left] || s.different[right]) {
            s.different[node] = true;
            continue;
        }
        const unsigned clusterL = oldNodeToCluster[left];
        const unsigned clusterR = oldNodeToCluster[right];
        if (clusterL == nodeCount || clusterR == nodeCount) Quit("DiffTrees, check 5");
        const unsigned newL = clusterToNewNode[clusterL];
        const unsigned newR = clusterToNewNode[clusterR];
        if (newL == nodeCount || newR == nodeCount) Quit("DiffTrees, check 6");
        const unsigned parentL = newTree.GetParent(newL);
        if (parentL != NO_INDEX && parentL == newTree.GetParent(newR)) {
            oldNodeToCluster[node] = nextCluster;
            clusterToNewNode[nextCluster] = parentL;
            ++nextCluster;
        } else {
            s.different[node] = true;
        }
    }

    diffs.CreateRooted();
    for (unsigned id = 0; id < leafCount; ++id) idToDiffsLeaf[id] = nodeCount;
    BuildDiffs(s, oldTree.GetRootNodeIndex(), 0);
    for (unsigned id = 0; id < leafCount; ++id)
        if (idToDiffsLeaf[id] == nodeCount) Quit("TreeDiffs check 7");
}

void DiffTreesE(const Tree& tree1, const Tree& tree2, unsigned nodeMap[]) {
    if (!tree1.IsRooted() || !tree2.IsRooted()) Quit("DiffTrees: requires rooted trees");
    const unsigned nodeCount = tree1.GetNodeCount();
    if (tree2.GetNodeCount() != nodeCount) Quit("DiffTreesE: different node counts");
    std::vector<unsigned> idToNode2(nodeCount, NO_INDEX);
    for (unsigned node = 0; node < nodeCount; ++node) {
        if (!tree2.IsLeaf(node)) continue;
        const unsigned id = tree2.GetLeafId(node);
        CheckLeafId(id, nodeCount);
        idToNode2[id] = node;
    }
    for (unsigned node = 0; node < nodeCount; ++node) {
        if (!tree1.IsLeaf(node)) {
            nodeMap[node] = NO_INDEX;
            continue;
        }
        const unsigned id = tree1.GetLeafId(node);
        CheckLeafId(id, nodeCount);
        nodeMap[node] = idToNode2[id];
    }
    for (unsigned node = tree1.FirstDepthFirstNode(); node != NO_INDEX; node = tree1.NextDepthFirstNode(node)) {
        if (tree1.IsLeaf(node)) continue;
        const unsigned mapL = nodeMap[tree1.GetLeft(node)];
        const unsigned mapR = nodeMap[tree1.GetRight(node)];
        nodeMap[node] = NO_INDEX;
        if (mapL == NO_INDEX || mapR == NO_INDEX) continue;
        const unsigned parent = tree2.GetParent(mapL);
        if (parent != NO_INDEX && parent == tree2.GetParent(mapR)) nodeMap[node] = parent;
    }
}
