// Tests of the per-column letter scores, the gap score and DiffObjScore against pairwise sums.
#include "align/diffObjScore.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "align/msa.h"
#include "align/pairScore.h"
#include "align/params.h"
#include "align/pwPath.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// The weighted sum over unordered pairs of distinct rows holding proper letters in col.
double PairLetters(const MSA& a, unsigned col) {
    double s = 0;
    for (unsigned i = 0; i < a.GetSeqCount(); ++i)
        for (unsigned j = i + 1; j < a.GetSeqCount(); ++j) {
            const unsigned x = a.GetLetterEx(i, col), y = a.GetLetterEx(j, col);
            if (x < 20 && y < 20) s += double(a.GetSeqWeight(i)) * a.GetSeqWeight(j) * (*g_ptrScoreMatrix)[x][y];
        }
    return s;
}

class DiffObjScoreTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetUpProteinScoring();
    }
};

}  // namespace

TEST_F(DiffObjScoreTest, ColumnLettersAreTheWeightedPairSum) {
    const unsigned seed = TestSeed(31);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> weight(0.05f, 1.0f);
    MSA a;
    std::vector<std::string> rows = RandomRows(rng, 6, 15, 0.3);
    rows[2][4] = 'X';  // wildcards do not score
    MakeMSA(a, rows);
    for (unsigned row = 0; row < 6; ++row) a.SetSeqWeight(row, weight(rng));
    std::vector<SCORE> scores(15);
    GetLetterScores(a, scores.data());
    for (unsigned col = 0; col < 15; ++col) EXPECT_NEAR(scores[col], PairLetters(a, col), 1e-4) << col;

    MSA gaps;
    MakeMSA(gaps, {"-", "-"});
    gaps.SetUniformWeights();
    EXPECT_EQ(ScoreColLetters(gaps, 0), 0.0f);
}

TEST_F(DiffObjScoreTest, GapsAndDifferences) {
    MSA a, b;
    MakeMSA(a, {"AC-D", "A-CD", "ACCD"});
    MakeMSA(b, {"ACD", "ACD", "ACC"});
    a.SetUniformWeights();
    b.SetUniformWeights();
    float pairs = 0;
    for (unsigned i = 0; i < 3; ++i)
        for (unsigned j = i + 1; j < 3; ++j)
            pairs += a.GetSeqWeight(i) * a.GetSeqWeight(j) * ScoreSeqPairGaps(a, i, a, j);
    const unsigned someColumns[] = {1};
    EXPECT_FLOAT_EQ(ScoreGaps(a, someColumns, 1), pairs);
    EXPECT_FLOAT_EQ(ScoreGaps(b, nullptr, 0), 0.0f);

    const unsigned colsA[] = {0, 3}, colsB[] = {2};
    PWPath unused;
    const SCORE expected = (0 - pairs) + (ScoreColLetters(b, 2) - ScoreColLetters(a, 0) - ScoreColLetters(a, 3));
    EXPECT_NEAR(DiffObjScore(a, unused, colsA, 2, b, unused, colsB, 1), expected, 1e-5);
}
