// Candidate point groups for automatic detection, chosen from the number of chains alone.
#pragma once

#include <memory>
#include <vector>

#include "symmetry/cPointSymmetryGroup.h"

// In this order: I (chainCount a multiple of 60), O (of 24), T (of 12); for an even count above
// 2, D(n/2) unless the count exceeds 23 and a cubic group was proposed; C(n) when the count is
// at most 23 or nothing else was proposed. Nothing below 2 chains.
std::vector<std::unique_ptr<cPointSymmetryGroup>> candidateGroups(int chainCount);
