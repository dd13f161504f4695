// Profiles from alignments, derived column fields and the column-against-column scores.
#include "align/profile.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/numUtils.h"
#include "align/params.h"
#include "align/residueGroup.h"
#include "align/seqWeights.h"

namespace {

void SetAAScores(ProfPos& pp) {
    const SCOREMATRIX& mx = *g_ptrScoreMatrix;
    // Letters absent from the column add exactly nothing to the sums: leave them out (most
    // columns hold one to a few letters).
    unsigned present[MAX_ALPHA];
    unsigned count = 0;
    for (unsigned b = 0; b < g_AlphaSize; ++b)
        if (pp.fcCounts[b] != 0) present[count++] = b;
    for (unsigned a = 0; a < g_AlphaSize; ++a) {
        SCORE s = 0;
        for (unsigned k = 0; k < count; ++k) s += pp.fcCounts[present[k]] * mx[a][present[k]];
        pp.AAScores[a] = s;
    }
}

void LogValueOrBlank(float x) {
    if (std::fabs(x) < 1e-5f)
        Log("       ");
    else
        Log("  %5.3f", x);
}

void LogColumnChars(const MSA* msa, unsigned col) {
    if (!msa) return;
    Log("  ");
    for (unsigned row = 0; row < msa->GetSeqCount(); ++row) Log("%c", msa->GetChar(row, col));
}

void LogProfPos(const ProfPos& pp) {
    Log("ResidueGroup   %u\n", pp.uResidueGroup);
    Log("AllGaps      %d\n", pp.bAllGaps);
    Log("Occ          %.3g\n", pp.fOcc);
    Log("LL=%.3g LG=%.3g GL=%.3g GG=%.3g\n", pp.LL, pp.LG, pp.GL, pp.GG);
    Log("Freqs        ");
    for (unsigned i = 0; i < g_AlphaSize; ++i)
        if (pp.fcCounts[i] != 0) Log("%c=%.3g ", g_LetterExToChar[i], pp.fcCounts[i]);
    Log("\n");
}

[[noreturn]] void ProfPosDiffer(const ProfPos& a, const ProfPos& b, const char* what) {
    LogProfPos(a);
    LogProfPos(b);
    Quit("%s", what);
}

}  // namespace

void SortCounts(const FCOUNT fcCounts[], unsigned order[]) {
    // Descending counts, equal counts in letter order: a stable sort, done by insertion (a
    // column holds one to a few letters, so nearly every letter stays where it is).
    const unsigned n = g_AlphaSize;
    for (unsigned i = 0; i < n; ++i) {
        const unsigned letter = i;
        unsigned j = i;
        while (j > 0 && fcCounts[letter] > fcCounts[order[j - 1]]) {
            order[j] = order[j - 1];
            --j;
        }
        order[j] = letter;
    }
}

unsigned ResidueGroupFromFCounts(const FCOUNT fcCounts[]) {
    if (g_Alpha == ALPHA_Amino) {
        unsigned group = RESIDUE_GROUP_MULTIPLE;
        for (unsigned letter = 0; letter < 20; ++letter) {
            if (fcCounts[letter] == 0) continue;
            const unsigned g = ResidueGroup[letter];
            if (group == RESIDUE_GROUP_MULTIPLE)
                group = g;
            else if (g != group)
                return RESIDUE_GROUP_MULTIPLE;
        }
        return group;
    }
    if (g_Alpha == ALPHA_DNA || g_Alpha == ALPHA_RNA) {
        unsigned group = RESIDUE_GROUP_MULTIPLE;
        for (unsigned letter = 0; letter < 4; ++letter) {
            if (fcCounts[letter] == 0) continue;
            if (group != RESIDUE_GROUP_MULTIPLE) return RESIDUE_GROUP_MULTIPLE;
            group = letter;
        }
        return group;
    }
    Quit("ResidueGroupFromFCounts: bad alpha");
}

ProfPos* ProfileFromMSA(const MSA& a) {
    // The alignment is never a const object; only its weight record changes here.
    SetMSAWeightsCorvid(const_cast<MSA&>(a));
    const unsigned colCount = a.GetColCount();
    ProfPos* prof = new ProfPos[colCount]();
    std::vector<FCOUNT> gapStart(colCount), gapEnd(colCount);
    ProfileCountsFromMSA(a, g_bNormalizeCounts, prof, gapStart.data(), gapEnd.data());
    for (unsigned col = 0; col < colCount; ++col) {
        ProfPos& pp = prof[col];
        SortCounts(pp.fcCounts, pp.uSortOrder);
        pp.uResidueGroup = ResidueGroupFromFCounts(pp.fcCounts);
        SetAAScores(pp);
        pp.fcStartOcc = 1 - gapStart[col];
        pp.fcEndOcc = 1 - gapEnd[col];
        pp.scoreGapOpen = static_cast<SCORE>(static_cast<double>(pp.fcStartOcc) * g_scoreGapOpen * 0.5);
        pp.scoreGapClose = static_cast<SCORE>(static_cast<double>(pp.fcEndOcc) * g_scoreGapOpen * 0.5);
    }
    return prof;
}

void SetProfPosScores(ProfPos* prof, unsigned i, unsigned length) {
    ProfPos& pp = prof[i];
    SortCounts(pp.fcCounts, pp.uSortOrder);
    pp.uResidueGroup = ResidueGroupFromFCounts(pp.fcCounts);
    pp.fOcc = pp.LL + pp.GL;
    // A gap closes after this column in the rows that turn from gap to letter in the next one
    // (or, at the end, in every row that has a gap here).
    const double closing = i + 1 < length ? static_cast<double>(prof[i + 1].GL)
                                          : static_cast<double>(pp.LG) + static_cast<double>(pp.GG);
    pp.scoreGapOpen = static_cast<SCORE>((1.0 - static_cast<double>(pp.LG)) * g_scoreGapOpen * 0.5);
    pp.scoreGapClose = static_cast<SCORE>((1.0 - closing) * g_scoreGapOpen * 0.5);
    SetAAScores(pp);
}

void ProfScoresFromFreqs(ProfPos* prof, unsigned length) {
    for (unsigned i = 0; i < length; ++i) SetProfPosScores(prof, i, length);
}

SCORE ScoreProfPos2NS(const ProfPos& a, const ProfPos& b) { return ScoreProfPos2SP(a, b); }

SCORE ScoreProfPos2(const ProfPos& a, const ProfPos& b) {
    switch (g_PPScore) {
        case PPSCORE_LE: return ScoreProfPos2LA(a, b);
        case PPSCORE_SP:
        case PPSCORE_SV: return ScoreProfPos2SP(a, b);
        case PPSCORE_SPN: return ScoreProfPos2SPN(a, b);
        default: Quit("Invalid g_PPScore");
    }
}

char ConsensusChar(const ProfPos& pp) {
    unsigned best = 0;
    unsigned present = 0;
    FCOUNT bestCount = 0;
    for (unsigned letter = 0; letter < g_AlphaSize; ++letter) {
        const FCOUNT f = pp.fcCounts[letter];
        if (f <= 0) continue;
        ++present;
        if (f > bestCount) {
            bestCount = f;
            best = letter;
        }
    }
    if (present == 0) return '-';
    const char c = g_LetterToChar[best];
    return present == 1 ? c : UnalignChar(c);
}

void ListProfile(const ProfPos* prof, unsigned length, const MSA* msa) {
    Log("  Pos  Occ     LL     LG     GL     GG     Open  Close\n");
    Log("  ---  ---     --     --     --     --     ----  -----\n");
    for (unsigned col = 0; col < length; ++col) {
        const ProfPos& pp = prof[col];
        Log("%5u", col);
        LogValueOrBlank(pp.fOcc);
        LogValueOrBlank(pp.LL);
        LogValueOrBlank(pp.LG);
        LogValueOrBlank(pp.GL);
        LogValueOrBlank(pp.GG);
        Log("  %5.1f", -pp.scoreGapOpen);
        Log("  %5.1f", -pp.scoreGapClose);
        LogColumnChars(msa, col);
        Log("\n");
    }

    Log("\n");
    Log("  Pos G");
    for (unsigned i = 0; i < g_AlphaSize; ++i) Log("     %c", g_LetterExToChar[i]);
    Log("\n");
    Log("  --- -");
    for (unsigned i = 0; i < g_AlphaSize; ++i) Log(" -----");
    Log("\n");
    for (unsigned col = 0; col < length; ++col) {
        const ProfPos& pp = prof[col];
        Log("%5u", col);
        if (pp.uResidueGroup == RESIDUE_GROUP_MULTIPLE)
            Log(" -");
        else
            Log(" %d", static_cast<int>(pp.uResidueGroup));
        for (unsigned i = 0; i < g_AlphaSize; ++i) {
            if (pp.fcCounts[i] != 0)
                Log(" %5.3f", pp.fcCounts[i]);
            else
                Log("      ");
        }
        LogColumnChars(msa, col);
        Log("\n");
    }
}

void AssertProfsEq(const ProfPos* a, unsigned lengthA, const ProfPos* b, unsigned lengthB) {
    if (lengthA != lengthB) Quit("AssertProfsEq: lengths differ %u %u", lengthA, lengthB);
    for (unsigned col = 0; col < lengthA; ++col) {
        const ProfPos& p = a[col];
        const ProfPos& q = b[col];
        if (p.bAllGaps != q.bAllGaps) ProfPosDiffer(p, q, "AssertProfPosEq.bAllGaps");
        if (p.uResidueGroup != q.uResidueGroup) ProfPosDiffer(p, q, "AssertProfPosEq.uResidueGroup");
        if (!BTEq(p.LL, q.LL)) ProfPosDiffer(p, q, "AssertProfPosEq.LL");
        if (!BTEq(p.LG, q.LG)) ProfPosDiffer(p, q, "AssertProfPosEq.LG");
        if (!BTEq(p.GL, q.GL)) ProfPosDiffer(p, q, "AssertProfPosEq.GL");
        if (!BTEq(p.GG, q.GG)) ProfPosDiffer(p, q, "AssertProfPosEq.GG");
        if (!BTEq(p.fOcc, q.fOcc)) ProfPosDiffer(p, q, "AssertProfPosEq.fOcc");
        if (!BTEq(p.scoreGapOpen, q.scoreGapOpen)) ProfPosDiffer(p, q, "AssertProfPosEq.scoreGapOpen");
        if (!BTEq(p.scoreGapClose, q.scoreGapClose)) ProfPosDiffer(p, q, "AssertProfPosEq.scoreGapClose");
        for (unsigned j = 0; j < g_AlphaSize; ++j) {
            if (!BTEq(p.fcCounts[j], q.fcCounts[j])) {
                LogProfPos(p);
                LogProfPos(q);
                Quit("AssertProfPosEq j=%u fcCounts[j]", j);
            }
            if (!BTEq(p.AAScores[j], q.AAScores[j])) {
                LogProfPos(p);
                LogProfPos(q);
                Quit("AssertProfPosEq j=%u AAScores[j]", j);
            }
        }
    }
}
