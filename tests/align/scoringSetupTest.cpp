// Tests of the scoring set-up chosen by score and alphabet.
#include "align/scoringSetup.h"

#include <gtest/gtest.h>

#include "align/alpha.h"
#include "align/options.h"
#include "align/params.h"
#include "align/textUtils.h"
#include "tests/align/engineTestUtil.h"

namespace {

void SetValueOpt(const char* name, const char* value) {
    for (ValueOptRow& row : ValueOptTable) {
        if (std::string(row.pstrName) == name) {
            delete[] row.pstrValue;
            row.pstrValue = strsave(value);
            return;
        }
    }
    FAIL() << name;
}

void SetFlagOpt(const char* name) {
    for (FlagOptRow& row : FlagOptTable)
        if (std::string(row.pstrName) == name) row.bSet = true;
}

void ExpectProteinLE() {
    EXPECT_EQ(g_PPScore, PPSCORE_LE);
    EXPECT_EQ(g_ptrScoreMatrix, &VTML_LA);
    EXPECT_EQ(g_scoreGapOpen, -2.9f);
    EXPECT_EQ(g_scoreGapExtend, 0.0f);
    EXPECT_EQ(g_scoreCenter, -0.52f);
    EXPECT_TRUE(g_bNormalizeCounts);
    EXPECT_EQ(g_dSmoothScoreCeil, 3.0f);
    EXPECT_EQ(g_dMinBestColScore, 2.0f);
    EXPECT_EQ(g_dMinSmoothScore, 1.0f);
    EXPECT_EQ(g_Distance1, DISTANCE_Kmer6_6);
    EXPECT_EQ(g_Distance2, DISTANCE_PctIdKimura);
}

}  // namespace

using scoringSetup = EngineTest;

TEST_F(scoringSetup, ProteinDefaultsGiveTheLESet) {
    SetAlpha(ALPHA_Amino);
    SetPPScore(true);
    ExpectProteinLE();
    SetPPScore(true);  // the same values again
    ExpectProteinLE();
}

TEST_F(scoringSetup, NucleotidesForceSPNAndProteinGetsLEBack) {
    SetAlpha(ALPHA_DNA);
    SetPPScore(true);
    EXPECT_EQ(g_PPScore, PPSCORE_SPN);
    EXPECT_EQ(g_ptrScoreMatrix, &NUC_SP);
    EXPECT_EQ(g_scoreGapOpen, -400.0f);
    EXPECT_EQ(g_scoreCenter, 0.0f);
    EXPECT_FALSE(g_bNormalizeCounts);
    EXPECT_EQ(g_dSmoothScoreCeil, 999.0f);
    EXPECT_EQ(g_dMinBestColScore, 90.0f);
    EXPECT_EQ(g_dMinSmoothScore, 90.0f);
    EXPECT_EQ(g_Distance1, DISTANCE_Kmer4_6);
    EXPECT_EQ(g_Distance2, DISTANCE_PctIdKimura);

    SetAlpha(ALPHA_RNA);
    g_scoreGapExtend = -5;
    SetPPScore(true);
    EXPECT_EQ(g_scoreGapOpen, -420.0f);
    EXPECT_EQ(g_scoreCenter, -300.0f);
    EXPECT_EQ(g_scoreGapExtend, 0.0f);  // the nucleotide set clears the extension

    // The next protein alignment in the same process must not keep the nucleotide set.
    SetAlpha(ALPHA_Amino);
    SetPPScore(true);
    ExpectProteinLE();
}

TEST_F(scoringSetup, ProteinSetsChosenByScore) {
    SetAlpha(ALPHA_Amino);
    SetPPScore(PPSCORE_SP);
    EXPECT_EQ(g_ptrScoreMatrix, &PAM200);
    EXPECT_EQ(g_scoreGapOpen, -1439.0f);
    EXPECT_EQ(g_dMinBestColScore, 300.0f);
    SetPPScore(PPSCORE_SV);
    EXPECT_EQ(g_ptrScoreMatrix, &VTML_SP);
    EXPECT_EQ(g_scoreGapOpen, -300.0f);
    EXPECT_EQ(g_dMinSmoothScore, 40.0f);
    SetPPScore(PPSCORE_SPN);  // SPN with amino acids falls back to LE
    ExpectProteinLE();
    g_scoreGapExtend = -1;
    SetPPScore(PPSCORE_LE);
    EXPECT_EQ(g_scoreGapExtend, -1.0f);  // the protein sets leave the extension alone
}

TEST_F(scoringSetup, FlagsChooseTheScoreOnlyWhenRespected) {
    SetAlpha(ALPHA_Amino);
    SetFlagOpt("SV");
    SetFlagOpt("SP");  // SP is looked at first
    SetPPScore(false);
    EXPECT_EQ(g_PPScore, PPSCORE_LE);
    SetPPScore(true);
    EXPECT_EQ(g_PPScore, PPSCORE_SP);
}

TEST_F(scoringSetup, ValueOptionsOverrideTheSet) {
    SetAlpha(ALPHA_Amino);
    SetValueOpt("GapOpen", "-3.5");
    SetValueOpt("GapExtend2", "-0.25");
    SetValueOpt("Center", "0");
    SetValueOpt("Distance", "kmer20_3");
    SetValueOpt("Distance2", "PCTIDLOG");
    SetPPScore(true);
    EXPECT_EQ(g_scoreGapOpen, -3.5f);
    EXPECT_EQ(g_scoreGapExtend2, -0.25f);
    EXPECT_EQ(g_scoreGapOpen2, -1e37f);
    EXPECT_EQ(g_scoreCenter, 0.0f);
    EXPECT_EQ(g_Distance1, DISTANCE_Kmer20_3);
    EXPECT_EQ(g_Distance2, DISTANCE_PctIdLog);
}

TEST_F(scoringSetup, InvalidSettingsEndTheProcess) {
    SetAlpha(ALPHA_Amino);
    SetValueOpt("Distance1", "kmer99");
    EXPECT_QUIT(SetPPScore(true), "Invalid parameter -Distance1 kmer99");
    ClearOptionTables();
    g_PPScore = PPSCORE_Undefined;
    EXPECT_QUIT(SetPPScore(false), "Invalid g_PPScore");
    g_PPScore = static_cast<PPSCORE>(5);
    EXPECT_QUIT(SetPPScore(false), "Invalid g_PPScore");
    ClearAlphaTables();  // SPN needs a nucleotide alphabet
    EXPECT_QUIT(SetPPScore(PPSCORE_SPN), "Invalid alpha 0");
}

TEST_F(scoringSetup, WeightMethodIsKept) {
    EXPECT_EQ(GetSeqWeightMethod(), SEQWEIGHT_Undefined);
    SetSeqWeightMethod(SEQWEIGHT_Henikoff);
    EXPECT_EQ(GetSeqWeightMethod(), SEQWEIGHT_Henikoff);
}
