// The score file: the mean substitution score of every column, beside the column's characters.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/msaFiles.h"
#include "align/params.h"
#include "align/scoreMatrix.h"
#include "align/textFile.h"

namespace {

// Mean score over all pairs of rows holding a letter of the alphabet; 0 without such a pair.
SCORE GetColScore(const MSA& msa, unsigned col) {
    const SCOREMATRIX* matrix = nullptr;
    if (g_Alpha == ALPHA_Amino)
        matrix = &VTML_SP;
    else if (g_Alpha == ALPHA_DNA || g_Alpha == ALPHA_RNA)
        matrix = &NUC_SP;
    else
        Quit("GetColScore: invalid alpha=%d", g_Alpha);

    SCORE sum = 0;
    unsigned pairs = 0;
    const unsigned rows = msa.GetSeqCount();
    for (unsigned i = 0; i < rows; ++i) {
        const unsigned a = msa.GetLetterEx(i, col);
        if (a >= g_AlphaSize) continue;
        for (unsigned j = i + 1; j < rows; ++j) {
            const unsigned b = msa.GetLetterEx(j, col);
            if (b >= g_AlphaSize) continue;
            sum += (*matrix)[a][b];
            ++pairs;
        }
    }
    return pairs == 0 ? 0 : sum / pairs;
}

}  // namespace

void WriteScoreFile(const MSA& msa) {
    FILE* f = fopen(g_pstrScoreFileName, "w");
    if (!f) Quit("Cannot open score file '%s': %s", g_pstrScoreFileName, strerror(errno));
    for (unsigned col = 0; col < msa.GetColCount(); ++col) {
        std::string chars;
        for (unsigned row = 0; row < msa.GetSeqCount(); ++row) chars += msa.GetChar(row, col);
        fprintf(f, "%10.3f  %s\n", GetColScore(msa, col), chars.c_str());
    }
    if (!CloseWrittenFile(f))
        Quit("Cannot write score file '%s' errno=%d %s", g_pstrScoreFileName, errno, strerror(errno));
}
