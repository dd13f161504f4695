// Tests of the score distance.
#include "align/scoreDist.h"

#include <gtest/gtest.h>

#include <cmath>

#include "align/alpha.h"
#include "align/msa.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using ScoreDist = EngineTest;

TEST_F(ScoreDist, IdenticalUnrelatedAndEmptyRows) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"MKVLAW", "MKVLAW", "GGGGGG", "------", "---A--"});
    EXPECT_DOUBLE_EQ(GetScoreDist(a, 0, 1), 0.0);
    EXPECT_DOUBLE_EQ(GetScoreDist(a, 0, 2), 3.8619);  // less alike than random pairs
    EXPECT_DOUBLE_EQ(GetScoreDist(a, 3, 3), 0.0);     // no residues at all
    EXPECT_DOUBLE_EQ(GetScoreDist(a, 4, 3), 3.8619);  // residues against none
}

TEST_F(ScoreDist, PartlySimilarRows) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"AC-", "ADW"});
    // A/A 4, C/D -3 over 2 pairs; self scores A 4 + C 9 and A 4 + D 6 + W 11 (3 residues).
    const double e = -0.5209;
    const double r = (1 - 2 * e) / ((13.0 + 21.0) / 2 - 3 * e);
    EXPECT_DOUBLE_EQ(GetScoreDist(a, 0, 1), -1.2873 * std::log(r));
}

TEST_F(ScoreDist, OnlyForProtein) {
    SetAlpha(ALPHA_DNA);
    MSA a;
    MakeMSA(a, {"ACGT", "ACGT"});
    EXPECT_QUIT(GetScoreDist(a, 0, 1), "Scoredist is only for amino acid sequences");
}
