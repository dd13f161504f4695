// The six residue groups of amino acids, by extended letter number.
#pragma once

#include "align/engineTypes.h"

// {A G P S T} 0, {I L M V} 1, {D E N Q} 2, {H K R} 3, {F W Y} 4, {C} 5; the wildcards X and B
// count as 2, Z and the gap as 0. This is the compressed alphabet of the 6-mer distance.
constexpr unsigned uResidueGroupCount = 24;
extern const unsigned ResidueGroup[uResidueGroupCount];
