// VTML_LA: likelihood ratios of the VTML amino-acid substitution model at 200 PAM, the table
// behind the default (log-expectation) profile score, which takes their logarithm.
//
// Source: the VTML model of T. Mueller, R. Spang and M. Vingron, "Estimating amino acid
// substitution models: a comparison of Dayhoff's estimator, the resolvent approach and a maximum
// likelihood method", Mol. Biol. Evol. 19(1):8-13 (2002). Its rate matrix is distributed only
// through rounded score matrices, so it was reconstructed from them: a reversible 20-state rate
// matrix (190 exchangeabilities, 20 equilibrium frequencies p; 1 PAM = one accepted substitution
// per 100 residues) was fitted by least squares to VTML_10, _20, _40, _80, _120 (half bits),
// VTML_160 and VTML_200 (third bits), made from Mueller's vtml_<n>qij.mat with the vtml_P.mat
// frequencies and shipped in the data of the FASTA package (Debian fasta3), and to VTML160 of
// T. Mueller and S. Rahmann (June 2001, same package), whose PAM clock runs 1.0424 times the later
// one. A first pass minimised the squared score errors; a second kept every rounded score within
// half a unit where it could and held the three reference cells below. The model reproduces 1623
// of those 1680 published scores exactly after rounding and the rest within 0.6 unit; alternative
// fits (another clock, no reference cells) agree with this table to 0.5 % in the median cell and
// 7 % at worst.
//
// Cell (a, b) = q_ab / (p_a p_b) = P(a -> b after 200 PAM of the 2001 clock) / p_b, symmetrised and
// rounded to 4 decimals. A/A 2.2508, C/C 15.7947 and W/W 31.3956 are this engine's reference values
// and are kept as they are (the fitted model gives 2.2470, 15.8146 and 31.4054).
//
// To redo: unpack fasta3 with dpkg-deb, fit as above (numpy, scipy least_squares; exp(Qt) through
// the eigenvectors of the symmetrised rate matrix), evaluate at t = 200 x 1.0424 PAM.
//
// Rows and columns: amino-acid letter numbers 0-19, letter order
// A C D E F G H I K L M N P Q R S T V W Y; every other cell of the 32 x 32 table is 0.
#include "align/scoreMatrix.h"
#include "align/scoreMatrixBuild.h"

#include <iterator>

namespace {

constexpr unsigned kLetters = 20;

// Likelihood ratios, row by row.
constexpr float kRatio[] = {
    //             A         C         D         E         F         G         H         I         K         L         M         N         P         Q         R         S         T         V         W         Y
    /* A */  2.2508f,  1.2630f,  0.8526f,  0.9000f,  0.5496f,  1.1314f,  0.7224f,  0.8151f,  0.8087f,  0.6694f,  0.7838f,  0.9022f,  1.0143f,  0.8881f,  0.7239f,  1.3350f,  1.2348f,  1.0249f,  0.3722f,  0.5417f,
    /* C */  1.2630f, 15.7947f,  0.3932f,  0.4177f,  0.4939f,  0.6667f,  0.6661f,  0.9744f,  0.4619f,  0.5711f,  0.8886f,  0.6296f,  0.5550f,  0.4751f,  0.5748f,  1.1558f,  0.9812f,  1.1773f,  0.2863f,  0.9380f,
    /* D */  0.8526f,  0.3932f,  4.2073f,  2.0450f,  0.2526f,  0.9031f,  1.0055f,  0.3286f,  1.0293f,  0.3136f,  0.4196f,  1.8031f,  0.8167f,  1.2068f,  0.6351f,  1.0338f,  0.8764f,  0.4323f,  0.2611f,  0.3801f,
    /* E */  0.9000f,  0.4177f,  2.0450f,  2.9406f,  0.3355f,  0.7700f,  0.9481f,  0.4314f,  1.3538f,  0.4544f,  0.5381f,  1.1856f,  0.8267f,  1.6703f,  0.8498f,  0.9911f,  0.8817f,  0.5361f,  0.2418f,  0.5195f,
    /* F */  0.5496f,  0.4939f,  0.2526f,  0.3355f,  6.4570f,  0.3019f,  1.0414f,  1.0917f,  0.3704f,  1.5368f,  1.3876f,  0.4336f,  0.3828f,  0.4866f,  0.4189f,  0.5703f,  0.5759f,  0.8894f,  2.0711f,  3.5301f,
    /* G */  1.1314f,  0.6667f,  0.9031f,  0.7700f,  0.3019f,  5.7829f,  0.6478f,  0.2845f,  0.6722f,  0.2949f,  0.3687f,  1.0020f,  0.6431f,  0.6597f,  0.6304f,  1.0324f,  0.6817f,  0.3978f,  0.3640f,  0.3639f,
    /* H */  0.7224f,  0.6661f,  1.0055f,  0.9481f,  1.0414f,  0.6478f,  6.0097f,  0.5095f,  1.0525f,  0.6049f,  0.5576f,  1.2808f,  0.7209f,  1.4021f,  1.2462f,  0.9391f,  0.8419f,  0.5451f,  0.8160f,  1.8572f,
    /* I */  0.8151f,  0.9744f,  0.3286f,  0.4314f,  1.0917f,  0.2845f,  0.5095f,  2.8955f,  0.4865f,  1.8836f,  1.7345f,  0.4355f,  0.4469f,  0.5340f,  0.4771f,  0.5489f,  0.8550f,  2.4100f,  0.6514f,  0.6843f,
    /* K */  0.8087f,  0.4619f,  1.0293f,  1.3538f,  0.3704f,  0.6722f,  1.0525f,  0.4865f,  2.6819f,  0.5258f,  0.6926f,  1.1572f,  0.8306f,  1.5000f,  2.3380f,  0.9462f,  0.9417f,  0.5512f,  0.3991f,  0.5250f,
    /* L */  0.6694f,  0.5711f,  0.3136f,  0.4544f,  1.5368f,  0.2949f,  0.6049f,  1.8836f,  0.5258f,  3.0152f,  2.1584f,  0.4345f,  0.5292f,  0.6247f,  0.5354f,  0.5314f,  0.7210f,  1.5848f,  0.8037f,  0.9094f,
    /* M */  0.7838f,  0.8886f,  0.4196f,  0.5381f,  1.3876f,  0.3687f,  0.5576f,  1.7345f,  0.6926f,  2.1584f,  3.9469f,  0.5561f,  0.4818f,  0.7544f,  0.6921f,  0.6254f,  0.8779f,  1.4618f,  0.5069f,  0.7060f,
    /* N */  0.9022f,  0.6296f,  1.8031f,  1.1856f,  0.4336f,  1.0020f,  1.2808f,  0.4355f,  1.1572f,  0.4345f,  0.5561f,  3.3523f,  0.7030f,  1.1439f,  0.9851f,  1.3175f,  1.1052f,  0.5105f,  0.3604f,  0.6835f,
    /* P */  1.0143f,  0.5550f,  0.8167f,  0.8267f,  0.3828f,  0.6431f,  0.7209f,  0.4469f,  0.8306f,  0.5292f,  0.4818f,  0.7030f,  7.2512f,  0.9029f,  0.7459f,  1.1033f,  0.8770f,  0.5599f,  0.3800f,  0.3268f,
    /* Q */  0.8881f,  0.4751f,  1.2068f,  1.6703f,  0.4866f,  0.6597f,  1.4021f,  0.5340f,  1.5000f,  0.6247f,  0.7544f,  1.1439f,  0.9029f,  2.7321f,  1.4582f,  0.9947f,  0.9298f,  0.6137f,  0.2969f,  0.5230f,
    /* R */  0.7239f,  0.5748f,  0.6351f,  0.8498f,  0.4189f,  0.6304f,  1.2462f,  0.4771f,  2.3380f,  0.5354f,  0.6921f,  0.9851f,  0.7459f,  1.4582f,  4.2870f,  0.8473f,  0.8068f,  0.5120f,  0.4912f,  0.6004f,
    /* S */  1.3350f,  1.1558f,  1.0338f,  0.9911f,  0.5703f,  1.0324f,  0.9391f,  0.5489f,  0.9462f,  0.5314f,  0.6254f,  1.3175f,  1.1033f,  0.9947f,  0.8473f,  2.1301f,  1.5284f,  0.6668f,  0.4511f,  0.6777f,
    /* T */  1.2348f,  0.9812f,  0.8764f,  0.8817f,  0.5759f,  0.6817f,  0.8419f,  0.8550f,  0.9417f,  0.7210f,  0.8779f,  1.1052f,  0.8770f,  0.9298f,  0.8068f,  1.5284f,  2.5034f,  0.9681f,  0.3113f,  0.5661f,
    /* V */  1.0249f,  1.1773f,  0.4323f,  0.5361f,  0.8894f,  0.3978f,  0.5451f,  2.4100f,  0.5512f,  1.5848f,  1.4618f,  0.5105f,  0.5599f,  0.6137f,  0.5120f,  0.6668f,  0.9681f,  2.4558f,  0.4295f,  0.6111f,
    /* W */  0.3722f,  0.2863f,  0.2611f,  0.2418f,  2.0711f,  0.3640f,  0.8160f,  0.6514f,  0.3991f,  0.8037f,  0.5069f,  0.3604f,  0.3800f,  0.2969f,  0.4912f,  0.4511f,  0.3113f,  0.4295f, 31.3956f,  2.5498f,
    /* Y */  0.5417f,  0.9380f,  0.3801f,  0.5195f,  3.5301f,  0.3639f,  1.8572f,  0.6843f,  0.5250f,  0.9094f,  0.7060f,  0.6835f,  0.3268f,  0.5230f,  0.6004f,  0.6777f,  0.5661f,  0.6111f,  2.5498f,  7.8324f,
};

static_assert(std::size(kRatio) == kLetters * kLetters, "one 20 x 20 block, row by row");
static_assert(IsSymmetricBlock(kRatio, kLetters), "a substitution scores the same in both directions");

constexpr bool AllPositive() {
    for (float r : kRatio)
        if (!(r > 0.0f)) return false;
    return true;
}
static_assert(AllPositive(), "the log-expectation score takes the logarithm of every ratio");

// Cell (a, b) of the block.
constexpr float Cell(unsigned a, unsigned b) {
    return static_cast<float>(kRatio[a * kLetters + b]);
}

}  // namespace

// Row a of the 32 x 32 table: row a of the block in the first 20 columns, then 0.
#define VTML_LA_ROW(a) {SM_CELLS20(Cell, a)}

SCOREMATRIX VTML_LA = {SM_ROWS20(VTML_LA_ROW)};

#undef VTML_LA_ROW
