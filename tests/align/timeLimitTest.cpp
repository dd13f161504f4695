// Tests of the time limit and the emergency save.
#include "align/timeLimit.h"

#include <gtest/gtest.h>

#include "align/msa.h"
#include "align/params.h"
#include "align/progress.h"
#include "tests/align/engineTestUtil.h"

using timeLimit = EngineTest;

TEST_F(timeLimit, NoLimitDoesNothing) {
    CheckMaxTime();  // the start time is 0, but without a limit nothing is checked
    SetStartTime();
    g_ulMaxSecs = 3600;
    CheckMaxTime();  // within the limit
}

TEST_F(timeLimit, ExceededLimitSavesTheAlignmentAndEndsWithStatusZero) {
    TempFile out;
    MSA a;
    a.SetSize(2, 3);
    a.SetSeqName(0, "a");
    a.SetSeqName(1, "b");
    for (unsigned col = 0; col < 3; ++col) {
        a.SetChar(0, col, "AC-"[col]);
        a.SetChar(1, col, "ACG"[col]);
    }
    EXPECT_EXIT(
        {
            SetCurrentAlignment(a);
            SetOutputFileName(out.c_str());
            g_ulMaxSecs = 1;  // the start time was never set: the limit is long past
            CheckMaxTime();
        },
        testing::ExitedWithCode(0), Escaped("\nSaving current alignment ...\nCurrent alignment saved to \"" + out.path() + "\".\n"));
    EXPECT_EQ(out.read(), ">a\nAC-\n>b\nACG\n");
}

TEST_F(timeLimit, SavingWithoutAlignmentOrNameEndsWithStatusTwo) {
    EXPECT_EXIT(SaveCurrentAlignment(), testing::ExitedWithCode(2), Escaped("\nAlignment not completed, cannot save.\n"));
    MSA a;
    EXPECT_EXIT(
        {
            SetCurrentAlignment(a);
            SaveCurrentAlignment();
        },
        testing::ExitedWithCode(2), Escaped("\nOutput file name not specified, cannot save.\n"));
}
