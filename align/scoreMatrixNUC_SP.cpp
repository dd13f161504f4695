// NUC_SP: nucleotide scores for DNA and RNA alignment.
//
// Source: HOXD70 of F. Chiaromonte, V.B. Yap and W. Miller, "Scoring pairwise genomic sequence
// alignments", Pacific Symposium on Biocomputing 2002:115-126 (as shipped with Biopython, Debian
// python3-biopython). Derivation: HOXD70 + 60 in every cell, which lifts transitions (A/G, C/T)
// from -31 to 29 so that they score above zero while transversions stay negative.
//
// Rows and columns: nucleotide letter numbers 0-3, letter order A C G T (U shares T's letter);
// every other cell of the 32 x 32 table is 0.
#include "align/scoreMatrix.h"
#include "align/scoreMatrixBuild.h"

#include <iterator>

namespace {

constexpr unsigned kLetters = 4;

// Scores, row by row.
constexpr int kScore[] = {
    //        A    C    G    T
    /* A */ 151, -54,  29, -63,
    /* C */ -54, 160, -65,  29,
    /* G */  29, -65, 160, -54,
    /* T */ -63,  29, -54, 151,
};

static_assert(std::size(kScore) == kLetters * kLetters, "one 4 x 4 block, row by row");
static_assert(IsSymmetricBlock(kScore, kLetters), "a substitution scores the same in both directions");

// Cell (a, b) of the block.
constexpr float Cell(unsigned a, unsigned b) {
    return static_cast<float>(kScore[a * kLetters + b]);
}

}  // namespace

// Row a of the 32 x 32 table: row a of the block in the first 4 columns, then 0.
#define NUC_ROW(a) {SM_CELLS4(Cell, a, 0)}

SCOREMATRIX NUC_SP = {NUC_ROW(0), NUC_ROW(1), NUC_ROW(2), NUC_ROW(3)};

#undef NUC_ROW
