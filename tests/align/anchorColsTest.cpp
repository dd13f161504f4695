// Tests of anchor-column selection: thresholds, smoothing edges and spacing.
#include "align/anchorCols.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/msa.h"
#include "align/params.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

class AnchorColsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetUpProteinScoring();
    }

    std::vector<unsigned> Anchors(const std::vector<std::string>& rows) {
        MSA a;
        MakeMSA(a, rows);
        a.SetUniformWeights();
        std::vector<unsigned> anchors(a.GetColCount());
        unsigned count = 0;
        FindAnchorCols(a, anchors.data(), &count);
        anchors.resize(count);
        return anchors;
    }
};

}  // namespace

TEST_F(AnchorColsTest, ShortAlignmentsHaveNone) {
    EXPECT_TRUE(Anchors(std::vector<std::string>(3, std::string(15, 'W'))).empty());
    EXPECT_FALSE(Anchors(std::vector<std::string>(3, std::string(16, 'W'))).empty());
}

TEST_F(AnchorColsTest, RunsOfCandidatesKeepTheirSecond) {
    // Every column qualifies except the three at each end, whose smoothed score is 0.
    EXPECT_EQ(Anchors(std::vector<std::string>(4, std::string(80, 'W'))), (std::vector<unsigned>{4, 36, 68}));
}

TEST_F(AnchorColsTest, PairsKeepTheHigherScoreAndLoneCandidatesStay) {
    // Gaps in row 0 everywhere except the candidate columns; the letter scores stay high.
    std::string row0(150, '-'), others(150, 'W');
    const unsigned candidates[] = {10, 20, 60, 90, 130};
    const char letters[] = {'W', 'C', 'C', 'C', 'W'};
    for (unsigned i = 0; i < 5; ++i) {
        row0[candidates[i]] = letters[i];
        others[candidates[i]] = letters[i];
    }
    EXPECT_EQ(Anchors({row0, others, others}), (std::vector<unsigned>{10, 90, 130}));
}

TEST_F(AnchorColsTest, EvenWindowsEndTheRun) {
    g_uSmoothWindowLength = 6;
    EXPECT_QUIT(Anchors(std::vector<std::string>(3, std::string(20, 'W'))), "WindowSmooth=6 must be odd");
}
