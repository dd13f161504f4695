// Tests of weighting by the method in force and of the process-wide ClustalW vector.
#include "align/seqWeights.h"

#include <gtest/gtest.h>

#include <vector>

#include "align/alpha.h"
#include "align/clustalWWeights.h"
#include "align/guideTree.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/scoringSetup.h"
#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using SeqWeights = EngineTest;

TEST_F(SeqWeights, ClustalWWeightsFollowSequenceIdsNotLeafOrder) {
    SetAlpha(ALPHA_Amino);
    SetSeqWeightMethod(SEQWEIGHT_ClustalW);
    MSA::SetIdCount(3);
    // A tree rebuilt from an alignment whose rows are not in id order: leaf i is row i.
    MSA rows;
    MakeMSA(rows, {"AAAAAAAAAA", "AAAAAAAAAC", "CCCCCCCCCC"}, {2, 0, 1});
    Tree tree;
    TreeFromMSA(rows, tree, CLUSTER_UPGMB, DISTANCE_PctIdKimura, ROOT_Pseudo, nullptr);
    std::vector<float> byLeaf(3);
    CalcClustalWWeights(tree, byLeaf.data());
    ASSERT_GT(byLeaf[2], byLeaf[0]);  // the outlier row weighs most

    SetCorvidTree(tree);
    EXPECT_EQ(GetCorvidSeqWeightById(2), byLeaf[0]);
    EXPECT_EQ(GetCorvidSeqWeightById(0), byLeaf[1]);
    EXPECT_EQ(GetCorvidSeqWeightById(1), byLeaf[2]);

    // Any alignment of these sequences, rows in any order, gets each sequence's own weight.
    MSA other;
    MakeMSA(other, {"CCCCCCCCCC", "AAAAAAAAAA", "AAAAAAAAAC"}, {1, 2, 0});
    SetMSAWeightsCorvid(other);
    EXPECT_FLOAT_EQ(other.GetSeqWeight(0), byLeaf[2]);
    EXPECT_FLOAT_EQ(other.GetSeqWeight(1), byLeaf[0]);
    EXPECT_FLOAT_EQ(other.GetSeqWeight(2), byLeaf[1]);

    // A subset is normalised to a total of 1.
    MSA pair;
    MakeMSA(pair, {"CCCCCCCCCC", "AAAAAAAAAC"}, {1, 0});
    SetClustalWWeightsCorvid(pair);
    EXPECT_FLOAT_EQ(pair.GetSeqWeight(0), byLeaf[2] / (byLeaf[2] + byLeaf[1]));
    EXPECT_QUIT(GetCorvidSeqWeightById(3), "GetCorvidSeqWeightById(3): count=3");
}

TEST_F(SeqWeights, FirstStageTreesGiveTheSameWeightsEitherWay) {
    SetAlpha(ALPHA_Amino);
    SetSeqWeightMethod(SEQWEIGHT_ClustalW);
    Tree tree;
    TreeFromNewick("((A:1,B:1):2,C:4);", tree);
    for (unsigned i = 0; i < 3; ++i) tree.SetLeafId(tree.LeafIndexToNodeIndex(i), i);
    SetCorvidTree(tree);
    std::vector<float> byLeaf(3);
    CalcClustalWWeights(tree, byLeaf.data());
    for (unsigned id = 0; id < 3; ++id) EXPECT_EQ(GetCorvidSeqWeightById(id), byLeaf[id]);
}

TEST_F(SeqWeights, NoVectorWithoutAClustalWTree) {
    MSA::SetIdCount(2);
    MSA a;
    MakeMSA(a, {"A", "C"}, {0, 1});
    EXPECT_QUIT(GetCorvidSeqWeightById(0), "g_CorvidWeights = 0");
    SetSeqWeightMethod(SEQWEIGHT_Henikoff);
    Tree tree;
    TreeFromNewick("(A:1,B:1);", tree);
    SetCorvidTree(tree);  // not ClustalW: no vector
    SetSeqWeightMethod(SEQWEIGHT_ClustalW);
    EXPECT_QUIT(SetMSAWeightsCorvid(a), "g_CorvidWeights = 0");
    tree.SetLeafId(1, 0);
    tree.SetLeafId(2, 1);
    SetCorvidTree(tree);
    MSA wider;
    MSA::ResetIdCount();
    MSA::SetIdCount(3);
    MakeMSA(wider, {"A", "C", "D"}, {0, 1, 2});
    EXPECT_QUIT(SetMSAWeightsCorvid(wider), "SetClustalWWeightsCorvid: id out of range");
}

TEST_F(SeqWeights, DispatchByMethod) {
    SetAlpha(ALPHA_Amino);
    MSA::SetIdCount(3);
    MSA a;
    MakeMSA(a, {"AA", "AA", "AC"}, {0, 1, 2});
    SetSeqWeightMethod(SEQWEIGHT_None);
    SetMSAWeightsCorvid(a);
    EXPECT_FLOAT_EQ(a.GetSeqWeight(2), 1.0f / 3);
    SetSeqWeightMethod(SEQWEIGHT_Henikoff);
    SetMSAWeightsCorvid(a);
    EXPECT_GT(a.GetSeqWeight(2), a.GetSeqWeight(0));
    SetSeqWeightMethod(SEQWEIGHT_HenikoffPB);
    SetMSAWeightsCorvid(a);
    EXPECT_FLOAT_EQ(a.GetSeqWeight(2), 0.5f);
    SetSeqWeightMethod(SEQWEIGHT_GSC);
    SetMSAWeightsCorvid(a);
    EXPECT_FLOAT_EQ(a.GetSeqWeight(2), 0.5f);
    SetSeqWeightMethod(SEQWEIGHT_Undefined);
    EXPECT_QUIT(SetMSAWeightsCorvid(a), "SetMSAWeightsCorvid, Invalid method=0");
    EXPECT_TRUE(TreeNeededForWeighting(SEQWEIGHT_ClustalW));
    EXPECT_TRUE(TreeNeededForWeighting(SEQWEIGHT_ThreeWay));
    EXPECT_FALSE(TreeNeededForWeighting(SEQWEIGHT_GSC));
}

TEST_F(SeqWeights, ThreeWayWeightsNeedASplitEdge) {
    SetAlpha(ALPHA_Amino);
    SetSeqWeightMethod(SEQWEIGHT_ThreeWay);
    MSA::SetIdCount(3);
    MSA a;
    MakeMSA(a, {"AA", "AA", "AC"}, {2, 0, 1});
    SetMSAWeightsCorvid(a);  // no split: position-based Henikoff
    EXPECT_FLOAT_EQ(a.GetSeqWeight(2), 0.5f);

    g_uTreeSplitNode1 = 1;
    g_uTreeSplitNode2 = 3;
    EXPECT_QUIT(SetMSAWeightsCorvid(a), "SetThreeWayWeightsCorvid: no guide tree has been set");
    Tree tree;
    TreeFromNewick("((A:1,B:2):3,C:4);", tree);  // A id 0, B id 1, C id 2
    tree.SetLeafId(3, 0);
    tree.SetLeafId(4, 1);
    tree.SetLeafId(2, 2);
    SetCorvidTree(tree);
    SetMSAWeightsCorvid(a);
    EXPECT_FLOAT_EQ(a.GetSeqWeight(0), 7.0f / 10);  // id 2 = C
    EXPECT_FLOAT_EQ(a.GetSeqWeight(1), 1.0f / 10);  // id 0 = A
    EXPECT_FLOAT_EQ(a.GetSeqWeight(2), 2.0f / 10);  // id 1 = B
}
