// Identity-to-distance conversions and the PAM table of the Kimura distance.
#include "align/pctIdDist.h"

#include <algorithm>
#include <cmath>

#include "align/diagnostics.h"

// PAM distances (in hundredths) for observed differences 0.750 .. 0.930 in steps of 0.001,
// the range where Kimura's formula no longer holds (empirical PAM corrections).
const int KimuraPamTable[] = {
    195, 196, 197, 198, 199, 200, 200, 201, 202, 203,  // 0.750
    204, 205, 206, 207, 208, 209, 209, 210, 211, 212,  // 0.760
    213, 214, 215, 216, 217, 218, 219, 220, 221, 222,  // 0.770
    223, 224, 226, 227, 228, 229, 230, 231, 232, 233,  // 0.780
    234, 236, 237, 238, 239, 240, 241, 243, 244, 245,  // 0.790
    246, 248, 249, 250, 252, 253, 254, 255, 257, 258,  // 0.800
    260, 261, 262, 264, 265, 267, 268, 270, 271, 273,  // 0.810
    274, 276, 277, 279, 281, 282, 284, 285, 287, 289,  // 0.820
    291, 292, 294, 296, 298, 299, 301, 303, 305, 307,  // 0.830
    309, 311, 313, 315, 317, 319, 321, 323, 325, 328,  // 0.840
    330, 332, 335, 337, 339, 342, 344, 347, 349, 352,  // 0.850
    354, 357, 360, 362, 365, 368, 371, 374, 377, 380,  // 0.860
    383, 386, 389, 393, 396, 399, 403, 407, 410, 414,  // 0.870
    418, 422, 426, 430, 434, 438, 442, 447, 451, 456,  // 0.880
    461, 466, 471, 476, 482, 487, 493, 498, 504, 511,  // 0.890
    517, 524, 531, 538, 545, 553, 560, 569, 577, 586,  // 0.900
    595, 605, 615, 626, 637, 649, 661, 675, 688, 703,  // 0.910
    719, 736, 754, 775, 796, 819, 845, 874, 907, 945,  // 0.920
    988,                                               // 0.930
};
static_assert(sizeof(KimuraPamTable) / sizeof(KimuraPamTable[0]) == KIMURA_PAM_TABLE_SIZE);

double KimuraDist(double pctId) {
    const double d = 1 - pctId;
    // 0 - ln rather than -ln: identical rows give +0, not -0.
    if (d < 0.75) return 0.0 - std::log(1 - d - (d * d) / 5);
    if (d > 0.93) return 10;
    // Written so that a NaN identity also fails the range check instead of converting.
    const double k = (d - 0.75) * 1000 + 0.5;
    if (!(k < KIMURA_PAM_TABLE_SIZE)) Quit("Internal error in MSADistKimura::ComputeDist");
    return KimuraPamTable[static_cast<unsigned>(k)] / 100.0;
}

double PctIdToHeightKimura(double pctId) { return KimuraDist(pctId); }

double KimuraDistToPctId(double dist) { return 1 - (std::sqrt(1 + 0.8 * (1 - std::exp(-dist))) - 1) / 0.4; }

double PctIdToMAFFTDist(double pctId) { return 0.0 - std::log(std::max(0.05, pctId)); }

double PctIdToHeightMAFFT(double pctId) { return PctIdToMAFFTDist(pctId); }
