// RefineTree, RealignDiffs and their profile-merging variants.
#include "align/refineTree.h"

#include <memory>
#include <utility>
#include <vector>

#include "align/alignTwoProfs.h"
#include "align/diagnostics.h"
#include "align/diffTrees.h"
#include "align/estring.h"
#include "align/guideTree.h"
#include "align/msa.h"
#include "align/msaFunctions.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/progNode.h"
#include "align/progress.h"
#include "align/progressiveAlign.h"
#include "align/seqVect.h"
#include "align/timeLimit.h"
#include "align/tree.h"

namespace {

void CheckLeafCount(const MSA& msa, const Tree& tree) {
    const unsigned leaves = tree.GetNodeCount() == 0 ? 0 : tree.GetLeafCount();
    if (leaves != msa.GetSeqCount()) Quit("Refine tree, tree has different number of nodes");
}

void CheckOddNodeCount(const Tree& tree) {
    if (tree.GetNodeCount() % 2 == 0) Quit("RealignDiffs: Expected odd number of nodes");
}

// A diff-tree leaf: the sequences mapped to it, as one alignment without all-gap columns.
void MakeNode(const MSA& msa, unsigned diffNode, const unsigned idToDiffNode[], MSA& out) {
    const unsigned seqCount = msa.GetSeqCount();
    std::vector<unsigned> ids;
    for (unsigned id = 0; id < seqCount; ++id)
        if (idToDiffNode[id] == diffNode) ids.push_back(id);
    if (ids.empty()) Quit("MakeNode: no seqs in diff");
    MSASubsetByIds(msa, ids.data(), static_cast<unsigned>(ids.size()), out);
    DeleteGappedCols(out);
}

}  // namespace

void RefineTree(MSA& msa, Tree& tree) {
    CheckLeafCount(msa, tree);
    const unsigned seqCount = msa.GetSeqCount();
    if (seqCount <= 2) return;
    std::vector<unsigned> idToDiffNode(seqCount);
    unsigned bound = seqCount;
    for (unsigned iter = 0; iter < g_uMaxTreeRefineIters; ++iter) {
        Tree newTree;
        TreeFromMSA(msa, newTree, g_Cluster2, g_Distance2, g_Root2, g_pstrDistMxFileName2);
        Tree diffs;
        DiffTrees(newTree, tree, diffs, idToDiffNode.data());
        tree.Copy(newTree);
        const unsigned diffNodeCount = diffs.GetNodeCount();
        const unsigned changedGroups = (diffNodeCount - 1) / 2;
        if (diffNodeCount < 3 || changedGroups >= bound) {
            ProgressStepsDone();
            break;
        }
        MSA realigned;
        RealignDiffs(msa, diffs, idToDiffNode.data(), realigned);
        msa.Copy(realigned);
        SetCurrentAlignment(msa);
        bound = changedGroups;
    }
}

void RealignDiffs(const MSA& msa, const Tree& diffTree, const unsigned idToDiffNode[], MSA& out) {
    CheckOddNodeCount(diffTree);
    const unsigned nodeCount = diffTree.GetNodeCount();
    std::unique_ptr<ProgNode[]> nodes(new ProgNode[nodeCount]);
    SetProgressDesc("Refine tree");
    const unsigned internalCount = (nodeCount - 1) / 2;
    unsigned joins = 0;
    unsigned last = NO_INDEX;
    for (unsigned node = diffTree.FirstDepthFirstNode(); node != NO_INDEX; node = diffTree.NextDepthFirstNode(node)) {
        if (node >= nodeCount) Quit("TreeNodeIndex=%u NodeCount=%u\n", node, nodeCount);
        last = node;
        ProgNode& pn = nodes[node];
        if (diffTree.IsLeaf(node)) {
            MakeNode(msa, node, idToDiffNode, pn.m_MSA);
            continue;
        }
        Progress(joins, internalCount);
        ++joins;
        JoinChildMSAs(nodes[diffTree.GetLeft(node)], nodes[diffTree.GetRight(node)], pn);
    }
    if (last == NO_INDEX) Quit("RealignDiffs: empty diff tree");
    out.Copy(nodes[last].m_MSA);
}

void RefineTreeE(MSA& msa, const SeqVect& v, Tree& tree, ProgNode* nodes) {
    CheckLeafCount(msa, tree);
    if (msa.GetSeqCount() <= 2) return;
    Tree newTree;
    TreeFromMSA(msa, newTree, g_Cluster2, g_Distance2, g_Root2, g_pstrDistMxFileName2);
    std::vector<unsigned> newToOld(newTree.GetNodeCount());
    DiffTreesE(newTree, tree, newToOld.data());
    if (newToOld[newTree.GetRootNodeIndex()] == NO_INDEX) {
        MSA realigned;
        RealignDiffsE(msa, v, newTree, tree, newToOld.data(), realigned, nodes);
        tree.Copy(newTree);
        msa.Copy(realigned);
    }
    SetCurrentAlignment(msa);
    ProgressStepsDone();
}

void RealignDiffsE(const MSA&, const SeqVect& v, const Tree& newTree, const Tree& oldTree, const unsigned newToOld[],
                   MSA& out, ProgNode* oldNodes) {
    CheckOddNodeCount(newTree);
    const unsigned nodeCount = newTree.GetNodeCount();
    std::unique_ptr<ProgNode[]> nodes(new ProgNode[nodeCount]);

    // Subtrees that the new tree shares with the old one keep their profiles and edits.
    for (unsigned node = 0; node < nodeCount; ++node) {
        const unsigned old = newToOld[node];
        if (old == NO_INDEX) continue;
        ProgNode& pn = nodes[node];
        ProgNode& on = oldNodes[old];
        pn.m_Prof = on.m_Prof;
        pn.m_uLength = on.m_uLength;
        pn.m_Weight = on.m_Weight;
        pn.m_EstringL = on.m_EstringL;
        pn.m_EstringR = on.m_EstringR;
        if (!newTree.IsLeaf(node) && newToOld[newTree.GetLeft(node)] != oldTree.GetLeft(old))
            std::swap(pn.m_EstringL, pn.m_EstringR);
        on.m_Prof = nullptr;
        on.m_EstringL = nullptr;
        on.m_EstringR = nullptr;
    }

    SetProgressDesc("Refine tree");
    const unsigned total = (nodeCount - 1) / 2 - 1;
    unsigned joins = 0;
    for (unsigned node = newTree.FirstDepthFirstNode(); node != NO_INDEX; node = newTree.NextDepthFirstNode(node)) {
        if (newToOld[node] != NO_INDEX) continue;
        if (newTree.IsLeaf(node)) Quit("RealignDiffsE: leaf %u has no counterpart", node);
        ProgNode& pn = nodes[node];
        ProgNode& left = nodes[newTree.GetLeft(node)];
        ProgNode& right = nodes[newTree.GetRight(node)];
        Progress(joins, total);
        ++joins;
        AlignTwoProfs(left.m_Prof, left.m_uLength, left.m_Weight, right.m_Prof, right.m_uLength, right.m_Weight,
                      pn.m_Path, &pn.m_Prof, &pn.m_uLength);
        PathToEstrings(pn.m_Path, &pn.m_EstringL, &pn.m_EstringR);
        pn.m_Weight = left.m_Weight + right.m_Weight;
        delete[] left.m_Prof;
        delete[] right.m_Prof;
        left.m_Prof = nullptr;
        right.m_Prof = nullptr;
    }
    ProgressStepsDone();

    if (g_bBrenner)
        MakeRootMSABrenner(v, newTree, nodes.get(), out);
    else
        MakeRootMSA(v, newTree, nodes.get(), out);
    for (unsigned node = 0; node < nodeCount; ++node) DeleteProgNode(nodes[node]);
}
