// Tests of the objective scores: hand-computed cases, agreement of the column-wise and pairwise
// forms, and the SPM switch.
#include "align/objScore.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/pairScore.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/scoringSetup.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

class ObjScoreTest : public ProteinScoringTest<SEQWEIGHT_None> {
protected:
    void SetUp() override {
        ProteinScoringTest::SetUp();
        g_scoreGapOpen = -10;
        g_scoreGapExtend = -1;
    }
    float M(char x, char y) { return (*g_ptrScoreMatrix)[CharToLetter(x)][CharToLetter(y)]; }
};

}  // namespace

TEST_F(ObjScoreTest, SumOfPairsByHand) {
    MSA a;
    MakeMSA(a, {"AC", "A-", "WC"});
    a.SetSeqWeight(0, 0.5f);
    a.SetSeqWeight(1, 0.25f);
    a.SetSeqWeight(2, 0.25f);
    // Rows 0/1 and 1/2: a gap in row 1 at the end of the pair's range, charged as terminal (-5).
    const float pair01 = M('A', 'A') - 5;
    const float pair02 = M('A', 'W') + M('C', 'C');
    const float pair12 = M('A', 'W') - 5;
    std::vector<SCORE> columns(2, 7.0f);
    const SCORE sp = ObjScoreSP(a, columns.data());
    EXPECT_NEAR(sp, 0.125f * pair01 + 0.125f * pair02 + 0.0625f * pair12, 1e-5);
    EXPECT_NEAR(g_SPScoreGaps, 0.125f * -5 + 0.0625f * -5, 1e-5);
    EXPECT_NEAR(g_SPScoreLetters + g_SPScoreGaps, sp, 1e-5);
    EXPECT_EQ(columns[0], 0.0f);

    // The same alignment judged as row 0 against rows 1 and 2, weights renormalised in each
    // group (uniform here: 1 and 0.5 each).
    const unsigned groupA[] = {0}, groupB[] = {1, 2};
    EXPECT_NEAR(ObjScore(a, groupA, 1, groupB, 2), 0.5f * pair01 + 0.5f * pair02, 1e-5);
    g_ObjScore = OBJSCORE_SP;
    EXPECT_NEAR(ObjScore(a, groupA, 1, groupB, 2), (pair01 + pair02 + pair12) / 9, 1e-5);
    g_ObjScore = OBJSCORE_Undefined;
    EXPECT_QUIT(ObjScore(a, groupA, 1, groupB, 2), "Invalid g_ObjScore=0");
}

TEST_F(ObjScoreTest, CrossPairsNeedPairsAndEqualLengths) {
    MSA a, b, empty;
    MakeMSA(a, {"AC"});
    MakeMSA(b, {"ACD"});
    a.SetUniformWeights();
    b.SetUniformWeights();
    EXPECT_QUIT(ObjScoreXP(a, b), "ObjScoreXP, alignment lengths differ 2 3");
    MakeMSA(empty, {});
    EXPECT_QUIT(ObjScoreXP(empty, empty), "0 == uPairCount");
    EXPECT_QUIT(ObjScoreDP(a, b, nullptr), "ObjScoreDP, must be same length");
}

TEST_F(ObjScoreTest, DimerFormEqualsPairsOnGapFreeAlignments) {
    const unsigned seed = TestSeed(23);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> weight(0.1f, 1.0f);
    MSA a;
    MakeMSA(a, RandomRows(rng, 7, 25, 0.0));
    for (unsigned row = 0; row < 7; ++row) a.SetSeqWeight(row, weight(rng));
    EXPECT_NEAR(ObjScoreSPDimer(a), ObjScoreSP(a, nullptr), 1e-3);
}

TEST_F(ObjScoreTest, SPMUsesCrossPairsUpTo100RowsAndTheDimerFormBeyond) {
    const unsigned seed = TestSeed(29);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::vector<std::string> rows = RandomRows(rng, 101, 6, 0.2);
    std::vector<unsigned> groupA, groupB;
    for (unsigned row = 0; row < 101; ++row) (row < 30 ? groupA : groupB).push_back(row);

    MSA big;
    MakeMSA(big, rows);
    const SCORE spm = ObjScore(big, groupA.data(), 30, groupB.data(), 71);
    big.SetUniformWeights();
    EXPECT_EQ(spm, ObjScoreSPDimer(big));

    MSA hundred;
    MakeMSA(hundred, std::vector<std::string>(rows.begin(), rows.begin() + 100));
    const SCORE xp = ObjScore(hundred, groupA.data(), 30, groupB.data(), 70);
    g_ObjScore = OBJSCORE_XP;
    EXPECT_EQ(xp, ObjScore(hundred, groupA.data(), 30, groupB.data(), 70));
}

TEST_F(ObjScoreTest, ProfileAgainstProfileColumns) {
    MSA a, b;
    MakeMSA(a, {"AC-"});
    MakeMSA(b, {"A-D"});
    std::unique_ptr<ProfPos[]> pa(ProfileFromMSA(a)), pb(ProfileFromMSA(b));
    // Column 1: a gap in b between letters (a's close and open); column 2: a gap in a at the
    // end (b's close and open).
    const SCORE expected = ScoreProfPos2(pa[0], pb[0]) + pa[1].scoreGapClose + pa[1].scoreGapOpen +
                           pb[2].scoreGapClose + pb[2].scoreGapOpen;
    std::vector<SCORE> columns(3);
    EXPECT_FLOAT_EQ(ObjScoreDP(a, b, columns.data()), expected);
    EXPECT_EQ(columns[0], ScoreProfPos2(pa[0], pb[0]));
    EXPECT_EQ(columns[1], 0.0f);

    // Tracing without the driver's alignments logs the scores only.
    TempFile log;
    SetListFileName(log.c_str(), false);
    g_bTracePPScore = true;
    EXPECT_FLOAT_EQ(ObjScoreDP(a, b, nullptr), expected);
    g_ptrPPScoreMSA1 = &a;
    ObjScoreDP(a, b, nullptr);
    SetListFileName("", false);
    const std::string text = log.read();
    EXPECT_EQ(text.substr(0, 2), "  ");
    EXPECT_NE(text.find("\nA  "), std::string::npos) << text;
}

TEST_F(ObjScoreTest, RowsAgainstTheirOwnProfile) {
    MSA a;
    MakeMSA(a, {"AC"});
    a.SetUniformWeights();
    std::vector<SCORE> columns(2);
    EXPECT_FLOAT_EQ(ObjScorePS(a, columns.data()), M('A', 'A') + M('C', 'C'));
    EXPECT_FLOAT_EQ(columns[1], M('C', 'C'));
    g_PPScore = PPSCORE_SP;
    EXPECT_QUIT(ObjScorePS(a, nullptr), "-objscore ps needs the profile score -le, which scores protein only; for "
                                        "nucleotide input, or with -sp, -sv or -spn, use -objscore sp, spf, dp, xp "
                                        "or spm (the default)");
}

TEST_F(ObjScoreTest, IdsAreTurnedIntoRows) {
    MSA::SetIdCount(3);
    MSA a;
    MakeMSA(a, {"AC", "A-", "WC"}, {2, 0, 1});
    const unsigned ids0[] = {2}, ids1[] = {0, 1};
    const unsigned rows0[] = {0}, rows1[] = {1, 2};
    EXPECT_EQ(ObjScoreIds(a, ids0, 1, ids1, 2), ObjScore(a, rows0, 1, rows1, 2));
}
