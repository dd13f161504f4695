// ProgAlignSubFams: the -pas command, sub-families aligned outside and joined up the tree.
#include "align/frontend/subFamAlign.h"

#include <memory>
#include <vector>

#include "align/alignTwoMSAs.h"
#include "align/corvid.h"
#include "align/diagnostics.h"
#include "align/frontend/commands.h"
#include "align/guideTree.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/progNode.h"
#include "align/progress.h"
#include "align/progressiveAlign.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/textFile.h"
#include "align/timeLimit.h"
#include "align/tree.h"

namespace {

// The progressive alignment whose tree the sub-families are cut from.
void AlignForTree(const SeqVect& v, MSA& a) {
    Tree tree;
    TreeFromSeqVect(v, tree, g_Cluster1, g_Distance1, g_Root1, nullptr);
    SetCorvidTree(tree);
    if (g_bLow) {
        const unsigned nodeCount = 2 * v.Length() - 1;
        ProgNode* nodes = ProgressiveAlignE(v, tree, a);
        for (unsigned i = 0; i < nodeCount; ++i) DeleteProgNode(nodes[i]);
        delete[] nodes;
    } else {
        ProgressiveAlign(v, tree, a);
    }
    SetCurrentAlignment(a);
}

}  // namespace

void ProgAlignSubFams() {
    StartCommand(g_pstrInFileName, false);
    SeqVect v;
    ReadSeqs(g_pstrInFileName, v);
    PrepareSequences(v);
    // Nucleotides always take the k-mer distance of their alphabet here, whatever the options.
    if (g_Alpha == ALPHA_DNA || g_Alpha == ALPHA_RNA) {
        SetPPScore(PPSCORE_SPN);
        g_Distance1 = DISTANCE_Kmer4_6;
    }
    const unsigned n = v.Length();
    // One sequence is its own alignment: written as the other commands write it.
    if (n == 1) {
        WriteLoneSequence(v);
        return;
    }
    MHackStart(v);

    MSA progressive;
    AlignForTree(v, progressive);
    Tree tree;
    TreeFromMSA(progressive, tree, g_Cluster2, g_Distance2, g_Root2, nullptr);
    SetCorvidTree(tree);

    std::vector<unsigned> subfams(n);
    unsigned subfamCount = 0;
    SubFamRecurse(tree, tree.GetRootNodeIndex(), g_uMaxSubFamCount, subfams.data(), &subfamCount);

    SetProgressDesc("Align node");
    const unsigned nodeCount = tree.GetNodeCount();
    std::unique_ptr<ProgNode[]> nodes(new ProgNode[nodeCount]);
    std::vector<char> isRoot(nodeCount, 0), isInside(nodeCount, 0);
    for (unsigned i = 0; i < subfamCount; ++i) {
        isRoot[subfams[i]] = 1;
        MarkSubtreeNodes(tree, subfams[i], isInside.data());
    }

    unsigned join = 0;
    for (unsigned node = tree.FirstDepthFirstNode(); node != NO_INDEX; node = tree.NextDepthFirstNode(node)) {
        ProgNode& p = nodes[node];
        if (isRoot[node]) {
            AlignSubFam(v, tree, node, p.m_MSA);
        } else if (!isInside[node]) {
            // Every leaf lies in a sub-family when the limit is at least 1.
            if (tree.IsLeaf(node)) Quit("ProgAlignSubFams: leaf %u is in no sub-family", node);
            Progress(join++, subfamCount - 1);
            ProgNode& left = nodes[tree.GetLeft(node)];
            ProgNode& right = nodes[tree.GetRight(node)];
            AlignTwoMSAs(left.m_MSA, right.m_MSA, p.m_MSA, p.m_Path, false, false);
            left.m_MSA.Free();
            right.m_MSA.Free();
        } else {
            continue;
        }
        p.m_uLength = p.m_MSA.GetColCount();
    }
    ProgressStepsDone();

    MSA& result = nodes[tree.GetRootNodeIndex()].m_MSA;
    MHackEnd(result);
    TextFile out(g_pstrOutFileName, true);
    result.ToFile(out);
    // The progressive alignment that the time limit would save goes out of scope here.
    ClearCurrentAlignment();
}
