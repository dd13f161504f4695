// Tests of DiffTrees and DiffTreesE.
#include "align/diffTrees.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// Leaves named A, B, C, ... get ids 0, 1, 2, ...
void ReadWithIds(const std::string& newick, Tree& tree) {
    TreeFromNewick(newick, tree);
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node)
        if (tree.IsLeaf(node)) tree.SetLeafId(node, static_cast<unsigned>(tree.GetLeafName(node)[0] - 'A'));
}

// For each id, the names (first letters) of the ids that share its diffs leaf.
std::vector<std::string> Groups(const unsigned idToLeaf[], unsigned count) {
    std::vector<std::string> groups(count);
    for (unsigned i = 0; i < count; ++i)
        for (unsigned j = 0; j < count; ++j)
            if (idToLeaf[i] == idToLeaf[j]) groups[i] += static_cast<char>('A' + j);
    return groups;
}

}  // namespace

using DiffTreesTest = EngineTest;

TEST_F(DiffTreesTest, IdenticalTreesHaveNoDifferences) {
    Tree a, b, diffs;
    ReadWithIds("((A,B),(C,D));", a);
    ReadWithIds("((D,C),(B,A));", b);  // same clusters, other child order
    unsigned map[4];
    DiffTrees(a, b, diffs, map);
    EXPECT_EQ(diffs.GetNodeCount(), 1u);
    for (unsigned id = 0; id < 4; ++id) EXPECT_EQ(map[id], 0u);
}

TEST_F(DiffTreesTest, DifferentRootSplitLeavesEveryLeafAlone) {
    Tree oldTree, newTree, diffs;
    ReadWithIds("((A,B),C);", oldTree);
    ReadWithIds("((A,C),B);", newTree);
    unsigned map[3];
    DiffTrees(oldTree, newTree, diffs, map);
    EXPECT_EQ(diffs.GetNodeCount(), 5u);  // the old shape, one diffs leaf per sequence
    EXPECT_EQ(Groups(map, 3), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(diffs.IsLeaf(map[0]));
    EXPECT_EQ(diffs.GetParent(map[0]), diffs.GetParent(map[1]));
}

TEST_F(DiffTreesTest, CommonSubtreesBecomeOneLeaf) {
    Tree oldTree, newTree, diffs;
    ReadWithIds("(((A,B),C),D);", oldTree);
    ReadWithIds("((A,B),(C,D));", newTree);
    unsigned map[4];
    DiffTrees(oldTree, newTree, diffs, map);
    EXPECT_EQ(diffs.GetNodeCount(), 5u);
    EXPECT_EQ(Groups(map, 4), (std::vector<std::string>{"AB", "AB", "C", "D"}));
    diffs.Validate();
}

TEST_F(DiffTreesTest, NodeMapFollowsSameLeafSets) {
    Tree a, b;
    ReadWithIds("(((A,B),C),D);", a);
    ReadWithIds("((B,A),(C,D));", b);
    std::vector<unsigned> map(a.GetNodeCount());
    DiffTreesE(a, b, map.data());
    const unsigned ab = a.GetParent(a.GetLeafNodeIndex("A"));
    EXPECT_EQ(map[ab], b.GetParent(b.GetLeafNodeIndex("A")));
    EXPECT_EQ(map[a.GetParent(ab)], NO_INDEX);   // (A,B),C is not in b
    EXPECT_EQ(map[a.GetRootNodeIndex()], NO_INDEX);  // its children do not both map
    EXPECT_EQ(map[a.GetLeafNodeIndex("C")], b.GetLeafNodeIndex("C"));
}

TEST_F(DiffTreesTest, ChecksOfTheInputs) {
    Tree rooted, unrooted, bigger, diffs;
    ReadWithIds("((A,B),C);", rooted);
    ReadWithIds("(A,B,C);", unrooted);
    ReadWithIds("((A,B),(C,D));", bigger);
    unsigned map[8];
    EXPECT_QUIT(DiffTrees(rooted, unrooted, diffs, map), "DiffTrees: requires rooted trees");
    EXPECT_QUIT(DiffTrees(rooted, bigger, diffs, map), "DiffTrees: different node counts");
    EXPECT_QUIT(DiffTreesE(unrooted, rooted, map), "DiffTrees: requires rooted trees");
    EXPECT_QUIT(DiffTreesE(rooted, bigger, map), "DiffTreesE: different node counts");
    Tree outOfRange;
    ReadWithIds("((A,B),Z);", outOfRange);  // id 25 in a tree of 5 nodes
    const std::string range = "Diff trees requires existing leaf ids in range 0 .. (N-1)";
    EXPECT_QUIT(DiffTrees(rooted, outOfRange, diffs, map), range);
    EXPECT_QUIT(DiffTreesE(rooted, outOfRange, map), range);
    EXPECT_QUIT(DiffTreesE(outOfRange, rooted, map), range);
    Tree twice;
    ReadWithIds("((A,B),A);", twice);
    EXPECT_QUIT(DiffTrees(rooted, twice, diffs, map), "DiffTrees, check 2");
}
