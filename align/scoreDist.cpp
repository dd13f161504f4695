// The score distance of two aligned rows.
#include "align/scoreDist.h"

#include <cmath>

#include "align/blosum62.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/params.h"

double GetScoreDist(const MSA& msa, unsigned i, unsigned j) {
    if (g_Alpha != ALPHA_Amino) Quit("Scoredist is only for amino acid sequences");
    long score = 0, selfI = 0, selfJ = 0;
    unsigned pairs = 0, residuesJ = 0;
    const unsigned colCount = msa.GetColCount();
    for (unsigned col = 0; col < colCount; ++col) {
        const unsigned a = msa.GetLetterEx(i, col);
        const unsigned b = msa.GetLetterEx(j, col);
        const bool residueA = a < BLOSUM62_SIZE;
        const bool residueB = b < BLOSUM62_SIZE;
        if (residueA && residueB) {
            score += BLOSUM62[a][b];
            ++pairs;
        }
        if (residueA) selfI += BLOSUM62[a][a];
        if (residueB) {
            selfJ += BLOSUM62[b][b];
            ++residuesJ;
        }
    }
    const double sigma = score - pairs * BLOSUM62_Expected;
    const double upper = (selfI + selfJ) / 2.0 - residuesJ * BLOSUM62_Expected;
    if (upper == 0) return 0;
    const double r = sigma / upper;
    // Below this the rows are no more alike than random ones: the distance saturates.
    if (r < 0.001) return 3.8619;
    return -1.2873 * std::log(r);
}
