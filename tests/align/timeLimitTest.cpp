// Tests of the time limit and the emergency save.
#include "align/timeLimit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "align/msa.h"
#include "align/params.h"
#include "align/progress.h"
#include "tests/align/engineTestUtil.h"

namespace {

// A one-row alignment "s" of the letters.
void OneRow(MSA& a, const std::string& letters) {
    a.SetSize(1, static_cast<unsigned>(letters.size()));
    a.SetSeqName(0, "s");
    for (unsigned col = 0; col < letters.size(); ++col) a.SetChar(0, col, letters[col]);
}

// What SaveCurrentAlignment writes now, saved in a child process (a save that reached a
// destroyed function would bring the test program down with it).
std::string Saved() {
    TempFile out;
    EXPECT_EXIT(
        {
            SetOutputFileName(out.c_str());
            SaveCurrentAlignment();
            exit(0);
        },
        testing::ExitedWithCode(0), "Current alignment saved");
    return out.read();
}

}  // namespace

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

// While a hold lives the save writes what it assembles; once it ends, the alignment registered
// before it, or registered later, and never the ended hold's assembly.
TEST_F(timeLimit, EndedHoldGivesTheSaveBackToTheRegisteredAlignment) {
    MSA before, held, after;
    OneRow(before, "AC");
    OneRow(held, "GT");
    OneRow(after, "KL");
    SetCurrentAlignment(before);
    auto hold = std::make_unique<CurrentAlignmentHold>([&](MSA& whole) { whole.Copy(held); });
    SetCurrentAlignment(after);  // ignored while the hold lives
    EXPECT_EQ(Saved(), ">s\nGT\n");
    hold.reset();
    EXPECT_EQ(Saved(), ">s\nAC\n");
    SetCurrentAlignment(after);
    EXPECT_EQ(Saved(), ">s\nKL\n");
}
