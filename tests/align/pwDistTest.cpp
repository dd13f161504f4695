// Tests of the distances from pairwise alignments.
#include "align/pwDist.h"

#include <gtest/gtest.h>

#include <cmath>

#include "align/distFunc.h"
#include "align/distUnaligned.h"
#include "align/msa.h"
#include "align/pctIdDist.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

class PWDist : public ProteinScoringTest<SEQWEIGHT_ClustalW> {
protected:
    void SetUp() override {
        ProteinScoringTest::SetUp();
        MSA::SetIdCount(3);
        MakeSeqVect(m_Seqs, {"MKVLAAGIVWHEDQ", "MKVLAAGIVWHEDQ", "MKVLSAGIVWHKDQ"});
    }
    SeqVect m_Seqs;
};

}  // namespace

TEST_F(PWDist, KimuraDistanceOfTheAlignedPairs) {
    DistFunc df;
    DistUnaligned(m_Seqs, DISTANCE_PWKimura, df);
    EXPECT_EQ(df.GetDist(1, 0), 0.0f);
    // Two substitutions in 14 aligned positions.
    EXPECT_FLOAT_EQ(df.GetDist(2, 0), static_cast<float>(KimuraDist(12.0 / 14)));
    EXPECT_EQ(df.GetId(2), 2u);
    EXPECT_STREQ(df.GetName(1), "s1");
    // The pairwise alignments are weighted by Henikoff's method only for their duration.
    EXPECT_EQ(GetSeqWeightMethod(), SEQWEIGHT_ClustalW);
}

TEST_F(PWDist, ScoreDistanceOfTheAlignedPairs) {
    DistFunc df;
    DistPWScoreDist(m_Seqs, df);
    EXPECT_NEAR(df.GetDist(1, 0), 0.0f, 1e-6);
    EXPECT_GT(df.GetDist(2, 1), 0.0f);
    EXPECT_EQ(df.GetDist(2, 1), df.GetDist(1, 2));
}
