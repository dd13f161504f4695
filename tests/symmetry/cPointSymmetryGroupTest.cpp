#include "symmetry/cPointSymmetryGroup.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(cPointSymmetryGroup, OrdersChainCountsAndDescriptions) {
    cDnSymmetry d2(2);
    EXPECT_EQ(d2.order, 2);
    EXPECT_EQ(d2.chainsPerAssembly, 4);
    EXPECT_EQ(d2.getDescription(), "d2");
    cCnSymmetry c12(12);
    EXPECT_EQ(c12.order, 12);
    EXPECT_EQ(c12.chainsPerAssembly, 12);
    EXPECT_EQ(c12.getDescription(), "c12");
    cTSymmetry t;
    cOSymmetry o;
    cISymmetry i;
    EXPECT_EQ(t.order, 12);
    EXPECT_EQ(o.order, 24);
    EXPECT_EQ(i.order, 60);
    EXPECT_EQ(i.chainsPerAssembly, 60);
    EXPECT_EQ(t.getDescription() + o.getDescription() + i.getDescription(), "toi");
    cHelicalSymmetry h;
    EXPECT_EQ(h.getDescription(), "h");
    EXPECT_EQ(h.order, 0);
    EXPECT_EQ(h.chainsPerAssembly, 0);
}

TEST(cPointSymmetryGroup, CubicCosinesAreThoseBetweenThreeFoldAndTwoFoldAxes) {
    // Written-out literals, close to the closed forms but compared to the last bits only
    // within rounding.
    EXPECT_NEAR(cTSymmetry().cosine, 1.0 / std::sqrt(3.0), 1e-15);
    EXPECT_NEAR(cOSymmetry().cosine, std::sqrt(2.0 / 3.0), 1e-15);
    EXPECT_NEAR(cISymmetry().cosine, (1.0 + std::sqrt(5.0)) / (2.0 * std::sqrt(3.0)), 1e-15);
    EXPECT_EQ(cCnSymmetry(5).cosine, 0.0);
    EXPECT_EQ(cDnSymmetry(5).cosine, 0.0);
}

TEST(cPointSymmetryGroup, NewGroupsHoldNoResults) {
    cISymmetry i;
    EXPECT_TRUE(i.permutations.empty());
    EXPECT_TRUE(i.q0.empty());
    EXPECT_TRUE(i.RMSD.empty());
    EXPECT_EQ(i.mainAxis.norm2(), 0.0);
    EXPECT_EQ(i.residual, 0.0);
}
