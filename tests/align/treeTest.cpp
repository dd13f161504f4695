// Tests of Tree: construction, walks, heights, edges and validation.
#include "align/tree.h"

#include <gtest/gtest.h>

#include <vector>

#include "align/diagnostics.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

std::vector<unsigned> Walk(const Tree& tree, bool mirrored) {
    std::vector<unsigned> nodes;
    unsigned node = mirrored ? tree.FirstDepthFirstNodeR() : tree.FirstDepthFirstNode();
    while (node != NO_INDEX && nodes.size() < 100) {
        nodes.push_back(node);
        node = mirrored ? tree.NextDepthFirstNodeR(node) : tree.NextDepthFirstNode(node);
    }
    return nodes;
}

}  // namespace

using TreeTest = EngineTest;

TEST_F(TreeTest, CreateLinksBothEndsOfEveryEdge) {
    Tree tree;
    CreateThreeLeaves(tree);
    EXPECT_EQ(tree.GetNodeCount(), 5u);
    EXPECT_EQ(tree.GetRootNodeIndex(), 4u);
    EXPECT_TRUE(tree.IsRooted());
    EXPECT_EQ(tree.GetLeafCount(), 3u);
    tree.Validate();
    EXPECT_EQ(tree.GetParent(3), 4u);
    EXPECT_EQ(tree.GetLeft(4), 2u);
    EXPECT_FLOAT_EQ(tree.GetEdgeLength(3, 4), 0.25f);
    EXPECT_FLOAT_EQ(tree.GetEdgeLength(4, 3), 0.25f);
    EXPECT_STREQ(tree.GetLeafName(2), "C");
    EXPECT_EQ(tree.GetLeafName(3), nullptr);
    EXPECT_EQ(ShapeOf(tree), "(C,(A,B))");
    EXPECT_EQ(tree.GetLeafNodeIndex("B"), 1u);
    EXPECT_QUIT(tree.GetLeafNodeIndex("b"), "Tree::GetLeafNodeIndex, name not found");
    EXPECT_EQ(tree.LeafIndexToNodeIndex(2), 2u);
    EXPECT_QUIT(tree.LeafIndexToNodeIndex(3), "LeafIndexToNodeIndex: out of range");
    EXPECT_EQ(tree.GetAnyNonLeafNode(), 3u);
}

TEST_F(TreeTest, PostOrderWalksVisitEveryNodeOnceAndEndAtTheRoot) {
    Tree tree;
    CreateThreeLeaves(tree);
    EXPECT_EQ(Walk(tree, false), (std::vector<unsigned>{2, 0, 1, 3, 4}));
    EXPECT_EQ(Walk(tree, true), (std::vector<unsigned>{1, 0, 3, 2, 4}));
    EXPECT_EQ(tree.NextDepthFirstNode(4), NO_INDEX);
    EXPECT_EQ(tree.NextDepthFirstNodeR(4), NO_INDEX);
}

TEST_F(TreeTest, OneNodeTreeIsALeafAndItsOwnWalk) {
    Tree tree;
    tree.CreateRooted();
    EXPECT_TRUE(tree.IsLeaf(0));
    EXPECT_EQ(tree.FirstDepthFirstNode(), 0u);
    EXPECT_EQ(tree.NextDepthFirstNode(0), NO_INDEX);
    EXPECT_EQ(tree.GetNodeHeight(0), 0.0);
    EXPECT_EQ(tree.LeafIndexToNodeIndex(0), 0u);
    EXPECT_EQ(tree.GetLeafCount(), 1u);
    EXPECT_EQ(tree.GetAnyNonLeafNode(), NO_INDEX);
    Tree empty;
    EXPECT_EQ(empty.FirstDepthFirstNode(), NO_INDEX);
}

TEST_F(TreeTest, HeightsIgnoreNegativeLengthsAndFollowLengthChanges) {
    Tree tree;
    tree.CreateRooted();
    const unsigned first = tree.AppendBranch(0);
    tree.SetEdgeLength(0, first, -1);
    tree.SetEdgeLength(0, first + 1, 3);
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(0), 1.5);
    // A cached height must not survive a change of the lengths below it.
    tree.SetEdgeLength(0, first + 1, 5);
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(0), 2.5);
    const unsigned grand = tree.AppendBranch(first + 1);
    tree.SetEdgeLength(first + 1, grand, 2);
    tree.SetEdgeLength(first + 1, grand + 1, 2);
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(first + 1), 2.0);
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(0), (0 + 0 + 5 + 2) / 2.0);

    Tree unrooted;
    unrooted.CreateUnrooted(1.0);
    EXPECT_QUIT(unrooted.GetNodeHeight(0), "Tree::GetNodeHeight: undefined unless rooted tree");
}

TEST_F(TreeTest, EdgeLengthOfNonNeighboursEndsTheRun) {
    Tree tree;
    CreateThreeLeaves(tree);
    // Leaves 0 and 2 are not neighbours: no slot of 0 may answer for them.
    EXPECT_QUIT(tree.GetEdgeLength(0, 2), "Tree::GetEdgeLength(0, 2): the nodes are not neighbours");
    EXPECT_FALSE(tree.HasEdgeLength(0, 2));
    EXPECT_FALSE(tree.HasEdgeLength(4, NO_INDEX));
    EXPECT_QUIT(tree.SetEdgeLength(0, 2, 1.0), "Tree::SetEdgeLength(0, 2): the nodes are not neighbours");

    Tree noLengths;
    noLengths.CreateRooted();
    noLengths.AppendBranch(0);
    EXPECT_QUIT(noLengths.GetEdgeLength(1, 0), "Missing edge length in tree 1-0");
}

TEST_F(TreeTest, NeighbourQueries) {
    Tree tree;
    CreateThreeLeaves(tree);
    EXPECT_TRUE(tree.IsEdge(3, 0));
    EXPECT_FALSE(tree.IsEdge(0, 1));
    EXPECT_EQ(tree.GetNeighborSubscript(3, 1), 2u);
    EXPECT_EQ(tree.GetNeighborSubscript(3, 2), NO_INDEX);
    EXPECT_EQ(tree.GetFirstNeighbor(3, 4), 0u);
    EXPECT_EQ(tree.GetSecondNeighbor(3, 4), 1u);
    EXPECT_EQ(tree.GetSecondNeighbor(4, 2), NO_INDEX);
    EXPECT_EQ(tree.GetNeighbor(3, 0), 4u);
    EXPECT_QUIT(tree.GetNeighbor(3, 3), "Tree::GetNeighbor, sub=3");
    EXPECT_EQ(tree.GetLeafParent(2), 4u);
}

TEST_F(TreeTest, AppendBranchGrowsACopyWithTinyCapacity) {
    Tree one;
    one.CreateRooted();
    one.SetLeafName(0, "only");
    Tree copy;
    copy.Copy(one);  // capacity 1: the growth test must not wrap around
    EXPECT_STREQ(copy.GetLeafName(0), "only");
    const unsigned first = copy.AppendBranch(0);
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(copy.GetNodeCount(), 3u);
    for (unsigned i = 0; i < 60; ++i) copy.AppendBranch(copy.GetNodeCount() - 1);
    EXPECT_EQ(copy.GetNodeCount(), 123u);
    copy.Validate();
    Tree empty;
    EXPECT_QUIT(empty.AppendBranch(0), "Tree::AppendBranch: tree has not been created");
}

TEST_F(TreeTest, CopyIsIndependentOfItsSource) {
    Tree tree;
    CreateThreeLeaves(tree);
    Tree copy;
    copy.Copy(tree);
    tree.SetLeafName(0, "changed");
    tree.SetEdgeLength(3, 4, 9.0);
    EXPECT_STREQ(copy.GetLeafName(0), "A");
    EXPECT_FLOAT_EQ(copy.GetEdgeLength(3, 4), 0.25f);
    EXPECT_EQ(ShapeOf(copy), "(C,(A,B))");
    EXPECT_EQ(copy.GetLeafId(2), 2u);
}

TEST_F(TreeTest, ValidationRejectsBrokenSlotsAndOneSidedLengths) {
    Tree tree;
    CreateThreeLeaves(tree);
    tree.OrientParent(4, 3);  // the root's slot 2 now holds nothing, slot 3 its right child
    EXPECT_QUIT(tree.ValidateNode(4), "Tree::ValidateNode, n3=null, n2!=null");
    Tree other;
    CreateThreeLeaves(other);
    other.OrientParent(4, 2);
    EXPECT_QUIT(other.ValidateNode(4), "Tree::ValidateNode, n2=null, n3!=null");
    EXPECT_QUIT(other.ValidateNode(5), "ValidateNode(5), 5 nodes");
    EXPECT_QUIT(other.AssertAreNeighbors(0, 9), "AssertAreNeighbors(0,9), are 5 nodes");
    EXPECT_QUIT(other.AssertAreNeighbors(0, 1), "AssertAreNeighbors(0,1) failed");

    Tree oneSided;
    oneSided.CreateRooted();
    oneSided.AppendBranch(0);
    oneSided.UnrootFromFile();  // the new edge has a length flag on one side only
    EXPECT_QUIT(oneSided.Validate(), "Tree::AssertAreNeighbors, HasEdgeLength not symmetric");
}

TEST_F(TreeTest, CreateChecksItsChildIndexes) {
    Tree tree;
    const unsigned left[] = {0};
    const unsigned right[] = {7};
    const float lengths[] = {1};
    const unsigned ids[] = {0, 1};
    const char* names[] = {"A", "B"};
    EXPECT_QUIT(tree.Create(2, 0, left, right, lengths, lengths, ids, names),
                "Tree::Create: child 0 or 7 of node 2 out of range, 3 nodes");
}

TEST_F(TreeTest, LeafCountOnOneSideOfAnEdge) {
    Tree tree;
    TreeFromNewick("(A:1,(B:2,C:3):4,D:5);", tree);
    const unsigned d = tree.GetLeafNodeIndex("D");
    double sum = 0;
    EXPECT_EQ(tree.GetLeafCountUnrooted(d, 0, &sum), 3u);
    EXPECT_DOUBLE_EQ(sum, 1 + 2 + 3);  // terminal edges only
    EXPECT_EQ(tree.GetLeafCountUnrooted(0, d, &sum), 1u);
    EXPECT_DOUBLE_EQ(sum, 5);
}

TEST_F(TreeTest, LogMeListsEveryNode) {
    TempFile log;
    SetListFileName(log.c_str(), false);
    Tree tree;
    CreateThreeLeaves(tree);
    tree.SetLeafId(1, uInsane);
    tree.LogMe();
    SetListFileName("", false);
    const std::string expected =
        "Tree::LogMe 5 nodes, rooted.\n"
        "\n"
        "Index  Parnt  LengthP  Left   LengthL  Right  LengthR     Id  Name\n"
        "-----  -----  -------  ----   -------  -----  -------  -----  ----\n"
        "    0      3   0.1000                                      0  A\n"
        "    1      3   0.1000                                      *  B\n"
        "    2      4   0.3500                                      2  C\n"
        "    3      4   0.2500      0   0.1000      1   0.1000       \n"
        "    4                      2   0.3500      3   0.2500         [ROOT] \n";
    EXPECT_EQ(log.read(), expected);
}
