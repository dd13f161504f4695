// Tests of AlignTwoMSAs and the join of two alignments along a path.
#include "align/alignTwoMSAs.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "align/msa.h"
#include "align/params.h"
#include "align/pwPath.h"
#include "align/scoringSetup.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

class AlignTwoMSAsTest : public ProteinScoringTest<SEQWEIGHT_None> {
protected:
    void SetUp() override {
        ProteinScoringTest::SetUp();
        MSA::SetIdCount(10);
    }
};

}  // namespace

TEST_F(AlignTwoMSAsTest, JoinFollowsThePathWithNamesAndIds) {
    MSA a, b, out;
    MakeMSA(a, {"AC", "A-"}, {4, 7});
    MakeMSA(b, {"WCY"}, {2});
    PWPath path;
    path.FromStr("IMM");
    AlignTwoMSAsGivenPath(path, a, b, out);
    ASSERT_EQ(out.GetSeqCount(), 3u);
    EXPECT_EQ(RowText(out, 0), "-AC");
    EXPECT_EQ(RowText(out, 1), "-A-");
    EXPECT_EQ(RowText(out, 2), "WCY");
    EXPECT_STREQ(out.GetSeqName(2), "r0");
    EXPECT_EQ(out.GetSeqId(1), 7u);
    EXPECT_EQ(out.GetSeqIndex(2u), 2u);
}

TEST_F(AlignTwoMSAsTest, SkippedColumnsBecomeAnUnalignedBlock) {
    MSA a, b, out;
    MakeMSA(a, {"ACDE"});
    MakeMSA(b, {"WY"});
    PWPath path;
    // A's first three columns and nothing of B are skipped before the match, and B's last
    // column after it.
    path.AppendEdge('M', 4, 1);
    AlignTwoMSAsGivenPath(path, a, b, out);
    EXPECT_EQ(RowText(out, 0), "acdE.");
    EXPECT_EQ(RowText(out, 1), "...Wy");

    PWPath beyond;
    beyond.AppendEdge('M', 5, 1);
    EXPECT_QUIT(AlignTwoMSAsGivenPath(beyond, a, b, out),
                "AlignTwoMSAsGivenPath: edge 0 (M5.1) does not fit alignments of 4 and 2 columns");
}

TEST_F(AlignTwoMSAsTest, RowsKeepTheirLettersAndIdenticalRowsStayUngapped) {
    const unsigned seed = TestSeed(17);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (unsigned trial = 0; trial < 20; ++trial) {
        const std::string x = RandomProtein(rng, 30);
        const std::string y = Mutate(rng, x, 0.3, 3);
        MSA a, b, out;
        MakeMSA(a, {x});
        MakeMSA(b, {y});
        PWPath path;
        AlignTwoMSAs(a, b, out, path, false, false);
        path.Validate();
        ASSERT_EQ(Ungapped(out, 0), x);
        ASSERT_EQ(Ungapped(out, 1), y);
        AlignTwoMSAs(a, a, out, path, trial % 2 == 0, trial % 3 == 0);
        ASSERT_EQ(RowText(out, 0), x);
        ASSERT_EQ(RowText(out, 1), x);
    }
}
