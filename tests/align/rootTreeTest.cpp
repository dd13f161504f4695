// Tests of rooting: root placement by both methods and the tree surgery of re-rooting.
#include "align/rootTree.h"

#include <gtest/gtest.h>

#include <vector>

#include "align/tree.h"
#include "align/treeSubsets.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// Path length from the root down to node.
double DepthOf(const Tree& tree, unsigned node) {
    double depth = 0;
    for (; !tree.IsRoot(node); node = tree.GetParent(node)) depth += tree.GetEdgeLength(node, tree.GetParent(node));
    return depth;
}

double MeanLeafDepth(const Tree& tree, unsigned node) {
    std::vector<unsigned> leaves(tree.GetNodeCount());
    unsigned count = 0;
    GetLeaves(tree, node, leaves.data(), &count);
    double sum = 0;
    for (unsigned i = 0; i < count; ++i) sum += DepthOf(tree, leaves[i]);
    return sum / count;
}

// After re-rooting every node below the root has its parent in slot 1.
void ExpectOrientedFrom(const Tree& tree, unsigned node) {
    if (tree.IsLeaf(node)) return;
    for (unsigned child : {tree.GetLeft(node), tree.GetRight(node)}) {
        EXPECT_EQ(tree.GetParent(child), node);
        ExpectOrientedFrom(tree, child);
    }
}

}  // namespace

using RootTree = EngineTest;

TEST_F(RootTree, MidLongestSpanSplitsTheMiddleEdge) {
    // B-X 4, X-Y 2, Y-D 4: the longest path (B to D) is 10; its middle is 1 into X-Y.
    Tree tree;
    TreeFromNewick("(A:1,B:4,(C:1,D:4):2);", tree);
    unsigned node1, node2;
    double length1, length2;
    FindRoot(tree, &node1, &node2, &length1, &length2, ROOT_MidLongestSpan);
    EXPECT_EQ(node1, 0u);  // X
    EXPECT_EQ(node2, 3u);  // Y
    EXPECT_DOUBLE_EQ(length1, 1.0);
    EXPECT_DOUBLE_EQ(length2, 1.0);
}

TEST_F(RootTree, MidLongestSpanReachingTheMiddleExactlyStopsOnThatEdge) {
    // B-X 5, X-Y 2, Y-D 3: half of 10 is reached exactly at the end of the first edge.
    Tree tree;
    TreeFromNewick("(A:1,B:5,(C:1,D:3):2);", tree);
    unsigned node1, node2;
    double length1, length2;
    FindRoot(tree, &node1, &node2, &length1, &length2, ROOT_MidLongestSpan);
    EXPECT_EQ(node1, 2u);  // B
    EXPECT_EQ(node2, 0u);  // X
    EXPECT_DOUBLE_EQ(length1, 5.0);
    EXPECT_DOUBLE_EQ(length2, 0.0);
}

TEST_F(RootTree, MinAvgLeafDistOfTwoLeavesIsTheMiddle) {
    Tree tree;
    tree.CreateUnrooted(2.0);
    tree.SetLeafName(0, "A");
    tree.SetLeafName(1, "B");
    unsigned node1, node2;
    double length1, length2;
    FindRoot(tree, &node1, &node2, &length1, &length2, ROOT_MinAvgLeafDist);
    EXPECT_EQ(node1, 0u);
    EXPECT_EQ(node2, 1u);
    EXPECT_DOUBLE_EQ(length1, 1.0);
    EXPECT_DOUBLE_EQ(length2, 1.0);
    tree.RootUnrootedTree(ROOT_MinAvgLeafDist);
    EXPECT_EQ(tree.GetNodeCount(), 3u);
    EXPECT_EQ(tree.GetRootNodeIndex(), 2u);
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(2), 1.0);
}

TEST_F(RootTree, MinAvgLeafDistBalancesTheMeanLeafDepths) {
    Tree tree;
    TreeFromNewick("((A:1,B:3):0.5,(C:2,(D:1,E:6):1):0.25);", tree);
    FixRoot(tree, ROOT_MinAvgLeafDist);
    tree.Validate();
    const unsigned root = tree.GetRootNodeIndex();
    EXPECT_NEAR(MeanLeafDepth(tree, tree.GetLeft(root)), MeanLeafDepth(tree, tree.GetRight(root)), 1e-12);
    ExpectOrientedFrom(tree, root);
}

TEST_F(RootTree, ReRootingKeepsLeavesLengthsAndSplits) {
    Tree tree;
    TreeFromNewick("((A:1,B:2):3,(C:4,(D:5,E:0.5):1):6);", tree);
    for (unsigned i = 0; i < tree.GetLeafCount(); ++i) tree.SetLeafId(tree.LeafIndexToNodeIndex(i), i);
    const auto splits = SplitsOf(tree);
    const auto paths = PathLengthsOf(tree);
    Tree copy;
    copy.Copy(tree);
    FixRoot(copy, ROOT_Pseudo);
    EXPECT_EQ(NewickOf(copy), NewickOf(tree));

    FixRoot(tree, ROOT_MidLongestSpan);
    tree.Validate();
    ExpectOrientedFrom(tree, tree.GetRootNodeIndex());
    EXPECT_EQ(SplitsOf(tree), splits);
    EXPECT_EQ(PathLengthsOf(tree), paths);
    // The longest path is D-B (5 + 1 + 6 + 3 + 2 = 17): the root sits 8.5 from both ends.
    const unsigned root = tree.GetRootNodeIndex();
    EXPECT_DOUBLE_EQ(DepthOf(tree, tree.GetLeafNodeIndex("D")), 8.5);
    EXPECT_DOUBLE_EQ(DepthOf(tree, tree.GetLeafNodeIndex("B")), 8.5);
    EXPECT_EQ(root, 8u);
}

TEST_F(RootTree, HeightsCachedBeforeReRootingAreNotReused) {
    // The new root lands on B's edge: X's children become A and C.
    Tree tree;
    TreeFromNewick("((A:1,B:20):1,C:1);", tree);
    const unsigned x = 1;
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(x), 10.5);
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(0), 6.25);
    FixRoot(tree, ROOT_MidLongestSpan);
    const unsigned a = tree.GetLeafNodeIndex("A");
    const unsigned newX = tree.GetParent(a);
    EXPECT_EQ(ShapeOf(tree), "((A,C),B)");
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(newX), (1.0 + 2.0) / 2);
    // The root is 11 from B and 9 from X.
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(tree.GetRootNodeIndex()), ((9.0 + 1.5) + 11.0) / 2);
}

TEST_F(RootTree, DeletingTheRootRenumbersOnlyRealNodes) {
    // A tree read from a file has its root at node 0: every other node moves down by one.
    Tree tree;
    TreeFromNewick("((A:1,B:2):3,(C:4,D:5):6);", tree);
    tree.UnrootByDeletingRoot();
    EXPECT_FALSE(tree.IsRooted());
    EXPECT_EQ(tree.GetNodeCount(), 6u);
    tree.Validate();
    const unsigned a = tree.GetLeafNodeIndex("A");
    EXPECT_EQ(tree.GetNeighbor(a, 1), NO_INDEX);
    EXPECT_EQ(tree.GetNeighbor(a, 2), NO_INDEX);
    const unsigned ab = tree.GetLeafParent(a);
    const unsigned cd = tree.GetLeafParent(tree.GetLeafNodeIndex("C"));
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(ab, cd), 9.0);

    Tree noLengths;
    TreeFromNewick("((A,B),(C,D));", noLengths);
    noLengths.UnrootByDeletingRoot();
    noLengths.Validate();
    EXPECT_QUIT_PREFIX(noLengths.RootUnrootedTree(ROOT_MidLongestSpan), "Missing edge length in tree");
}

TEST_F(RootTree, Checks) {
    Tree tree;
    TreeFromNewick("(A:1,B:2,C:3);", tree);
    EXPECT_QUIT(FixRoot(tree, ROOT_Pseudo), "FixRoot: expecting rooted tree");
    unsigned n1, n2;
    double l1, l2;
    EXPECT_QUIT(FindRoot(tree, &n1, &n2, &l1, &l2, ROOT_Pseudo), "Invalid RootMethod=1");
    Tree rooted;
    TreeFromNewick("(A:1,B:2);", rooted);
    EXPECT_QUIT(FindRoot(rooted, &n1, &n2, &l1, &l2, ROOT_MidLongestSpan), "FindRoot: tree already rooted");
    EXPECT_QUIT(FixRoot(rooted, ROOT_Undefined), "Invalid RootMethod=0");
    Tree single;
    single.CreateRooted();
    FixRoot(single, ROOT_MidLongestSpan);  // nothing to re-root
    EXPECT_EQ(single.GetNodeCount(), 1u);
    single.UnrootFromFile();
    EXPECT_QUIT(single.UnrootByDeletingRoot(), "Tree::UnrootByDeletingRoot: tree is not rooted");
    Tree bare;
    bare.CreateRooted();
    EXPECT_QUIT(bare.UnrootByDeletingRoot(), "Tree::UnrootByDeletingRoot: root 0 has no two children");
}

TEST_F(RootTree, ApplyMinEdgeLengthRaisesShortEdges) {
    Tree tree;
    TreeFromNewick("((A:0.01,B:-2):3,C:0.5);", tree);
    ApplyMinEdgeLength(tree, 0.1);
    tree.Validate();
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(tree.GetLeafNodeIndex("A"), 1), 0.1);
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(tree.GetLeafNodeIndex("B"), 1), 0.1);
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(0, 1), 3.0);
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(tree.GetLeafNodeIndex("C"), 0), 0.5);
}
