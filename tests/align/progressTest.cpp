// Tests of the progress lines.
#include "align/progress.h"

#include <gtest/gtest.h>

#include <string>

#include "align/diagnostics.h"
#include "align/params.h"
#include "tests/align/engineTestUtil.h"

using progress = EngineTest;

TEST_F(progress, SilentWhileQuiet) {
    testing::internal::CaptureStderr();
    Progress("%u sequences", 3u);
    Progress(0, 10);
    ProgressStepsDone();
    SetSeqStats(3, 1, 9, 5);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(progress, LinesWhenNotQuiet) {
    g_bQuiet = false;
    SetStartTime();
    SetIter(2);
    SetProgressDesc("Align node");
    testing::internal::CaptureStderr();
    Progress(4, 10);
    ProgressStepsDone();
    Progress("%s", std::string(3000, 'p').c_str());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Iter   2   50.00%  Align node\r"), std::string::npos) << err;
    EXPECT_NE(err.find("Iter   2  100.00%  Align node\r\n"), std::string::npos) << err;
    EXPECT_NE(err.find(std::string(3000, 'p') + "\n"), std::string::npos);
    EXPECT_EQ(err.rfind("00:00:0", 0), 0u) << err;

    // A shorter description after a completed line blanks out the rest of the old one.
    SetProgressDesc("Refine");
    testing::internal::CaptureStderr();
    Progress(0, 4);
    Progress(1, 4);
    err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Iter   2   25.00%  Refine    \r"), std::string::npos) << err;
    EXPECT_NE(err.find("Iter   2   50.00%  Refine\r"), std::string::npos) << err;
}

TEST_F(progress, DescriptionAndFileNameAreBounded) {
    g_bQuiet = false;
    SetProgressDesc(std::string(100, 'd').c_str());
    SetInputFileName(("/data/" + std::string(100, 'f') + ".fa").c_str());
    SetStartTime();
    testing::internal::CaptureStderr();
    Progress(0, 1);
    SetSeqStats(3, 1, 9, 5);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("  " + std::string(31, 'd') + "\r"), std::string::npos) << err;
    EXPECT_NE(err.find(std::string(31, 'f') + " 3 seqs, lengths min 1, max 9, avg 5\n"), std::string::npos) << err;
}

TEST_F(progress, VerboseStatisticsGoToTheLog) {
    TempFile log;
    SetListFileName(log.c_str(), false);
    g_bVerbose = true;
    SetSeqStats(4, 2, 8, 6);
    SetListFileName("", false);
    EXPECT_EQ(log.read(), "4 seqs, max length 8, avg  length 6\n");
}
