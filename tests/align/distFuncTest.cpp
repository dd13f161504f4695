// Tests of DistFunc.
#include "align/distFunc.h"

#include <gtest/gtest.h>

#include "align/engineTypes.h"
#include "tests/align/engineTestUtil.h"

using DistFuncTest = EngineTest;

TEST_F(DistFuncTest, SetDistKeepsTheMatrixSymmetric) {
    DistFunc df;
    df.SetCount(6);
    df.SetDist(2, 5, 0.3f);
    EXPECT_FLOAT_EQ(df.GetDist(2, 5), 0.3f);
    EXPECT_FLOAT_EQ(df.GetDist(5, 2), 0.3f);
    EXPECT_EQ(df.VectorIndex(2, 5), 17u);
    EXPECT_EQ(df.VectorLength(), 36u);
}

TEST_F(DistFuncTest, GrowingStartsAfreshShrinkingKeepsTheContents) {
    DistFunc df;
    df.SetCount(3);
    df.SetDist(1, 0, 0.5f);
    df.SetName(1, "one");
    df.SetId(1, 7);
    df.SetCount(2);  // within the capacity: nothing is cleared (the routines refill every pair)
    EXPECT_FLOAT_EQ(df.GetDist(0, 1), 0.5f);
    EXPECT_STREQ(df.GetName(1), "one");
    EXPECT_EQ(df.GetId(1), 7u);
    df.SetCount(4);
    EXPECT_EQ(df.GetCount(), 4u);
    EXPECT_FLOAT_EQ(df.GetDist(1, 0), 0.0f);
    EXPECT_EQ(df.GetName(1), nullptr);
    EXPECT_EQ(df.GetId(3), NO_INDEX);
}
