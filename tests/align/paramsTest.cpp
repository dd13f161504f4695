// Tests of the parameter defaults and their restoration.
#include "align/params.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "align/alpha.h"
#include "align/engineStartup.h"
#include "align/options.h"
#include "align/scoringSetup.h"
#include "align/textUtils.h"
#include "tests/align/engineTestUtil.h"

using params = EngineTest;

TEST_F(params, RestoreDefaultParamsUndoesEveryChange) {
    SetAlpha(ALPHA_DNA);
    SetPPScore(true);
    SetSeqWeightMethod(SEQWEIGHT_GSC);
    g_uMaxIters = 2;
    g_bQuiet = false;
    g_pstrOutFileName = "x.fa";
    g_ulMaxSecs = 60;
    FlagOptTable[0].bSet = true;
    ValueOptTable[0].pstrValue = strsave("in.fa");

    RestoreDefaultParams();
    EXPECT_EQ(g_uMaxIters, 8u);
    EXPECT_TRUE(g_bQuiet);
    EXPECT_STREQ(g_pstrOutFileName, "-");
    EXPECT_EQ(g_ulMaxSecs, 0ul);
    EXPECT_EQ(g_PPScore, PPSCORE_LE);
    EXPECT_EQ(g_ptrScoreMatrix, nullptr);
    EXPECT_EQ(g_scoreGapOpen, -9e29f);
    EXPECT_EQ(g_scoreGapOpen2, -1e37f);
    EXPECT_EQ(g_Distance1, DISTANCE_Kmer6_6);
    EXPECT_EQ(g_Alpha, ALPHA_Undefined);
    EXPECT_EQ(g_AlphaSize, 0u);
    EXPECT_EQ(g_CharToLetter[static_cast<unsigned char>('A')], 0xFFFFFFFFu);
    EXPECT_FALSE(g_IsResidueChar[static_cast<unsigned char>('a')]);
    EXPECT_EQ(g_AlignChar[static_cast<unsigned char>('-')], '?');
    EXPECT_FALSE(FlagOpt("LE"));
    EXPECT_EQ(ValueOpt("in"), nullptr);
    EXPECT_EQ(GetSeqWeightMethod(), SEQWEIGHT_Undefined);
}

TEST_F(params, MarkerConstantKeepsItsBitPattern) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(GetNAN()), 0x00000000FFFFFFFFull);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(g_dNAN), 0x00000000FFFFFFFFull);
    EXPECT_NE(ptrStartBreak, nullptr);
}
