// Tests of AlignTwoProfs: the merged profile is the profile of the joined alignment.
#include "align/alignTwoProfs.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "align/alignTwoMSAs.h"
#include "align/msa.h"
#include "align/msaFunctions.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"
#include "align/scoringSetup.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

// Uniform weights: a group of n rows weighs n / (rows of both) in the joined alignment.
using AlignTwoProfsTest = ProteinScoringTest<SEQWEIGHT_None>;

TEST_F(AlignTwoProfsTest, MergedProfileEqualsTheProfileOfTheJoinedAlignment) {
    const unsigned seed = TestSeed(41);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<unsigned> rows(1, 4), length(3, 12);
    unsigned compared = 0;
    for (unsigned trial = 0; trial < 60; ++trial) {
        MSA a, b, joined;
        const unsigned rowsA = rows(rng), rowsB = rows(rng);
        MakeMSA(a, RandomRows(rng, rowsA, length(rng), 0.3));
        MakeMSA(b, RandomRows(rng, rowsB, length(rng), 0.3));
        // A merged profile has no gap-only columns; neither may the inputs.
        DeleteGappedCols(a);
        DeleteGappedCols(b);
        if (a.GetColCount() == 0 || b.GetColCount() == 0) continue;
        std::unique_ptr<ProfPos[]> pa(ProfileFromMSA(a)), pb(ProfileFromMSA(b));
        ++compared;

        PWPath path;
        ProfPos* merged = nullptr;
        unsigned mergedLength = 0;
        AlignTwoProfs(pa.get(), a.GetColCount(), float(rowsA), pb.get(), b.GetColCount(), float(rowsB), path,
                      &merged, &mergedLength);
        std::unique_ptr<ProfPos[]> owner(merged);
        AlignTwoMSAsGivenPath(path, a, b, joined);
        ASSERT_EQ(mergedLength, joined.GetColCount());
        std::unique_ptr<ProfPos[]> direct(ProfileFromMSA(joined));
        ExpectProfilesNear(merged, direct.get(), mergedLength);
    }
    EXPECT_GT(compared, 50u);
}

TEST_F(AlignTwoProfsTest, PathTypesOutsideMDIEndTheRun) {
    MSA a;
    MakeMSA(a, {"AC"});
    std::unique_ptr<ProfPos[]> p(ProfileFromMSA(a));
    PWPath path;
    path.AppendEdge('S', 1, 1);
    ProfPos* out = nullptr;
    unsigned length = 0;
    EXPECT_QUIT(AlignTwoProfsGivenPath(path, p.get(), 2, 0.5f, p.get(), 2, 0.5f, &out, &length),
                "AlignTwoProfsGivenPath: invalid edge type 'S'");
}
