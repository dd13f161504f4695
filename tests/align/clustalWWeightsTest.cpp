// Tests of the ClustalW weights of a tree.
#include "align/clustalWWeights.h"

#include <gtest/gtest.h>

#include <vector>

#include "align/msa.h"
#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

std::vector<float> ByIndex(const Tree& tree) {
    std::vector<float> w(tree.GetLeafCount());
    CalcClustalWWeights(tree, w.data());
    return w;
}

}  // namespace

using ClustalWWeights = EngineTest;

TEST_F(ClustalWWeights, EdgesAreSharedByTheLeavesBelow) {
    Tree tree;
    TreeFromNewick("((A:1,B:1):2,C:4);", tree);  // leaves in node order: C, A, B
    // A and B: 1 + 2/2 = 2 each, C: 4; total 8.
    EXPECT_EQ(ByIndex(tree), (std::vector<float>{0.5f, 0.25f, 0.25f}));
}

TEST_F(ClustalWWeights, ZeroLengthsGiveUniformWeights) {
    Tree tree;
    TreeFromNewick("((A:0,B:0):0,(C:0,D:0):0);", tree);
    EXPECT_EQ(ByIndex(tree), (std::vector<float>(4, 0.25f)));
    // Negative lengths summing below 1e-4 count as 1, like a zero.
    TreeFromNewick("((A:-1,B:3):0,C:1);", tree);
    const std::vector<float> w = ByIndex(tree);
    EXPECT_FLOAT_EQ(w[1], 1.0f / 5);  // A
    EXPECT_FLOAT_EQ(w[2], 3.0f / 5);  // B
    EXPECT_FLOAT_EQ(w[0], 1.0f / 5);  // C
}

TEST_F(ClustalWWeights, SmallTrees) {
    Tree one;
    one.CreateRooted();
    EXPECT_EQ(ByIndex(one), (std::vector<float>{1.0f}));
    Tree pair;
    pair.CreateUnrooted(7.0);
    EXPECT_EQ(ByIndex(pair), (std::vector<float>{0.5f, 0.5f}));
    Tree unrooted;
    TreeFromNewick("(A:1,B:1,C:1);", unrooted);
    EXPECT_QUIT(ByIndex(unrooted), "CalcClustalWWeights requires rooted tree");
}

TEST_F(ClustalWWeights, ByLeafIdAndIntoAlignmentRows) {
    Tree tree;
    TreeFromNewick("((A:1,B:1):2,C:4);", tree);
    tree.SetLeafId(2, 0);  // C
    tree.SetLeafId(3, 2);  // A
    tree.SetLeafId(4, 1);  // B
    std::vector<float> byId(3);
    CalcClustalWWeightsByLeafId(tree, byId.data());
    EXPECT_EQ(byId, (std::vector<float>{0.5f, 0.25f, 0.25f}));
    tree.SetLeafId(2, 3);
    tree.SetLeafId(4, 1);
    EXPECT_QUIT(CalcClustalWWeightsByLeafId(tree, byId.data()),
                "ClustalW weights: leaf 2 (C) has sequence id 3, expected ids 0 .. 2");
    tree.SetLeafId(2, 1);
    EXPECT_QUIT(CalcClustalWWeightsByLeafId(tree, byId.data()),
                "ClustalW weights: sequence id 1 is on two leaves (the second is 4)");

    tree.SetLeafId(2, 0);
    MSA::SetIdCount(3);
    MSA a;
    MakeMSA(a, {"A", "A", "A"}, {1, 0, 2});  // rows not in id order
    a.SetClustalWWeights(tree);
    EXPECT_FLOAT_EQ(a.GetSeqWeight(0), 0.25f);  // id 1 = B
    EXPECT_FLOAT_EQ(a.GetSeqWeight(1), 0.5f);   // id 0 = C
    EXPECT_FLOAT_EQ(a.GetSeqWeight(2), 0.25f);  // id 2 = A
}
