// Tests of TreeFromSeqVect and TreeFromMSA, with their distance-matrix dumps.
#include "align/guideTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

const std::vector<std::string> TWO_PAIRS = {"AAAAAAAAAA", "AAAAAAAAAA", "CCCCCCCCCC", "CCCCCCCCCC"};

}  // namespace

using GuideTree = EngineTest;

TEST_F(GuideTree, FromSequencesWithTheProgramsSettings) {
    SetAlpha(ALPHA_Amino);
    SeqVect v;
    MakeSeqVect(v, TWO_PAIRS);
    TempFile dump;
    Tree tree;
    TreeFromSeqVect(v, tree, CLUSTER_UPGMB, DISTANCE_Kmer6_6, ROOT_Pseudo, dump.c_str());
    EXPECT_EQ(dump.read(),
              "4\n"
              "        s0  \n"
              "        s1            0\n"
              "        s2            3          3\n"
              "        s3            3          3          0\n");
    EXPECT_EQ(tree.GetRootNodeIndex(), 6u);  // the last join
    for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(tree.GetLeafId(i), i);
    EXPECT_STREQ(tree.GetLeafName(2), "s2");
    EXPECT_EQ(SplitsOf(tree), (std::vector<std::string>{"s0,s1|s2,s3"}));
    EXPECT_NEAR(tree.GetNodeHeight(6), 1.5, 1e-6);  // the biased mean of 3 and 3, in float
}

TEST_F(GuideTree, FromSequencesByNeighbourJoiningAndReRooted) {
    SetAlpha(ALPHA_Amino);
    SeqVect v;
    MakeSeqVect(v, TWO_PAIRS);
    Tree tree;
    TreeFromSeqVect(v, tree, CLUSTER_NeighborJoining, DISTANCE_Kmer6_6, ROOT_Pseudo, nullptr);
    EXPECT_EQ(tree.GetRootNodeIndex(), 6u);
    EXPECT_EQ(SplitsOf(tree), (std::vector<std::string>{"s0,s1|s2,s3"}));
    TreeFromSeqVect(v, tree, CLUSTER_UPGMA, DISTANCE_Kmer6_6, ROOT_MidLongestSpan, nullptr);
    tree.Validate();
    EXPECT_EQ(tree.GetRootNodeIndex(), 6u);  // the new root is appended after the five left
    EXPECT_EQ(SplitsOf(tree), (std::vector<std::string>{"s0,s1|s2,s3"}));
}

TEST_F(GuideTree, FromSequencesChecks) {
    SetAlpha(ALPHA_Amino);
    SeqVect v;
    MakeSeqVect(v, TWO_PAIRS);
    Tree tree;
    EXPECT_QUIT(TreeFromSeqVect(v, tree, CLUSTER_Undefined, DISTANCE_Kmer6_6, ROOT_Pseudo, nullptr),
                "TreeFromSeqVect_UPGMA, CLUSTER_0 not supported");
    EXPECT_QUIT(TreeFromSeqVect(v, tree, CLUSTER_UPGMB, DISTANCE_Kmer6_6, ROOT_Pseudo, "/nonexistent-dir/matrix"),
                "Cannot create /nonexistent-dir/matrix: No such file or directory");
}

TEST_F(GuideTree, FromAlignmentRowsInAnyIdOrder) {
    SetAlpha(ALPHA_Amino);
    MSA::SetIdCount(4);
    MSA a;
    MakeMSA(a, {"AAAA", "AAAA", "CCCC", "CCCC"}, {2, 0, 3, 1});
    TempFile dump;
    Tree tree;
    TreeFromMSA(a, tree, CLUSTER_UPGMB, DISTANCE_PctIdKimura, ROOT_Pseudo, dump.c_str());
    EXPECT_EQ(dump.read(),
              "4\n"
              "        r0  \n"
              "        r1            0\n"
              "        r2           10         10\n"
              "        r3           10         10          0\n");
    // Leaf i is row i with that row's id.
    EXPECT_EQ(tree.GetLeafId(0), 2u);
    EXPECT_EQ(tree.GetLeafId(3), 1u);
    EXPECT_STREQ(tree.GetLeafName(1), "r1");
    EXPECT_EQ(SplitsOf(tree), (std::vector<std::string>{"r0,r1|r2,r3"}));

    TreeFromMSA(a, tree, CLUSTER_NeighborJoining, DISTANCE_PctIdLog, ROOT_Pseudo, dump.c_str());
    // Neighbour joining dumps the full square (diagonal included) and no count.
    EXPECT_EQ(dump.read(),
              "        r0            0          0    2.99573    2.99573\n"
              "        r1            0          0    2.99573    2.99573\n"
              "        r2      2.99573    2.99573          0          0\n"
              "        r3      2.99573    2.99573          0          0\n");
    EXPECT_EQ(tree.GetLeafId(2), 3u);
    EXPECT_EQ(SplitsOf(tree), (std::vector<std::string>{"r0,r1|r2,r3"}));
}

TEST_F(GuideTree, FromAlignmentChecks) {
    SetAlpha(ALPHA_Amino);
    MSA::SetIdCount(2);
    MSA a;
    MakeMSA(a, {"AAAA", "AAAC"}, {0, 1});
    Tree tree;
    EXPECT_QUIT(TreeFromMSA(a, tree, CLUSTER_Undefined, DISTANCE_PctIdKimura, ROOT_Pseudo, nullptr),
                "TreeFromMSA_UPGMA, CLUSTER_0 not supported");
    TempFile dump;
    EXPECT_QUIT(TreeFromMSA(a, tree, CLUSTER_NeighborJoining, DISTANCE_Edit, ROOT_Pseudo, dump.c_str()),
                "MSADist::ComputeDist, invalid DISTANCE_11");
    TreeFromMSA(a, tree, CLUSTER_UPGMA, DISTANCE_Edit, ROOT_Pseudo, nullptr);
    EXPECT_NEAR(tree.GetNodeHeight(2), 0.25 / 2, 1e-7);
}
