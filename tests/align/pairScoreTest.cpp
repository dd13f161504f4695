// Tests of the pairwise letter and gap scores against hand-computed cases.
#include "align/pairScore.h"

#include <gtest/gtest.h>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/params.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

class PairScore : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetUpProteinScoring();
        g_scoreGapOpen = -10;
        g_scoreGapExtend = -1;
    }
    float M(char x, char y) { return (*g_ptrScoreMatrix)[CharToLetter(x)][CharToLetter(y)]; }
};

}  // namespace

TEST_F(PairScore, LettersOnlyWhereBothRowsHaveAProperLetter) {
    MSA a;
    MakeMSA(a, {"-AC-XW", "-AD-KW"});
    EXPECT_FLOAT_EQ(ScoreSeqPairLetters(a, 0, a, 1), M('A', 'A') + M('C', 'D') + M('W', 'W'));
    MSA empty;
    MakeMSA(empty, {"---", "---"});
    EXPECT_EQ(ScoreSeqPairLetters(empty, 0, empty, 1), 0.0f);
    EXPECT_EQ(ScoreSeqPairGaps(empty, 0, empty, 1), 0.0f);
    MSA other;
    MakeMSA(other, {"AC"});
    EXPECT_QUIT(ScoreSeqPairLetters(a, 0, other, 0), "ScoreSeqPairLetters, different lengths");
    EXPECT_QUIT(ScoreSeqPairGaps(a, 0, other, 0), "ScoreSeqPairGaps, different lengths");
}

TEST_F(PairScore, GapsInsideTheRangeOpenAndExtend) {
    MSA a;
    // Columns 0 and 7 are gaps in both rows: outside the scored range. Row 0 has a gap of two
    // inside (open + extend), row 1 one of one directly after it (a second opening).
    MakeMSA(a, {"-A--CDE-", "-AEF-GE-"});
    EXPECT_FLOAT_EQ(ScoreSeqPairGaps(a, 0, a, 1), -10 - 1 - 10);
}

TEST_F(PairScore, GapsAtTheEndsAreTerminal) {
    MSA a;
    MakeMSA(a, {"--ACDE", "WWACD-"});
    // Leading gap: terminal open (half the gap open) + one extension; trailing gap: opened as
    // an inner gap, then charged as terminal instead.
    const float half = -5;
    EXPECT_FLOAT_EQ(ScoreSeqPairGaps(a, 0, a, 1), (half - 1) + (-10 + 10 + half));
    g_TermGaps = TERMGAPS_Full;
    EXPECT_FLOAT_EQ(ScoreSeqPairGaps(a, 0, a, 1), -1.0f);
    g_TermGaps = TERMGAPS_Ext;
    EXPECT_FLOAT_EQ(TermGapScore(), -1.0f);
    g_TermGaps = TERMGAPS_Undefined;
    EXPECT_QUIT(TermGapScore(), "TermGapScore?!");
}
