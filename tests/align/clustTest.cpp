// Tests of Clust: neighbour joining against Biopython, the UPGMA family against scipy, and the
// accessors' checks.
#include "align/clust.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "align/clustSet.h"
#include "align/distFunc.h"
#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// Leaves L0, L1, L2 with D(0,1) = 3, D(0,2) = 4, D(1,2) = 5: a star with arms 1, 2 and 3.
void Triangle(DistFunc& df) {
    ClusterCase c;
    c.n = 3;
    c.dist = {{0, 3, 4}, {3, 0, 5}, {4, 5, 0}};
    FillDistFunc(c, df);
}

CLUSTER MethodOf(const std::string& scipyMethod) {
    if (scipyMethod == "single") return CLUSTER_UPGMAMin;
    if (scipyMethod == "complete") return CLUSTER_UPGMAMax;
    return CLUSTER_UPGMA;  // scipy's "weighted": the mean of the two children's distances
}

}  // namespace

using ClustTest = EngineTest;

TEST_F(ClustTest, NeighbourJoiningOfThreeLeaves) {
    DistFunc df;
    Triangle(df);
    ClustSetDF set(df);
    Clust c;
    c.Create(set, CLUSTER_NeighborJoining);
    EXPECT_EQ(c.GetNodeCount(), 5u);
    EXPECT_EQ(c.GetClusterCount(), 1u);
    // All three pairs tie; the first pair of the list (2, 1) is joined, with r over three
    // clusters divided by 1: lengths (5 + 9 - 8) / 2 and (5 - 9 + 8) / 2.
    EXPECT_EQ(c.GetLeftIndex(3), 2u);
    EXPECT_EQ(c.GetRightIndex(3), 1u);
    EXPECT_FLOAT_EQ(c.GetLength(2), 3.0f);
    EXPECT_FLOAT_EQ(c.GetLength(1), 2.0f);
    EXPECT_FLOAT_EQ(c.GetDist(3, 0), 1.0f);
    // The last join has r = 0: the root halves the remaining edge.
    EXPECT_EQ(c.GetLeftIndex(4), 3u);
    EXPECT_EQ(c.GetRightIndex(4), 0u);
    EXPECT_FLOAT_EQ(c.GetLength(3), 0.5f);
    EXPECT_FLOAT_EQ(c.GetLength(0), 0.5f);
    EXPECT_EQ(c.GetFirstCluster(), 4u);
    EXPECT_EQ(c.GetNextCluster(4), uInsane);
    EXPECT_EQ(c.GetClusterSize(4), 3u);
    EXPECT_EQ(c.GetLeaf(3, 0), 2u);
    EXPECT_EQ(c.GetLeaf(3, 1), 1u);
    EXPECT_STREQ(c.GetNodeName(1), "L1");
    EXPECT_EQ(c.GetNodeId(2), 2u);
    EXPECT_EQ(c.GetNodeId(3), 0u);

    Tree tree;
    tree.FromClust(c);
    EXPECT_EQ(tree.GetRootNodeIndex(), 4u);
    EXPECT_EQ(ShapeOf(tree), "((L2,L1),L0)");
    const auto paths = PathLengthsOf(tree);
    EXPECT_DOUBLE_EQ(paths[0][1], 3);
    EXPECT_DOUBLE_EQ(paths[0][2], 4);
    EXPECT_DOUBLE_EQ(paths[1][2], 5);
}

TEST_F(ClustTest, NeighbourJoiningMatchesBiopython) {
    const std::vector<ClusterCase> cases = ReadClusterCases("nj.txt");
    ASSERT_EQ(cases.size(), 6u);
    for (const ClusterCase& c : cases) {
        DistFunc df;
        FillDistFunc(c, df);
        ClustSetDF set(df);
        Clust clust;
        clust.Create(set, CLUSTER_NeighborJoining);
        Tree tree;
        tree.FromClust(clust);
        const auto paths = PathLengthsOf(tree);
        for (unsigned i = 0; i < c.n; ++i)
            for (unsigned j = 0; j < c.n; ++j)
                EXPECT_NEAR(paths[i][j], c.pathLengths[i][j], 2e-5) << c.name << " " << i << "-" << j;
    }
}

TEST_F(ClustTest, UPGMAFamilyMatchesScipy) {
    unsigned checked = 0;
    for (const ClusterCase& c : ReadClusterCases("upgma.txt")) {
        if (c.method == "average") continue;  // scipy's size-weighted mean is not one of ours
        DistFunc df;
        FillDistFunc(c, df);
        ClustSetDF set(df);
        Clust clust;
        clust.Create(set, MethodOf(c.method));
        Tree tree;
        tree.FromClust(clust);
        ExpectSameJoins(tree, c, 2e-5);
        ++checked;
    }
    EXPECT_EQ(checked, 6u * 3 + 4 * 3);
}

TEST_F(ClustTest, BiasedLinkageOfTheThreeLeafExample) {
    ClusterCase three;
    three.n = 3;
    three.dist = {{0, 0.2, 0.6}, {0.2, 0, 0.8}, {0.6, 0.8, 0}};
    DistFunc df;
    FillDistFunc(three, df);
    ClustSetDF set(df);
    Clust c;
    c.Create(set, CLUSTER_UPGMB);
    EXPECT_FLOAT_EQ(c.GetDist(3, 2), 0.61f);
    EXPECT_FLOAT_EQ(c.GetHeight(4), 0.305f);
    EXPECT_EQ(c.GetHeight(0), 0.0f);
}

TEST_F(ClustTest, ChecksOfSetUpAndAccessors) {
    DistFunc one;
    ClusterCase single;
    single.n = 1;
    single.dist = {{0}};
    FillDistFunc(single, one);
    ClustSetDF oneSet(one);
    Clust c;
    EXPECT_QUIT(c.Create(oneSet, CLUSTER_UPGMA), "Clust::SetLeafCount(1)");

    DistFunc df;
    Triangle(df);
    ClustSetDF set(df);
    EXPECT_QUIT(c.Create(set, CLUSTER_Undefined), "Clust::Create, invalid method 0");
    c.Create(set, CLUSTER_UPGMA);
    EXPECT_QUIT(c.GetNode(5), "ClustNode::GetNode(5) 5");
    EXPECT_QUIT(c.GetLeftIndex(0), "Clust::GetLeftIndex: leaf");
    EXPECT_QUIT(c.GetRightIndex(1), "Clust::GetRightIndex: leaf");
    EXPECT_QUIT(c.GetNodeName(3), "Clust::GetNodeName, is not leaf");
    EXPECT_QUIT(c.GetLeaf(3, 2), "Clust::GetLeaf, invalid index");
    EXPECT_QUIT(c.VectorIndex(0, 5), "DistVectorIndex(0,5) 5");
    // The packed triangle has no diagonal: D(i, i) is 0 and has no slot of its own.
    EXPECT_EQ(c.GetDist(4, 4), 0.0f);
    EXPECT_QUIT(c.VectorIndex(4, 4), "DistVectorIndex(4,4): a node has no distance entry to itself");
    EXPECT_EQ(c.VectorIndex(4, 3), 3u + 4 * 3 / 2);
    EXPECT_EQ(c.VectorIndex(3, 4), c.VectorIndex(4, 3));
    EXPECT_QUIT(set.JoinNodes(c, 0, 1, 3, nullptr, nullptr), "ClustSetDF::JoinNodes, should never be called");

    df.SetDist(2, 1, std::numeric_limits<float>::infinity());
    EXPECT_QUIT(c.Create(set, CLUSTER_UPGMA), "Clust: the distance of L2 and L1 is inf, not a finite number");
}
