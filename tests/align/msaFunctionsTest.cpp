// Tests of the free functions on alignments.
#include "align/msaFunctions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using msaFunctions = EngineTest;

TEST_F(msaFunctions, ColumnRangeMustEndInsideTheAlignment) {
    MSA::SetIdCount(2);
    MSA a, out;
    MakeMSA(a, {"ACGT", "A-GT"});
    a.SetSeqId(0, 1);
    a.SetSeqId(1, 0);
    MSAFromColRange(a, 1, 3, out);
    EXPECT_EQ(RowText(out, 1), "-GT");
    EXPECT_EQ(out.GetSeqIndex(0u), 1u);
    EXPECT_STREQ(out.GetSeqName(0), "r0");
    MSAFromColRange(a, 4, 0, out);
    EXPECT_EQ(out.GetColCount(), 0u);
    EXPECT_QUIT(MSAFromColRange(a, 2, 3, out), "MSAFromColRange, out of bounds");
    EXPECT_QUIT(MSAFromColRange(a, 5, 0, out), "MSAFromColRange, out of bounds");
    EXPECT_QUIT(MSAFromColRange(a, 1, 0xFFFFFFFFu, out), "MSAFromColRange, out of bounds");
}

TEST_F(msaFunctions, RowSubsets) {
    MSA::SetIdCount(3);
    MSA a, out;
    MakeMSA(a, {"AA", "CC", "GG"});
    for (unsigned r = 0; r < 3; ++r) a.SetSeqId(r, (r + 1) % 3);
    const unsigned ids[] = {0, 1};
    MSASubsetByIds(a, ids, 2, out);
    EXPECT_EQ(RowText(out, 0), "GG");
    EXPECT_EQ(RowText(out, 1), "AA");
    EXPECT_EQ(out.GetSeqIndex(1u), 1u);
    const unsigned rows[] = {1};
    MSAFromSeqSubset(a, rows, 1, out);
    EXPECT_EQ(RowText(out, 0), "CC");
    EXPECT_EQ(out.GetSeqId(0), 2u);
    MSAFromSeqRange(a, 1, 2, out);
    EXPECT_EQ(RowText(out, 1), "GG");
    EXPECT_STREQ(out.GetSeqName(1), "r2");
    EXPECT_EQ(out.GetSeqId(0), NO_INDEX);
    EXPECT_QUIT(MSAFromSeqRange(a, 2, 2, out), "MSAFromSeqRange, out of bounds");
    const unsigned missing[] = {0, 7};
    EXPECT_QUIT(MSASubsetByIds(a, missing, 2, out), "MSA::GetSeqIndex(7): no row has this id");
}

TEST_F(msaFunctions, SequencesFromRowsKeepTheirIds) {
    MSA a;
    MakeMSA(a, {"a-C", "GG-"});
    SeqVect v;
    SeqVectFromMSA(a, v);  // rows without ids give sequences without ids
    ASSERT_EQ(v.Length(), 2u);
    EXPECT_EQ(std::string(v[0]->begin(), v[0]->end()), "AC");
    EXPECT_FALSE(v[0]->IdSet());
    MSA::SetIdCount(2);
    MSA b;
    MakeMSA(b, {"A-C", "GG-"});
    b.SetSeqId(1, 0);
    SeqVectFromMSA(b, v);
    ASSERT_EQ(v.Length(), 2u);
    EXPECT_EQ(v.GetSeqId(1), 0u);
    EXPECT_FALSE(v[0]->IdSet());
    EXPECT_STREQ(v.GetSeqName(1), "r1");
}

TEST_F(msaFunctions, GappedColumnsAreRemoved) {
    MSA a;
    MakeMSA(a, {"-A--C.", "-G-.T-"});
    DeleteGappedCols(a);
    EXPECT_EQ(RowText(a, 0), "AC");
    EXPECT_EQ(RowText(a, 1), "GT");
    MSA gaps;
    MakeMSA(gaps, {"--", ".-"});
    DeleteGappedCols(gaps);
    EXPECT_EQ(gaps.GetColCount(), 0u);
}

TEST_F(msaFunctions, ConservativeColumns) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"IAS-", "LCSA", "VAXA", "MAGA"});
    EXPECT_TRUE(MSAColIsConservative(a, 0));
    EXPECT_FALSE(MSAColIsConservative(a, 1));
    EXPECT_FALSE(MSAColIsConservative(a, 2));  // X is group 2, S group 0
    EXPECT_FALSE(MSAColIsConservative(a, 3));  // a gap
    MSA empty;
    EXPECT_QUIT(MSAColIsConservative(empty, 0), "MSAColIsConservative: empty alignment");
}

TEST_F(msaFunctions, EqualityByIds) {
    MSA::SetIdCount(2);
    MSA a, b;
    MakeMSA(a, {"AC-", "GT-"});
    MakeMSA(b, {"gt", "ac"});
    a.SetSeqId(0, 0);
    a.SetSeqId(1, 1);
    b.SetSeqId(0, 1);
    b.SetSeqId(1, 0);
    AssertMSAEqIgnoreCaseAndGaps(a, b);
    EXPECT_QUIT(AssertMSAEq(a, b), "Seq r0 differ ");
    MSA c;
    MakeMSA(c, {"AC-"});
    EXPECT_QUIT(AssertMSAEq(a, c), "Seq count differs");
    MSA d;
    d.Copy(a);
    AssertMSAEq(a, d);
    d.SetChar(1, 2, 'W');
    EXPECT_QUIT(AssertMSAEqIgnoreCaseAndGaps(a, d), "Seq r1 differ ");
}
