// VTML_SPNoCenter and VTML_SP: VTML 200 PAM log-odds scores in centinats, for the sum-of-pairs
// profile score (SV).
//
// Source: the VTML model (T. Mueller, R. Spang and M. Vingron, Mol. Biol. Evol. 19(1):8-13, 2002)
// as reconstructed for VTML_LA (scoreMatrixVTML_LA.cpp describes the fit to the published VTML
// matrices). VTML_SPNoCenter(a, b) = round(100 ln VTML_LA(a, b)): the same likelihood ratios on a
// log scale, so the SV and log-expectation scores rank substitutions alike, and the SV gap open of
// -300 centinats matches the log-expectation gap open of -2.9 nats.
//
// Centring: VTML_SP = VTML_SPNoCenter + 22 over the 20 x 20 amino-acid block. Two unrelated
// residues drawn from the model's frequencies score -21.5 centinats on average, so after centring
// an unrelated pair scores about 0. Column 20 (the wildcard X, scored 0 before centring) holds the
// offset 22 in the amino-acid rows of VTML_SP; row 20 and every other cell beyond the block are 0.
//
// Rows and columns: amino-acid letter numbers 0-19, letter order
// A C D E F G H I K L M N P Q R S T V W Y.
#include "align/scoreMatrix.h"
#include "align/scoreMatrixBuild.h"

#include <iterator>

namespace {

constexpr unsigned kLetters = 20;
constexpr int kCentre = 22;  // centinats

// Uncentred scores, row by row.
constexpr int kScore[] = {
    //         A     C     D     E     F     G     H     I     K     L     M     N     P     Q     R     S     T     V     W     Y
    /* A */   81,   23,  -16,  -11,  -60,   12,  -33,  -20,  -21,  -40,  -24,  -10,    1,  -12,  -32,   29,   21,    2,  -99,  -61,
    /* C */   23,  276,  -93,  -87,  -71,  -41,  -41,   -3,  -77,  -56,  -12,  -46,  -59,  -74,  -55,   14,   -2,   16, -125,   -6,
    /* D */  -16,  -93,  144,   72, -138,  -10,    1, -111,    3, -116,  -87,   59,  -20,   19,  -45,    3,  -13,  -84, -134,  -97,
    /* E */  -11,  -87,   72,  108, -109,  -26,   -5,  -84,   30,  -79,  -62,   17,  -19,   51,  -16,   -1,  -13,  -62, -142,  -65,
    /* F */  -60,  -71, -138, -109,  187, -120,    4,    9,  -99,   43,   33,  -84,  -96,  -72,  -87,  -56,  -55,  -12,   73,  126,
    /* G */   12,  -41,  -10,  -26, -120,  175,  -43, -126,  -40, -122, -100,    0,  -44,  -42,  -46,    3,  -38,  -92, -101, -101,
    /* H */  -33,  -41,    1,   -5,    4,  -43,  179,  -67,    5,  -50,  -58,   25,  -33,   34,   22,   -6,  -17,  -61,  -20,   62,
    /* I */  -20,   -3, -111,  -84,    9, -126,  -67,  106,  -72,   63,   55,  -83,  -81,  -63,  -74,  -60,  -16,   88,  -43,  -38,
    /* K */  -21,  -77,    3,   30,  -99,  -40,    5,  -72,   99,  -64,  -37,   15,  -19,   41,   85,   -6,   -6,  -60,  -92,  -64,
    /* L */  -40,  -56, -116,  -79,   43, -122,  -50,   63,  -64,  110,   77,  -83,  -64,  -47,  -62,  -63,  -33,   46,  -22,   -9,
    /* M */  -24,  -12,  -87,  -62,   33, -100,  -58,   55,  -37,   77,  137,  -59,  -73,  -28,  -37,  -47,  -13,   38,  -68,  -35,
    /* N */  -10,  -46,   59,   17,  -84,    0,   25,  -83,   15,  -83,  -59,  121,  -35,   13,   -2,   28,   10,  -67, -102,  -38,
    /* P */    1,  -59,  -20,  -19,  -96,  -44,  -33,  -81,  -19,  -64,  -73,  -35,  198,  -10,  -29,   10,  -13,  -58,  -97, -112,
    /* Q */  -12,  -74,   19,   51,  -72,  -42,   34,  -63,   41,  -47,  -28,   13,  -10,  101,   38,   -1,   -7,  -49, -121,  -65,
    /* R */  -32,  -55,  -45,  -16,  -87,  -46,   22,  -74,   85,  -62,  -37,   -2,  -29,   38,  146,  -17,  -21,  -67,  -71,  -51,
    /* S */   29,   14,    3,   -1,  -56,    3,   -6,  -60,   -6,  -63,  -47,   28,   10,   -1,  -17,   76,   42,  -41,  -80,  -39,
    /* T */   21,   -2,  -13,  -13,  -55,  -38,  -17,  -16,   -6,  -33,  -13,   10,  -13,   -7,  -21,   42,   92,   -3, -117,  -57,
    /* V */    2,   16,  -84,  -62,  -12,  -92,  -61,   88,  -60,   46,   38,  -67,  -58,  -49,  -67,  -41,   -3,   90,  -85,  -49,
    /* W */  -99, -125, -134, -142,   73, -101,  -20,  -43,  -92,  -22,  -68, -102,  -97, -121,  -71,  -80, -117,  -85,  345,   94,
    /* Y */  -61,   -6,  -97,  -65,  126, -101,   62,  -38,  -64,   -9,  -35,  -38, -112,  -65,  -51,  -39,  -57,  -49,   94,  206,
};

static_assert(std::size(kScore) == kLetters * kLetters, "one 20 x 20 block, row by row");
static_assert(IsSymmetricBlock(kScore, kLetters), "a substitution scores the same in both directions");

// Cell (a, b) of the block as a table entry, as it is and centred.
constexpr float Cell(unsigned a, unsigned b) {
    return static_cast<float>(kScore[a * kLetters + b]);
}
constexpr float CentredCell(unsigned a, unsigned b) {
    return static_cast<float>(kScore[a * kLetters + b] + kCentre);
}

}  // namespace

// Row a of the 32 x 32 table: row a of the block in the first 20 columns, then 0.
#define VTML_ROW(a) {SM_CELLS20(Cell, a)}
// The centred row, with the X column (20) holding the offset alone.
#define VTML_CENTRED_ROW(a) {SM_CELLS20(CentredCell, a), static_cast<float>(kCentre)}

SCOREMATRIX VTML_SPNoCenter = {SM_ROWS20(VTML_ROW)};
SCOREMATRIX VTML_SP = {SM_ROWS20(VTML_CENTRED_ROW)};

#undef VTML_CENTRED_ROW
#undef VTML_ROW
