// Tests of the engine's numeric helpers.
#include "align/numUtils.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/align/engineTestUtil.h"

using numUtils = EngineTest;

TEST_F(numUtils, RankGivesTiesTheirMeanRank) {
    const double v[] = {3, 1, 3};
    double r[3];
    Rank(v, r, 3);
    EXPECT_DOUBLE_EQ(r[0], 2.5);
    EXPECT_DOUBLE_EQ(r[1], 1);
    EXPECT_DOUBLE_EQ(r[2], 2.5);
    const float f[] = {5, 5, 5, 1};
    float rf[4];
    Rank(f, rf, 4);
    EXPECT_FLOAT_EQ(rf[0], 3);
    EXPECT_FLOAT_EQ(rf[3], 1);
}

TEST_F(numUtils, NormalizeDividesByTheSumAndRefusesZero) {
    float v[] = {1, 3};
    Normalize(v, 2);
    EXPECT_FLOAT_EQ(v[0], 0.25f);
    EXPECT_FLOAT_EQ(v[1], 0.75f);
    float w[] = {1, 1, 2};
    Normalize(w, 3, 2.0f);
    EXPECT_FLOAT_EQ(w[2], 1.0f);
    float z[] = {0, 0};
    NormalizeUnlessZero(z, 2);
    EXPECT_EQ(z[0], 0.0f);
    EXPECT_QUIT(Normalize(z, 2), "Normalize, sum=0");
    EXPECT_QUIT(Normalize(z, 0, 1.0f), "Normalize, sum=0");
}

TEST_F(numUtils, CorrelationOfLinearAndDegenerateVectors) {
    const double a[] = {1, 2, 3, 4};
    const double b[] = {2, 4, 6, 8};
    const double c[] = {8, 6, 4, 2};
    const double flat[] = {5, 5, 5, 5};
    EXPECT_NEAR(Correl(a, b, 4), 1.0, 1e-12);
    EXPECT_NEAR(Correl(a, c, 4), -1.0, 1e-12);
    EXPECT_EQ(Correl(a, flat, 4), 0.0);
    EXPECT_EQ(Correl(a, b, 0), 0.0);
    const float fa[] = {1, 2, 3};
    const float fb[] = {1, 3, 2};
    EXPECT_NEAR(Correl(fa, fb, 3), 0.5f, 1e-6f);
}

TEST_F(numUtils, ToleranceTests) {
    EXPECT_TRUE(ScoreEq(1.0f, 1.00005f));
    EXPECT_TRUE(ScoreEq(1000.0f, 1004.0f));  // within 0.5 % of the sum
    EXPECT_FALSE(ScoreEq(1.0f, 1.1f));
    EXPECT_TRUE(BTEq(0.0f, 0.0f));
    EXPECT_TRUE(BTEq(-2.9f, -2.9001f));
    EXPECT_FALSE(BTEq(0.001f, 0.002f));
}

TEST_F(numUtils, ProbabilitiesAndVectors) {
    EXPECT_EQ(ScoreToProb(-1e37f), 0.0f);
    EXPECT_FLOAT_EQ(ScoreToProb(3.0f), 8.0f);
    EXPECT_TRUE(VectorIsZero(static_cast<const double*>(nullptr), 0));
    float v[3];
    VectorSet(v, 3, 0.0f);
    v[2] = 1e-30f;
    EXPECT_FALSE(VectorIsZero(v, 3));
}
