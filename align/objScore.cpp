// The objective-score dispatcher and the SP, XP, DP and PS score kinds.
#include "align/objScore.h"

#include <cstring>
#include <memory>
#include <vector>

#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/msaFunctions.h"
#include "align/pairScore.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/scoringSetup.h"
#include "align/seqWeights.h"

namespace {

// SPM scores small alignments by the pairs across the two groups (XP) and larger ones by the
// column-wise dimer form (SPF), whose cost is linear in the row count.
constexpr unsigned SPM_MAX_XP_ROWS = 100;

// The alignments scored here are never const objects; only their weight record is refreshed.
void SetWeights(const MSA& msa) { SetMSAWeightsCorvid(const_cast<MSA&>(msa)); }

// The column's characters in every row of a trace alignment; nothing when there is none.
void LogTraceColumn(const MSA* msa, unsigned col) {
    if (!msa || col >= msa->GetColCount()) return;
    for (unsigned row = 0; row < msa->GetSeqCount(); ++row) Log("%c", msa->GetChar(row, col));
}

// SPM picks XP for small alignments and SPF for large ones.
OBJSCORE EffectiveObjScore(const MSA& msa) {
    if (g_ObjScore != OBJSCORE_SPM) return g_ObjScore;
    return msa.GetSeqCount() <= SPM_MAX_XP_ROWS ? OBJSCORE_XP : OBJSCORE_SPF;
}

}  // namespace

bool ObjScoreIsOfWholeAlignment(const MSA& msa) {
    // SP also sets g_SPScoreLetters and g_SPScoreGaps; three-way weights follow the split edge.
    const OBJSCORE method = EffectiveObjScore(msa);
    return (method == OBJSCORE_SPF || method == OBJSCORE_PS) && GetSeqWeightMethod() != SEQWEIGHT_ThreeWay;
}

SCORE ObjScore(const MSA& msa, const unsigned rowsA[], unsigned countA, const unsigned rowsB[], unsigned countB) {
    const OBJSCORE method = EffectiveObjScore(msa);
    switch (method) {
        case OBJSCORE_SP:
            SetWeights(msa);
            return ObjScoreSP(msa, nullptr);
        case OBJSCORE_PS:
            SetWeights(msa);
            return ObjScorePS(msa, nullptr);
        case OBJSCORE_SPF:
            SetWeights(msa);
            return ObjScoreSPDimer(msa);
        case OBJSCORE_DP:
        case OBJSCORE_XP: {
            MSA a, b;
            MSAFromSeqSubset(msa, rowsA, countA, a);
            MSAFromSeqSubset(msa, rowsB, countB, b);
            SetMSAWeightsCorvid(a);
            SetMSAWeightsCorvid(b);
            return method == OBJSCORE_DP ? ObjScoreDP(a, b, nullptr) : ObjScoreXP(a, b);
        }
        default: Quit("Invalid g_ObjScore=%d", static_cast<int>(g_ObjScore));
    }
}

SCORE ObjScoreIds(const MSA& msa, const unsigned idsA[], unsigned countA, const unsigned idsB[], unsigned countB) {
    std::vector<unsigned> rowsA(countA), rowsB(countB);
    for (unsigned i = 0; i < countA; ++i) rowsA[i] = msa.GetSeqIndex(idsA[i]);
    for (unsigned i = 0; i < countB; ++i) rowsB[i] = msa.GetSeqIndex(idsB[i]);
    return ObjScore(msa, rowsA.data(), countA, rowsB.data(), countB);
}

SCORE ObjScoreSP(const MSA& msa, SCORE columnScores[]) {
    g_SPScoreLetters = 0;
    g_SPScoreGaps = 0;
    if (columnScores)
        for (unsigned col = 0; col < msa.GetColCount(); ++col) columnScores[col] = 0;
    const unsigned seqCount = msa.GetSeqCount();
    SCORE total = 0;
    for (unsigned i = 0; i < seqCount; ++i) {
        const WEIGHT wi = msa.GetSeqWeight(i);
        for (unsigned j = i + 1; j < seqCount; ++j) {
            const WEIGHT wj = msa.GetSeqWeight(j);
            const SCORE letters = ScoreSeqPairLetters(msa, i, msa, j);
            const SCORE gaps = ScoreSeqPairGaps(msa, i, msa, j);
            total += wi * wj * (letters + gaps);
            g_SPScoreLetters += wi * wj * letters;
            g_SPScoreGaps += wi * wj * gaps;
        }
    }
    return total;
}

SCORE ObjScoreXP(const MSA& a, const MSA& b) {
    if (a.GetColCount() != b.GetColCount())
        Quit("ObjScoreXP, alignment lengths differ %u %u", a.GetColCount(), b.GetColCount());
    SCORE total = 0;
    unsigned pairCount = 0;
    for (unsigned i = 0; i < a.GetSeqCount(); ++i) {
        const WEIGHT wi = a.GetSeqWeight(i);
        for (unsigned j = 0; j < b.GetSeqCount(); ++j) {
            const WEIGHT wj = b.GetSeqWeight(j);
            const SCORE pair = ScoreSeqPairLetters(a, i, b, j) + ScoreSeqPairGaps(a, i, b, j);
            total += wi * wj * pair;
            ++pairCount;
        }
    }
    if (pairCount == 0) Quit("0 == uPairCount");
    return total;
}

SCORE ObjScoreDP(const MSA& a, const MSA& b, SCORE columnScores[]) {
    if (a.GetColCount() != b.GetColCount()) Quit("ObjScoreDP, must be same length");
    std::unique_ptr<ProfPos[]> profA(ProfileFromMSA(a));
    std::unique_ptr<ProfPos[]> profB(ProfileFromMSA(b));
    return ObjScoreDP_Profs(profA.get(), profB.get(), a.GetColCount(), columnScores);
}

SCORE ObjScoreDP_Profs(const ProfPos* A, const ProfPos* B, unsigned length, SCORE columnScores[]) {
    SCORE total = 0;
    for (unsigned col = 0; col < length; ++col) {
        const ProfPos& pa = A[col];
        const ProfPos& pb = B[col];
        SCORE gap = 0;
        SCORE match = 0;
        if (pa.bAllGaps && pb.bAllGaps) {
            gap = 0;
        } else if (pa.bAllGaps || pb.bAllGaps) {
            // The side that has letters pays for the gap the other side opens or closes here.
            const ProfPos* gapped = pa.bAllGaps ? A : B;
            const ProfPos& letters = pa.bAllGaps ? pb : pa;
            if (col + 1 == length || !gapped[col + 1].bAllGaps) gap = letters.scoreGapClose;
            if (col == 0 || !gapped[col - 1].bAllGaps) gap += letters.scoreGapOpen;
        } else {
            match = ScoreProfPos2(pa, pb);
        }
        if (columnScores) columnScores[col] = match;
        total += match + gap;
        if (g_bTracePPScore) {
            LogTraceColumn(g_ptrPPScoreMSA1, col);
            Log("  ");
            LogTraceColumn(g_ptrPPScoreMSA2, col);
            Log("  %10.3f", match);
            if (gap != 0) Log("  %10.3f", gap);
            Log("\n");
        }
    }
    return total;
}

SCORE ObjScorePS(const MSA& msa, SCORE columnScores[]) {
    // The row-against-profile score is defined for LE scoring, which scores protein only.
    if (g_PPScore != PPSCORE_LE)
        Quit("-objscore ps needs the profile score -le, which scores protein only; for nucleotide input, or with "
             "-sp, -sv or -spn, use -objscore sp, spf, dp, xp or spm (the default)");
    const unsigned colCount = msa.GetColCount();
    std::unique_ptr<ProfPos[]> prof(ProfileFromMSA(msa));
    if (columnScores)
        for (unsigned col = 0; col < colCount; ++col) columnScores[col] = 0;
    SCORE total = 0;
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row) {
        const WEIGHT w = msa.GetSeqWeight(row);
        SCORE rowScore = 0;
        for (unsigned col = 0; col < colCount; ++col) {
            const ProfPos& pp = prof[col];
            if (msa.IsGap(row, col)) {
                if (col == 0 || !msa.IsGap(row, col - 1)) rowScore += pp.scoreGapOpen;
                if (col + 1 == colCount || !msa.IsGap(row, col + 1)) rowScore += pp.scoreGapClose;
                continue;
            }
            if (msa.IsWildcard(row, col)) continue;
            const SCORE s = pp.AAScores[msa.GetLetter(row, col)];
            rowScore += s;
            if (columnScores) columnScores[col] += w * s;
        }
        total += w * rowScore;
    }
    return total;
}
