// Tests of the engine program's commands that whole runs of corvid (tests/app) do not reach:
// Stabilize, and CORVID on lone sequences.
#include "align/frontend/commands.h"

#include <gtest/gtest.h>

#include <string>

#include "align/msa.h"
#include "align/params.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

using Commands = ProteinScoringTest<SEQWEIGHT_ClustalW>;

TEST_F(Commands, StabilizePutsRowsInIdOrder) {
    MSA::SetIdCount(3);
    MSA a, b;
    MakeMSA(a, {"AC-", "A-C", "-AC"}, {2, 0, 1});
    Stabilize(a, b);
    for (unsigned id = 0; id < 3; ++id) {
        EXPECT_EQ(b.GetSeqId(id), id);
        EXPECT_STREQ(b.GetSeqName(id), a.GetSeqName(a.GetSeqIndex(id)));
        EXPECT_EQ(RowText(b, id), RowText(a, a.GetSeqIndex(id)));
    }
}

TEST_F(Commands, LoneSequenceOfAnyAlphabetIsItsOwnAlignment) {
    for (const std::string letters : {"MKVLAAGIV", "ACGTTGCA"}) {
        MSA::ResetIdCount();
        SeqVect v;
        MakeSeqVect(v, {letters});
        MSA a;
        CORVID(v, a);
        ASSERT_EQ(a.GetSeqCount(), 1u);
        EXPECT_EQ(RowText(a, 0), letters);
        EXPECT_EQ(a.GetSeqId(0), 0u);  // windowed refinement finds the row by it
    }
}

}  // namespace
