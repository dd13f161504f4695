// Aligning two profiles and merging them along the path into the profile of the joined alignment.
#pragma once

#include "align/engineTypes.h"

struct ProfPos;
class PWPath;

// GlobalAlign of A and B (which applies the terminal-gap policy to both), then the merge with
// the weights normalised to weightA / (weightA + weightB) and weightB / (weightA + weightB).
// *out is a new[] array of *outLength columns that the caller releases.
void AlignTwoProfs(ProfPos* A, unsigned lengthA, WEIGHT weightA, ProfPos* B, unsigned lengthB, WEIGHT weightB,
                   PWPath& path, ProfPos** out, unsigned* outLength);
// One merged column per edge: frequencies weighted by the side(s) the edge uses, gap
// transitions by the edge and the one before it, then SetProfPosScores on every column.
void AlignTwoProfsGivenPath(const PWPath& path, const ProfPos* A, unsigned lengthA, WEIGHT weightA,
                            const ProfPos* B, unsigned lengthB, WEIGHT weightB, ProfPos** out, unsigned* outLength);
