// The six residue groups of amino acids, by extended letter number.
#include "align/residueGroup.h"

const unsigned ResidueGroup[] = {
    0,  // A
    5,  // C
    2,  // D
    2,  // E
    4,  // F
    0,  // G
    3,  // H
    1,  // I
    3,  // K
    1,  // L
    1,  // M
    2,  // N
    0,  // P
    2,  // Q
    3,  // R
    0,  // S
    0,  // T
    1,  // V
    4,  // W
    4,  // Y
    2,  // X (20)
    2,  // B (21)
    0,  // Z (22)
    0,  // gap (23)
};
static_assert(sizeof(ResidueGroup) / sizeof(ResidueGroup[0]) == uResidueGroupCount);
static_assert(uResidueGroupCount == MAX_ALPHA_EX);
