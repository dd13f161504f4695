// Tests of the identity-to-distance conversions.
#include "align/pctIdDist.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/align/engineTestUtil.h"

using PctIdDist = EngineTest;

TEST_F(PctIdDist, KimuraFormulaTableAndCeiling) {
    EXPECT_DOUBLE_EQ(KimuraDist(1.0), 0.0);
    EXPECT_DOUBLE_EQ(KimuraDist(0.3), -std::log(1 - 0.7 - 0.7 * 0.7 / 5));
    // At D = 0.75 the formula gives way to the table, which starts lower: the distance is not
    // monotone there.
    EXPECT_DOUBLE_EQ(KimuraDist(0.25), 1.95);
    EXPECT_GT(KimuraDist(0.2501), KimuraDist(0.25));
    EXPECT_DOUBLE_EQ(KimuraDist(0.07), 9.88);  // D = 0.93: the last table entry
    EXPECT_DOUBLE_EQ(KimuraDist(0.05), 10.0);
    EXPECT_DOUBLE_EQ(KimuraDist(0.0), 10.0);
    EXPECT_DOUBLE_EQ(PctIdToHeightKimura(0.3), KimuraDist(0.3));
    EXPECT_QUIT(KimuraDist(std::numeric_limits<double>::quiet_NaN()),
                "Internal error in MSADistKimura::ComputeDist");
}

TEST_F(PctIdDist, KimuraInverseUndoesTheFormula) {
    for (double pctId : {1.0, 0.9, 0.6, 0.3}) EXPECT_NEAR(KimuraDistToPctId(KimuraDist(pctId)), pctId, 1e-12);
}

TEST_F(PctIdDist, LogDistanceIsClampedAtFivePercent) {
    EXPECT_DOUBLE_EQ(PctIdToMAFFTDist(0.0), -std::log(0.05));
    EXPECT_NEAR(PctIdToMAFFTDist(0.0), 2.996, 1e-3);
    EXPECT_DOUBLE_EQ(PctIdToMAFFTDist(1.0), 0.0);
    EXPECT_DOUBLE_EQ(PctIdToHeightMAFFT(0.5), std::log(2.0));
}
