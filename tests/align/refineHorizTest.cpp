// Tests of horizontal refinement: the objective never falls, trials that change nothing are not
// kept, and the split edge is forgotten afterwards.
#include "align/refineHoriz.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "align/guideTree.h"
#include "align/msa.h"
#include "align/objScore.h"
#include "align/params.h"
#include "align/progressiveAlign.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/tree.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// The sum of pairs over the whole alignment with the ClustalW weights of the current tree.
// Realigning two groups keeps each group's own pairs and renormalises the weights within each
// group by a constant, so every accepted trial raises this score.
SCORE WholeScore(MSA& a) {
    SetMSAWeightsCorvid(a);
    return ObjScoreSP(a, nullptr);
}

using RefineHorizTest = ProteinScoringTest<SEQWEIGHT_ClustalW>;

}  // namespace

TEST_F(RefineHorizTest, RefinementNeverLowersTheObjective) {
    const unsigned seed = TestSeed(101);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    unsigned improved = 0;
    for (unsigned trial = 0; trial < 4; ++trial) {
        const std::string root = RandomProtein(rng, 30);
        std::vector<std::string> letters;
        for (unsigned i = 0; i < 6; ++i) letters.push_back(Mutate(rng, root, 0.35, 4));
        MSA::ResetIdCount();
        MSA::SetIdCount(6);
        SeqVect v;
        MakeSeqVect(v, letters);
        // A guide tree that ignores the sequences leaves room for improvement.
        Tree tree;
        TreeFromNewickWithIds("(((s0:0.1,s5:0.1):0.2,(s2:0.1,s3:0.1):0.2):0.2,(s1:0.1,s4:0.1):0.2);", tree);
        SetCorvidTree(tree);
        MSA a;
        ProgressiveAlign(v, tree, a);

        const SCORE before = WholeScore(a);
        const bool changed = RefineHoriz(a, tree, 4, false, false);
        const SCORE after = WholeScore(a);
        EXPECT_GE(after, before - 1e-4f * std::abs(before)) << trial;
        if (changed) {
            ++improved;
            EXPECT_GT(after, before) << trial;
        }
        for (unsigned id = 0; id < 6; ++id) EXPECT_EQ(Ungapped(a, a.GetSeqIndex(id)), letters[id]) << trial;
        EXPECT_EQ(g_uTreeSplitNode1, NO_INDEX);
        EXPECT_EQ(g_uTreeSplitNode2, NO_INDEX);
    }
    EXPECT_GT(improved, 0u);
}

TEST_F(RefineHorizTest, NothingToGainLeavesTheAlignment) {
    MSA::SetIdCount(4);
    SeqVect v;
    MakeSeqVect(v, std::vector<std::string>(4, "MKVLWHEDACGT"));
    Tree tree;
    TreeFromSeqVect(v, tree, CLUSTER_UPGMB, DISTANCE_Kmer6_6, ROOT_Pseudo, nullptr);
    SetCorvidTree(tree);
    MSA a;
    ProgressiveAlign(v, tree, a);
    // Every trial reproduces the path it started from: never accepted.
    EXPECT_FALSE(RefineHoriz(a, tree, 6, false, false));
    EXPECT_FALSE(a.HasGap());

    MSA two;
    MakeMSA(two, {"AC", "AD"}, {0, 1});
    EXPECT_FALSE(RefineHoriz(two, tree, 6, false, false));
    Tree unrooted;
    TreeFromNewick("(s0:0.1,s1:0.1,s2:0.1);", unrooted);
    EXPECT_QUIT(RefineHoriz(a, unrooted, 1, false, false), "RefineHeight: requires rooted tree");
}

TEST_F(RefineHorizTest, AGroupWithoutColumnsScoresZero) {
    MSA::SetIdCount(3);
    MSA a;
    MakeMSA(a, {"AC", "--", "AD"}, {0, 1, 2});
    Tree tree;
    TreeFromNewickWithIds("((s0:0.1,s1:0.1):0.2,s2:0.1);", tree);
    SetCorvidTree(tree);
    unsigned leaf1 = 0;
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node)
        if (tree.IsLeaf(node) && tree.GetLeafId(node) == 1) leaf1 = node;
    std::vector<unsigned> others;
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node)
        if (tree.IsLeaf(node) && node != leaf1) others.push_back(node);
    SCORE oldScore = 99, newScore = 99;
    EXPECT_FALSE(TryRealign(a, tree, &leaf1, 1, others.data(), 2, &oldScore, &newScore, false, false));
    EXPECT_EQ(oldScore, 0.0f);
    EXPECT_EQ(newScore, 0.0f);
}

TEST_F(RefineHorizTest, ARealignmentThatOnlyTiesIsNotKept) {
    // One gap in a run of equal letters may stand at either place for the same score. Of the
    // two, the one the dynamic programming would not choose must stay: only a strictly better
    // score replaces an alignment.
    MSA::SetIdCount(3);
    Tree tree;
    TreeFromNewickWithIds("((s0:0.1,s1:0.1):0.2,s2:0.1);", tree);
    SetCorvidTree(tree);
    std::vector<unsigned> leafOf(3);
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node)
        if (tree.IsLeaf(node)) leafOf[tree.GetLeafId(node)] = node;
    const unsigned groupA[] = {leafOf[0], leafOf[1]}, groupB[] = {leafOf[2]};
    unsigned kept = 0;
    for (const char* third : {"CWW-WC", "CW-WWC", "C-WWWC", "CWWW-C"}) {
        MSA a;
        MakeMSA(a, {"CWWWWC", "CWWWWC", third}, {0, 1, 2});
        SCORE oldScore = 0, newScore = 0;
        const bool accepted = TryRealign(a, tree, groupA, 2, groupB, 1, &oldScore, &newScore, false, false);
        EXPECT_EQ(RowText(a, 2), third) << third;
        EXPECT_FALSE(accepted) << third;
        if (newScore == oldScore && newScore != 0) ++kept;  // a tie that was tried and refused
    }
    EXPECT_GT(kept, 0u);
}

TEST_F(RefineHorizTest, OddPassesVisitTheNodesInReverseOrder) {
    // Seven related sequences on a caterpillar tree: the second pass, which walks the internal
    // nodes from the root down, reaches a different alignment of the last sequence than the
    // first pass's order would.
    const std::vector<std::string> letters = {"LKEQFFEAPCLPAGQ", "LWHYFFQQDGTMTGR", "ENFFWTQDLAMPPGAQ",
                                              "DKLQRDAFGVTRPVN", "KKHPSLQNACPIQGK", "LKHRPYYWMPHFGQ",
                                              "MYYHQFGQRQDMFGW"};
    MSA::ResetIdCount();
    MSA::SetIdCount(7);
    SeqVect v;
    MakeSeqVect(v, letters);
    Tree tree;
    TreeFromNewickWithIds(
        "((((((s4:0.1,s2:0.1):0.1,s0:0.1):0.1,s5:0.1):0.1,s6:0.1):0.1,s3:0.1):0.1,s1:0.1):0.1;", tree);
    SetCorvidTree(tree);
    MSA a;
    ProgressiveAlign(v, tree, a);
    RefineHoriz(a, tree, 8, false, false);
    const std::vector<std::string> expected = {"-LKEQFFEA---PCLPAGQ", "-LWHYFFQQ---DGTMTGR", "---ENFFWTQDLAMPPGAQ",
                                               "----DKLQRDAFGVTRPVN", "-KKHPSLQN---ACPIQGK", "LKHRPYYW-----MPHFGQ",
                                               "MYYHQFGQR----QDMFGW"};
    for (unsigned id = 0; id < 7; ++id) EXPECT_EQ(RowText(a, a.GetSeqIndex(id)), expected[id]) << id;
}
