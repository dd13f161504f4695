// Tests of the three-way (Gotoh) weights.
#include "align/threeWayWeights.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// Nodes: 0 root, 1 X = (A,B), 2 C, 3 A, 4 B; ids A 0, B 1, C 2.
void ThreeLeaves(Tree& tree) {
    TreeFromNewick("((A:1,B:2):3,C:4);", tree);
    tree.SetLeafId(3, 0);
    tree.SetLeafId(4, 1);
    tree.SetLeafId(2, 2);
}

}  // namespace

using ThreeWayWeights = EngineTest;

TEST_F(ThreeWayWeights, EveryLeafGetsItsTerminalEdge) {
    Tree tree;
    ThreeLeaves(tree);
    std::vector<float> w(3, -1.0f);
    CalcThreeWayWeights(tree, 1, 3, w.data());  // split at X-A
    EXPECT_EQ(w, (std::vector<float>{1.0f, 2.0f, 7.0f}));  // C's edge runs through the root: 3 + 4
    // A root argument is replaced by its first neighbour seen from the other node.
    CalcThreeWayWeights(tree, 0, 2, w.data());
    EXPECT_EQ(w, (std::vector<float>{1.0f, 2.0f, 7.0f}));
}

TEST_F(ThreeWayWeights, GotohLengths) {
    Tree tree;
    ThreeLeaves(tree);
    EXPECT_DOUBLE_EQ(GetGotohLength(tree, 1, 3), 1.0);
    // From C through the root into X: 7 + (1 * 2) / (1 + 2).
    EXPECT_DOUBLE_EQ(GetGotohLength(tree, 2, 1), 7 + 2.0 / 3);
    EXPECT_QUIT(GetGotohLength(tree, 0, 1), "GetEdgeLengthUnrooted, should never be called with root");
    EXPECT_QUIT(GetGotohLength(tree, 3, 4), "GetEdgeLengthUnrooted, not edge");
    // At X: A = 1, B = 2, C = 7.
    const double a = 1, b = 2, c = 7, s = a * b + a * c + b * c;
    EXPECT_DOUBLE_EQ(GotohThreeWay(tree, 3, 4, 2, 1), std::sqrt((a + b) * (a + c) * b * c / (s * a * (b + c))));
    EXPECT_QUIT(GotohThreeWay(tree, 1, 4, 2, 3), "GotohThreeWay: R must be internal node");
    Tree flat;
    TreeFromNewick("((A:0,B:0):0,C:0);", flat);
    EXPECT_EQ(GotohThreeWay(flat, 3, 4, 2, 1), 1.0);
}

TEST_F(ThreeWayWeights, EdgeWeights) {
    Tree tree;
    ThreeLeaves(tree);
    std::vector<float> storage(3 * tree.GetNodeCount(), -1.0f);
    std::vector<float*> rows;
    for (unsigned n = 0; n < tree.GetNodeCount(); ++n) rows.push_back(&storage[3 * n]);
    CalcThreeWayEdgeWeights(tree, rows.data());
    // X-C (through the root) is seen from X: GotohThreeWay(C, A, B, X); C is a leaf.
    const double a = 1, b = 2, c = 7, s = a * b + a * c + b * c;
    const float xc = static_cast<float>(std::sqrt((c + a) * (c + b) * a * b / (s * c * (a + b))));
    EXPECT_FLOAT_EQ(rows[1][0], xc);  // X's slot 1 holds the root, read as C
    EXPECT_FLOAT_EQ(rows[2][0], xc);
    const float xa = static_cast<float>(std::sqrt((a + b) * (a + c) * b * c / (s * a * (b + c))));
    EXPECT_FLOAT_EQ(rows[3][0], xa);
    EXPECT_FLOAT_EQ(rows[1][1], xa);
    EXPECT_EQ(rows[0][0], -1.0f);  // the root's slots are not touched
}
