// ObjScoreSPDimer: the sum-of-pairs score from per-column frequencies of letters and of gap
// dimer states, linear in the row count.
#include <cstring>
#include <vector>

#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/objScore.h"
#include "align/params.h"

namespace {

// A row's state at column i: letter or gap in column i - 1 (letter before column 0), then in i.
enum DimerState { DIMER_LL = 0, DIMER_LG = 1, DIMER_GL = 2, DIMER_GG = 3 };
constexpr unsigned DIMER_STATES = 4;
// A gap extending opposite a gap that opens is charged a fifth of an opening.
constexpr double GAP_GAP_FACTOR = 0.2;

SCORE GapScoreMatrix[DIMER_STATES][DIMER_STATES];

void CalcGapScoreMatrix() {
    const SCORE g = g_scoreGapOpen;
    const SCORE gg = static_cast<SCORE>(GAP_GAP_FACTOR * g);
    const SCORE m[DIMER_STATES][DIMER_STATES] = {
        {0, g, 0, 0},
        {g, 0, g, gg},
        {0, g, 0, 0},
        {0, gg, 0, 0},
    };
    memcpy(GapScoreMatrix, m, sizeof(m));
    for (unsigned i = 0; i < DIMER_STATES; ++i)
        for (unsigned j = 0; j < i; ++j)
            if (GapScoreMatrix[i][j] != GapScoreMatrix[j][i]) Quit("GapScoreMatrix not symmetrical");
}

// Sum over ordered pairs of symbols (self pairs included) of freq x freq x score.
template <unsigned N, typename Matrix>
SCORE PairSum(const FCOUNT freqs[], const Matrix& mx) {
    SCORE diagonal = 0;
    SCORE offDiagonal = 0;
    for (unsigned i = 0; i < N; ++i) {
        const FCOUNT fi = freqs[i];
        if (fi == 0) continue;
        diagonal += fi * fi * mx[i][i];
        SCORE sum = 0;
        for (unsigned j = 0; j < i; ++j) {
            const FCOUNT fj = freqs[j];
            if (fj == 0) continue;
            sum += fj * mx[i][j];
        }
        offDiagonal += fi * sum;
    }
    return diagonal + 2 * offDiagonal;
}

DimerState StateOf(bool gapBefore, bool gapHere) {
    if (!gapBefore) return gapHere ? DIMER_LG : DIMER_LL;
    return gapHere ? DIMER_GG : DIMER_GL;
}

// One column's weighted letter and gap-state frequencies and its self-pair terms.
struct ColumnSums {
    FCOUNT letterFreqs[MAX_ALPHA];
    FCOUNT gapFreqs[DIMER_STATES];
    SCORE selfLetters;
    SCORE selfGaps;
};

// Every column's sums, filled row by row: each sum receives its rows' terms in row order, as a
// column-by-column walk over the rows would add them, and the walk along a row keeps the rows'
// letters in cache.
void SumColumns(const MSA& msa, std::vector<ColumnSums>& sums) {
    const SCOREMATRIX& mx = *g_ptrScoreMatrix;
    const unsigned colCount = msa.GetColCount();
    sums.assign(colCount, ColumnSums{});
    if (colCount == 0) return;
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row) {
        const WEIGHT w = msa.GetSeqWeight(row);
        const char* letters = msa.GetSeqBuffer(row);
        bool gapBefore = false;  // before column 0 every row has a letter
        for (unsigned col = 0; col < colCount; ++col) {
            ColumnSums& c = sums[col];
            const char ch = letters[col];
            const unsigned letter = CharToLetterEx(ch);
            if (letter < MAX_ALPHA) {
                c.letterFreqs[letter] += w;
                c.selfLetters += w * w * mx[letter][letter];
            }
            const bool gapHere = IsGapChar(ch);
            const DimerState state = StateOf(gapBefore, gapHere);
            c.gapFreqs[state] += w;
            c.selfGaps += w * w * GapScoreMatrix[state][state];
            gapBefore = gapHere;
        }
    }
}

}  // namespace

SCORE ObjScoreSPDimer(const MSA& msa) {
    CalcGapScoreMatrix();
    // Letters and gap states of each column, over ordered pairs of distinct rows.
    const SCOREMATRIX& mx = *g_ptrScoreMatrix;
    std::vector<ColumnSums> sums;
    SumColumns(msa, sums);
    SCORE total = 0;
    for (const ColumnSums& c : sums) {
        const SCORE letters = PairSum<MAX_ALPHA>(c.letterFreqs, mx) - c.selfLetters;
        const SCORE gaps = PairSum<DIMER_STATES>(c.gapFreqs, GapScoreMatrix) - c.selfGaps;
        total += letters + gaps;
    }
    return total / 2;
}
