// Tests of UPGMA2: the worked examples, its cache's join order and scipy's clusterings.
#include "align/upgma2.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "align/distCalc.h"
#include "align/distFunc.h"
#include "align/params.h"
#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// Leaves s0, s1, ... with ids 0, 1, ...; lower[i] holds the distances of leaf i + 1 to 0 .. i.
void Cluster(const std::vector<std::vector<float>>& lower, LINKAGE linkage, Tree& tree) {
    DistFunc df;
    const unsigned n = static_cast<unsigned>(lower.size()) + 1;
    df.SetCount(n);
    for (unsigned i = 0; i < n; ++i) {
        std::string name = "s";
        name += std::to_string(i);
        df.SetName(i, name.c_str());
        df.SetId(i, i);
        if (i > 0)
            for (unsigned j = 0; j < i; ++j) df.SetDist(i, j, lower[i - 1][j]);
    }
    DistCalcDF dc;
    dc.Init(df);
    UPGMA2(dc, tree, linkage);
}

}  // namespace

using UPGMA2Test = EngineTest;

TEST_F(UPGMA2Test, TwoLeaves) {
    Tree tree;
    Cluster({{0.4f}}, LINKAGE_Avg, tree);
    EXPECT_EQ(tree.GetNodeCount(), 3u);
    EXPECT_EQ(tree.GetRootNodeIndex(), 2u);
    EXPECT_FLOAT_EQ(tree.GetEdgeLength(2, 0), 0.2f);
    EXPECT_FLOAT_EQ(tree.GetEdgeLength(2, 1), 0.2f);
}

TEST_F(UPGMA2Test, StaleNearestNeighbourPutsLeafTwoOnTheLeft) {
    Tree tree;
    Cluster({{0.2f}, {0.6f, 0.8f}}, LINKAGE_Avg, tree);
    EXPECT_EQ(tree.GetRootNodeIndex(), 4u);
    EXPECT_EQ(tree.GetLeft(3), 0u);
    EXPECT_EQ(tree.GetRight(3), 1u);
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(3), static_cast<double>(0.2f * 0.5f));
    // Slot 2 still holds its first minimum (0.6 to leaf 0) although leaf 0 now stands for the
    // new cluster at 0.7: slot 2 is joined first in the scan and becomes the left child.
    EXPECT_EQ(tree.GetLeft(4), 2u);
    EXPECT_EQ(tree.GetRight(4), 3u);
    EXPECT_NEAR(tree.GetNodeHeight(4), 0.35, 1e-7);
    EXPECT_NEAR(tree.GetEdgeLength(4, 3), 0.25, 1e-7);
    EXPECT_NEAR(tree.GetEdgeLength(4, 2), 0.35, 1e-7);
    EXPECT_EQ(ShapeOf(tree), "(s2,(s0,s1))");
}

TEST_F(UPGMA2Test, BiasedLinkageLeansTowardsTheNearerChild) {
    Tree tree;
    Cluster({{0.2f}, {0.6f, 0.8f}}, LINKAGE_Biased, tree);
    EXPECT_NEAR(tree.GetNodeHeight(4), 0.61 / 2, 1e-7);
    g_dSUEFF = 0.5f;
    Cluster({{0.2f}, {0.6f, 0.8f}}, LINKAGE_Biased, tree);
    EXPECT_NEAR(tree.GetNodeHeight(4), (0.5 * 0.7 + 0.5 * 0.6) / 2, 1e-7);
    Cluster({{0.2f}, {0.6f, 0.8f}}, LINKAGE_Max, tree);
    EXPECT_NEAR(tree.GetNodeHeight(4), 0.4, 1e-7);
    Cluster({{0.2f}, {0.6f, 0.8f}}, LINKAGE_Min, tree);
    EXPECT_NEAR(tree.GetNodeHeight(4), 0.3, 1e-7);
}

TEST_F(UPGMA2Test, TiesGoToTheLowestSlotAndItsFirstNearestNeighbour) {
    Tree tree;
    // Every distance 1: slot 0 holds the minimum first and its nearest neighbour is slot 1.
    Cluster({{1}, {1, 1}, {1, 1, 1}}, LINKAGE_Avg, tree);
    EXPECT_EQ(tree.GetLeft(4), 0u);
    EXPECT_EQ(tree.GetRight(4), 1u);
    // Slot 0 (now node 4) is still the lowest slot at the minimum; its new nearest is slot 2.
    EXPECT_EQ(tree.GetLeft(5), 4u);
    EXPECT_EQ(tree.GetRight(5), 2u);
    EXPECT_EQ(tree.GetLeft(6), 5u);
    EXPECT_EQ(tree.GetRight(6), 3u);
}

TEST_F(UPGMA2Test, OneLeafZeroLeavesAndBadDistances) {
    Tree tree;
    Cluster({}, LINKAGE_Avg, tree);
    EXPECT_EQ(tree.GetNodeCount(), 1u);
    EXPECT_TRUE(tree.IsRooted());
    EXPECT_STREQ(tree.GetLeafName(0), "s0");
    EXPECT_EQ(tree.GetLeafId(0), 0u);

    DistFunc empty;
    DistCalcDF dc;
    dc.Init(empty);
    EXPECT_QUIT(UPGMA2(dc, tree, LINKAGE_Avg), "UPGMA2: no sequences to cluster");

    // Distances too large to beat the start value of the search still make a complete tree.
    Cluster({{1e30f}, {1e30f, 1e30f}, {1e30f, 0.5f, 1e30f}}, LINKAGE_Avg, tree);
    EXPECT_EQ(tree.GetNodeCount(), 7u);
    tree.Validate();
    EXPECT_EQ(SplitsOf(tree), (std::vector<std::string>{"s0,s2|s1,s3"}));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_QUIT(Cluster({{0.5f}, {nan, 0.5f}}, LINKAGE_Avg, tree),
                "UPGMA2: the distance of s2 and s0 is nan, not a finite number");

    Cluster({{0.4f}}, LINKAGE_NeighborJoining, tree);  // two leaves: no distance is updated
    EXPECT_EQ(tree.GetNodeCount(), 3u);
    EXPECT_QUIT(Cluster({{0.2f}, {0.6f, 0.8f}}, LINKAGE_NeighborJoining, tree), "UPGMA2: Invalid LINKAGE_4");
}

TEST_F(UPGMA2Test, UltrametricMatricesGiveScipysClustersForEveryLinkage) {
    const std::vector<ClusterCase> cases = ReadClusterCases("upgma.txt");
    unsigned checked = 0;
    for (const ClusterCase& c : cases) {
        if (c.name.rfind("ultrametric", 0) != 0) continue;
        DistFunc df;
        FillDistFunc(c, df);
        DistCalcDF dc;
        dc.Init(df);
        for (LINKAGE linkage : {LINKAGE_Avg, LINKAGE_Min, LINKAGE_Max, LINKAGE_Biased}) {
            Tree tree;
            UPGMA2(dc, tree, linkage);
            tree.Validate();
            ExpectSameJoins(tree, c, 1e-6);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 6u * 4 * 4);
}
