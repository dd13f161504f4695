// Tests of the DistCalc distance sources.
#include "align/distCalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "align/alpha.h"
#include "align/clustSet.h"
#include "align/distFunc.h"
#include "align/msa.h"
#include "align/pctIdDist.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using DistCalcTest = EngineTest;

TEST_F(DistCalcTest, RowIHasIValuesFromTheMatrix) {
    DistFunc df;
    df.SetCount(3);
    df.SetDist(1, 0, 0.1f);
    df.SetDist(2, 0, 0.2f);
    df.SetDist(2, 1, 0.3f);
    df.SetId(2, 12);
    df.SetName(2, "two");
    DistCalcDF dc;
    dc.Init(df);
    EXPECT_EQ(dc.GetCount(), 3u);
    EXPECT_EQ(dc.GetId(2), 12u);
    EXPECT_STREQ(dc.GetName(2), "two");
    std::vector<float> row(3, -1.0f);
    dc.CalcDistRange(0, row.data());
    EXPECT_EQ(row, (std::vector<float>{-1.0f, -1.0f, -1.0f}));
    dc.CalcDistRange(2, row.data());
    EXPECT_EQ(row, (std::vector<float>{0.2f, 0.3f, -1.0f}));
}

TEST_F(DistCalcTest, AlignmentDistancesUseTheIdentityRoundedToFloat) {
    SetAlpha(ALPHA_Amino);
    MSA::SetIdCount(4);
    MSA a;
    // Rows 0 and 1 share one column in three: identity 1/3, not exact in float.
    MakeMSA(a, {"ACD", "AWW", "---", "YYY"}, {3, 1, 0, 2});
    DistCalcMSA dc;
    float out[3];
    dc.Init(a, DISTANCE_PctIdKimura);
    dc.CalcDistRange(1, out);
    const float third = static_cast<float>(1.0 / 3.0);
    EXPECT_EQ(out[0], static_cast<float>(KimuraDist(third)));
    EXPECT_NE(KimuraDist(third), KimuraDist(1.0 / 3.0));
    // The clustering source takes the identity in double.
    DISTANCE d = DISTANCE_PctIdKimura;
    ClustSetMSA set(a, &d);
    EXPECT_EQ(ClustSetMSA::MSADist(a, d, 1, 0), KimuraDist(1.0 / 3.0));

    dc.Init(a, DISTANCE_PctIdLog);
    dc.CalcDistRange(3, out);
    EXPECT_FLOAT_EQ(out[0], static_cast<float>(-std::log(0.05)));  // identity 0
    EXPECT_FLOAT_EQ(out[1], static_cast<float>(-std::log(0.05)));
    dc.Init(a, DISTANCE_Edit);
    dc.CalcDistRange(1, out);
    EXPECT_FLOAT_EQ(out[0], 1 - third);
    dc.Init(a, DISTANCE_ScoreDist);
    dc.CalcDistRange(1, out);
    EXPECT_GT(out[0], 0.0f);
    EXPECT_EQ(dc.GetId(0), 3u);
    EXPECT_STREQ(dc.GetName(3), "r3");
    dc.Init(a, DISTANCE_Kmer6_6);
    EXPECT_QUIT(dc.CalcDistRange(1, out), "DistCalcMSA: Invalid DISTANCE_1");
}
