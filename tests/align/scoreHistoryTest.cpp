// Tests of ScoreHistory: repeats two or more passes back end refinement.
#include "align/scoreHistory.h"

#include <gtest/gtest.h>

#include "tests/align/engineTestUtil.h"

using ScoreHistoryTest = EngineTest;

TEST_F(ScoreHistoryTest, RepeatsCountFromTwoPassesBack) {
    ScoreHistory h(4, 3);
    EXPECT_FALSE(h.SetScore(0, 2, true, 1.5f));
    EXPECT_FALSE(h.SetScore(0, 2, false, 7.0f));
    // The pass just before is never compared.
    EXPECT_FALSE(h.SetScore(1, 2, true, 1.5f));
    EXPECT_FALSE(h.SetScore(1, 2, false, 2.0f));
    EXPECT_FALSE(h.SetScore(2, 2, false, 2.0f));
    EXPECT_TRUE(h.SetScore(2, 2, true, 1.5f));
    EXPECT_EQ(h.GetScore(1, 2, true, false), 2.0f);
    EXPECT_EQ(h.GetScore(0, 2, false, true), 1.5f);
    EXPECT_QUIT(h.GetScore(2, 2, false, true), "ScoreHistory::GetScore");
}

TEST_F(ScoreHistoryTest, RangeAndMissingSlots) {
    ScoreHistory h(3, 2);
    EXPECT_QUIT(h.SetScore(3, 0, true, 0), "ScoreHistory::SetScore-1");
    EXPECT_QUIT(h.SetScore(0, 2, true, 0), "ScoreHistory::SetScore-2");
    h.SetScore(0, 1, true, 4);
    EXPECT_QUIT(h.SetScore(2, 0, true, 0), "ScoreHistory::SetScore-3");
    ScoreHistory none(0, 5);
    EXPECT_QUIT(none.SetScore(0, 0, true, 0), "ScoreHistory::SetScore-1");
    // "No limit" (-maxiters -1) costs only the passes that are scored.
    ScoreHistory unlimited(4294967295u, 2);
    EXPECT_FALSE(unlimited.SetScore(1, 1, true, 4));
    EXPECT_QUIT(unlimited.GetScore(2, 1, false, true), "ScoreHistory::GetScore");
}
