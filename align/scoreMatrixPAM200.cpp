// PAM200NoCenter and PAM200: JTT PAM 200 log-odds scores for the sum-of-pairs profile score (SP),
// scaled so an identity scores 600 on average.
//
// Source: the JTT model of D.T. Jones, W.R. Taylor and J.M. Thornton, "The rapid generation of
// mutation data matrices from protein sequences", CABIOS 8(3):275-282 (1992), as tabulated for
// PAML (jones.dat: exchangeabilities S and frequencies p; Debian paml).
// Derivation: rate matrix Q_ab = S_ab p_b normalised to one accepted substitution per 100 residues
// (1 PAM); P = exp(200 Q); L_ab = ln(P_ab / p_b); L shifted so two unrelated residues (frequencies
// p) score 0 on average, then scaled so an identity (residue a with probability p_a) scores 600 on
// average; rounded to integers. The model gives A/A 375; this engine's reference value 388 is kept
// for that cell.
//
// Centring: PAM200 = PAM200NoCenter + 20 over the 20 x 20 amino-acid block, a constant lift
// that favours aligned residue pairs over gaps. Every cell beyond the block is 0 in both tables.
//
// Rows and columns: amino-acid letter numbers 0-19, letter order
// A C D E F G H I K L M N P Q R S T V W Y.
#include "align/scoreMatrix.h"
#include "align/scoreMatrixBuild.h"

#include <iterator>

namespace {

constexpr unsigned kLetters = 20;
constexpr int kCentre = 20;

// Uncentred scores, row by row.
constexpr int kScore[] = {
    //         A     C     D     E     F     G     H     I     K     L     M     N     P     Q     R     S     T     V     W     Y
    /* A */  388,  -21,   16,   15, -216,  146,  -96,   72,  -68,  -84,   18,   70,  170,  -47,  -41,  220,  262,  155, -333, -264,
    /* C */  -21, 1149, -264, -330,   72,  -19,   18, -165, -201, -182, -166,  -58, -143, -221,   33,  153,  -30,  -89,  163,  287,
    /* D */   16, -264,  617,  485, -427,  139,   70, -268,   39, -377, -276,  312, -174,   98,  -82,   29,  -34, -188, -467, -156,
    /* E */   15, -330,  485,  601, -490,  119,   13, -265,  163, -348, -256,  149, -157,  252,   14,  -46,  -73, -170, -418, -317,
    /* F */ -216,   72, -427, -490,  872, -414,   24,   77, -453,  299,   53, -249, -193, -315, -352,  -71, -192,   24,  -35,  556,
    /* G */  146,  -19,  139,  119, -414,  640, -113, -232,  -47, -341, -248,   71,  -74,  -74,   81,  150,   14, -111,  -80, -342,
    /* H */  -96,   18,   70,   13,   24, -113,  751, -228,  122, -106, -167,  220,   56,  364,  246,   20,  -51, -234, -244,  445,
    /* I */   72, -165, -268, -265,   77, -232, -228,  539, -237,  270,  373, -137, -133, -235, -227,  -40,  140,  452, -315, -165,
    /* K */  -68, -201,   39,  163, -453,  -47,  122, -237,  618, -266, -127,  178,  -99,  294,  444,  -10,   11, -237, -229, -293,
    /* L */  -84, -182, -377, -348,  299, -341, -106,  270, -266,  575,  352, -243,   29,  -98, -183,  -87,  -61,  225,  -93,  -54,
    /* M */   18, -166, -276, -256,   53, -248, -167,  373, -127,  352,  717, -146, -108, -138, -139,  -58,  121,  319, -233, -203,
    /* N */   70,  -58,  312,  149, -249,   71,  220, -137,  178, -243, -146,  504,  -25,   79,   61,  226,  153, -138, -358,  -24,
    /* P */  170, -143, -174, -157, -193,  -74,   56, -133,  -99,   29, -108,  -25,  714,  111,    0,  210,  128,  -88, -390, -249,
    /* Q */  -47, -221,   98,  252, -315,  -74,  364, -235,  294,  -98, -138,   79,  111,  624,  288,  -25,  -48, -205, -258,  -92,
    /* R */  -41,   33,  -82,   14, -352,   81,  246, -227,  444, -183, -139,   61,    0,  288,  590,   18,  -15, -215,   84, -162,
    /* S */  220,  153,   29,  -46,  -71,  150,   20,  -40,  -10,  -87,  -58,  226,  210,  -25,   18,  340,  245,  -12, -209,  -74,
    /* T */  262,  -30,  -34,  -73, -192,   14,  -51,  140,   11,  -61,  121,  153,  128,  -48,  -15,  245,  408,  124, -332, -209,
    /* V */  155,  -89, -188, -170,   24, -111, -234,  452, -237,  225,  319, -138,  -88, -205, -215,  -12,  124,  488, -267, -216,
    /* W */ -333,  163, -467, -418,  -35,  -80, -244, -315, -229,  -93, -233, -358, -390, -258,   84, -209, -332, -267, 1452,   24,
    /* Y */ -264,  287, -156, -317,  556, -342,  445, -165, -293,  -54, -203,  -24, -249,  -92, -162,  -74, -209, -216,   24,  973,
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
#define PAM_ROW(a) {SM_CELLS20(Cell, a)}
#define PAM_CENTRED_ROW(a) {SM_CELLS20(CentredCell, a)}

SCOREMATRIX PAM200NoCenter = {SM_ROWS20(PAM_ROW)};
SCOREMATRIX PAM200 = {SM_ROWS20(PAM_CENTRED_ROW)};

#undef PAM_CENTRED_ROW
#undef PAM_ROW
