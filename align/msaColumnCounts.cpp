// The weighted statistics of alignment columns that profile columns are built from, of every
// column at once for ProfileFromMSA.
#include <cstring>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"

namespace {

// Letter numbers of the amino acids that the wildcards B and Z stand for.
constexpr unsigned AX_D = 2, AX_E = 3, AX_N = 11, AX_Q = 13;
constexpr unsigned AX_B = 21, AX_Z = 22;
// Nucleotide letters A and G, and the extended number of X among the nucleotide wildcards.
constexpr unsigned NX_A = 0, NX_G = 2, NX_X = 14;

}  // namespace

void SpreadWildcard(unsigned letterEx, WEIGHT w, FCOUNT counts[]) {
    if (g_Alpha == ALPHA_Amino) {
        if (letterEx == AX_B) {
            counts[AX_D] += w / 2;
            counts[AX_N] += w / 2;
        } else if (letterEx == AX_Z) {
            counts[AX_E] += w / 2;
            counts[AX_Q] += w / 2;
        } else {
            for (unsigned letter = 0; letter < 20; ++letter) counts[letter] += w / 20;
        }
        return;
    }
    if (letterEx == NX_X) {
        counts[NX_A] += w / 2;
        counts[NX_G] += w / 2;
    } else {
        for (unsigned letter = 0; letter < 4; ++letter) counts[letter] += w / 20;
    }
}

namespace {

// The sums of a column that do not go into its profile column.
struct ColumnExtras {
    FCOUNT gapWeight = 0;
    FCOUNT letterTotal = 0;
    FCOUNT gapStart = 0;
    FCOUNT gapEnd = 0;
    bool hasLetter = false;
    bool badLetter = false;
};

// The first row of the column whose character is neither a gap, a wildcard nor a letter ends
// the process with the message of MSA::GetLetter.
[[noreturn]] void QuitBadLetter(const MSA& a, unsigned col) {
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) {
        const char c = a.GetChar(row, col);
        if (!IsGapChar(c) && !IsWildcardChar(c) && CharToLetter(c) >= 20) (void)a.GetLetter(row, col);
    }
    Quit("QuitBadLetter: column %u has no bad letter", col);
}

}  // namespace

void ProfileCountsFromMSA(const MSA& a, bool bNormalize, ProfPos prof[], FCOUNT gapStart[], FCOUNT gapEnd[]) {
    const unsigned colCount = a.GetColCount();
    const unsigned rowCount = a.GetSeqCount();
    if (colCount == 0) return;
    if (g_Alpha != ALPHA_Amino && g_Alpha != ALPHA_DNA && g_Alpha != ALPHA_RNA)
        Quit("Alphabet %d not supported", static_cast<int>(g_Alpha));
    for (unsigned row = 0; row < rowCount; ++row) (void)a.GetSeqWeight(row);

    // Row by row: every sum of a column receives its rows' terms in row order, as a walk down
    // each column would add them.
    std::vector<ColumnExtras> extras(colCount);
    const unsigned last = colCount - 1;
    for (unsigned row = 0; row < rowCount; ++row) {
        const WEIGHT w = a.GetSeqWeight(row);
        const char* s = a.GetSeqBuffer(row);
        bool gapBefore = false;  // before column 0 every row counts as having a letter
        for (unsigned col = 0; col < colCount; ++col) {
            ProfPos& pp = prof[col];
            ColumnExtras& x = extras[col];
            const char c = s[col];
            const bool gapHere = IsGapChar(c);
            if (gapHere) {
                x.gapWeight += w;
            } else {
                x.hasLetter = true;
                if (IsWildcardChar(c)) {
                    SpreadWildcard(CharToLetterEx(c), w, pp.fcCounts);
                } else {
                    const unsigned letter = CharToLetter(c);
                    if (letter >= 20) {
                        x.badLetter = true;
                    } else {
                        pp.fcCounts[letter] += w;
                        x.letterTotal += w;
                    }
                }
            }
            const bool gapAfter = col < last && IsGapChar(s[col + 1]);
            if (gapHere) {
                if (!gapBefore) x.gapStart += w;
                if (col == last || !gapAfter) x.gapEnd += w;
            }
            if (!gapBefore && !gapHere)
                pp.LL += w;
            else if (!gapBefore && gapHere)
                pp.LG += w;
            else if (gapBefore && !gapHere)
                pp.GL += w;
            else
                pp.GG += w;
            gapBefore = gapHere;
        }
    }

    for (unsigned col = 0; col < colCount; ++col) {
        ProfPos& pp = prof[col];
        const ColumnExtras& x = extras[col];
        if (x.badLetter) QuitBadLetter(a, col);
        pp.bAllGaps = !x.hasLetter;
        pp.fOcc = 1 - x.gapWeight;
        if (bNormalize && x.letterTotal > 0) {
            if (x.letterTotal > 1.001) Quit("wTotal=%g\n", x.letterTotal);
            for (unsigned letter = 0; letter < g_AlphaSize; ++letter) pp.fcCounts[letter] /= x.letterTotal;
        }
        gapStart[col] = x.gapStart;
        gapEnd[col] = x.gapEnd;
    }
}
