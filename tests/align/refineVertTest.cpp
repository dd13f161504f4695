// Tests of vertical refinement: blocks between anchors, refined and joined again by id.
#include "align/refineVert.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "align/anchorCols.h"
#include "align/corvid.h"
#include "align/guideTree.h"
#include "align/msa.h"
#include "align/msaFunctions.h"
#include "align/params.h"
#include "align/progressiveAlign.h"
#include "align/refineHoriz.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/textFile.h"
#include "align/timeLimit.h"
#include "align/tree.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

class RefineVertTest : public ProteinScoringTest<SEQWEIGHT_ClustalW> {
protected:
    // With maskFirstM, the leading methionines are masked first (MHackStart).
    void Align(const std::vector<std::string>& letters, const std::string& newick, MSA& a, bool maskFirstM = false) {
        MSA::ResetIdCount();
        MSA::SetIdCount(static_cast<unsigned>(letters.size()));
        MakeSeqVect(m_Seqs, letters);
        if (maskFirstM) MHackStart(m_Seqs);
        TreeFromNewickWithIds(newick, m_Tree);
        SetCorvidTree(m_Tree);
        ProgressiveAlign(m_Seqs, m_Tree, a);
    }

    // Runs refine with a time limit that strikes at the first check and reads what was saved.
    static void SavedAtFirstCheck(const std::function<void()>& refine, MSA& saved) {
        TempFile out;
        EXPECT_EXIT(
            {
                SetOutputFileName(out.c_str());
                g_ulMaxSecs = 1;  // the start time was never set: the first check strikes
                refine();
                exit(3);
            },
            ::testing::ExitedWithCode(0), "Current alignment saved");
        TextFile in(out.c_str());
        saved.FromFile(in);
    }

    SeqVect m_Seqs;
    Tree m_Tree;
};

}  // namespace

TEST_F(RefineVertTest, BlocksAreRefinedAndJoinedByRowId) {
    const unsigned seed = TestSeed(55);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::string core = RandomProtein(rng, 30);
    std::vector<std::string> letters;
    // A conserved tryptophan stretch in the middle gives anchors; the ends vary.
    for (unsigned i = 0; i < 5; ++i) {
        const std::string start = Mutate(rng, core, 0.4, 2);  // drawn first, whatever the compiler
        letters.push_back(start + "WWWWWWWWWWWWWWWWWWWW" + Mutate(rng, core, 0.4, 2));
    }
    MSA a;
    Align(letters, "((s0:0.1,s3:0.1):0.2,((s1:0.1,s4:0.1):0.2,s2:0.1):0.2);", a);
    const unsigned rowOfId2 = a.GetSeqIndex(2u);
    RefineVert(a, m_Tree, 4);
    // The row order and the rows' letters are kept.
    EXPECT_EQ(a.GetSeqIndex(2u), rowOfId2);
    for (unsigned id = 0; id < 5; ++id) EXPECT_EQ(Ungapped(a, a.GetSeqIndex(id)), letters[id]);
}

TEST_F(RefineVertTest, WithoutAnchorsItIsOneUnlockedBlock) {
    MSA a, b;
    Align({"ACDEFGHIK", "ACEFGHIKL", "CDEFHIKLM", "ADEFGHKLM"}, "((s0:0.1,s2:0.1):0.2,(s1:0.1,s3:0.1):0.2);", a);
    ASSERT_LT(a.GetColCount(), 16u);
    b.Copy(a);
    const bool vertical = RefineVert(a, m_Tree, 3);
    const bool horizontal = RefineHoriz(b, m_Tree, 3, false, false);
    EXPECT_EQ(vertical, horizontal);
    for (unsigned id = 0; id < 4; ++id) EXPECT_EQ(RowText(a, a.GetSeqIndex(id)), RowText(b, b.GetSeqIndex(id)));

    MSA two;
    MakeMSA(two, {"ACDEFG", "ACDFG-"}, {0, 1});
    EXPECT_FALSE(RefineVert(two, m_Tree, 3));
}

TEST_F(RefineVertTest, TimeLimitSavesTheWholeAlignmentWithItsFirstResidues) {
    std::mt19937 rng(TestSeed(56));
    const std::string core = RandomProtein(rng, 30);
    std::vector<std::string> letters;
    for (unsigned i = 0; i < 5; ++i) {
        std::string row = "M";  // masked by MHackStart
        row += Mutate(rng, core, 0.4, 2) + std::string(20, 'W');
        row += Mutate(rng, core, 0.4, 2);
        letters.push_back(row);
    }
    // Anchored, the limit strikes inside the refinement of the first block; without anchors,
    // inside the refinement of the whole alignment. Either way the save is the whole alignment,
    // with the methionines that MHackStart masked.
    for (const bool anchors : {true, false}) {
        MSA a, saved;
        Align(letters, "((s0:0.1,s3:0.1):0.2,((s1:0.1,s4:0.1):0.2,s2:0.1):0.2);", a, true);
        SavedAtFirstCheck(
            [&] {
                SetCurrentAlignment(a);
                anchors ? RefineVert(a, m_Tree, 4) : RefineHoriz(a, m_Tree, 4, false, false);
            },
            saved);
        MHackEnd(a);  // the marks go with this alignment, not to later tests
        ASSERT_EQ(saved.GetSeqCount(), letters.size());
        for (unsigned row = 0; row < saved.GetSeqCount(); ++row)
            EXPECT_EQ(Ungapped(saved, row), letters[std::stoi(saved.GetSeqName(row) + 1)]) << anchors;
    }
}

TEST_F(RefineVertTest, TimeLimitStopKeepsTheRealignmentsAcceptedSoFar) {
    std::mt19937 rng(5);  // a first trial that is accepted
    const std::string core = RandomProtein(rng, 30);
    std::vector<std::string> letters;
    for (unsigned i = 0; i < 5; ++i) {
        const std::string start = Mutate(rng, core, 0.4, 2);
        letters.push_back(start + std::string(20, 'W') + Mutate(rng, core, 0.4, 2));
    }
    MSA a;
    Align(letters, "((s0:0.1,s3:0.1):0.2,((s1:0.1,s4:0.1):0.2,s2:0.1):0.2);", a);
    SetMSAWeightsCorvid(a);
    std::vector<unsigned> anchors(a.GetColCount());
    unsigned anchorCount = 0;
    FindAnchorCols(a, anchors.data(), &anchorCount);
    ASSERT_GT(anchorCount, 0u);
    const unsigned width = anchors[0];
    ASSERT_GT(width, 1u);

    // The limit strikes after the first trial, in the first block. Refined on its own, the block
    // is saved as that trial left it; inside vertical refinement the save is that block followed
    // by the columns not refined yet.
    MSA block, blockSaved, saved;
    MSAFromColRange(a, 0, width, block);
    SavedAtFirstCheck([&] { RefineHoriz(block, m_Tree, 4, false, true); }, blockSaved);
    SavedAtFirstCheck(
        [&] {
            SetCurrentAlignment(a);
            RefineVert(a, m_Tree, 4);
        },
        saved);
    ASSERT_EQ(saved.GetSeqCount(), a.GetSeqCount());
    bool accepted = false;
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) {
        unsigned blockRow = 0, savedRow = 0;
        ASSERT_TRUE(blockSaved.GetSeqIndex(a.GetSeqName(row), &blockRow));
        ASSERT_TRUE(saved.GetSeqIndex(a.GetSeqName(row), &savedRow));
        const std::string before = RowText(a, row);
        if (RowText(blockSaved, blockRow) != before.substr(0, width)) accepted = true;
        EXPECT_EQ(RowText(saved, savedRow), RowText(blockSaved, blockRow) + before.substr(width)) << row;
    }
    EXPECT_TRUE(accepted) << "the first trial kept the progressive alignment";
}

