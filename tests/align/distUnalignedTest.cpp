// Tests of DistUnaligned.
#include "align/distUnaligned.h"

#include <gtest/gtest.h>

#include "align/alpha.h"
#include "align/distFunc.h"
#include "align/seqVect.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using DistUnalignedTest = EngineTest;

TEST_F(DistUnalignedTest, RowsGetTheSequencesNamesAndIds) {
    SetAlpha(ALPHA_Amino);
    SeqVect v;
    MakeSeqVect(v, {"MKVLAWCDEF", "MKVLAWCDEF", "WWWWWWWWWW"});
    v.SetSeqId(0, 2);
    v.SetSeqId(2, 0);
    DistFunc df;
    DistUnaligned(v, DISTANCE_Kmer6_6, df);
    EXPECT_EQ(df.GetCount(), 3u);
    EXPECT_EQ(df.GetId(0), 2u);
    EXPECT_EQ(df.GetId(2), 0u);
    EXPECT_STREQ(df.GetName(1), "s1");
    EXPECT_EQ(df.GetDist(1, 0), 0.0f);
    EXPECT_EQ(df.GetDist(2, 0), 3.0f);
    DistUnaligned(v, DISTANCE_Kmer20_4, df);
    EXPECT_FLOAT_EQ(df.GetDist(2, 1), 0.99f);
}

TEST_F(DistUnalignedTest, UnsupportedMethodsAndUnsetIdsEndTheRun) {
    SetAlpha(ALPHA_Amino);
    SeqVect v;
    MakeSeqVect(v, {"MKVLAW", "MKVLAW"});
    DistFunc df;
    EXPECT_QUIT(DistUnaligned(v, DISTANCE_PctIdKimura, df), "DistUnaligned, unsupported distance method 6");
    v.GetSeq(1).SetId(uInsane);
    EXPECT_QUIT(DistUnaligned(v, DISTANCE_Kmer6_6, df), "Seq::GetId, id not set");
}
