// Scoring set-up: the substitution matrix, gap penalties and anchor thresholds per score and
// alphabet; and the sequence-weighting method in force.
#include "align/scoringSetup.h"

#include "align/diagnostics.h"
#include "align/listParams.h"
#include "align/options.h"
#include "align/params.h"

namespace {

SEQWEIGHT seqWeightMethod = SEQWEIGHT_Undefined;

struct ScoringSet {
    PTR_SCOREMATRIX matrix;
    SCORE gapOpen;
    SCORE center;
    bool normalizeCounts;
    float smoothScoreCeil;
    float minBestColScore;
    float minSmoothScore;
    DISTANCE distance1;
};

// LE is the default protein score: log-odds of VTML likelihood ratios with a score centre.
const ScoringSet LE_SET = {&VTML_LA, -2.9f, -0.52f, true, 3.0f, 2.0f, 1.0f, DISTANCE_Kmer6_6};
const ScoringSet SP_SET = {&PAM200, -1439.0f, 0.0f, false, 200.0f, 300.0f, 125.0f, DISTANCE_Kmer6_6};
const ScoringSet SV_SET = {&VTML_SP, -300.0f, 0.0f, false, 90.0f, 130.0f, 40.0f, DISTANCE_Kmer6_6};
const ScoringSet DNA_SET = {&NUC_SP, -400.0f, 0.0f, false, 999.0f, 90.0f, 90.0f, DISTANCE_Kmer4_6};
const ScoringSet RNA_SET = {&NUC_SP, -420.0f, -300.0f, false, 999.0f, 90.0f, 90.0f, DISTANCE_Kmer4_6};

void Apply(const ScoringSet& set) {
    g_ptrScoreMatrix = set.matrix;
    g_scoreGapOpen = set.gapOpen;
    g_scoreCenter = set.center;
    g_bNormalizeCounts = set.normalizeCounts;
    g_dSmoothScoreCeil = set.smoothScoreCeil;
    g_dMinBestColScore = set.minBestColScore;
    g_dMinSmoothScore = set.minSmoothScore;
    g_Distance1 = set.distance1;
    g_Distance2 = DISTANCE_PctIdKimura;
}

bool IsNucleoAlpha(ALPHA a) { return a == ALPHA_DNA || a == ALPHA_RNA; }

// The dynamic programming and the objective scores add one score per column (and per pair of
// rows, weighted): beyond this size a penalty or centre overflows single precision on long
// alignments, or meets the engine's minus infinity (-1e37), which forbids a step.
constexpr double MAX_SCORE_PARAM = 1e20;

void OverrideDistance(const char* option, DISTANCE& d1, DISTANCE* d2) {
    const char* text = ValueOpt(option);
    if (!text) return;
    int value = 0;
    if (!FindEnumOpt(DISTANCE_Opts, text, &value)) Quit("Invalid parameter -%s %s", option, text);
    d1 = static_cast<DISTANCE>(value);
    if (d2) *d2 = d1;
}

}  // namespace

void SetPPScore(bool bRespectFlags) {
    if (bRespectFlags) {
        if (FlagOpt("SP"))
            g_PPScore = PPSCORE_SP;
        else if (FlagOpt("LE"))
            g_PPScore = PPSCORE_LE;
        else if (FlagOpt("SV"))
            g_PPScore = PPSCORE_SV;
        else if (FlagOpt("SPN"))
            g_PPScore = PPSCORE_SPN;
    }

    if (g_PPScore >= PPSCORE_LE && g_PPScore <= PPSCORE_SV && IsNucleoAlpha(g_Alpha))
        g_PPScore = PPSCORE_SPN;
    else if (g_PPScore == PPSCORE_SPN && g_Alpha == ALPHA_Amino)
        g_PPScore = PPSCORE_LE;

    switch (g_PPScore) {
        case PPSCORE_LE: Apply(LE_SET); break;
        case PPSCORE_SP: Apply(SP_SET); break;
        case PPSCORE_SV: Apply(SV_SET); break;
        case PPSCORE_SPN:
            if (g_Alpha == ALPHA_DNA)
                Apply(DNA_SET);
            else if (g_Alpha == ALPHA_RNA)
                Apply(RNA_SET);
            else
                Quit("Invalid alpha %d", static_cast<int>(g_Alpha));
            g_scoreGapExtend = 0;
            break;
        default: Quit("Invalid g_PPScore");
    }

    FloatOptInRange("GapOpen", g_scoreGapOpen, -MAX_SCORE_PARAM, MAX_SCORE_PARAM);
    FloatOptInRange("GapOpen2", g_scoreGapOpen2);
    FloatOptInRange("GapExtend", g_scoreGapExtend, -MAX_SCORE_PARAM, MAX_SCORE_PARAM);
    FloatOptInRange("GapExtend2", g_scoreGapExtend2);
    FloatOptInRange("GapAmbig", g_scoreAmbigFactor);
    FloatOptInRange("Center", g_scoreCenter, -MAX_SCORE_PARAM, MAX_SCORE_PARAM);
    FloatOptInRange("SmoothScoreCeil", g_dSmoothScoreCeil);
    FloatOptInRange("MinBestColScore", g_dMinBestColScore);
    FloatOptInRange("MinSmoothScore", g_dMinSmoothScore);
    OverrideDistance("Distance", g_Distance1, &g_Distance2);
    OverrideDistance("Distance1", g_Distance1, nullptr);
    OverrideDistance("Distance2", g_Distance2, nullptr);

    if (g_bVerbose) ListParams();
}

void SetPPScore(PPSCORE score) {
    g_PPScore = score;
    SetPPScore(true);
}

void SetSeqWeightMethod(SEQWEIGHT method) { seqWeightMethod = method; }

SEQWEIGHT GetSeqWeightMethod() { return seqWeightMethod; }
