// Tests of the column- and cluster-based weighting methods of MSA.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/clusterTree.h"
#include "align/msa.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

std::vector<float> Weights(const MSA& a) {
    std::vector<float> w;
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) w.push_back(a.GetSeqWeight(row));
    return w;
}

void ExpectWeights(const MSA& a, const std::vector<double>& expected) {
    ASSERT_EQ(a.GetSeqCount(), expected.size());
    for (unsigned row = 0; row < expected.size(); ++row) EXPECT_NEAR(a.GetSeqWeight(row), expected[row], 1e-6) << row;
}

}  // namespace

using MSAWeights = EngineTest;

TEST_F(MSAWeights, TwoRowsWeighHalfEach) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"MKV", "W--"});
    a.SetHenikoffWeights();
    EXPECT_EQ(Weights(a), (std::vector<float>{0.5f, 0.5f}));
    a.SetHenikoffWeightsPB();
    EXPECT_EQ(Weights(a), (std::vector<float>{0.5f, 0.5f}));
    MSA one;
    MakeMSA(one, {"MKV"});
    one.SetHenikoffWeightsPB();
    EXPECT_EQ(Weights(one), (std::vector<float>{1.0f}));
}

TEST_F(MSAWeights, HenikoffSharesEachColumnAmongItsLetters) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"AA", "AA", "AC", "--"});
    a.SetHenikoffWeights();
    // Column 0: one letter in three rows, 1/3 each; column 1: A twice (1/4 each), C once (1/2).
    const double r01 = 1.0 / 3 + 0.25, r2 = 1.0 / 3 + 0.5, total = 2 * r01 + r2;
    ExpectWeights(a, {r01 / total, r01 / total, r2 / total, 0.0});
    EXPECT_TRUE(a.IsGapSeq(3));
    EXPECT_FALSE(a.IsGapSeq(2));
}

TEST_F(MSAWeights, HenikoffWithoutCountedLettersIsUniform) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    // Wildcards do not count: every raw weight is 0, which must not end the run.
    MakeMSA(a, {"XXXX", "XXBX", "XZXX"});
    a.SetHenikoffWeights();
    ExpectWeights(a, {1.0 / 3, 1.0 / 3, 1.0 / 3});
}

TEST_F(MSAWeights, PositionBasedHenikoff) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"AC", "AC", "A-", "--"});
    a.SetHenikoffWeightsPB();
    // Column 1: C twice (1/2 each), gap twice (1/2 each); the all-gap row then gets 0.
    ExpectWeights(a, {1.0 / 3, 1.0 / 3, 1.0 / 3, 0.0});
    MSA same;
    MakeMSA(same, {"MKV", "MKV", "MKV"});
    same.SetHenikoffWeightsPB();  // no column adds anything: uniform
    ExpectWeights(same, {1.0 / 3, 1.0 / 3, 1.0 / 3});
    MSA wild;
    MakeMSA(wild, {"AX", "A-", "AC"});
    wild.SetHenikoffWeightsPB();  // X and the gap are one symbol
    ExpectWeights(wild, {0.5 / 2, 0.5 / 2, 1.0 / 2});
}

TEST_F(MSAWeights, UniformWeights) {
    MSA a;
    MakeMSA(a, {"A", "C", "D", "E"});
    a.SetUniformWeights();
    EXPECT_EQ(Weights(a), (std::vector<float>(4, 0.25f)));
}

TEST_F(MSAWeights, BLOSUMClustersAtSixtyTwoPercentIdentity) {
    SetAlpha(ALPHA_Amino);
    MSA close;
    MakeMSA(close, {"AAAAAAAAAA", "AAAAAAAAAC", "AAAAAAAACC"});
    ClusterTree tree;
    EXPECT_EQ(close.CalcBLOSUMWeights(tree), 1u);
    ExpectWeights(close, {1.0 / 3, 1.0 / 3, 1.0 / 3});

    MSA two;
    MakeMSA(two, {"AAAAAAAAAA", "AAAAAAAAAC", "CCCCCCCCCC"});
    EXPECT_EQ(two.CalcBLOSUMWeights(tree), 2u);
    ExpectWeights(two, {0.5, 0.5, 1.0});  // not normalised
}

TEST_F(MSAWeights, GSCSharesTheRootWeightDownTheTree) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"AAAA", "AAAA", "CCCC"});
    a.SetGSCWeights();
    // Root (height 1) over (0,1) at height 0 and 2: each child gets (0 + 1) / (1 + 1); the
    // zero-weight cluster (0,1) splits its half by size.
    ExpectWeights(a, {0.25, 0.25, 0.5});
}
