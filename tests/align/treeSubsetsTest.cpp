// Tests of leaf sets, height order, horizontal cuts and pruning.
#include "align/treeSubsets.h"

#include <gtest/gtest.h>

#include <vector>

#include "align/distCalc.h"
#include "align/distFunc.h"
#include "align/tree.h"
#include "align/upgma2.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// Clustered (leaves first): ((s0,s1) at height 0.5, (s2,(s3,s4)) with s3,s4 at 1 and s2 at 2),
// root at 3.
void FiveLeaves(Tree& tree) {
    ClusterCase c;
    c.n = 5;
    c.dist = {{0, 1, 6, 6, 6}, {1, 0, 6, 6, 6}, {6, 6, 0, 4, 4}, {6, 6, 4, 0, 2}, {6, 6, 4, 2, 0}};
    DistFunc df;
    FillDistFunc(c, df);
    DistCalcDF dc;
    dc.Init(df);
    UPGMA2(dc, tree, LINKAGE_Avg);
}

std::vector<unsigned> Leaves(const Tree& tree, unsigned node, unsigned excluded = NO_INDEX) {
    std::vector<unsigned> leaves(tree.GetNodeCount());
    unsigned count = 0;
    if (excluded == NO_INDEX)
        GetLeaves(tree, node, leaves.data(), &count);
    else
        GetLeavesExcluding(tree, node, excluded, leaves.data(), &count);
    leaves.resize(count);
    return leaves;
}

}  // namespace

using TreeSubsets = EngineTest;

TEST_F(TreeSubsets, LeavesBelowANodeLeftFirst) {
    Tree tree;
    FiveLeaves(tree);
    const unsigned root = tree.GetRootNodeIndex();
    EXPECT_EQ(Leaves(tree, root), (std::vector<unsigned>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Leaves(tree, 3), (std::vector<unsigned>{3}));
    const unsigned s34 = tree.GetParent(3);
    EXPECT_EQ(Leaves(tree, root, s34), (std::vector<unsigned>{0, 1, 2}));
    EXPECT_EQ(Leaves(tree, root, 0), (std::vector<unsigned>{1, 2, 3, 4}));
    Tree one;
    one.CreateRooted();
    EXPECT_EQ(Leaves(one, 0), (std::vector<unsigned>{0}));
    const unsigned leaves[] = {4, 0};
    unsigned ids[2];
    LeafIndexesToIds(tree, leaves, 2, ids);
    EXPECT_EQ(ids[0], 4u);
    EXPECT_EQ(ids[1], 0u);
}

TEST_F(TreeSubsets, InternalNodesByHeight) {
    Tree tree;
    FiveLeaves(tree);
    std::vector<unsigned> nodes(4);
    GetInternalNodesInHeightOrder(tree, nodes.data());
    std::vector<double> heights;
    for (unsigned n : nodes) heights.push_back(tree.GetNodeHeight(n));
    EXPECT_EQ(heights, (std::vector<double>{0.5, 1, 2, 3}));

    Tree three;
    TreeFromNewick("(A:1,B:1);", three);
    GetInternalNodesInHeightOrder(three, nodes.data());
    EXPECT_EQ(nodes[0], 0u);
    Tree one;
    one.CreateRooted();
    EXPECT_QUIT(GetInternalNodesInHeightOrder(one, nodes.data()), "GetInternalNodesInHeightOrder: 1 nodes, none are internal");

    // Equal heights keep node order.
    Tree ties;
    TreeFromNewick("((A:1,B:1):1,(C:1,D:1):1);", ties);
    GetInternalNodesInHeightOrder(ties, nodes.data());
    EXPECT_EQ(nodes[0], 1u);
    EXPECT_EQ(nodes[1], 2u);
    EXPECT_EQ(nodes[2], 0u);
}

TEST_F(TreeSubsets, HorizontalCut) {
    Tree tree;
    FiveLeaves(tree);
    std::vector<unsigned> subtrees(9);
    unsigned count = 0;
    ClusterByHeight(tree, 1.5, subtrees.data(), &count);
    subtrees.resize(count);
    // Below 1.5: (s0,s1) at 0.5, s2, and (s3,s4) at 1.
    ASSERT_EQ(count, 3u);
    std::vector<std::vector<unsigned>> sets;
    for (unsigned n : subtrees) sets.push_back(Leaves(tree, n));
    EXPECT_EQ(sets, (std::vector<std::vector<unsigned>>{{2}, {0, 1}, {3, 4}}));
    Tree unrooted;
    TreeFromNewick("(A:1,B:1,C:1);", unrooted);
    EXPECT_QUIT(ClusterByHeight(unrooted, 1, subtrees.data(), &count), "ClusterByHeight: requires rooted tree");
}

TEST_F(TreeSubsets, SubfamiliesBySplittingTheHighestChild) {
    Tree tree;
    FiveLeaves(tree);
    unsigned subfams[5], count = 0;
    ClusterBySubfamCount(tree, 1, subfams, &count);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(subfams[0], tree.GetRootNodeIndex());
    ClusterBySubfamCount(tree, 7, subfams, &count);
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(subfams[4], 4u);
    ClusterBySubfamCount(tree, 3, subfams, &count);
    ASSERT_EQ(count, 3u);
    // The root splits into (s0,s1) and (s2,(s3,s4)); the latter (height 2) splits next.
    EXPECT_EQ(Leaves(tree, subfams[0]), (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(Leaves(tree, subfams[1]), (std::vector<unsigned>{2}));
    EXPECT_EQ(Leaves(tree, subfams[2]), (std::vector<unsigned>{3, 4}));
    Tree empty;
    ClusterBySubfamCount(empty, 3, subfams, &count);
    EXPECT_EQ(count, 0u);
}

TEST_F(TreeSubsets, PruneToSubfamilies) {
    Tree tree;
    FiveLeaves(tree);
    unsigned subfams[5], count = 0;
    ClusterBySubfamCount(tree, 3, subfams, &count);
    Tree pruned;
    pruned.PruneTree(tree, subfams, count);
    EXPECT_EQ(pruned.GetNodeCount(), 5u);
    EXPECT_EQ(ShapeOf(pruned), "(Subfam_1,(Subfam_2,Subfam_3))");
    EXPECT_EQ(pruned.GetLeafId(0), uInsane);
    // Subfamilies become leaves of height 0; the edge lengths above them are kept.
    EXPECT_DOUBLE_EQ(pruned.GetNodeHeight(pruned.GetRootNodeIndex()), (2.5 + (1 + 1.5)) / 2);
    EXPECT_DOUBLE_EQ(pruned.GetEdgeLength(1, pruned.GetParent(1)), 2.0);

    const unsigned root = tree.GetRootNodeIndex();
    pruned.PruneTree(tree, &root, 1);
    EXPECT_EQ(pruned.GetNodeCount(), 1u);
    EXPECT_STREQ(pruned.GetLeafName(0), "Subfam_1");

    const unsigned notACover[] = {0, 2};
    EXPECT_QUIT(pruned.PruneTree(tree, notACover, 2), "Tree::PruneTree, Internal error");
    EXPECT_QUIT(pruned.PruneTree(tree, subfams, 0), "Tree::PruneTree: no subtrees to keep");
    Tree unrooted;
    TreeFromNewick("(A:1,B:1,C:1);", unrooted);
    EXPECT_QUIT(pruned.PruneTree(unrooted, subfams, 1), "Tree::PruneTree: requires rooted tree");
}
