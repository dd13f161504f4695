// Tests of the MSA container: growth, ranges, ids, weights and statistics.
#include "align/msa.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/seq.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using MSATest = EngineTest;

TEST_F(MSATest, SetCharGrowsEveryRowAndFillsWithQuestionMarks) {
    MSA a;
    a.SetSeqCount(2);
    for (unsigned c = 0; c < 500; ++c) {
        a.SetChar(0, c, 'A');
        a.SetChar(1, c, 'C');
    }
    a.SetChar(0, 500, 'W');
    EXPECT_EQ(a.GetColCount(), 501u);
    EXPECT_EQ(a.GetChar(1, 500), '?');
    EXPECT_EQ(a.GetChar(1, 499), 'C');
    EXPECT_EQ(a.GetSeqBuffer(1)[999], '?');
    EXPECT_EQ(a.GetSeqBuffer(1)[1000], 0);
    a.SetChar(1, 1000, 'Y');  // the new capacity, 1000, grows again
    EXPECT_EQ(a.GetColCount(), 1001u);
    EXPECT_QUIT(a.SetChar(0, 1502, 'A'), "MSA::SetChar(0,1502)");
    EXPECT_QUIT(a.SetChar(2, 0, 'A'), "MSA::SetChar(2,0)");
}

TEST_F(MSATest, LetterAccessorsCheckTheirRange) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"AX-", "W.C"});
    EXPECT_QUIT(a.GetChar(2, 0), "MSA::GetChar(2/2,0/3)");
    EXPECT_QUIT(a.IsGap(0, 3), "MSA::GetChar(0/2,3/3)");
    EXPECT_QUIT(a.GetLetter(0, 1), "MSA::GetLetter(0/2, 1/3)='X'/4294967295");
    EXPECT_QUIT(a.GetSeqBuffer(2), "MSA::GetSeqBuffer(2), count=2");
    EXPECT_QUIT(a.GetSeqName(2), "MSA::GetSeqName(2), count=2");
    EXPECT_QUIT(a.SetSeqName(3, "z"), "MSA::SetSeqName(3, z), count=2");
    EXPECT_EQ(a.GetLetter(1, 0), 18u);
    EXPECT_EQ(a.GetLetterEx(0, 1), 20u);
    EXPECT_EQ(a.GetLetterEx(1, 1), 23u);
    EXPECT_TRUE(a.IsWildcard(0, 1));
    EXPECT_TRUE(a.IsGap(1, 1));
    EXPECT_FALSE(MSA::IsLegalLetter(20));
}

TEST_F(MSATest, IdCountIsFixedByTheFirstCall) {
    MSA::SetIdCount(5);
    MSA::SetIdCount(3);
    EXPECT_EQ(MSA::GetIdCount(), 5u);
    EXPECT_QUIT(MSA::SetIdCount(6), "MSA::SetIdCount: cannot increase count");
}

TEST_F(MSATest, SetSeqIdNeedsAnIdCount) {
    MSA a;
    MakeMSA(a, {"A"});
    EXPECT_QUIT(a.SetSeqId(0, 0), "MSA::SetSeqId, SetIdCount has not been called");
}

TEST_F(MSATest, AbsentIdsNeverLookLikeRows) {
    // The symmetry program aligns two chains under an id count of n.
    MSA::SetIdCount(4);
    MSA a;
    MakeMSA(a, {"AC", "AD"});
    a.SetSeqId(0, 2);
    a.SetSeqId(1, 3);
    EXPECT_EQ(a.GetSeqIndex(3u), 1u);
    EXPECT_QUIT(a.GetSeqIndex(0u), "MSA::GetSeqIndex(0): no row has this id");
    EXPECT_QUIT(a.GetSeqIndex(4u), "MSA::GetSeqIndex(4): no row has this id");
    EXPECT_QUIT(a.SetSeqId(0, 4), "MSA::SetSeqId(0, 4): id count is 4");
    unsigned index = 9;
    EXPECT_FALSE(a.GetSeqIndex(1u, &index));
    EXPECT_TRUE(a.GetSeqIndex(2u, &index));
    EXPECT_EQ(index, 0u);

    MSA b;
    MakeMSA(b, {"AC"});
    EXPECT_EQ(b.GetSeqId(0), NO_INDEX);  // allocated unset, not garbage
    EXPECT_QUIT(b.GetSeqIndex(0u), "MSA::GetSeqIndex(0): no row has this id");

    // Reassigning ids keeps the two maps inverse.
    a.SetSeqId(0, 3);
    EXPECT_EQ(a.GetSeqIndex(3u), 0u);
    EXPECT_EQ(a.GetSeqId(1), NO_INDEX);
    EXPECT_QUIT(a.GetSeqIndex(2u), "MSA::GetSeqIndex(2): no row has this id");
}

TEST_F(MSATest, CopyKeepsIdsOnlyWhenThereAreIds) {
    MSA plain, copy;
    MakeMSA(plain, {"AC", "GT"});
    copy.Copy(plain);  // no id count at all: no id is touched
    EXPECT_EQ(RowText(copy, 1), "GT");
    EXPECT_STREQ(copy.GetSeqName(0), "r0");
    EXPECT_FALSE(copy.HasIds());

    MSA::SetIdCount(3);
    MSA a, b;
    MakeMSA(a, {"AC", "GT", "TT"});
    a.SetSeqId(0, 2);
    a.SetSeqId(2, 0);
    b.Copy(a);
    EXPECT_EQ(b.GetSeqIndex(2u), 0u);
    EXPECT_EQ(b.GetSeqIndex(0u), 2u);
    EXPECT_EQ(b.GetSeqId(1), NO_INDEX);
    b.Copy(b);
    EXPECT_EQ(RowText(b, 2), "TT");
}

TEST_F(MSATest, FromSeqTakesTheSequenceId) {
    Seq s;
    s.FromString("MKV", "m");
    MSA a;
    a.FromSeq(s);  // without an id count, no id is needed
    EXPECT_EQ(RowText(a, 0), "MKV");
    MSA::SetIdCount(2);
    EXPECT_QUIT(a.FromSeq(s), "Seq::GetId, id not set");
    s.SetId(1);
    a.FromSeq(s);
    EXPECT_EQ(a.GetSeqIndex(1u), 0u);
    s.SetId(2);
    EXPECT_QUIT(a.FromSeq(s), "MSA::SetSeqId(0, 2): id count is 2");
}

TEST_F(MSATest, DeleteSeqCompactsRowsIdsAndWeights) {
    MSA::SetIdCount(3);
    MSA a;
    MakeMSA(a, {"AA", "CC", "GG"});
    for (unsigned r = 0; r < 3; ++r) {
        a.SetSeqId(r, 2 - r);
        a.SetSeqWeight(r, 0.1f * static_cast<float>(r + 1));
    }
    a.DeleteSeq(0);
    ASSERT_EQ(a.GetSeqCount(), 2u);
    EXPECT_EQ(RowText(a, 0), "CC");
    EXPECT_STREQ(a.GetSeqName(1), "r2");
    EXPECT_EQ(a.GetSeqIndex(0u), 1u);
    EXPECT_EQ(a.GetSeqIndex(1u), 0u);
    EXPECT_QUIT(a.GetSeqIndex(2u), "MSA::GetSeqIndex(2): no row has this id");
    EXPECT_FLOAT_EQ(a.GetSeqWeight(0), 0.2f);
    EXPECT_FLOAT_EQ(a.GetSeqWeight(1), 0.3f);
    EXPECT_QUIT(a.DeleteSeq(2), "MSA::DeleteSeq(2), count=2");
}

TEST_F(MSATest, CopySeqChecksTheCapacity) {
    MSA a, b;
    MakeMSA(a, {"ACGT"});
    b.SetSize(1, 3);
    EXPECT_QUIT(b.CopySeq(0, a, 0), "MSA::CopySeq(0, 0): 4 columns do not fit a capacity of 3");
    b.SetSize(2, 4);
    b.CopySeq(1, a, 0);
    EXPECT_EQ(b.GetColCount(), 4u);
    EXPECT_EQ(RowText(b, 1), "ACGT");
    EXPECT_STREQ(b.GetSeqName(1), "r0");
}

TEST_F(MSATest, FreeForgetsTheCapacities) {
    MSA a;
    a.SetSize(1, 10);
    a.Free();
    a.SetSize(1, 0);
    a.SetChar(0, 0, 'A');  // grows from the new, empty capacity
    EXPECT_EQ(RowText(a, 0), "A");
    char* letters = new char[3]{'A', 'C', 0};
    char* name = new char[2]{'x', 0};
    a.Free();
    a.AppendSeq(letters, 2, name);  // the cache starts again after Free
    EXPECT_EQ(RowText(a, 0), "AC");
}

TEST_F(MSATest, ColumnsAndCounts) {
    MSA a;
    MakeMSA(a, {"A-C.", "--GT"});
    EXPECT_TRUE(a.IsGapColumn(1));
    EXPECT_FALSE(a.IsGapColumn(0));
    EXPECT_TRUE(a.ColumnHasGap(0));
    EXPECT_FALSE(a.ColumnHasGap(2));
    EXPECT_TRUE(a.HasGap());
    EXPECT_EQ(a.GetCharCount(0, 2), 2u);
    EXPECT_EQ(a.GetSeqLength(1), 2u);
    EXPECT_FLOAT_EQ(a.GetOcc(3), 0.5f);
    a.DeleteColumns(1, 2);
    EXPECT_EQ(RowText(a, 0), "A.");
    EXPECT_EQ(RowText(a, 1), "-T");
    a.DeleteCol(0);
    EXPECT_EQ(RowText(a, 1), "T");
    EXPECT_QUIT(a.DeleteColumns(1, 1), "MSA::DeleteColumns(1, 1), count=1");
    a.SetChar(0, 1, 'K');
    a.SetChar(1, 1, 'L');
    a.CopyCol(1, 0);
    EXPECT_EQ(RowText(a, 0), "KK");
    MSA empty;
    EXPECT_TRUE(empty.IsGapColumn(0));
    EXPECT_TRUE(std::isnan(empty.GetOcc(0)));
}

TEST_F(MSATest, RowsAsSequences) {
    MSA a;
    MakeMSA(a, {"a-C.", "A?C-"});
    Seq s;
    s.SetId(4);
    a.GetSeq(0, s);
    EXPECT_EQ(std::string(s.begin(), s.end()), "AC");
    EXPECT_STREQ(s.GetName(), "r0");
    EXPECT_FALSE(s.IdSet());
    EXPECT_QUIT(a.GetSeq(1, s), "Invalid character '?' in sequence");
    MSA b;
    MakeMSA(b, {"AG--", "--ac"});
    EXPECT_TRUE(MSA::SeqsEq(a, 0, b, 1));
    EXPECT_FALSE(MSA::SeqsEq(a, 0, b, 0));
    unsigned index = 9;
    EXPECT_TRUE(b.GetSeqIndex("R1", &index));
    EXPECT_EQ(index, 1u);
    EXPECT_FALSE(b.GetSeqIndex("r2", &index));
}

TEST_F(MSATest, Weights) {
    MSA none;
    EXPECT_FALSE(none.WeightsSet());
    MSA a;
    MakeMSA(a, {"A", "C"});
    EXPECT_FALSE(a.WeightsSet());
    EXPECT_QUIT(a.GetSeqWeight(0), "Seq weight not set");
    a.SetSeqWeight(0, 1.0f);
    a.SetSeqWeight(1, 3.0f);
    EXPECT_TRUE(a.WeightsSet());
    a.NormalizeWeights(1.0f);
    EXPECT_FLOAT_EQ(a.GetSeqWeight(0), 0.25f);
    EXPECT_FLOAT_EQ(a.GetTotalSeqWeight(), 1.0f);
    a.UnWeight();
    EXPECT_FALSE(a.WeightsSet());
    EXPECT_QUIT(a.CalcWeights(), "Calc weights not implemented");
    EXPECT_QUIT(a.AlignedColIndexToColIndex(0), "MSA::AlignedColIndexToColIndex not implemented");
}

TEST_F(MSATest, IdentityAndConservation) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"AC--X", "--DE-", "ACDFX"});
    double pct = -1;
    unsigned positions = 9;
    a.GetPWID(0, 1, &pct, &positions);
    EXPECT_EQ(pct, 0.0);
    EXPECT_EQ(positions, 0u);
    a.GetPWID(1, 2, &pct, &positions);
    EXPECT_EQ(positions, 2u);
    EXPECT_DOUBLE_EQ(pct, 50.0);
    EXPECT_DOUBLE_EQ(a.GetPctIdentityPair(0, 2), 1.0);
    EXPECT_EQ(a.GetPctIdentityPair(0, 1), 0.0);
    // D/E share a residue group, E/F do not; the wildcard column does not count.
    EXPECT_DOUBLE_EQ(a.GetPctGroupIdentityPair(1, 2), 0.5);
    EXPECT_FLOAT_EQ(a.GetCons(4), 1.0f);  // only X: 1
    EXPECT_FLOAT_EQ(a.GetCons(0), 2.0f / 3.0f);
    EXPECT_EQ(a.UniqueResidueTypes(3), 2u);
    EXPECT_EQ(a.UniqueResidueTypes(4), 0u);
    EXPECT_FLOAT_EQ(a.GetAvgCons(), (2.0f / 3.0f + 2.0f / 3.0f + 2.0f / 3.0f + 1.0f / 3.0f + 1.0f) / 5.0f);
}

TEST_F(MSATest, AlphabetGuessTestsRnaFirst) {
    MSA a;
    MakeMSA(a, {"ACGN", "AC-N"});
    EXPECT_EQ(a.GuessAlpha(), ALPHA_RNA);
    MSA t;
    MakeMSA(t, {"ACGT"});
    EXPECT_EQ(t.GuessAlpha(), ALPHA_DNA);
    MSA p;
    MakeMSA(p, {"MKVL"});
    EXPECT_EQ(p.GuessAlpha(), ALPHA_Amino);
    MSA none;
    EXPECT_EQ(none.GuessAlpha(), ALPHA_Amino);
}

TEST_F(MSATest, RepairKeepsGaps) {
    SetAlpha(ALPHA_Amino);
    MSA a;
    MakeMSA(a, {"MJ-.", "O*AU"});
    testing::internal::CaptureStderr();
    a.FixAlpha();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "\n*** WARNING *** Assuming Amino (see -seqtype option), invalid letters found: *JOU\n");
    EXPECT_EQ(RowText(a, 0), "MX-.");
    EXPECT_EQ(RowText(a, 1), "XXAX");
}

TEST_F(MSATest, LogDump) {
    TempFile log;
    SetListFileName(log.c_str(), false);
    MSA empty;
    empty.LogMe();
    MSA::SetIdCount(2);
    MSA a;
    MakeMSA(a, {"AC", "G-"});
    a.SetSeqId(1, 1);
    a.SetSeqWeight(0, 0.5f);
    a.LogMe();
    SetListFileName("", false);
    const std::string margin(23, ' ');
    EXPECT_EQ(log.read(), "MSA empty\n\n" + margin + "01\n" + margin + "0         \n" +
                              "          r0 (0.500)   AC [4294967295]\n" +
                              "          r1           G- [    1]\n");
}
