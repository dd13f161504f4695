// Tests of ClusterTree and its node queries.
#include "align/clusterTree.h"

#include <gtest/gtest.h>

#include "align/diagnostics.h"
#include "align/distFunc.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// D(0,1) = 0.1, D(2,3) = 0.3, everything else 0.8: single linkage gives ((0,1),(2,3)).
void FourLeaves(ClusterTree& tree) {
    ClusterCase c;
    c.n = 4;
    c.dist = {{0, 0.1, 0.8, 0.8}, {0.1, 0, 0.8, 0.8}, {0.8, 0.8, 0, 0.3}, {0.8, 0.8, 0.3, 0}};
    DistFunc df;
    FillDistFunc(c, df);
    tree.Create(df);
}

}  // namespace

using ClusterTreeTest = EngineTest;

TEST_F(ClusterTreeTest, SingleLinkageJoinsInListOrder) {
    ClusterTree tree;
    FourLeaves(tree);
    EXPECT_EQ(tree.GetNodeCount(), 7u);
    const ClusterNode* root = tree.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->m_uIndex, 6u);
    EXPECT_FLOAT_EQ(static_cast<float>(root->m_dHeight), 0.8f);
    // (0,1) first (node 4), then (2,3) (node 5); the newest cluster heads the list, so the
    // last join has (2,3) on the left.
    EXPECT_EQ(root->m_ptrLeft->m_uIndex, 5u);
    EXPECT_EQ(root->m_ptrRight->m_uIndex, 4u);
    EXPECT_EQ(root->GetClusterSize(), 4u);
    EXPECT_EQ(root->GetClusterLeaf(0)->m_uIndex, 2u);
    EXPECT_EQ(root->GetClusterLeaf(3)->m_uIndex, 1u);
    EXPECT_QUIT(root->GetClusterLeaf(4), "ClusterNode::GetClusterLeaf(1): node 1 is a leaf");
    const ClusterNode* left = root->m_ptrLeft;
    EXPECT_NEAR(root->GetClusterWeight(), 0.8 + 0.3 + 0.1, 1e-7);
    EXPECT_NEAR(root->GetLeftBranchWeight(), 0.8 - 0.3, 1e-7);
    EXPECT_NEAR(root->GetRightWeight(), 0.8 + 0.1, 1e-7);
    EXPECT_EQ(left->m_ptrLeft->GetLeftWeight(), 0.0);
}

TEST_F(ClusterTreeTest, LogMe) {
    ClusterTree tree;
    ClusterCase c;
    c.n = 2;
    c.dist = {{0, 0.5}, {0.5, 0}};
    DistFunc df;
    FillDistFunc(c, df);
    tree.Create(df);
    TempFile log;
    SetListFileName(log.c_str(), false);
    tree.LogMe();
    SetListFileName("", false);
    EXPECT_EQ(log.read(),
              "Disjoints=2\n"
              "[00] w=0.000  CW=0.000  LBW=0.000  RBW=0.000  LWT=0.000  RWT=0.000  L=-1  R=-1  P=02  NxDj=-1  "
              "PvDj=-1  Sz=01  { 0 }\n"
              "[01] w=0.000  CW=0.000  LBW=0.000  RBW=0.000  LWT=0.000  RWT=0.000  L=-1  R=-1  P=02  NxDj=-1  "
              "PvDj=-1  Sz=01  { 1 }\n"
              "[02] w=0.000  CW=0.500  LBW=0.500  RBW=0.500  LWT=0.500  RWT=0.500  L=00  R=01  P=-1  NxDj=-1  "
              "PvDj=-1  Sz=02  { 0 1 }\n");
}

TEST_F(ClusterTreeTest, EmptyAndSingleLeaf) {
    ClusterTree tree;
    DistFunc df;
    df.SetCount(0);
    tree.Create(df);
    EXPECT_EQ(tree.GetRoot(), nullptr);
    df.SetCount(1);
    tree.Create(df);
    ASSERT_NE(tree.GetRoot(), nullptr);
    EXPECT_EQ(tree.GetRoot()->GetClusterSize(), 1u);
}
