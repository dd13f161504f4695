// Tests of tree refinement and the realignment of changed subtrees.
#include "align/refineTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/guideTree.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/progNode.h"
#include "align/progressiveAlign.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/tree.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

class RefineTreeTest : public ProteinScoringTest<SEQWEIGHT_ClustalW> {
protected:
    void Prepare(unsigned seed, unsigned count) {
        m_Letters = ProteinFamily(seed, count, 35, 0.3, 3);
        MSA::SetIdCount(count);
        MakeSeqVect(m_Seqs, m_Letters);
        // A balanced tree in input order, which the alignment's own tree will not repeat.
        TreeFromNewickWithIds("(((s0:0.1,s1:0.1):0.2,(s2:0.1,s3:0.1):0.2):0.2,"
                              "((s4:0.1,s5:0.1):0.2,(s6:0.1,s7:0.1):0.2):0.2);",
                              m_Tree);
        SetCorvidTree(m_Tree);
    }

    void ExpectRowsAreTheInput(const MSA& a) {
        ASSERT_EQ(a.GetSeqCount(), m_Letters.size());
        for (unsigned id = 0; id < m_Letters.size(); ++id) EXPECT_EQ(Ungapped(a, a.GetSeqIndex(id)), m_Letters[id]);
    }

    std::vector<std::string> m_Letters;
    SeqVect m_Seqs;
    Tree m_Tree;
};

}  // namespace

TEST_F(RefineTreeTest, RealignsAlongTheNewTree) {
    const unsigned seed = TestSeed(77);
    SCOPED_TRACE("seed " + std::to_string(seed));
    Prepare(seed, 8);
    MSA a;
    ProgressiveAlign(m_Seqs, m_Tree, a);
    RefineTree(a, m_Tree);
    ExpectRowsAreTheInput(a);
    // The tree is now the one built from the alignment.
    Tree fromAlignment;
    MSA copy;
    copy.Copy(a);
    TreeFromMSA(copy, fromAlignment, g_Cluster2, g_Distance2, g_Root2, nullptr);
    EXPECT_EQ(m_Tree.GetNodeCount(), fromAlignment.GetNodeCount());
}

TEST_F(RefineTreeTest, AnUnchangedTreeRealignsNothing) {
    Prepare(TestSeed(78), 8);
    MSA a;
    ProgressiveAlign(m_Seqs, m_Tree, a);
    Tree own;
    TreeFromMSA(a, own, g_Cluster2, g_Distance2, g_Root2, nullptr);
    const std::string before = RowText(a, 0) + RowText(a, 5);
    RefineTree(a, own);
    EXPECT_EQ(RowText(a, 0) + RowText(a, 5), before);

    MSA two;
    MakeMSA(two, {"AC", "AD"}, {0, 1});
    Tree pair;
    TreeFromNewick("(s0:0.1,s1:0.1);", pair);
    RefineTree(two, pair);
    EXPECT_EQ(RowText(two, 1), "AD");
    EXPECT_QUIT(RefineTree(two, m_Tree), "Refine tree, tree has different number of nodes");
}

TEST_F(RefineTreeTest, DiffTreesNeedAnOddNodeCount) {
    Tree unrooted;
    TreeFromNewick("(s0:0.1,s1:0.1,s2:0.1);", unrooted);
    MSA a, out;
    MakeMSA(a, {"A", "C", "D"});
    const unsigned map[] = {0, 1, 2};
    EXPECT_QUIT(RealignDiffs(a, unrooted, map, out), "RealignDiffs: Expected odd number of nodes");
}

TEST_F(RefineTreeTest, ProfileMergingVariantKeepsTheRows) {
    const unsigned seed = TestSeed(79);
    SCOPED_TRACE("seed " + std::to_string(seed));
    Prepare(seed, 8);
    const unsigned nodeCount = m_Tree.GetNodeCount();
    MSA a;
    ProgNode* nodes = ProgressiveAlignE(m_Seqs, m_Tree, a);
    RefineTreeE(a, m_Seqs, m_Tree, nodes);
    ExpectRowsAreTheInput(a);
    for (unsigned i = 0; i < nodeCount; ++i) DeleteProgNode(nodes[i]);
    delete[] nodes;
}
