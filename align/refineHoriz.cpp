// RefineHoriz and TryRealign.
#include "align/refineHoriz.h"

#include <algorithm>
#include <vector>

#include "align/alignTwoMSAs.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/msaFunctions.h"
#include "align/objScore.h"
#include "align/params.h"
#include "align/progress.h"
#include "align/pwPath.h"
#include "align/scoreHistory.h"
#include "align/seqWeights.h"
#include "align/timeLimit.h"
#include "align/tree.h"
#include "align/treeSubsets.h"

namespace {

// The split edge is meaningful only during a refinement; later weightings must not see it.
struct SplitNodesReset {
    ~SplitNodesReset() {
        g_uTreeSplitNode1 = NO_INDEX;
        g_uTreeSplitNode2 = NO_INDEX;
    }
};

}  // namespace

bool TryRealign(MSA& msa, const Tree& tree, const unsigned leavesA[], unsigned countA, const unsigned leavesB[],
                unsigned countB, SCORE* oldScore, SCORE* newScore, bool lockLeft, bool lockRight, KnownScore* known) {
    *oldScore = 0;
    *newScore = 0;
    std::vector<unsigned> idsA(countA), idsB(countB);
    LeafIndexesToIds(tree, leavesA, countA, idsA.data());
    LeafIndexesToIds(tree, leavesB, countB, idsB.data());

    MSA a, b;
    MSASubsetByIds(msa, idsA.data(), countA, a);
    MSASubsetByIds(msa, idsB.data(), countB, b);
    PWPath oldPath;
    oldPath.FromMSAPair(a, b);
    DeleteGappedCols(a);
    DeleteGappedCols(b);
    if (a.GetColCount() == 0 || b.GetColCount() == 0) return false;

    PWPath newPath;
    AlignTwoMSAsPath(a, b, newPath, lockLeft, lockRight);
    if (newPath.Equal(oldPath)) return false;
    MSA realigned;
    AlignTwoMSAsGivenPath(newPath, a, b, realigned);

    SetMSAWeightsCorvid(msa);
    SetMSAWeightsCorvid(realigned);
    // A whole-alignment score of msa is the one computed when msa last changed (or was last
    // scored): msa.Copy below keeps realigned's rows in their order, and the next
    // SetMSAWeightsCorvid(msa) gives them the weights realigned had.
    const bool reuse = known && ObjScoreIsOfWholeAlignment(msa);
    if (reuse && known->valid) {
        *oldScore = known->score;
    } else {
        *oldScore = ObjScoreIds(msa, idsA.data(), countA, idsB.data(), countB);
        if (reuse) *known = KnownScore{true, *oldScore};
    }
    *newScore = ObjScoreIds(realigned, idsA.data(), countA, idsB.data(), countB);
    if (!(*newScore > *oldScore)) return false;
    msa.Copy(realigned);
    if (reuse) *known = KnownScore{true, *newScore};
    return true;
}

bool RefineHoriz(MSA& msa, const Tree& tree, unsigned maxPasses, bool lockLeft, bool lockRight) {
    if (!tree.IsRooted()) Quit("RefineHeight: requires rooted tree");
    const unsigned seqCount = msa.GetSeqCount();
    if (seqCount <= 2) return false;
    const SplitNodesReset reset;

    const unsigned internalCount = seqCount - 1;
    std::vector<unsigned> internals(internalCount);
    GetInternalNodesInHeightOrder(tree, internals.data());
    std::vector<unsigned> internalsReversed(internals.rbegin(), internals.rend());
    ScoreHistory history(maxPasses, 2 * seqCount - 1);

    const unsigned root = tree.GetRootNodeIndex();
    std::vector<unsigned> leavesA(seqCount), leavesB(seqCount);
    bool anyAccepted = false;
    KnownScore known;
    for (unsigned pass = 0; pass < maxPasses; ++pass) {
        IncIter();
        SetProgressDesc("Refine biparts");
        g_uRefineHeightSubtree = 0;
        g_uRefineHeightSubtreeTotal = 2 * seqCount - 3;
        const std::vector<unsigned>& order = pass % 2 == 0 ? internals : internalsReversed;
        bool acceptedThisPass = false;
        for (const bool right : {true, false}) {
            for (const unsigned node : order) {
                if (!right && tree.IsRoot(node)) continue;
                const unsigned child = right ? tree.GetRight(node) : tree.GetLeft(node);
                g_uTreeSplitNode1 = node;
                g_uTreeSplitNode2 = child;
                unsigned countA = 0, countB = 0;
                GetLeaves(tree, child, leavesA.data(), &countA);
                GetLeavesExcluding(tree, root, child, leavesB.data(), &countB);

                SCORE oldScore = 0, newScore = 0;
                const bool accepted = TryRealign(msa, tree, leavesA.data(), countA, leavesB.data(), countB,
                                                 &oldScore, &newScore, lockLeft, lockRight, &known);
                SetCurrentAlignment(msa);
                Progress(g_uRefineHeightSubtree, g_uRefineHeightSubtreeTotal);
                ++g_uRefineHeightSubtree;
                // Counted before the history check: an accepted trial has changed msa.
                if (accepted) {
                    acceptedThisPass = true;
                    anyAccepted = true;
                }
                if (history.SetScore(pass, node, right, std::max(oldScore, newScore))) return anyAccepted;
            }
        }
        if (!acceptedThisPass) break;
    }
    return anyAccepted;
}
