// Tests of the parameter listing.
#include "align/listParams.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/params.h"
#include "align/scoringSetup.h"
#include "tests/align/engineTestUtil.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

using listParams = EngineTest;

TEST_F(listParams, ListsEveryParameterInOrder) {
    SetAlpha(ALPHA_Amino);
    TempFile log;
    SetListFileName(log.c_str(), false);
    g_bVerbose = true;
    SetPPScore(true);  // verbose: lists the parameters it derived
    SetListFileName("", false);
    const std::vector<std::string> lines = Lines(log.read());
    // Blank, address, blank, 46 parameters, blank.
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[0], "");
    EXPECT_FALSE(lines[1].empty());
    EXPECT_EQ(lines[1].find("http"), std::string::npos);
    EXPECT_EQ(lines[3], "Profile-profile score    LE");
    EXPECT_EQ(lines[4], "Max iterations           8");
    EXPECT_EQ(lines[6], "Max time                 (No limit)");
    EXPECT_EQ(lines[8], "Gap open                 -2.9");
    EXPECT_EQ(lines[12], "Center (LE)              -0.52");
    EXPECT_EQ(lines[13], "Term gaps                Half");
    EXPECT_EQ(lines[25], "SUEFF                    0.1");
    EXPECT_EQ(lines[27], "Normalize counts         True");
    EXPECT_EQ(lines[38], "ProdfDB                  False");
    EXPECT_EQ(lines[40], "Objective score          SPM");
    EXPECT_EQ(lines[48], "Sequence weighting (2)   ClustalW");
    EXPECT_EQ(lines[49], "");
}

TEST_F(listParams, TimeLimitText) {
    EXPECT_STREQ(MaxSecsToStr(), "(No limit)");
    g_ulMaxSecs = 1800;
    EXPECT_STREQ(MaxSecsToStr(), "00:30:00");
}
