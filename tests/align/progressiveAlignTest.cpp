// Tests of progressive alignment, its profile-merging variant and the root alignments.
#include "align/progressiveAlign.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/guideTree.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/progNode.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/tree.h"
#include "align/treeSubsets.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

class ProgressiveAlignTest : public ProteinScoringTest<SEQWEIGHT_ClustalW> {
protected:
    // The default guide tree of the sequences, recorded for weighting.
    void Prepare(const std::vector<std::string>& letters) {
        MSA::SetIdCount(static_cast<unsigned>(letters.size()));
        MakeSeqVect(m_Seqs, letters);
        TreeFromSeqVect(m_Seqs, m_Tree, CLUSTER_UPGMB, DISTANCE_Kmer6_6, ROOT_Pseudo, nullptr);
        SetCorvidTree(m_Tree);
    }

    void ExpectRowsAreTheInput(const MSA& a) {
        ASSERT_EQ(a.GetSeqCount(), m_Seqs.Length());
        for (unsigned i = 0; i < m_Seqs.Length(); ++i) {
            const Seq& s = m_Seqs.GetSeq(i);
            EXPECT_EQ(Ungapped(a, a.GetSeqIndex(i)), std::string(s.begin(), s.end())) << i;
            EXPECT_STREQ(a.GetSeqName(a.GetSeqIndex(i)), s.GetName());
        }
    }

    SeqVect m_Seqs;
    Tree m_Tree;
};

std::vector<std::string> Family(unsigned seed, unsigned count, unsigned length) {
    return ProteinFamily(seed, count, length, 0.25, 4);
}

void FreeNodes(ProgNode* nodes, unsigned count) {
    for (unsigned i = 0; i < count; ++i) DeleteProgNode(nodes[i]);
    delete[] nodes;
}

}  // namespace

TEST_F(ProgressiveAlignTest, RowsFollowTheLeavesAndKeepTheirLetters) {
    const unsigned seed = TestSeed(8);
    SCOPED_TRACE("seed " + std::to_string(seed));
    Prepare(Family(seed, 7, 40));
    MSA a;
    ProgressiveAlign(m_Seqs, m_Tree, a);
    ExpectRowsAreTheInput(a);
    std::vector<unsigned> leaves(m_Tree.GetNodeCount());
    unsigned count = 0;
    GetLeaves(m_Tree, m_Tree.GetRootNodeIndex(), leaves.data(), &count);
    ASSERT_EQ(count, 7u);
    for (unsigned row = 0; row < count; ++row) EXPECT_EQ(a.GetSeqId(row), m_Tree.GetLeafId(leaves[row]));
}

TEST_F(ProgressiveAlignTest, IdenticalSequencesAlignWithoutGaps) {
    Prepare(std::vector<std::string>(5, "MKVLAAGIVWHEDQ"));
    MSA a;
    ProgressiveAlign(m_Seqs, m_Tree, a);
    EXPECT_FALSE(a.HasGap());
    EXPECT_EQ(a.GetColCount(), 14u);
}

TEST_F(ProgressiveAlignTest, TwoSequencesPutTheLeftChildFirst) {
    Prepare({"ACDEFGHIK", "ACDFGHIK"});
    TreeFromNewickWithIds("(s1:0.1,s0:0.1);", m_Tree);
    SetCorvidTree(m_Tree);
    MSA a;
    ProgressiveAlign(m_Seqs, m_Tree, a);
    EXPECT_EQ(a.GetSeqId(0), 1u);
    EXPECT_EQ(RowText(a, 0), "ACD-FGHIK");
    EXPECT_EQ(RowText(a, 1), "ACDEFGHIK");
}

TEST_F(ProgressiveAlignTest, LeafIdsMustNameEachSequenceOnce) {
    Prepare({"ACDEF", "ACDEF", "ACDEF"});
    Tree bad;
    TreeFromNewickWithIds("((s0:0.1,s1:0.1):0.2,s3:0.1);", bad);
    MSA a;
    EXPECT_QUIT(ProgressiveAlign(m_Seqs, bad, a), "Seq index out of range");
    // Two leaves for sequence 1 would silently drop sequence 2.
    TreeFromNewickWithIds("((s0:0.1,s1:0.1):0.2,s1:0.1);", bad);
    EXPECT_QUIT(ProgressiveAlign(m_Seqs, bad, a), "Guide tree has two leaves with sequence id 1");
    TreeFromNewickWithIds("(s0:0.1,s1:0.1);", bad);
    EXPECT_QUIT(ProgressiveAlign(m_Seqs, bad, a), "Guide tree has 2 leaves for 3 sequences");
}

TEST_F(ProgressiveAlignTest, ProfileMergingKeepsTheRowsToo) {
    const unsigned seed = TestSeed(12);
    SCOPED_TRACE("seed " + std::to_string(seed));
    Prepare(Family(seed, 6, 35));
    const unsigned nodeCount = m_Tree.GetNodeCount();
    MSA a;
    ProgNode* nodes = ProgressiveAlignE(m_Seqs, m_Tree, a);
    ExpectRowsAreTheInput(a);
    // Each leaf keeps the edit string that places it in the final alignment.
    for (unsigned node = 0; node < nodeCount; ++node) {
        if (m_Tree.IsLeaf(node)) {
            EXPECT_NE(nodes[node].m_EstringL, nullptr);
        }
    }
    EXPECT_FLOAT_EQ(nodes[m_Tree.GetRootNodeIndex()].m_Weight, 1.0f);

    MSA stable;
    g_bStable = true;
    MakeRootMSA(m_Seqs, m_Tree, nodes, stable);
    for (unsigned row = 1; row < stable.GetSeqCount(); ++row) {
        // Leaves in node order; the tree from clustering has leaf i at node i.
        EXPECT_EQ(stable.GetSeqId(row), m_Tree.GetLeafId(row));
        EXPECT_EQ(RowText(stable, row), RowText(a, a.GetSeqIndex(stable.GetSeqId(row))));
    }

    MSA brenner;
    MakeRootMSABrenner(m_Seqs, m_Tree, nodes, brenner);
    ExpectRowsAreTheInput(brenner);
    EXPECT_EQ(brenner.GetColCount(), a.GetColCount());
    FreeNodes(nodes, nodeCount);
}
