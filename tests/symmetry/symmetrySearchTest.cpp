// The search for one group in cSym: every copy of the assembly that clustering finds is matched
// and takes part in the fit.
#include <gtest/gtest.h>

#include "app/cInfo.h"
#include "app/cParameters.h"
#include "symmetry/cSym.h"
#include "tests/geometry/randomSeed.h"
#include "tests/symmetry/syntheticAssembly.h"

TEST(cSymSearch, EveryIncompleteCopyGetsItsGeneratorSlots) {
    // Three C3 trimers far apart, each with one chain missing: clustering makes three pairs that
    // cannot merge (2 + 2 chains exceed a trimer), more copies than 6 chains / 3 would suggest.
    // The copies are stacked 400 Å apart along their common axis, so that whatever the trimer's
    // orientation, a superposition within a copy moves the complex's centre by less than 20 Å
    // and one between copies by 400 Å or more: the clustering pairs each copy's chains.
    std::mt19937_64 rng = seededEngine("cSymSearch.EveryIncompleteCopy");
    const synthetic::sAssembly part = synthetic::buildAssembly('c', 3, rng, 0.0, 20.0, 2);
    const cVector3 step = toVector(400.0 * synthetic::axesOfOrder(part.rotations, 3).front());
    synthetic::sAssembly all;
    for (int copy = 0; copy < 3; ++copy)
        for (std::vector<cVector3> chain : part.chains) {
            for (cVector3& p : chain) p += step * copy;
            all.chains.push_back(chain);
        }
    cInfo info(75);
    info.setQuiet(true);
    cParameters parameters(&info);
    cSym sym(&parameters, &info);
    synthetic::loadAssembly(sym, all, true);
    auto group = synthetic::makeGroup('c', 3);

    testing::internal::CaptureStdout();
    sym.findSymmetry(group.get());
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(sym.chainToCluster.has_value());
    ASSERT_EQ(sym.clusterIds.size(), 3u) << "the geometry must split into three pairs";
    EXPECT_EQ(sym.permutationLength, 9);
    for (int k = 0; k < 6; ++k) {
        EXPECT_NE(sym.mainPermutation.at(k), -1) << "chain " << k << " has no image";
        EXPECT_EQ((*sym.chainToCluster)[sym.mainPermutation[k]], (*sym.chainToCluster)[k]);
    }
}
