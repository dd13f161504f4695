// ScoreSeqPairLetters, ScoreSeqPairGaps and TermGapScore.
#include "align/pairScore.h"

#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/params.h"

namespace {

// The columns first .. last where at least one of the two rows has a letter; false if none.
bool ScoredRange(const MSA& a, unsigned r, const MSA& b, unsigned s, unsigned* first, unsigned* last) {
    const unsigned colCount = a.GetColCount();
    unsigned col = 0;
    while (col < colCount && a.IsGap(r, col) && b.IsGap(s, col)) ++col;
    if (col == colCount) return false;
    *first = col;
    col = colCount - 1;
    while (a.IsGap(r, col) && b.IsGap(s, col)) --col;
    *last = col;
    return true;
}

}  // namespace

SCORE TermGapScore() {
    switch (g_TermGaps) {
        case TERMGAPS_Full: return 0;
        case TERMGAPS_Half: return static_cast<SCORE>(g_scoreGapOpen * 0.5);
        case TERMGAPS_Ext: return g_scoreGapExtend;
        default: Quit("TermGapScore?!");
    }
}

SCORE ScoreSeqPairLetters(const MSA& a, unsigned r, const MSA& b, unsigned s) {
    if (a.GetColCount() != b.GetColCount()) Quit("ScoreSeqPairLetters, different lengths");
    unsigned first = 0, last = 0;
    if (!ScoredRange(a, r, b, s, &first, &last)) return 0;
    const SCOREMATRIX& mx = *g_ptrScoreMatrix;
    SCORE score = 0;
    for (unsigned col = first; col <= last; ++col) {
        const unsigned x = a.GetLetterEx(r, col);
        if (x >= g_AlphaSize) continue;
        const unsigned y = b.GetLetterEx(s, col);
        if (y >= g_AlphaSize) continue;
        score += mx[x][y];
    }
    return score;
}

SCORE ScoreSeqPairGaps(const MSA& a, unsigned r, const MSA& b, unsigned s) {
    if (a.GetColCount() != b.GetColCount()) Quit("ScoreSeqPairGaps, different lengths");
    unsigned first = 0, last = 0;
    if (!ScoredRange(a, r, b, s, &first, &last)) return 0;
    SCORE score = 0;
    bool gappingR = false, gappingS = false;
    for (unsigned col = first; col <= last; ++col) {
        const bool gapR = a.IsGap(r, col);
        const bool gapS = b.IsGap(s, col);
        if (gapR && gapS) continue;
        if (gapR || gapS) {
            bool& gapping = gapR ? gappingR : gappingS;
            if (gapping)
                score += g_scoreGapExtend;
            else
                score += col == first ? TermGapScore() : g_scoreGapOpen;
            gapping = true;
            continue;
        }
        gappingR = false;
        gappingS = false;
    }
    // A gap that runs to the end of the scored range is terminal.
    if (gappingR || gappingS) {
        score -= g_scoreGapOpen;
        score += TermGapScore();
    }
    return score;
}
