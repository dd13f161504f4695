// ScoreColLetters, GetLetterScores, ScoreGaps and DiffObjScore.
#include "align/diffObjScore.h"

#include "align/msa.h"
#include "align/pairScore.h"
#include "align/params.h"

SCORE ScoreColLetters(const MSA& msa, unsigned col) {
    const unsigned seqCount = msa.GetSeqCount();
    if (seqCount == 0) return 0;
    const SCOREMATRIX& mx = *g_ptrScoreMatrix;
    FCOUNT weights[MAX_ALPHA] = {};
    WEIGHT total = 0;
    SCORE self = 0;
    for (unsigned row = 0; row < seqCount; ++row) {
        const unsigned x = msa.GetLetterEx(row, col);
        if (x >= g_AlphaSize) continue;
        const WEIGHT w = msa.GetSeqWeight(row);
        weights[x] += w;
        total += w;
        self += w * w * mx[x][x];
    }
    if (!(total > 0)) return 0;
    SCORE diagonal = 0;
    SCORE offDiagonal = 0;
    for (unsigned x = 0; x < g_AlphaSize; ++x) {
        diagonal += weights[x] * weights[x] * mx[x][x];
        for (unsigned y = x + 1; y < g_AlphaSize; ++y) offDiagonal += 2 * weights[x] * weights[y] * mx[x][y];
    }
    return 0.5f * (diagonal + offDiagonal - self);
}

void GetLetterScores(const MSA& msa, SCORE scores[]) {
    for (unsigned col = 0; col < msa.GetColCount(); ++col) scores[col] = ScoreColLetters(msa, col);
}

SCORE ScoreGaps(const MSA& msa, const unsigned*, unsigned) {
    const unsigned seqCount = msa.GetSeqCount();
    SCORE total = 0;
    for (unsigned i = 0; i < seqCount; ++i) {
        const WEIGHT wi = msa.GetSeqWeight(i);
        for (unsigned j = i + 1; j < seqCount; ++j)
            total += wi * msa.GetSeqWeight(j) * ScoreSeqPairGaps(msa, i, msa, j);
    }
    return total;
}

SCORE DiffObjScore(const MSA& a, const PWPath&, const unsigned columnsA[], unsigned countA, const MSA& b,
                   const PWPath&, const unsigned columnsB[], unsigned countB) {
    const SCORE gaps = ScoreGaps(b, columnsB, countB) - ScoreGaps(a, columnsA, countA);
    SCORE lettersA = 0, lettersB = 0;
    for (unsigned i = 0; i < countA; ++i) lettersA += ScoreColLetters(a, columnsA[i]);
    for (unsigned i = 0; i < countB; ++i) lettersB += ScoreColLetters(b, columnsB[i]);
    return gaps + (lettersB - lettersA);
}
