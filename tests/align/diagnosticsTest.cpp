// Tests of Quit, Warning and the log file.
#include "align/diagnostics.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/align/engineTestUtil.h"

using diagnostics = EngineTest;

TEST_F(diagnostics, QuitPrintsTheErrorAndEndsWithStatusTwo) {
    EXPECT_QUIT(Quit("No sequences in input file"), "No sequences in input file");
    EXPECT_QUIT(Quit("MSA::GetChar(%u/%u,%u/%u)", 3u, 2u, 0u, 5u), "MSA::GetChar(3/2,0/5)");
}

TEST_F(diagnostics, LongMessagesAreFormattedWhole) {
    // A 10 KB sequence label must neither overflow a buffer nor be cut.
    const std::string label(10000, 'a');
    EXPECT_QUIT(Quit("Label %s in tree does not match sequences", label.c_str()),
                "Label " + label + " in tree does not match sequences");
    testing::internal::CaptureStderr();
    Warning("%s", label.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\n*** WARNING *** " + label + "\n");
}

TEST_F(diagnostics, WarningGoesToStandardErrorAndLogAndReturns) {
    TempFile log;
    SetListFileName(log.c_str(), false);
    testing::internal::CaptureStderr();
    Warning("Matrix is not symmetrical, %c->%c=%g", 'A', 'C', 2.5);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\n*** WARNING *** Matrix is not symmetrical, A->C=2.5\n");
    SetListFileName("", false);
    // The log form has two blanks after the stars.
    EXPECT_EQ(log.read(), "\n*** WARNING ***  Matrix is not symmetrical, A->C=2.5\n");
}

TEST_F(diagnostics, LogWritesOnlyWhenNamedAndAppendsOnRequest) {
    Log("nowhere\n");  // no log file: nothing happens
    TempFile log("old\n");
    SetListFileName(log.c_str(), true);
    Log("%u seqs\n", 3u);
    Log("%s\n", std::string(5000, 'z').c_str());
    SetListFileName("", false);
    EXPECT_EQ(log.read(), "old\n3 seqs\n" + std::string(5000, 'z') + "\n");

    SetListFileName(log.c_str(), false);
    Log("fresh\n");
    SetListFileName("", false);
    EXPECT_EQ(log.read(), "fresh\n");
}

TEST_F(diagnostics, QuitLogsTheFatalError) {
    TempFile log;
    EXPECT_EXIT(
        {
            SetListFileName(log.c_str(), false);
            Quit("Invalid seq type");
        },
        testing::ExitedWithCode(2), "");
    const std::string text = log.read();
    EXPECT_EQ(text.rfind("\n*** FATAL ERROR ***  Invalid seq type\nStopped ", 0), 0u) << text;
}

TEST_F(diagnostics, UnwritableLogEndsWithStatusOne) {
    EXPECT_EXIT(
        {
            SetListFileName("/nonexistent-dir/engine.log", false);
            Log("x\n");
        },
        testing::ExitedWithCode(1), "/nonexistent-dir/engine.log");
}

TEST_F(diagnostics, AssertionNamesFileLineAndCondition) {
    const int line = __LINE__ + 1;
    EXPECT_QUIT(MY_ASSERT(1 + 1 == 3), std::string(__FILE__) + "(" + std::to_string(line) + "): MY_ASSERT(1 + 1 == 3)");
    MY_ASSERT(2 + 2 == 4);
}

TEST_F(diagnostics, TimeTextHasNoNewline) {
    const std::string t = GetTimeAsStr();
    EXPECT_EQ(t.size(), 24u);
    EXPECT_EQ(t.find('\n'), std::string::npos);
}
