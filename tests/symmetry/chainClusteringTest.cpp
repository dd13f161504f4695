// Tests of chain clustering: the distance between chains, the greedy merging with its tie and
// size rules, the chain slots of incomplete copies, and the failure messages.
#include "symmetry/chainClustering.h"

#include <gtest/gtest.h>

#include <cmath>

#include "structure/cMolecule.h"
#include "symmetry/cSym.h"
#include "tests/geometry/randomSeed.h"
#include "tests/symmetry/syntheticAssembly.h"

namespace {

constexpr double kPi = 3.141592653589793;

tMatrix filled(int n, double value) { return tMatrix(n, std::vector<double>(n, value)); }

// A cSym with n empty chains and the given pair RMSD; angles and centre displacements zero.
struct sChains {
    cSym sym{nullptr, nullptr};
    explicit sChains(const tMatrix& rmsd) {
        const int n = static_cast<int>(rmsd.size());
        sym.chainCount = n;
        for (int i = 0; i < n; ++i) sym.chains.push_back(new cMolecule);
        sym.pairRMSD = rmsd;
        sym.pairAngle = filled(n, 0.0);
        sym.pairCentreDistance = filled(n, 0.0);
    }
};

// Pair RMSD small inside the groups (consecutive runs of the given sizes), large across.
tMatrix blocks(const std::vector<int>& sizes) {
    std::vector<int> group;
    for (std::size_t g = 0; g < sizes.size(); ++g) group.insert(group.end(), sizes[g], static_cast<int>(g));
    const int n = static_cast<int>(group.size());
    tMatrix m = filled(n, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m[i][j] = i == j ? 0.0 : group[i] == group[j] ? 0.1 * (1 + (i + j) % 3) : 50.0;
    return m;
}

}  // namespace

TEST(chainClustering, DistanceMixesTheFourTermsOnTheirScales) {
    const tMatrix S{{-100.0, -20.0}, {-20.0, -90.0}};
    const tMatrix R{{0.0, 4.0}, {4.0, 0.0}};
    const tMatrix A{{0.0, 2.0}, {2.0, 0.0}};
    const tMatrix X{{0.0, 9.0}, {9.0, 0.0}};
    const tMatrix D = chainClusterDistances(S, R, A, X, {2.0943951023931953});
    // sLow = -140, sDen = 140; rDen = 7; T = |A - 2 pi / 3|, tDen = max T + 0.05; xDen = 12.
    const double t01 = std::fabs(2.0 - 2.0943951023931953), t00 = 2.0943951023931953;
    const double tDen = t00 + 0.05;
    EXPECT_DOUBLE_EQ(D[0][1], 4.0 / 7.0 + (-20.0 + 140.0) / 140.0 + (5.0 * t01) / tDen + (5.0 * 9.0) / 12.0);
    EXPECT_DOUBLE_EQ(D[0][0], 0.0 + (-100.0 + 140.0) / 140.0 + (5.0 * t00) / tDen + 0.0);
    // No expected angle: the angle term is pi for every pair, 5 pi / (pi + 0.05) in the distance.
    const tMatrix noAngle = chainClusterDistances(filled(2, 0.0), filled(2, 0.0), A, filled(2, 0.0), {});
    EXPECT_DOUBLE_EQ(noAngle[0][1], 1.0 + (5.0 * kPi) / (kPi + 0.05));
    EXPECT_DOUBLE_EQ(noAngle[0][0], noAngle[0][1]);
}

TEST(chainClustering, MergingTakesTheClosestPairThatFitsAndTheFirstOnTies) {
    // Chains 1 and 2 are equally close to chain 0: the pair (0, 1), met first, merges.
    tMatrix D = filled(4, 10.0);
    D[0][1] = D[1][0] = D[0][2] = D[2][0] = 1.0;
    D[2][3] = D[3][2] = 1.5;
    const sChainClusters clusters = mergeChainClusters(D, 2);
    EXPECT_TRUE(clusters.complete);
    EXPECT_EQ(clusters.count, 2);
    EXPECT_EQ(clusters.representative, (std::vector<int>{0, 0, 2, 2}));
    // After (0, 1) merges, row 0 holds size-weighted means: to chain 2 (2 + 10) / 2 = 6, to
    // chain 3 (5 + 5) / 2 = 5, so (0, 3) merges before (2, 3) at 5.5 and (0, 2) at first 2.
    tMatrix E = filled(4, 10.0);
    E[0][1] = 1.0;
    E[0][2] = 2.0;
    E[1][2] = 10.0;
    E[0][3] = E[1][3] = 5.0;
    E[2][3] = 5.5;
    const sChainClusters three = mergeChainClusters(E, 3);
    EXPECT_EQ(three.representative, (std::vector<int>{0, 0, 2, 0}));
    EXPECT_EQ(three.size[0], 3);
    EXPECT_FALSE(three.complete);  // chain 2 fits nowhere: 2 clusters for a target of 1
}

TEST(chainClustering, OneCopyNeedsNoDistances) {
    sChains chains(filled(4, 0.0));
    chains.sym.pairRMSD.clear();  // not even looked at
    chains.sym.clusterChains(4, {kPi}, true);
    ASSERT_TRUE(chains.sym.chainToCluster);
    EXPECT_EQ(*chains.sym.chainToCluster, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(chains.sym.clusterIds, (std::vector<int>{0}));
    EXPECT_EQ(chains.sym.permutationLength, 4);
}

TEST(chainClustering, IncompleteCopiesGetSlotsForTheirMissingChains) {
    // Seven chains, copies of three (cyclic, not strict): two full trimers and a lone chain.
    sChains chains(blocks({3, 3, 1}));
    chains.sym.clusterChains(3, {2.0943951023931953}, false);
    ASSERT_TRUE(chains.sym.chainToCluster);
    EXPECT_EQ(chains.sym.clusterIds, (std::vector<int>{0, 3, 6}));
    EXPECT_EQ(chains.sym.permutationLength, 9);
    EXPECT_EQ(*chains.sym.chainToCluster, (std::vector<int>{0, 0, 0, 3, 3, 3, 6, 6, 6}));
}

TEST(chainClustering, StrictGroupsRefuseChainCountsAndIncompleteCopies) {
    sChains ten(filled(10, 1.0));
    testing::internal::CaptureStdout();
    ten.sym.clusterChains(4, {kPi}, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error, unexpected number of chains\n");
    EXPECT_FALSE(ten.sym.chainToCluster);

    // Six chains that only pair up: copies of three cannot be completed.
    sChains pairs(blocks({2, 2, 2}));
    testing::internal::CaptureStdout();
    pairs.sym.clusterChains(3, {kPi}, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error, unable to cluster the chains\n");
    EXPECT_FALSE(pairs.sym.chainToCluster);

    // The same for a cyclic group once strict angles are asked for; without them the
    // incomplete copies are kept.
    sChains cyclic(blocks({2, 2, 2}));
    cyclic.sym.clusterChains(3, {}, false);
    EXPECT_TRUE(cyclic.sym.chainToCluster);
    cyclic.sym.strictAngles = true;
    testing::internal::CaptureStdout();
    cyclic.sym.clusterChains(3, {}, false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error, unable to cluster the chains\n");
    EXPECT_FALSE(cyclic.sym.chainToCluster);
}

TEST(chainClustering, NoChainsPerAssemblyIsRefusedInsteadOfDividingByZero) {
    sChains chains(filled(3, 1.0));
    testing::internal::CaptureStdout();
    chains.sym.clusterChains(0, {}, false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error, unexpected number of chains\n");
    EXPECT_FALSE(chains.sym.chainToCluster);
    // Matrices of the wrong size are refused as well.
    chains.sym.pairAngle = filled(2, 0.0);
    testing::internal::CaptureStdout();
    chains.sym.clusterChains(2, {}, false);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Error"), std::string::npos);
    EXPECT_FALSE(chains.sym.chainToCluster);
}

TEST(chainClustering, HigherSymmetryComplexesSplitIntoThreeFoldRings) {
    // A D3 hexamer and a C6 hexamer tested as c3: each cluster must be a ring of three chains
    // related by turns of 120 degrees (the D3 trimers; the alternate chains of the C6 ring).
    std::mt19937_64 rng = seededEngine("chainClustering.Rings");
    cCnSymmetry c3(3);
    for (const auto& [type, order] : {std::pair{'d', 3}, std::pair{'c', 6}}) {
        SCOPED_TRACE(std::string(1, type));
        const synthetic::sAssembly assembly = synthetic::buildAssembly(type, order, rng, 0.3, 25.0);
        cSym sym(nullptr, nullptr);
        synthetic::loadAssembly(sym, assembly, true);
        sym.clusterChains(3, synthetic::expectedAngles(c3), false);
        ASSERT_TRUE(sym.chainToCluster);
        ASSERT_EQ(sym.clusterIds.size(), 2u);
        EXPECT_EQ(sym.permutationLength, 6);
        for (int i = 0; i < 6; ++i) {
            for (int j = 0; j < 6; ++j) {
                if (i != j && (*sym.chainToCluster)[i] == (*sym.chainToCluster)[j]) {
                    EXPECT_NEAR(sym.pairAngle[i][j], 2.0943951023931953, 0.05) << i << " " << j;
                }
            }
        }
    }
}
