// Tests of the edge and bipartition enumerators.
#include "align/phyEnum.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using PhyEnum = EngineTest;

TEST_F(PhyEnum, EdgesOfARootedTreeInBothOrders) {
    Tree tree;
    TreeFromNewick("((A,B),C);", tree);  // 0 root, 1 (A,B), 2 C, 3 A, 4 B
    std::vector<std::pair<unsigned, unsigned>> edges;
    PhyEnumEdgeState state;
    while (PhyEnumEdges(tree, state)) edges.emplace_back(state.m_uNodeIndex1, state.m_uNodeIndex2);
    EXPECT_EQ(edges, (std::vector<std::pair<unsigned, unsigned>>{{3, 1}, {4, 1}, {1, 0}, {2, 0}}));
    edges.clear();
    PhyEnumEdgeState mirrored;
    while (PhyEnumEdgesR(tree, mirrored)) edges.emplace_back(mirrored.m_uNodeIndex1, mirrored.m_uNodeIndex2);
    EXPECT_EQ(edges, (std::vector<std::pair<unsigned, unsigned>>{{2, 0}, {4, 1}, {3, 1}, {1, 0}}));
    Tree one;
    one.CreateRooted();
    PhyEnumEdgeState none;
    EXPECT_FALSE(PhyEnumEdges(one, none));
    EXPECT_EQ(none.m_uNodeIndex1, NO_INDEX);
}

TEST_F(PhyEnum, BipartitionsSkipTheSecondRootEdge) {
    Tree tree;
    TreeFromNewick("((A,B),C);", tree);
    PhyEnumEdgeState state;
    unsigned leaves1[3], leaves2[3], count1, count2;
    std::vector<std::pair<unsigned, unsigned>> sizes;
    while (PhyEnumBiParts(tree, state, leaves1, &count1, leaves2, &count2)) sizes.emplace_back(count1, count2);
    // A|B,C; B|A,C; A,B|C (the root's edge to C would repeat it).
    EXPECT_EQ(sizes, (std::vector<std::pair<unsigned, unsigned>>{{1, 2}, {1, 2}, {2, 1}}));
    EXPECT_EQ(count1, 0u);
    EXPECT_EQ(count2, 0u);
}
