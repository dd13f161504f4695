// Tests of the column-wise joins MSAAppend and MSACat.
#include "align/msaJoin.h"

#include <gtest/gtest.h>

#include "align/msa.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

using MSAJoin = EngineTest;

TEST_F(MSAJoin, AppendMatchesRowsById) {
    MSA::SetIdCount(3);
    MSA a, b;
    MakeMSA(a, {"AC", "D-"}, {0, 2});
    MakeMSA(b, {"YY", "WW", "XX"}, {2, 1, 0});
    MSAAppend(a, b);
    EXPECT_EQ(RowText(a, 0), "ACXX");
    EXPECT_EQ(RowText(a, 1), "D-YY");

    MSA missing;
    MakeMSA(missing, {"QQ"}, {1});
    EXPECT_QUIT(MSAAppend(a, missing), "MSAAppend: row 0 (id 0) has no row in the appended alignment");
}

TEST_F(MSAJoin, CatMatchesRowsByNameAndPadsMissingOnes) {
    MSA a, b, out;
    MakeMSA(a, {"AC", "DE"});
    MakeMSA(b, {"WWW"});  // named r0 like a's first row
    MSACat(a, b, out);
    EXPECT_EQ(RowText(out, 0), "ACWWW");
    EXPECT_EQ(RowText(out, 1), "DE---");
    EXPECT_STREQ(out.GetSeqName(1), "r1");
}
