// Tests of the sequence-weights file.
#include "align/weightsFile.h"

#include <gtest/gtest.h>

#include "align/msa.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using WeightsFile = EngineTest;

TEST_F(WeightsFile, OneLinePerRow) {
    MSA a;
    MakeMSA(a, {"AC", "A-", "WC"});
    a.SetSeqWeight(0, 0.5f);
    a.SetSeqWeight(1, 0.25f);
    a.SetSeqWeight(2, 0.125f);
    TempFile file;
    OutWeights(file.c_str(), a);
    EXPECT_EQ(file.read(), "r0\t0.5\nr1\t0.25\nr2\t0.125\n");
    EXPECT_QUIT(OutWeights("/nonexistent/dir/w.txt", a), "Cannot open '/nonexistent/dir/w.txt' for writing: No such file or directory");
}
